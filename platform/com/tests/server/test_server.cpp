// A small in-process server for the COM layer's tests: one class, Adder,
// with a dual interface described by its type library resource, created
// through its class factory, aggregatable, self-registering.
#include <atomic>
#include <new>
#include <string>

#include "com.h"

using namespace com;

namespace {

const CLSID CLSID_Adder = MakeGuid("{5A0F1C14-2B3C-4D5E-8F90-A1B2C3D4E5F6}");
const IID IID_IAdder = MakeGuid("{5A0F1C12-2B3C-4D5E-8F90-A1B2C3D4E5F6}");
const GUID LIBID_Server = MakeGuid("{5A0F1C11-2B3C-4D5E-8F90-A1B2C3D4E5F6}");

struct IAdder : IDispatch {
    virtual HRESULT Add(LONG a, LONG b, LONG* sum) = 0;
    virtual HRESULT get_Caption(BSTR* caption) = 0;
    virtual HRESULT put_Caption(BSTR caption) = 0;
    virtual HRESULT Negate(VARIANT_BOOL flag, VARIANT_BOOL* result) = 0;
    virtual HRESULT Ping() = 0;
};

ServerLocks locks;
bool failAllocations = false;
std::atomic<int> pings{0};

std::string OwnPath() { return ModuleFileName(ModuleFromAddress(reinterpret_cast<const void*>(&OwnPath))); }

class Adder final : public IAdder {
public:
    explicit Adder(IUnknown* outer) : inner_(*this), outer_(outer ? outer : &inner_) { locks.ObjectCreated(); }
    ~Adder() {
        SysFreeString(caption_);
        if (info_) info_->Release();
        locks.ObjectDestroyed();
    }
    IUnknown* Inner() { return &inner_; }

    HRESULT QueryInterface(REFIID iid, void** out) override { return outer_->QueryInterface(iid, out); }
    ULONG AddRef() override { return outer_->AddRef(); }
    ULONG Release() override { return outer_->Release(); }

    HRESULT GetTypeInfoCount(UINT* n) override {
        *n = 1;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (!Info()) return TYPE_E_CANTLOADLIBRARY;
        info_->AddRef();
        *info = info_;
        return S_OK;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return Info() ? DispGetIDsOfNames(info_, names, count, ids) : TYPE_E_CANTLOADLIBRARY;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* e,
                   UINT* argErr) override {
        return Info() ? DispInvoke(static_cast<IAdder*>(this), info_, id, flags, params, result, e, argErr)
                      : TYPE_E_CANTLOADLIBRARY;
    }

    HRESULT Add(LONG a, LONG b, LONG* sum) override {
        if (!sum) return E_POINTER;
        *sum = a + b;
        return S_OK;
    }
    HRESULT get_Caption(BSTR* caption) override {
        *caption = SysAllocString(caption_ ? caption_ : u"");
        return S_OK;
    }
    HRESULT put_Caption(BSTR caption) override {
        SysFreeString(caption_);
        caption_ = SysAllocString(caption);
        return S_OK;
    }
    HRESULT Negate(VARIANT_BOOL flag, VARIANT_BOOL* result) override {
        *result = flag ? VARIANT_FALSE : VARIANT_TRUE;
        return S_OK;
    }
    HRESULT Ping() override {
        ++pings;
        return S_OK;
    }

private:
    ITypeInfo* Info() {
        if (!info_) {
            ITypeLib* lib = nullptr;
            const std::u16string path = Utf8ToUtf16(OwnPath());
            if (SUCCEEDED(LoadTypeLib(path.c_str(), &lib))) {
                lib->GetTypeInfoOfGuid(IID_IAdder, &info_);
                lib->Release();
            }
        }
        return info_;
    }

    struct Inner final : IUnknown {
        explicit Inner(Adder& a) : self(a) {}
        Adder& self;
        std::atomic<ULONG> refs{1};
        HRESULT QueryInterface(REFIID iid, void** out) override {
            if (!out) return E_POINTER;
            *out = nullptr;
            if (iid == IID_IUnknown) {
                *out = static_cast<IUnknown*>(this);
            } else if (iid == IID_IDispatch || iid == IID_IAdder) {
                *out = static_cast<IAdder*>(&self);
            } else {
                return E_NOINTERFACE;
            }
            static_cast<IUnknown*>(*out)->AddRef();
            return S_OK;
        }
        ULONG AddRef() override { return ++refs; }
        ULONG Release() override {
            const ULONG left = --refs;
            if (left == 0) delete &self;
            return left;
        }
    } inner_;
    IUnknown* outer_;
    BSTR caption_ = nullptr;
    ITypeInfo* info_ = nullptr;
};

HRESULT CreateAdder(IUnknown* outer, IUnknown** inner) {
    *inner = nullptr;
    if (failAllocations) return S_OK;
    auto* a = new (std::nothrow) Adder(outer);
    if (a) *inner = a->Inner();
    return S_OK;
}

LSTATUS SetKey(const std::string& key, const std::string& value, const char* valueName = nullptr) {
    HKEY k = 0;
    LSTATUS st = RegCreateKey(HKEY_CLASSES_ROOT, key.c_str(), &k);
    if (st != ERROR_SUCCESS) return st;
    st = RegSetValueEx(k, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
    return st;
}

}  // namespace

extern "C" {

HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (!(clsid == CLSID_Adder)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory(locks, CreateAdder);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

HRESULT DllCanUnloadNow() { return locks.CanUnloadNow(); }

HRESULT DllRegisterServer() {
    const std::string clsid = "CLSID\\" + GuidToString(CLSID_Adder);
    const std::string path = OwnPath();
    RegDeleteTree(HKEY_CLASSES_ROOT, clsid.c_str());
    if (SetKey(clsid, "Adder Object") || SetKey(clsid + "\\InprocServer32", path) ||
        SetKey(clsid + "\\InprocServer32", "Apartment", "ThreadingModel") ||
        SetKey("OrvantaTest.Adder\\CurVer", "OrvantaTest.Adder.1") ||
        SetKey("OrvantaTest.Adder.1\\CLSID", GuidToString(CLSID_Adder))) {
        return SELFREG_E_CLASS;
    }
    ITypeLib* lib = nullptr;
    const std::u16string wide = Utf8ToUtf16(path);
    HRESULT hr = LoadTypeLib(wide.c_str(), &lib);
    if (SUCCEEDED(hr)) {
        hr = RegisterTypeLib(lib, wide.c_str(), nullptr);
        lib->Release();
    }
    return hr;
}

HRESULT DllUnregisterServer() {
    RegDeleteTree(HKEY_CLASSES_ROOT, ("CLSID\\" + GuidToString(CLSID_Adder)).c_str());
    RegDeleteTree(HKEY_CLASSES_ROOT, "OrvantaTest.Adder");
    RegDeleteTree(HKEY_CLASSES_ROOT, "OrvantaTest.Adder.1");
    UnRegisterTypeLib(LIBID_Server, 1, 0, 0x409, SYS_WIN32);
    return S_OK;
}

// Test hooks.
void TestServerFailAllocations(bool fail) { failAllocations = fail; }
long TestServerObjects() { return locks.Objects(); }
long TestServerLocks() { return locks.Locks(); }
int TestServerPings() { return pings; }

}  // extern "C"
