// Type libraries: the source compiler, the binary form, the library and
// type information objects, registration.
#include <cstdint>
#include <fstream>

#include "com.h"
#include "registry.h"
#include "temp_registry.h"
#include "typelib_data.h"

using namespace com;

namespace {

const char* const kSource = R"(# a library
library Things {11111111-2222-3333-4444-555555555555} 1.2 lcid 0x409
helpstring "Things library"
interface IThing {11111111-2222-3333-4444-555555555556} dual hidden
  method Go id -552
  propget Name id 1 BSTR
  propput Name id 1 BSTR
dispinterface DThingEvents {11111111-2222-3333-4444-555555555557} hidden
helpstring "Events of things"
coclass Thing {11111111-2222-3333-4444-555555555558}
  implements IThing default
  implements DThingEvents default source
)";

ComPtr<ITypeLib> Compile(const std::string& source) {
    std::string binary, error;
    EXPECT_TRUE(CompileTypeLibSource(source, &binary, &error)) << error;
    ComPtr<ITypeLib> lib;
    EXPECT_EQ(CreateTypeLibFromData(binary, lib.OutTyped()), S_OK);
    return lib;
}

std::string CompileError(const std::string& source) {
    std::string binary, error;
    EXPECT_FALSE(CompileTypeLibSource(source, &binary, &error));
    return error;
}

std::string Str(BSTR b) {
    std::string s = BstrToUtf8(b);
    SysFreeString(b);
    return s;
}

}  // namespace

TEST(TypeLibSource, DescribesTheLibraryAndItsTypes) {
    ComPtr<ITypeLib> lib = Compile(kSource);
    ASSERT_TRUE(lib);
    TLIBATTR* la = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&la), S_OK);
    EXPECT_EQ(GuidToString(la->guid), "{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(la->wMajorVerNum, 1);
    EXPECT_EQ(la->wMinorVerNum, 2);
    EXPECT_EQ(la->lcid, 0x409u);
    lib->ReleaseTLibAttr(la);
    BSTR name = nullptr, doc = nullptr;
    ASSERT_EQ(lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_EQ(Str(name), "Things");
    EXPECT_EQ(Str(doc), "Things library");
    ASSERT_EQ(lib->GetTypeInfoCount(), 3u);

    ComPtr<ITypeInfo> thing;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(MakeGuid("{11111111-2222-3333-4444-555555555556}"), thing.OutTyped()), S_OK);
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(thing->GetTypeAttr(&ta), S_OK);
    EXPECT_EQ(ta->typekind, TKIND_INTERFACE);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FHIDDEN);
    EXPECT_EQ(ta->cFuncs, 3);
    EXPECT_EQ(ta->cbSizeVft, 10);  // seven of IDispatch and three of its own
    thing->ReleaseTypeAttr(ta);
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(thing->GetFuncDesc(0, &fd), S_OK);
    EXPECT_EQ(fd->memid, -552);
    EXPECT_EQ(fd->oVft, 7);  // the first slot after IDispatch's
    thing->ReleaseFuncDesc(fd);

    ComPtr<ITypeInfo> events;
    ASSERT_EQ(lib->GetTypeInfo(1, events.OutTyped()), S_OK);
    ASSERT_EQ(events->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr), S_OK);
    EXPECT_EQ(Str(name), "DThingEvents");
    EXPECT_EQ(Str(doc), "Events of things");

    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(lib->GetTypeInfo(2, coclass.OutTyped()), S_OK);
    ASSERT_EQ(coclass->GetTypeAttr(&ta), S_OK);
    EXPECT_EQ(ta->typekind, TKIND_COCLASS);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCANCREATE);
    EXPECT_EQ(ta->cImplTypes, 2);
    coclass->ReleaseTypeAttr(ta);
    INT flags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(1, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    ComPtr<ITypeInfo> implemented;
    ASSERT_EQ(coclass->GetImplTypeInfo(0, implemented.OutTyped()), S_OK);
    ASSERT_EQ(implemented->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(Str(name), "IThing");
}

TEST(TypeLibSource, ReportsMistakesWithTheirLine) {
    EXPECT_EQ(CompileError("interface I {11111111-2222-3333-4444-555555555556}\n"),
              "line 1: the library statement must come first");
    EXPECT_EQ(CompileError("library L {11111111-2222-3333-4444-555555555555} 1.0\n\nfrobnicate\n"),
              "line 3: unknown statement frobnicate");
    EXPECT_EQ(CompileError("library L {11111111-2222-3333-4444-55555555555} 1.0\n"), "line 1: malformed GUID");
    EXPECT_EQ(CompileError("library L {11111111-2222-3333-4444-555555555555} 1.0\n"
                           "coclass C {11111111-2222-3333-4444-555555555556}\n  implements INowhere default\n"),
              "coclass C implements unknown interface INowhere");
    EXPECT_EQ(CompileError("library L {11111111-2222-3333-4444-555555555555} 1.0\n"
                           "interface I {11111111-2222-3333-4444-555555555556}\n  method M id 1 (STRING s)\n"),
              "line 3: unknown type STRING");
    EXPECT_EQ(CompileError("library L {11111111-2222-3333-4444-555555555555} 1.0\nhelpstring \"open\n"),
              "line 2: text without its closing quote");
}

TEST(TypeLibData, DamagedDataIsRefused) {
    std::string binary, error;
    ASSERT_TRUE(CompileTypeLibSource(kSource, &binary, &error));
    ComPtr<ITypeLib> lib;
    EXPECT_EQ(CreateTypeLibFromData(binary.substr(0, binary.size() - 3), lib.OutTyped()), TYPE_E_INVDATAREAD);
    EXPECT_EQ(CreateTypeLibFromData("OVTL", lib.OutTyped()), TYPE_E_INVDATAREAD);
    EXPECT_EQ(CreateTypeLibFromData("", lib.OutTyped()), TYPE_E_INVDATAREAD);
}

TEST(TypeLibSource, NumbersOutOfRangeAreRefused) {
    const std::string head = "library L {11111111-2222-3333-4444-555555555555} ";
    // A version is two decimal 16-bit numbers and nothing else.
    EXPECT_EQ(CompileError(head + "1x.2\n"), "line 1: bad version 1x.2");
    EXPECT_EQ(CompileError(head + "1.2.3\n"), "line 1: bad version 1.2.3");
    EXPECT_EQ(CompileError(head + "65536.0\n"), "line 1: bad version 65536.0");
    EXPECT_EQ(CompileError(head + "1.0 lcid -1\n"), "line 1: the locale number -1 is out of range");
    EXPECT_EQ(CompileError(head + "1.0 lcid 0x100000409\n"),
              "line 1: the locale number 0x100000409 is out of range");
    const std::string iface = head + "1.0\ninterface I {11111111-2222-3333-4444-555555555556}\n";
    EXPECT_EQ(CompileError(iface + "  method M id 4294967297\n"), "line 3: the member id 4294967297 is out of range");
    EXPECT_EQ(CompileError(iface + "  method M id -2147483649\n"), "line 3: the member id -2147483649 is out of range");

    // Ids written in hex above 0x7FFFFFFF are the negative ones.
    ComPtr<ITypeLib> lib = Compile(iface + "  method M id 0x80010000\n  method N id -2147483648\n");
    ASSERT_TRUE(lib);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfo(0, info.OutTyped()), S_OK);
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(info->GetFuncDesc(0, &fd), S_OK);
    EXPECT_EQ(fd->memid, static_cast<MEMBERID>(0x80010000u));
    info->ReleaseFuncDesc(fd);
    ASSERT_EQ(info->GetFuncDesc(1, &fd), S_OK);
    EXPECT_EQ(fd->memid, INT32_MIN);
    info->ReleaseFuncDesc(fd);
}

// Data that decodes but describes what the compiler never makes would send
// a call through a slot that is not there: it is refused.
TEST(TypeLibData, InconsistentDataIsRefused) {
    std::string binary, error;
    ASSERT_TRUE(CompileTypeLibSource(kSource, &binary, &error));
    const auto good = tl::Decode(binary);
    ASSERT_TRUE(good);
    const auto refused = [](const tl::Library& lib) {
        ComPtr<ITypeLib> out;
        return CreateTypeLibFromData(tl::Encode(lib), out.OutTyped()) == TYPE_E_INVDATAREAD;
    };
    EXPECT_FALSE(refused(*good));

    tl::Library lib = *good;
    lib.types[0].members[0].slot = -1;
    EXPECT_TRUE(refused(lib));
    lib = *good;
    lib.types[0].members[0].slot = 30000;
    EXPECT_TRUE(refused(lib));
    lib = *good;
    lib.types[0].members[0].params.assign(5, VT_I4);
    lib.types[0].members[0].paramNames.assign(5, "a");
    EXPECT_TRUE(refused(lib));
    lib = *good;
    lib.types[0].members[0].params = {VARTYPE{5}};  // a Double, which no member takes
    lib.types[0].members[0].paramNames = {"a"};
    EXPECT_TRUE(refused(lib));
    lib = *good;
    lib.types[0].members[1].result = 0x4000;
    EXPECT_TRUE(refused(lib));
    lib = *good;
    lib.types[0].members[0].invkind = 3;
    EXPECT_TRUE(refused(lib));
    lib = *good;
    lib.types[0].kind = TKIND_ALIAS;
    EXPECT_TRUE(refused(lib));
    lib = *good;
    lib.types[2].implemented[0].name = "Thing";  // a coclass implementing itself
    EXPECT_TRUE(refused(lib));

    // A kind number beyond every kind.
    lib = *good;
    std::string data = tl::Encode(lib);
    const std::string thing = "IThing";
    const std::size_t at = data.find(thing) + thing.size() + 16;  // name, GUID, then the kind
    data[at] = '\x34';
    data[at + 1] = '\x12';
    ComPtr<ITypeLib> out;
    EXPECT_EQ(CreateTypeLibFromData(data, out.OutTyped()), TYPE_E_INVDATAREAD);
}

using TypeLibRegistration = TempRegistry;

TEST_F(TypeLibRegistration, RegisteredLibrariesAreFoundAndRemoved) {
    std::string binary, error;
    ASSERT_TRUE(CompileTypeLibSource(kSource, &binary, &error));
    const std::string file = folder_ + "/things.tlb";
    std::ofstream(file, std::ios::binary) << binary;
    const std::u16string wide = Utf8ToUtf16(file);
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(LoadTypeLib(wide.c_str(), lib.OutTyped()), S_OK);
    const GUID libid = MakeGuid("{11111111-2222-3333-4444-555555555555}");
    ComPtr<ITypeLib> again;
    EXPECT_EQ(LoadRegTypeLib(libid, 1, 2, 0x409, again.OutTyped()), TYPE_E_LIBNOTREGISTERED);

    ASSERT_EQ(RegisterTypeLib(lib.Get(), wide.c_str(), u"/help"), S_OK);
    const std::string key = "TypeLib\\{11111111-2222-3333-4444-555555555555}\\1.2";
    EXPECT_EQ(reg::QueryValue(reg::Hive::ClassesRoot, key, "")->data, "Things library");
    EXPECT_EQ(reg::QueryValue(reg::Hive::ClassesRoot, key + "\\409\\win32", "")->data, file);
    EXPECT_EQ(reg::QueryValue(reg::Hive::ClassesRoot, key + "\\HELPDIR", "")->data, "/help");
    ASSERT_EQ(LoadRegTypeLib(libid, 1, 2, 0, again.OutTyped()), S_OK);  // another locale finds it too
    EXPECT_EQ(again->GetTypeInfoCount(), 3u);

    const std::u16string missing = Utf8ToUtf16(folder_ + "/none.tlb");
    EXPECT_EQ(LoadTypeLib(missing.c_str(), again.OutTyped()), TYPE_E_CANTLOADLIBRARY);

    EXPECT_EQ(UnRegisterTypeLib(libid, 1, 2, 0x409, SYS_WIN32), S_OK);
    EXPECT_FALSE(reg::KeyExists(reg::Hive::ClassesRoot, "TypeLib\\{11111111-2222-3333-4444-555555555555}"));
    EXPECT_EQ(UnRegisterTypeLib(libid, 1, 2, 0x409, SYS_WIN32), TYPE_E_LIBNOTREGISTERED);
}

namespace {

const char* const kMixedSource = R"(library Mixed {21111111-2222-3333-4444-555555555555} 1.0 lcid 0x409
interface IMixed {21111111-2222-3333-4444-555555555556} dual
  method Describe id 1 (I4 n, BOOL flag, BSTR text, DISPATCH d) returns BSTR
  method Flip id 2 (BOOL flag, I4 n) returns BOOL
  method Count id 3 (UNKNOWN u) returns I4
  propput Level id 4 I4
  propget Level id 4 I4
)";

struct IMixed : IDispatch {
    virtual HRESULT Describe(LONG n, VARIANT_BOOL flag, BSTR text, IDispatch* d, BSTR* out) = 0;
    virtual HRESULT Flip(VARIANT_BOOL flag, LONG n, VARIANT_BOOL* out) = 0;
    virtual HRESULT Count(IUnknown* u, LONG* out) = 0;
    virtual HRESULT put_Level(LONG level) = 0;
    virtual HRESULT get_Level(LONG* level) = 0;
};

class Mixed final : public IMixed {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT Describe(LONG n, VARIANT_BOOL flag, BSTR text, IDispatch* d, BSTR* out) override {
        const std::string s = std::to_string(n) + (flag == VARIANT_TRUE ? " true " : " false ") + BstrToUtf8(text) +
                              (d == this ? " self" : " other");
        *out = SysAllocString(Utf8ToUtf16(s).c_str());
        return S_OK;
    }
    HRESULT Flip(VARIANT_BOOL flag, LONG n, VARIANT_BOOL* out) override {
        *out = (flag == VARIANT_TRUE) != (n < 0) ? VARIANT_FALSE : VARIANT_TRUE;
        return S_OK;
    }
    HRESULT Count(IUnknown* u, LONG* out) override {
        *out = u ? 1 : 0;
        return S_OK;
    }
    HRESULT put_Level(LONG level) override {
        level_ = level;
        return S_OK;
    }
    HRESULT get_Level(LONG* level) override {
        *level = level_;
        return S_OK;
    }

private:
    LONG level_ = 0;
};

VARIANT Long(LONG n) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

VARIANT Bool(bool b) {
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

}  // namespace

// Calls through type information reach each slot with its arguments as the
// slot declares them: 32-bit longs, 16-bit booleans, strings and interfaces,
// and the result through a pointer of its type.
TEST(TypeLibInvoke, SlotsGetTheirArgumentsAndResultsInTheirOwnTypes) {
    ComPtr<ITypeLib> lib = Compile(kMixedSource);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(MakeGuid("{21111111-2222-3333-4444-555555555556}"), info.OutTyped()), S_OK);
    Mixed mixed;
    void* instance = static_cast<IMixed*>(&mixed);

    BSTR text = SysAllocString(u"text");
    VARIANT describe[4];  // last argument first
    describe[0].vt = VT_DISPATCH;
    describe[0].pdispVal = &mixed;
    describe[1].vt = VT_BSTR;
    describe[1].bstrVal = text;
    describe[2] = Bool(true);
    describe[3] = Long(-70000);
    DISPPARAMS p{describe, nullptr, 4, 0};
    VARIANT result;
    ASSERT_EQ(info->Invoke(instance, 1, DISPATCH_METHOD, &p, &result, nullptr, nullptr), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(BstrToUtf8(result.bstrVal), "-70000 true text self");
    VariantClear(&result);
    SysFreeString(text);

    VARIANT flip[2] = {Long(-1), Bool(true)};
    p = DISPPARAMS{flip, nullptr, 2, 0};
    ASSERT_EQ(info->Invoke(instance, 2, DISPATCH_METHOD, &p, &result, nullptr, nullptr), S_OK);
    ASSERT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);

    VARIANT none;
    p = DISPPARAMS{&none, nullptr, 1, 0};
    ASSERT_EQ(info->Invoke(instance, 3, DISPATCH_METHOD, &p, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.lVal, 0);

    VARIANT level = Long(123456789);
    DISPID named = DISPID_PROPERTYPUT;
    p = DISPPARAMS{&level, &named, 1, 1};
    ASSERT_EQ(info->Invoke(instance, 4, DISPATCH_PROPERTYPUT, &p, nullptr, nullptr, nullptr), S_OK);
    p = DISPPARAMS{nullptr, nullptr, 0, 0};
    ASSERT_EQ(info->Invoke(instance, 4, DISPATCH_PROPERTYGET, &p, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.lVal, 123456789);
}
