#pragma once
// The ActiveX control framework: the base of a control that a server serves
// and a form hosts (see activex_host.h for the host side).
//
// The framework gives the control its OLE interfaces (IOleObject,
// IOleInPlaceObject, IOleWindow, IViewObject, IOleControl,
// ISupportErrorInfo), its IDispatch over the registered type library, its
// aggregation-aware IUnknown, and its window; the control overrides these
// operations, called at these moments:
//
//   QueryInterface     every interface lookup (the inner lookup); call the
//                      base for the framework's interfaces
//   OnDraw             on WM_PAINT with the client rectangle, and when the
//                      host draws the control through IViewObject::Draw
//   WindowProc         every other message of the control window
//                      (the base: DefWindowProc)
//   RegisterClassData  once per process per class, at the first creation
//                      of a window of the class; FALSE: no window is made
//   BeforeDestroyWindow  just before the framework destroys the control
//                      window (in-place deactivation, Close)
//   OnSetExtent        whenever the host sets the extent (SetExtent)
//   AfterCreateWindow  right after the framework created the control window
//
// The control window is created as a child (WS_CHILD | WS_CLIPSIBLINGS, plus
// WS_VISIBLE when the container window is visible) of the container window,
// sized to the control's size, when the host activates the control in place
// (IOleObject::DoVerb).
//
//     struct IZEVOTest : com::IDispatch { virtual com::HRESULT AboutBox() = 0; };
//     class ZEVOTestControl : public com::ControlBase<IZEVOTest> {
//     public:
//         explicit ZEVOTestControl(com::IUnknown* outer) : ControlBase(outer, kClassInfo) {}
//         com::HRESULT QueryInterface(com::REFIID iid, void** out) override;
//         com::HRESULT AboutBox() override;
//         ...
//     };
//
// A new control holds one reference, the creation reference, on its inner
// unknown (InnerUnknown()). Objects are freed with delete on the last
// Release: a class may define its own operator new and operator delete.
#include <memory>

#include "gdi.h"
#include "ole_interfaces.h"
#include "server.h"
#include "typelib.h"
#include "window_class.h"

namespace com {

// What the framework knows of a control class (one static per class).
struct ControlClassInfo {
    CLSID clsid;
    IID primaryIid;               // the control's dual interface
    GUID libid;                   // its registered type library ...
    WORD libMajor = 1;            // ... and version
    WORD libMinor = 0;
    const char* windowClassName;  // the class RegisterClassData registers
    DWORD miscStatus = 0;
    ServerLocks* locks = nullptr;  // counts the server's live objects when set
    bool windowClassRegistered = false;  // set by the framework
};

class ControlCore {
public:
    ControlCore(IUnknown* outer, ControlClassInfo& info);
    virtual ~ControlCore();
    ControlCore(const ControlCore&) = delete;
    ControlCore& operator=(const ControlCore&) = delete;

    // ---- overridable operations ----
    // The inner interface lookup. The base answers IUnknown (the inner
    // unknown), IDispatch and the primary interface, IOleObject,
    // IOleInPlaceObject, IOleWindow, IViewObject, IOleControl and
    // ISupportErrorInfo; E_NOINTERFACE otherwise.
    virtual HRESULT QueryInterface(REFIID iid, void** out);
    virtual HRESULT OnDraw(HDC dc, const RECT& bounds);
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The base registers windowClassName with the framework's window
    // procedure, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, the arrow cursor and
    // the window colour; TRUE when a class atom was had.
    virtual BOOL RegisterClassData();
    virtual void BeforeDestroyWindow();
    // himetric: the requested extent. TRUE: handled, the framework takes the
    // requested extent as the control's size; FALSE: the framework keeps the
    // control's size (as the control may have set it) and reports it back
    // in *himetric. The base answers TRUE.
    virtual BOOL OnSetExtent(SIZEL* himetric);
    virtual void AfterCreateWindow();

    // ---- the framework's state ----
    HWND ControlWindow() const;        // 0 while not in-place active
    HWND ContainerWindow() const;      // the parent given at activation; 0 before
    IOleClientSite* ClientSite() const;        // no added reference; may be null
    IOleInPlaceFrame* InPlaceFrame() const;    // no added reference; may be null
    SIZE ControlSize() const;                  // pixels
    void SetControlSize(SIZE pixels);          // also sizes the window
    const ControlClassInfo& ClassInfo() const { return info_; }
    // The control's own interfaces (no added reference).
    IOleObject* OleObject();
    IUnknown* InnerUnknown();
    // An ambient property of the container, read through the client site's
    // IDispatch; a failure HRESULT when the site has none or does not answer.
    HRESULT GetAmbientProperty(DISPID id, VARIANT* value);
    // The ambient UserMode (DISPID_AMBIENT_USERMODE, VT_BOOL).
    HRESULT GetAmbientUserMode(BOOL* userMode);
    // The type information of the primary interface from the registered type
    // library (no added reference); null when it is not registered.
    ITypeInfo* PrimaryTypeInfo();

    // The framework's window procedure for a class's WNDCLASS: WM_PAINT to
    // OnDraw, every other message to WindowProc.
    static LRESULT ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // IUnknown through the outer unknown when aggregated, else the inner.
    HRESULT OuterQueryInterface(REFIID iid, void** out);
    ULONG OuterAddRef();
    ULONG OuterRelease();
    // The primary interface of the most derived class.
    virtual IDispatch* PrimaryDispatch() = 0;

private:
    HRESULT SetSite(IOleClientSite* site);
    HRESULT ApplyExtent(DWORD aspect, SIZEL* size);
    HRESULT Activate(LONG verb, IOleClientSite* site, HWND parent, const RECT* position);
    void Deactivate();

    struct Parts;
    friend struct Parts;
    ControlClassInfo& info_;
    std::unique_ptr<Parts> parts_;
};

// The base a control derives from, with I its dual interface (derived from
// IDispatch): IUnknown and IDispatch of I come from the framework.
template <class I>
class ControlBase : public ControlCore, public I {
public:
    ControlBase(IUnknown* outer, ControlClassInfo& info) : ControlCore(outer, info) {}

    HRESULT QueryInterface(REFIID iid, void** out) override { return ControlCore::QueryInterface(iid, out); }
    ULONG AddRef() override { return OuterAddRef(); }
    ULONG Release() override { return OuterRelease(); }

    HRESULT GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADVARTYPE;
        ITypeInfo* t = PrimaryTypeInfo();
        if (!t) return TYPE_E_LIBNOTREGISTERED;
        t->AddRef();
        *info = t;
        return S_OK;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        ITypeInfo* t = PrimaryTypeInfo();
        return t ? DispGetIDsOfNames(t, names, count, ids) : TYPE_E_LIBNOTREGISTERED;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                   UINT* argErr) override {
        ITypeInfo* t = PrimaryTypeInfo();
        return t ? DispInvoke(static_cast<I*>(this), t, id, flags, params, result, excepInfo, argErr)
                 : TYPE_E_LIBNOTREGISTERED;
    }

protected:
    IDispatch* PrimaryDispatch() override { return static_cast<I*>(this); }
};

// Unregisters the window class of a control class (at server unload).
void UnregisterControlWindowClass(ControlClassInfo& info, HINSTANCE instance);

}  // namespace com
