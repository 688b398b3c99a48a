// Damaged copies of the test control's real type library (its TYPELIB
// resource and its source), of its other resources and of the resource block
// that carries them: every reader refuses or reads them without throwing or
// crashing, and what it accepts is consistent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "com.h"
#include "com_ptr.h"
#include "mutated_inputs.h"
#include "resource_format.h"
#include "typelib_data.h"

using namespace com;

namespace {

std::string ControlPath() {
    const char* dir = std::getenv("ORVANTA_BIN_DIR");
    return std::string(dir ? dir : "") + "/zevote32.ocx";
}

// The control's resources, read from the built control.
class ControlResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibrary(ControlPath());
        ASSERT_NE(module_, nullptr) << LastLoadError();
    }
    void TearDown() override { FreeLibrary(module_); }

    std::string Bytes(const ResourceId& name, const ResourceId& type) const {
        const auto bytes = ResourceBytes(module_, name, type);
        EXPECT_TRUE(bytes) << "missing resource";
        return bytes ? std::string(*bytes) : std::string();
    }

    HMODULE module_ = nullptr;
};

std::string Text(BSTR b) {
    std::string s = BstrToUtf8(b);
    SysFreeString(b);
    return s;
}

// Walks everything a client may ask of a library; checks that each member's
// vtable slot lies inside the type's vtable.
void UseLibrary(ITypeLib* lib) {
    TLIBATTR* la = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&la), S_OK);
    lib->ReleaseTLibAttr(la);
    BSTR name = nullptr, doc = nullptr;
    ASSERT_EQ(lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr), S_OK);
    Text(name);
    Text(doc);
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(lib->GetTypeInfo(i, info.OutTyped()), S_OK);
        TYPEATTR* ta = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&ta), S_OK);
        const TYPEATTR attr = *ta;
        info->ReleaseTypeAttr(ta);
        for (UINT f = 0; f < attr.cFuncs; ++f) {
            FUNCDESC* fd = nullptr;
            ASSERT_EQ(info->GetFuncDesc(f, &fd), S_OK);
            ASSERT_GE(fd->oVft, 7);
            if (attr.typekind == TKIND_INTERFACE) {
                ASSERT_LT(fd->oVft, attr.cbSizeVft);
            }
            ASSERT_LE(fd->params.size(), 4u);
            BSTR member = nullptr;
            ASSERT_EQ(info->GetDocumentation(fd->memid, &member, nullptr, nullptr, nullptr), S_OK);
            std::u16string wide = Utf8ToUtf16(Text(member));
            LPOLESTR names[] = {wide.data()};
            DISPID id = 0;
            info->GetIDsOfNames(names, 1, &id);
            info->ReleaseFuncDesc(fd);
        }
        for (UINT k = 0; k < attr.cImplTypes && attr.typekind == TKIND_COCLASS; ++k) {
            ComPtr<ITypeInfo> impl;
            ASSERT_EQ(info->GetImplTypeInfo(k, impl.OutTyped()), S_OK);
            INT flags = 0;
            ASSERT_EQ(info->GetImplTypeFlags(k, &flags), S_OK);
            TYPEATTR* ia = nullptr;
            ASSERT_EQ(impl->GetTypeAttr(&ia), S_OK);
            ASSERT_NE(ia->typekind, TKIND_COCLASS);
            impl->ReleaseTypeAttr(ia);
        }
        ComPtr<ITypeInfo> same;
        ASSERT_EQ(lib->GetTypeInfoOfGuid(attr.guid, same.OutTyped()), S_OK);
    }
}

const std::vector<std::string> kBinaryWords = {
    "OVTL", std::string("\x01\x00", 2), std::string("\xff\xff", 2), std::string("\x07\x00", 2),
    std::string("\x00\x00", 2), std::string("\x08\x00", 2), std::string("\x05\x00", 2), std::string(16, '\xff')};

}  // namespace

TEST_F(ControlResources, DamagedTypeLibrariesAreRefusedOrConsistent) {
    const std::string real = Bytes(1, RT_TYPELIB);
    ASSERT_FALSE(real.empty());
    {
        ComPtr<ITypeLib> lib;
        ASSERT_EQ(CreateTypeLibFromData(real, lib.OutTyped()), S_OK);
        UseLibrary(lib.Get());
    }
    MutatedInputs inputs({real}, kBinaryWords, 1996);
    int accepted = 0;
    for (int n = 0; n < 4000; ++n) {
        const std::string data = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n));
        ComPtr<ITypeLib> lib;
        HRESULT hr = E_FAIL;
        ASSERT_NO_THROW(hr = CreateTypeLibFromData(data, lib.OutTyped()));
        if (hr != S_OK) {
            ASSERT_EQ(hr, TYPE_E_INVDATAREAD);
            continue;
        }
        ++accepted;
        UseLibrary(lib.Get());
    }
    EXPECT_GT(accepted, 0);
}

TEST(TypeLibSourceFuzz, DamagedSourcesCompileOrGiveALineNumber) {
    std::ifstream in(std::string(SOURCE_DIR) + "/testcontrol/zevote32.tls", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    ASSERT_FALSE(source.empty());
    MutatedInputs inputs({source}, {"library", "interface", "dispinterface", "coclass", "method", "propget", "propput",
                                    "implements", " id ", " returns ", "(I4 a, BSTR b)", "0x", "1.0", "65536.1",
                                    "{00000000-0000-0000-0000-000000000000}", "\"", "\\", "#", "\n", " lcid "},
                         4711);
    for (int n = 0; n < 3000; ++n) {
        const std::string damaged = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n));
        std::string binary, error;
        bool compiled = false;
        ASSERT_NO_THROW(compiled = CompileTypeLibSource(damaged, &binary, &error));
        if (!compiled) {
            ASSERT_FALSE(error.empty());
            continue;
        }
        // What the compiler makes, the reader takes.
        ComPtr<ITypeLib> lib;
        ASSERT_EQ(CreateTypeLibFromData(binary, lib.OutTyped()), S_OK);
        UseLibrary(lib.Get());
    }
}

TEST_F(ControlResources, DamagedDialogsVersionsIconGroupsAndBlocksAreReadSafely) {
    const std::string dialog = Bytes(2000, RT_DIALOG);
    const std::string version = Bytes(1, RT_VERSION);
    const std::string icons = Bytes(2, RT_GROUP_ICON);
    const std::string strings = Bytes(2005, RT_STRING);
    const std::string block = format::EncodeResourceBlock({{RT_DIALOG, 2000, dialog},
                                                          {RT_VERSION, 1, version},
                                                          {RT_GROUP_ICON, 2, icons},
                                                          {RT_STRING, 2005, strings},
                                                          {RT_TYPELIB, 1, Bytes(1, RT_TYPELIB)}});
    ASSERT_TRUE(format::DecodeResourceBlock(std::string_view(block)));
    MutatedInputs inputs({dialog, version, icons, block}, kBinaryWords, 31337);
    for (int n = 0; n < 4000; ++n) {
        const std::string data = inputs.Next();
        SCOPED_TRACE("input " + std::to_string(n));
        ASSERT_NO_THROW(format::DecodeDialog(data));
        ASSERT_NO_THROW(format::DecodeVersion(data));
        ASSERT_NO_THROW(format::DecodeIconGroup(data));
        std::optional<std::vector<format::ResourceView>> records;
        ASSERT_NO_THROW(records = format::DecodeResourceBlock(std::string_view(data)));
        if (!records) continue;
        for (const format::ResourceView& r : *records) {
            // Every record lies inside the block.
            ASSERT_GE(r.data.data(), data.data());
            ASSERT_LE(r.data.data() + r.data.size(), data.data() + data.size());
        }
    }
}
