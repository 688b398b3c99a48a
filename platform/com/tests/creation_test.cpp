// Registration, creation from the registry, class factories, aggregation
// and unloading, with the test server built beside the tests.
#include <atomic>
#include <filesystem>

#include "com.h"
#include "registry.h"
#include "temp_registry.h"

using namespace com;

namespace {

const CLSID CLSID_Adder = MakeGuid("{5A0F1C14-2B3C-4D5E-8F90-A1B2C3D4E5F6}");
const IID IID_IAdder = MakeGuid("{5A0F1C12-2B3C-4D5E-8F90-A1B2C3D4E5F6}");
const GUID LIBID_Server = MakeGuid("{5A0F1C11-2B3C-4D5E-8F90-A1B2C3D4E5F6}");

std::optional<std::string> Text(const std::string& key, const std::string& name = {}) {
    const auto v = reg::QueryValue(reg::Hive::ClassesRoot, key, name);
    if (!v) return std::nullopt;
    return v->data;
}

// An outer object that counts the references the aggregated inner hands it.
struct Outer : IUnknown {
    std::atomic<int> refs{1};
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
};

class Creation : public TempRegistry {
protected:
    void SetUp() override {
        TempRegistry::SetUp();
        server_ = LoadLibrary(TEST_SERVER);
        ASSERT_NE(server_, nullptr) << LastLoadError();
    }
    void TearDown() override {
        FreeLibrary(server_);
        TempRegistry::TearDown();
    }
    template <class F>
    F Export(const char* name) {
        auto f = reinterpret_cast<F>(GetProcAddress(server_, name));
        EXPECT_NE(f, nullptr) << name;
        return f;
    }
    HRESULT Register() { return Export<DllRegisterServerFn>("DllRegisterServer")(); }
    long Objects() { return Export<long (*)()>("TestServerObjects")(); }
    HRESULT CanUnload() { return Export<DllCanUnloadNowFn>("DllCanUnloadNow")(); }

    HMODULE server_ = nullptr;
};

HRESULT Call(IDispatch* d, const char* name, WORD flags, std::vector<VARIANT> args, VARIANT* result,
             UINT* argErr = nullptr, bool namedPut = false) {
    BSTR n = SysAllocStringUtf8(name);
    DISPID id = 0;
    HRESULT hr = d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_SYSTEM_DEFAULT, &id);
    SysFreeString(n);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS p;
    p.rgvarg = reversed.data();
    p.cArgs = static_cast<UINT>(reversed.size());
    if (namedPut) {
        p.rgdispidNamedArgs = &put;
        p.cNamedArgs = 1;
    }
    return d->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, flags, &p, result, nullptr, argErr);
}

VARIANT I4(LONG v) {
    VARIANT r;
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}

}  // namespace

TEST_F(Creation, AnUnregisteredClassIsNotFound) {
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("OrvantaTest.Adder", &clsid), CO_E_CLASSSTRING);
    IUnknown* u = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Adder, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&u)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(u, nullptr);
}

TEST_F(Creation, RegistrationWritesTheClassAndTypeLibraryEntries) {
    ASSERT_EQ(Register(), S_OK);
    const std::string path = ModuleFileName(server_);
    EXPECT_TRUE(std::filesystem::path(path).is_absolute());
    const std::string clsid = "CLSID\\" + GuidToString(CLSID_Adder);
    EXPECT_EQ(Text(clsid + "\\InprocServer32"), path);
    EXPECT_EQ(Text(clsid + "\\InprocServer32", "ThreadingModel"), "Apartment");
    const std::string lib = "TypeLib\\" + GuidToString(LIBID_Server) + "\\1.0";
    EXPECT_EQ(Text(lib), "Orvanta test server");
    EXPECT_EQ(Text(lib + "\\FLAGS"), "0");
    EXPECT_EQ(Text(lib + "\\409\\win32"), path);
    EXPECT_EQ(Text(lib + "\\HELPDIR"), std::filesystem::path(path).parent_path().string());
    CLSID found;
    ASSERT_EQ(CLSIDFromProgID("OrvantaTest.Adder", &found), S_OK);  // through CurVer
    EXPECT_TRUE(found == CLSID_Adder);
    EXPECT_EQ(InprocServerPath(CLSID_Adder), path);

    ASSERT_EQ(Export<DllUnregisterServerFn>("DllUnregisterServer")(), S_OK);
    EXPECT_FALSE(reg::KeyExists(reg::Hive::ClassesRoot, clsid));
    EXPECT_FALSE(reg::KeyExists(reg::Hive::ClassesRoot, "TypeLib\\" + GuidToString(LIBID_Server)));
}

TEST_F(Creation, ObjectsAreCreatedAndCalledThroughTheirTypeInformation) {
    ASSERT_EQ(Register(), S_OK);
    CLSID clsid;
    ASSERT_EQ(CLSIDFromString("OrvantaTest.Adder", &clsid), S_OK);
    ComPtr<IDispatch> d;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, d.Out()), S_OK);
    EXPECT_TRUE(IsServerLoaded(ModuleFileName(server_)));

    VARIANT r;
    ASSERT_EQ(Call(d.Get(), "ADD", DISPATCH_METHOD, {I4(2), I4(40)}, &r), S_OK);  // names ignore case
    EXPECT_EQ(r.vt, VT_I4);
    EXPECT_EQ(r.lVal, 42);

    VARIANT caption;
    caption.vt = VT_BSTR;
    caption.bstrVal = SysAllocStringUtf8("Zählwerk");
    EXPECT_EQ(Call(d.Get(), "Caption", DISPATCH_PROPERTYPUT, {caption}, nullptr, nullptr, true), S_OK);
    EXPECT_EQ(Call(d.Get(), "Caption", DISPATCH_PROPERTYPUT, {caption}, nullptr), S_OK);  // positional too
    VariantClear(&caption);
    ASSERT_EQ(Call(d.Get(), "Caption", DISPATCH_PROPERTYGET, {}, &r), S_OK);
    EXPECT_EQ(r.vt, VT_BSTR);
    EXPECT_EQ(BstrToUtf8(r.bstrVal), "Zählwerk");
    VariantClear(&r);

    VARIANT yes;
    yes.vt = VT_BOOL;
    yes.boolVal = VARIANT_TRUE;
    ASSERT_EQ(Call(d.Get(), "Negate", DISPATCH_METHOD, {yes}, &r), S_OK);
    EXPECT_EQ(r.vt, VT_BOOL);
    EXPECT_EQ(r.boolVal, VARIANT_FALSE);

    // Wrong calls are refused before the object sees them.
    EXPECT_EQ(Call(d.Get(), "Add", DISPATCH_METHOD, {I4(1)}, &r), DISP_E_BADPARAMCOUNT);
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocStringUtf8("x");
    UINT argErr = 99;
    EXPECT_EQ(Call(d.Get(), "Add", DISPATCH_METHOD, {I4(1), text}, &r, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);  // the last argument sits first
    VariantClear(&text);
    EXPECT_EQ(Call(d.Get(), "Subtract", DISPATCH_METHOD, {}, &r), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Call(d.Get(), "Add", DISPATCH_PROPERTYPUT, {I4(1), I4(2)}, nullptr), DISP_E_MEMBERNOTFOUND);

    // A member with a DISPID of its own and no arguments.
    DISPPARAMS none;
    EXPECT_EQ(d->Invoke(DISPID_ABOUTBOX, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(Export<int (*)()>("TestServerPings")(), 1);
}

TEST_F(Creation, TheClassFactoryKeepsTheCreationRules) {
    auto get = Export<DllGetClassObjectFn>("DllGetClassObject");
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(get(MakeGuid("{00000000-1111-2222-3333-444444444444}"), IID_IClassFactory, &out),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Objects(), 0);  // nothing was allocated for it
    EXPECT_EQ(get(CLSID_Adder, IID_IClassFactory, nullptr), E_INVALIDARG);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(get(CLSID_Adder, IID_IClassFactory, factory.Out()), S_OK);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IAdder, nullptr), E_INVALIDARG);

    // Aggregation: only IUnknown may be asked, and the inner delegates.
    Outer outer;
    void* p = nullptr;
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IDispatch, &p), E_INVALIDARG);
    IUnknown* inner = nullptr;
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&inner)), S_OK);
    IDispatch* d = nullptr;
    ASSERT_EQ(inner->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)), S_OK);
    EXPECT_EQ(outer.refs, 2);  // the interface's reference counts on the outer
    d->Release();
    EXPECT_EQ(outer.refs, 1);
    EXPECT_EQ(Objects(), 2);   // the factory and the object
    inner->Release();          // the creation reference
    EXPECT_EQ(Objects(), 1);

    Export<void (*)(bool)>("TestServerFailAllocations")(true);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, &p), E_OUTOFMEMORY);
    Export<void (*)(bool)>("TestServerFailAllocations")(false);
}

TEST_F(Creation, TheServerUnloadsOnlyWithoutObjectsOrLocks) {
    ASSERT_EQ(Register(), S_OK);
    EXPECT_EQ(CanUnload(), S_OK);
    ComPtr<IUnknown> object;
    ASSERT_EQ(CoCreateInstance(CLSID_Adder, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.Out()), S_OK);
    EXPECT_EQ(CanUnload(), S_FALSE);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_Adder, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.Out()), S_OK);
    factory->LockServer(TRUE);
    factory.Reset();
    object.Reset();
    EXPECT_EQ(CanUnload(), S_FALSE);  // the lock
    CoFreeUnusedLibraries();
    EXPECT_TRUE(IsServerLoaded(ModuleFileName(server_)));
    ASSERT_EQ(CoGetClassObject(CLSID_Adder, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.Out()), S_OK);
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(CanUnload(), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_FALSE(IsServerLoaded(ModuleFileName(server_)));
}

TEST_F(Creation, AServerFileThatCannotBeLoadedIsReported) {
    reg::SetText(reg::Hive::ClassesRoot, "CLSID\\" + GuidToString(CLSID_Adder) + "\\InprocServer32", "",
                 folder_ + "/missing.ocx");
    IUnknown* u = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Adder, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&u)),
              CO_E_DLLNOTFOUND);
}
