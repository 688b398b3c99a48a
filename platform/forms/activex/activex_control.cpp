#include "activex_control.h"

#include <QWidget>

#include <atomic>
#include <map>
#include <mutex>

#include "window_table.h"

namespace com {

namespace {
std::mutex& WindowLock() {
    static std::mutex m;
    return m;
}
std::map<HWND, ControlCore*>& ControlWindows() {
    static std::map<HWND, ControlCore*> windows;
    return windows;
}
ControlCore* ControlOfWindow(HWND hwnd) {
    std::lock_guard<std::mutex> guard(WindowLock());
    auto it = ControlWindows().find(hwnd);
    return it == ControlWindows().end() ? nullptr : it->second;
}

// A container window counts as visible unless it was hidden: a form being
// loaded shows its controls when it is shown.
bool ContainerVisible(HWND parent) {
    QWidget* w = win::WidgetOf(parent);
    return w && !(w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide));
}
}  // namespace

// The interfaces of one control, each a small object whose IUnknown goes to
// the control's (outer or inner) unknown.
struct ControlCore::Parts {
    explicit Parts(ControlCore& c, IUnknown* outerUnknown)
        : inner(c), oleObject(c), inPlaceObject(c), viewObject(c), oleControl(c), errorInfo(c), outer(outerUnknown) {}

#define CONTROL_PART_IUNKNOWN(Name)                                                                  \
    explicit Name(ControlCore& c) : core(c) {}                                                       \
    ControlCore& core;                                                                               \
    HRESULT QueryInterface(REFIID iid, void** out) override { return core.OuterQueryInterface(iid, out); } \
    ULONG AddRef() override { return core.OuterAddRef(); }                                          \
    ULONG Release() override { return core.OuterRelease(); }

    struct Inner final : IUnknown {
        explicit Inner(ControlCore& c) : core(c) {}
        ControlCore& core;
        std::atomic<ULONG> refs{1};
        HRESULT QueryInterface(REFIID iid, void** out) override { return core.QueryInterface(iid, out); }
        ULONG AddRef() override { return ++refs; }
        ULONG Release() override {
            const ULONG left = --refs;
            if (left == 0) delete &core;
            return left;
        }
    } inner;

    struct OleObjectPart final : IOleObject {
        CONTROL_PART_IUNKNOWN(OleObjectPart)
        HRESULT SetClientSite(IOleClientSite* site) override { return core.SetSite(site); }
        HRESULT GetClientSite(IOleClientSite** site) override {
            if (!site) return E_POINTER;
            *site = core.parts_->site;
            if (*site) (*site)->AddRef();
            return *site ? S_OK : E_FAIL;
        }
        HRESULT SetHostNames(const char*, const char*) override { return S_OK; }
        HRESULT Close(DWORD) override {
            core.Deactivate();
            return S_OK;
        }
        HRESULT DoVerb(LONG verb, IOleClientSite* site, HWND parent, const RECT* position) override {
            return core.Activate(verb, site, parent, position);
        }
        HRESULT SetExtent(DWORD aspect, SIZEL* size) override { return core.ApplyExtent(aspect, size); }
        HRESULT GetExtent(DWORD aspect, SIZEL* size) override {
            if (aspect != DVASPECT_CONTENT) return E_FAIL;
            if (!size) return E_POINTER;
            *size = SIZEL{PixelsToHimetric(core.parts_->size.cx), PixelsToHimetric(core.parts_->size.cy)};
            return S_OK;
        }
        HRESULT GetMiscStatus(DWORD, DWORD* status) override {
            if (!status) return E_POINTER;
            *status = core.info_.miscStatus;
            return S_OK;
        }
    } oleObject;

    struct InPlaceObjectPart final : IOleInPlaceObject {
        CONTROL_PART_IUNKNOWN(InPlaceObjectPart)
        HRESULT GetWindow(HWND* out) override {
            if (!out) return E_POINTER;
            *out = core.parts_->hwnd;
            return *out ? S_OK : E_FAIL;
        }
        HRESULT InPlaceDeactivate() override {
            core.Deactivate();
            return S_OK;
        }
        HRESULT SetObjectRects(const RECT* position, const RECT*) override {
            if (!position) return E_POINTER;
            core.parts_->position = *position;
            if (core.parts_->hwnd) {
                MoveWindow(core.parts_->hwnd, position->left, position->top, core.parts_->size.cx,
                           core.parts_->size.cy, TRUE);
            }
            return S_OK;
        }
    } inPlaceObject;

    struct ViewObjectPart final : IViewObject {
        CONTROL_PART_IUNKNOWN(ViewObjectPart)
        HRESULT Draw(DWORD aspect, HDC dc, const RECT* bounds) override {
            if (aspect != DVASPECT_CONTENT) return E_FAIL;
            if (!dc || !bounds) return E_INVALIDARG;
            return core.OnDraw(dc, *bounds);
        }
    } viewObject;

    struct OleControlPart final : IOleControl {
        CONTROL_PART_IUNKNOWN(OleControlPart)
        HRESULT OnAmbientPropertyChange(DISPID) override { return S_OK; }
        HRESULT FreezeEvents(BOOL) override { return S_OK; }
    } oleControl;

    struct ErrorInfoPart final : ISupportErrorInfo {
        CONTROL_PART_IUNKNOWN(ErrorInfoPart)
        HRESULT InterfaceSupportsErrorInfo(REFIID iid) override {
            return iid == core.info_.primaryIid ? S_OK : S_FALSE;
        }
    } errorInfo;
#undef CONTROL_PART_IUNKNOWN

    IUnknown* outer;
    IOleClientSite* site = nullptr;
    IOleInPlaceSite* inPlaceSite = nullptr;
    IOleInPlaceFrame* frame = nullptr;
    ITypeInfo* typeInfo = nullptr;
    HWND hwnd = 0;
    HWND container = 0;
    RECT position;
    SIZE size;
};

ControlCore::ControlCore(IUnknown* outer, ControlClassInfo& info)
    : info_(info), parts_(std::make_unique<Parts>(*this, outer)) {
    if (info_.locks) info_.locks->ObjectCreated();
}

ControlCore::~ControlCore() {
    // The control's own part is gone already: no BeforeDestroyWindow here.
    if (parts_->hwnd) {
        {
            std::lock_guard<std::mutex> guard(WindowLock());
            ControlWindows().erase(parts_->hwnd);
        }
        DestroyWindow(parts_->hwnd);
    }
    if (parts_->frame) parts_->frame->Release();
    if (parts_->inPlaceSite) parts_->inPlaceSite->Release();
    if (parts_->site) parts_->site->Release();
    if (parts_->typeInfo) parts_->typeInfo->Release();
    if (info_.locks) info_.locks->ObjectDestroyed();
}

HRESULT ControlCore::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    IUnknown* found = nullptr;
    if (iid == IID_IUnknown) {
        found = &parts_->inner;
    } else if (iid == IID_IDispatch || iid == info_.primaryIid) {
        found = PrimaryDispatch();
    } else if (iid == IID_IOleObject) {
        found = &parts_->oleObject;
    } else if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow) {
        found = &parts_->inPlaceObject;
    } else if (iid == IID_IViewObject) {
        found = &parts_->viewObject;
    } else if (iid == IID_IOleControl) {
        found = &parts_->oleControl;
    } else if (iid == IID_ISupportErrorInfo) {
        found = &parts_->errorInfo;
    }
    if (!found) return E_NOINTERFACE;
    found->AddRef();
    *out = found;
    return S_OK;
}

HRESULT ControlCore::OnDraw(HDC, const RECT&) { return S_OK; }

LRESULT ControlCore::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(parts_->hwnd, msg, wParam, lParam);
}

BOOL ControlCore::RegisterClassData() {
    WNDCLASS wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &ControlCore::ControlWindowProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = info_.windowClassName;
    return RegisterClass(&wc) != 0 ? TRUE : FALSE;
}

void ControlCore::BeforeDestroyWindow() {}

BOOL ControlCore::OnSetExtent(SIZEL*) { return TRUE; }

void ControlCore::AfterCreateWindow() {}

HWND ControlCore::ControlWindow() const { return parts_->hwnd; }
HWND ControlCore::ContainerWindow() const { return parts_->container; }
IOleClientSite* ControlCore::ClientSite() const { return parts_->site; }
IOleInPlaceFrame* ControlCore::InPlaceFrame() const { return parts_->frame; }
SIZE ControlCore::ControlSize() const { return parts_->size; }

void ControlCore::SetControlSize(SIZE pixels) {
    parts_->size = SIZE{std::max<LONG>(0, pixels.cx), std::max<LONG>(0, pixels.cy)};
    if (parts_->hwnd) {
        MoveWindow(parts_->hwnd, parts_->position.left, parts_->position.top, parts_->size.cx, parts_->size.cy, TRUE);
    }
}

IOleObject* ControlCore::OleObject() { return &parts_->oleObject; }
IUnknown* ControlCore::InnerUnknown() { return &parts_->inner; }

HRESULT ControlCore::GetAmbientProperty(DISPID id, VARIANT* value) {
    if (!value) return E_POINTER;
    VariantInit(value);
    if (!parts_->site) return E_FAIL;
    IDispatch* ambient = nullptr;
    HRESULT hr = parts_->site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient));
    if (FAILED(hr) || !ambient) return FAILED(hr) ? hr : E_FAIL;
    DISPPARAMS none;
    hr = ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr);
    ambient->Release();
    return hr;
}

HRESULT ControlCore::GetAmbientUserMode(BOOL* userMode) {
    if (!userMode) return E_POINTER;
    VARIANT v;
    const HRESULT hr = GetAmbientProperty(DISPID_AMBIENT_USERMODE, &v);
    if (FAILED(hr)) return hr;
    if (v.vt != VT_BOOL) {
        VariantClear(&v);
        return DISP_E_TYPEMISMATCH;
    }
    *userMode = v.boolVal ? TRUE : FALSE;
    return S_OK;
}

ITypeInfo* ControlCore::PrimaryTypeInfo() {
    if (!parts_->typeInfo) {
        ITypeLib* lib = nullptr;
        if (SUCCEEDED(LoadRegTypeLib(info_.libid, info_.libMajor, info_.libMinor, 0, &lib)) && lib) {
            lib->GetTypeInfoOfGuid(info_.primaryIid, &parts_->typeInfo);
            lib->Release();
        }
    }
    return parts_->typeInfo;
}

LRESULT ControlCore::ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE && lParam) {
        auto* core = reinterpret_cast<ControlCore*>(lParam);
        std::lock_guard<std::mutex> guard(WindowLock());
        ControlWindows()[hwnd] = core;
    }
    ControlCore* core = ControlOfWindow(hwnd);
    if (!core) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT) {
        if (wParam) {
            RECT client;
            GetClientRect(hwnd, &client);
            core->OnDraw(reinterpret_cast<HDC>(wParam), client);
        } else {
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    }
    const LRESULT r = core->WindowProc(msg, wParam, lParam);
    if (msg == WM_DESTROY) {
        std::lock_guard<std::mutex> guard(WindowLock());
        ControlWindows().erase(hwnd);
    }
    return r;
}

HRESULT ControlCore::OuterQueryInterface(REFIID iid, void** out) {
    return parts_->outer ? parts_->outer->QueryInterface(iid, out) : QueryInterface(iid, out);
}
ULONG ControlCore::OuterAddRef() { return parts_->outer ? parts_->outer->AddRef() : parts_->inner.AddRef(); }
ULONG ControlCore::OuterRelease() { return parts_->outer ? parts_->outer->Release() : parts_->inner.Release(); }

HRESULT ControlCore::SetSite(IOleClientSite* site) {
    if (site) site->AddRef();
    if (parts_->site) parts_->site->Release();
    parts_->site = site;
    return S_OK;
}

HRESULT ControlCore::ApplyExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    if (!size) return E_INVALIDARG;
    SIZEL requested = *size;
    if (OnSetExtent(&requested)) {
        SetControlSize(SIZE{HimetricToPixels(requested.cx), HimetricToPixels(requested.cy)});
    } else {
        SetControlSize(parts_->size);
    }
    *size = SIZEL{PixelsToHimetric(parts_->size.cx), PixelsToHimetric(parts_->size.cy)};
    return S_OK;
}

HRESULT ControlCore::Activate(LONG verb, IOleClientSite* site, HWND parent, const RECT* position) {
    if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW && verb != OLEIVERB_PRIMARY && verb != -4) {
        return E_NOTIMPL;
    }
    if (parts_->hwnd) return S_OK;
    if (site && site != parts_->site) SetSite(site);
    if (!parts_->site) return E_UNEXPECTED;
    IOleInPlaceSite* ips = nullptr;
    if (FAILED(parts_->site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips))) || !ips) {
        return E_NOINTERFACE;
    }
    if (ips->CanInPlaceActivate() != S_OK) {
        ips->Release();
        return E_FAIL;
    }
    ips->OnInPlaceActivate();
    IOleInPlaceFrame* frame = nullptr;
    RECT pos, clip;
    ips->GetWindowContext(&frame, &pos, &clip);
    if (position) pos = *position;
    if (!parent) ips->GetWindow(&parent);
    if (parts_->inPlaceSite) parts_->inPlaceSite->Release();
    parts_->inPlaceSite = ips;
    if (parts_->frame) parts_->frame->Release();
    parts_->frame = frame;
    parts_->container = parent;
    parts_->position = pos;
    if (!info_.windowClassRegistered) {
        if (!RegisterClassData()) return E_FAIL;
        info_.windowClassRegistered = true;
    }
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (ContainerVisible(parent) ? WS_VISIBLE : 0);
    const HWND hwnd = CreateWindowEx(0, info_.windowClassName, "", style, pos.left, pos.top, parts_->size.cx,
                                     parts_->size.cy, parent, nullptr, nullptr, this);
    if (!hwnd) return E_FAIL;
    parts_->hwnd = hwnd;
    AfterCreateWindow();
    return S_OK;
}

void ControlCore::Deactivate() {
    if (parts_->hwnd) {
        BeforeDestroyWindow();
        const HWND hwnd = std::exchange(parts_->hwnd, 0);
        DestroyWindow(hwnd);
        {
            std::lock_guard<std::mutex> guard(WindowLock());
            ControlWindows().erase(hwnd);
        }
    }
    if (parts_->inPlaceSite) {
        parts_->inPlaceSite->OnInPlaceDeactivate();
        parts_->inPlaceSite->Release();
        parts_->inPlaceSite = nullptr;
    }
    if (parts_->frame) {
        parts_->frame->Release();
        parts_->frame = nullptr;
    }
}

void UnregisterControlWindowClass(ControlClassInfo& info, HINSTANCE instance) {
    if (info.windowClassRegistered) UnregisterClass(info.windowClassName, instance);
    info.windowClassRegistered = false;
}

}  // namespace com
