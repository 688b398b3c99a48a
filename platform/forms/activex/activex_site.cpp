#include "activex_site.h"

#include <QWidget>

#include <atomic>

#include "activex_variant.h"
#include "application.h"
#include "com_ptr.h"
#include "creation.h"
#include "err.h"
#include "form.h"
#include "member_names.h"
#include "ole_interfaces.h"
#include "typelib.h"
#include "twips.h"

namespace forms::detail {

namespace {

using namespace com;

// The extender's properties, as the container adds them to every control.
const char* const kExtenderNames[] = {"Name", "TabStop", "TabIndex", "Visible", "Left", "Top",
                                      "Width", "Height", "Tag", "Enabled"};
constexpr DISPID kFirstExtenderId = static_cast<DISPID>(0x80010000u);

template <class Derived>
class RefCounted {
public:
    ULONG AddRefImpl() { return ++refs_; }
    ULONG ReleaseImpl() {
        const ULONG left = --refs_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

private:
    std::atomic<ULONG> refs_{1};
};

// The extended control: the host's own properties, reached by name.
class ExtendedControl final : public IDispatch, private RefCounted<ExtendedControl> {
    friend class RefCounted<ExtendedControl>;
public:
    explicit ExtendedControl(ActiveXHost* host) : host_(host) {}
    void Detach() { host_ = nullptr; }

    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return AddRefImpl(); }
    ULONG Release() override { return ReleaseImpl(); }
    HRESULT GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!names || !ids) return E_INVALIDARG;
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            if (i == 0) {
                const std::string name = BstrToUtf8(names[0]);
                for (std::size_t k = 0; k < std::size(kExtenderNames); ++k) {
                    if (Lower(name) == Lower(kExtenderNames[k])) ids[0] = static_cast<DISPID>(kFirstExtenderId + k);
                }
            }
            if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                   UINT*) override {
        const long long k = static_cast<long long>(id) - kFirstExtenderId;
        if (k < 0 || k >= static_cast<long long>(std::size(kExtenderNames))) return DISP_E_MEMBERNOTFOUND;
        if (!host_) return E_UNEXPECTED;
        const std::string name = kExtenderNames[k];
        try {
            if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
                if (!params || params->cArgs != 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
                host_->SetMember(name, FromVariantArg(params->rgvarg[0]));
                return S_OK;
            }
            if (flags & DISPATCH_PROPERTYGET) {
                if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
                const vb::Variant v = host_->GetMember(name);
                if (result) {
                    VariantClear(result);
                    ToVariantArg(v, result);
                }
                return S_OK;
            }
        } catch (const vb::VBError&) {
            return DISP_E_EXCEPTION;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    ActiveXHost* host_;
};

// The frame of the host's form: EnableModeless(FALSE) disables the form's
// window until the matching EnableModeless(TRUE).
class HostFrame final : public IOleInPlaceFrame, private RefCounted<HostFrame> {
    friend class RefCounted<HostFrame>;
public:
    explicit HostFrame(ActiveXHost* host) : host_(host) {}
    void Detach() { host_ = nullptr; }

    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceFrame) {
            *out = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return AddRefImpl(); }
    ULONG Release() override { return ReleaseImpl(); }
    HRESULT GetWindow(HWND* out) override {
        if (!out) return E_POINTER;
        Form* f = host_ ? host_->Host().HostForm() : nullptr;
        *out = f ? f->hWnd() : 0;
        return *out ? S_OK : E_FAIL;
    }
    HRESULT EnableModeless(BOOL enable) override {
        QWidget* window = Window();
        if (!enable) {
            if (frozen_++ == 0 && window) {
                wasEnabled_ = window->isEnabled();
                window->setEnabled(false);
            }
        } else if (frozen_ > 0 && --frozen_ == 0 && window) {
            window->setEnabled(wasEnabled_);
        }
        return S_OK;
    }
    int Frozen() const { return frozen_; }

private:
    QWidget* Window() const {
        Form* f = host_ ? host_->Host().HostForm() : nullptr;
        return f ? f->Window() : nullptr;
    }
    ActiveXHost* host_;
    int frozen_ = 0;
    bool wasEnabled_ = true;
};

// The client site of one hosted control.
class HostSite final : public IOleClientSite,
                       public IOleControlSite,
                       public IOleInPlaceSite,
                       public IDispatch,
                       private RefCounted<HostSite> {
    friend class RefCounted<HostSite>;
public:
    explicit HostSite(ActiveXHost* host)
        : host_(host), frame_(new HostFrame(host)), extended_(new ExtendedControl(host)) {}
    ~HostSite() {
        frame_->Release();
        extended_->Release();
    }
    void Detach() {
        host_ = nullptr;
        frame_->Detach();
        extended_->Detach();
    }

    HRESULT QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (iid == IID_IOleControlSite) {
            *out = static_cast<IOleControlSite*>(this);
        } else if (iid == IID_IOleInPlaceSite || iid == IID_IOleWindow) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return AddRefImpl(); }
    ULONG Release() override { return ReleaseImpl(); }

    // IOleClientSite
    HRESULT SaveObject() override { return S_OK; }
    HRESULT ShowObject() override { return S_OK; }
    HRESULT OnShowWindow(BOOL) override { return S_OK; }
    HRESULT RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleControlSite
    HRESULT OnControlInfoChanged() override { return S_OK; }
    HRESULT GetExtendedControl(IDispatch** out) override {
        if (!out) return E_POINTER;
        extended_->AddRef();
        *out = extended_;
        return S_OK;
    }
    HRESULT OnFocus(BOOL) override { return S_OK; }

    // IOleInPlaceSite
    HRESULT GetWindow(HWND* out) override {
        if (!out) return E_POINTER;
        *out = host_ ? host_->ContainerWindow() : 0;
        return *out ? S_OK : E_FAIL;
    }
    HRESULT CanInPlaceActivate() override { return host_ && host_->ContainerWindow() ? S_OK : S_FALSE; }
    HRESULT OnInPlaceActivate() override { return S_OK; }
    HRESULT GetWindowContext(IOleInPlaceFrame** frame, RECT* position, RECT* clip) override {
        if (frame) {
            frame_->AddRef();
            *frame = frame_;
        }
        RECT r;
        if (host_) {
            const ActiveXHost::Placement p = host_->PlacementPixels();
            r = RECT{p.x, p.y, p.x + p.width, p.y + p.height};
        }
        if (position) *position = r;
        if (clip) *clip = r;
        return S_OK;
    }
    HRESULT OnInPlaceDeactivate() override { return S_OK; }

    // IDispatch: the ambient properties.
    HRESULT GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                   UINT*) override {
        if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        if (!result) return E_POINTER;
        VariantClear(result);
        switch (id) {
        case DISPID_AMBIENT_USERMODE:
            result->vt = VT_BOOL;
            result->boolVal = host_ && host_->Host().IsDesigning() ? VARIANT_FALSE : VARIANT_TRUE;
            return S_OK;
        case DISPID_AMBIENT_UIDEAD:
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_FALSE;
            return S_OK;
        case DISPID_AMBIENT_LOCALEID:
            result->vt = VT_I4;
            result->lVal = 0x409;
            return S_OK;
        case DISPID_AMBIENT_DISPLAYNAME:
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocStringUtf8(host_ ? host_->Name() : std::string{});
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    ActiveXHost* host_;
    HostFrame* frame_;
    ExtendedControl* extended_;
};

// A control created through the registry and active in its container.
class RegisteredControl final : public ActiveXInstance {
public:
    RegisteredControl(ActiveXHost& host, ComPtr<IUnknown> control)
        : control_(std::move(control)), site_(new HostSite(&host)) {}
    ~RegisteredControl() override {
        if (ole_) {
            ole_->Close(OLECLOSE_NOSAVE);
            ole_->SetClientSite(nullptr);
        }
        site_->Detach();
        ole_.Reset();
        control_.Reset();
        site_->Release();
    }

    // Site, extent, in-place activation. A failure HRESULT when the control
    // does not take part (its window could not be made).
    HRESULT Start(ActiveXHost& host) {
        if (FAILED(control_->QueryInterface(IID_IOleObject, ole_.Out()))) return E_NOINTERFACE;
        ole_->SetClientSite(static_cast<IOleClientSite*>(site_));
        const ActiveXHost::Placement p = host.PlacementPixels();
        SIZEL extent{PixelsToHimetric(p.width), PixelsToHimetric(p.height)};
        ole_->SetExtent(DVASPECT_CONTENT, &extent);
        return ole_->DoVerb(OLEIVERB_INPLACEACTIVATE, static_cast<IOleClientSite*>(site_), host.ContainerWindow(),
                            nullptr);
    }

    vb::ObjectRef Object() override {
        if (!object_) {
            ComPtr<IDispatch> d;
            if (SUCCEEDED(control_->QueryInterface(IID_IDispatch, d.Out()))) object_ = DispatchObject(d.Get());
        }
        return object_;
    }
    QWidget* Widget() override { return win::WidgetOf(Window()); }
    IUnknown* Unknown() override { return control_.Get(); }
    win::HWND Window() override {
        ComPtr<IOleInPlaceObject> ipo;
        HWND hwnd = 0;
        if (SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject, ipo.Out()))) ipo->GetWindow(&hwnd);
        return hwnd;
    }
    bool SizePixels(int& width, int& height) override {
        SIZEL e;
        if (!ole_ || FAILED(ole_->GetExtent(DVASPECT_CONTENT, &e))) return false;
        width = HimetricToPixels(e.cx);
        height = HimetricToPixels(e.cy);
        return true;
    }
    void Place(int x, int y, int width, int height) override {
        if (!ole_) return;
        SIZEL extent{PixelsToHimetric(std::max(0, width)), PixelsToHimetric(std::max(0, height))};
        ole_->SetExtent(DVASPECT_CONTENT, &extent);
        ComPtr<IOleInPlaceObject> ipo;
        if (SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject, ipo.Out()))) {
            const RECT r{x, y, x + HimetricToPixels(extent.cx), y + HimetricToPixels(extent.cy)};
            ipo->SetObjectRects(&r, &r);
        }
    }

private:
    ComPtr<IUnknown> control_;
    ComPtr<IOleObject> ole_;
    HostSite* site_;
    vb::ObjectRef object_;
};

}  // namespace

std::string ComponentNotRegisteredText(const std::string& fileName) {
    return "Component '" + fileName +
           "' or one of its dependencies not correctly registered: a file is missing or invalid";
}

namespace {

bool CoclassOfRegisteredLibrary(const GUID& libid, WORD major, WORD minor, const std::string& className,
                                CLSID* clsid) {
    ComPtr<ITypeLib> lib;
    if (FAILED(LoadRegTypeLib(libid, major, minor, 0, lib.OutTyped()))) return false;
    return FindCoclass(lib.Get(), className, clsid);
}

}  // namespace

bool ResolveActiveXClass(const std::string& progId, CLSID* clsid) {
    // A program identifier, or "Library.Class" of a registered type library of that name.
    if (SUCCEEDED(CLSIDFromProgID(progId, clsid))) return true;
    // The coclass of the declared component's registered type library.
    const auto dot = progId.find('.');
    if (dot == std::string::npos) return false;
    const ActiveXComponent* c = DeclaredComponent(progId.substr(0, dot));
    return c && c->libid && CoclassOfRegisteredLibrary(*c->libid, c->major, c->minor, progId.substr(dot + 1), clsid);
}

std::unique_ptr<ActiveXInstance> CreateRegisteredControl(ActiveXHost& host) {
    auto fail = [&] { throw vb::VBError(339, ComponentNotRegisteredText(ActiveXComponentFile(host.ProgId()))); };
    CLSID clsid;
    if (!ResolveActiveXClass(host.ProgId(), &clsid)) fail();
    ComPtr<IUnknown> control;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.Out())) || !control) {
        fail();
    }
    auto instance = std::make_unique<RegisteredControl>(host, std::move(control));
    if (FAILED(instance->Start(host))) {
        // The control exists but has no window: it stays, windowless.
    }
    return instance;
}

}  // namespace forms::detail
