#pragma once
// The OLE control interfaces between a container and an in-place control,
// as far as the forms layer's host and the control framework use them.
// Operations keep their relative order; rectangles are in pixels of the
// container window, extents in HIMETRIC (0.01 mm).
#include "automation.h"

namespace com {

struct RECT {
    LONG left = 0, top = 0, right = 0, bottom = 0;
};
struct POINT {
    LONG x = 0, y = 0;
};
struct SIZE {
    LONG cx = 0, cy = 0;
};
using SIZEL = SIZE;

// Drawing aspects.
constexpr DWORD DVASPECT_CONTENT = 1;
// Close options.
constexpr DWORD OLECLOSE_SAVEIFDIRTY = 0;
constexpr DWORD OLECLOSE_NOSAVE = 1;
// Verbs.
constexpr LONG OLEIVERB_PRIMARY = 0;
constexpr LONG OLEIVERB_SHOW = -1;
constexpr LONG OLEIVERB_INPLACEACTIVATE = -5;
// Miscellaneous status bits.
constexpr DWORD OLEMISC_RECOMPOSEONRESIZE = 0x1;
constexpr DWORD OLEMISC_CANTLINKINSIDE = 0x10;
constexpr DWORD OLEMISC_INSIDEOUT = 0x80;
constexpr DWORD OLEMISC_ACTIVATEWHENVISIBLE = 0x100;
constexpr DWORD OLEMISC_SETCLIENTSITEFIRST = 0x20000;
constexpr DWORD OLEMISC_ALIGNABLE = 0x8000;

// Pixels <-> HIMETRIC at 96 pixels per inch (2540 HIMETRIC per inch),
// rounded to nearest.
LONG PixelsToHimetric(LONG pixels);
LONG HimetricToPixels(LONG himetric);

struct IOleInPlaceFrame;

// The container side of one hosted control.
struct IOleClientSite : IUnknown {
    virtual HRESULT SaveObject() = 0;
    virtual HRESULT ShowObject() = 0;
    virtual HRESULT OnShowWindow(BOOL show) = 0;
    virtual HRESULT RequestNewObjectLayout() = 0;
};

// The control's site as a control container sees it.
struct IOleControlSite : IUnknown {
    virtual HRESULT OnControlInfoChanged() = 0;
    // The extended control: the container's object for the hosted control
    // with the container's own properties ("TabStop", "Left", "Visible", ...).
    virtual HRESULT GetExtendedControl(IDispatch** out) = 0;
    virtual HRESULT OnFocus(BOOL gotFocus) = 0;
};

struct IOleWindow : IUnknown {
    virtual HRESULT GetWindow(HWND* out) = 0;
};

// The frame of the container's top-level window.
struct IOleInPlaceFrame : IOleWindow {
    // FALSE freezes, TRUE thaws the container's modeless windows.
    virtual HRESULT EnableModeless(BOOL enable) = 0;
};

// The container side of in-place activation.
struct IOleInPlaceSite : IOleWindow {
    virtual HRESULT CanInPlaceActivate() = 0;
    virtual HRESULT OnInPlaceActivate() = 0;
    // The frame (an added reference), the control's position and clip
    // rectangle in the container window.
    virtual HRESULT GetWindowContext(IOleInPlaceFrame** frame, RECT* position, RECT* clip) = 0;
    virtual HRESULT OnInPlaceDeactivate() = 0;
};

// The control as an embedded object.
struct IOleObject : IUnknown {
    virtual HRESULT SetClientSite(IOleClientSite* site) = 0;
    virtual HRESULT GetClientSite(IOleClientSite** site) = 0;
    virtual HRESULT SetHostNames(const char* containerApp, const char* containerObject) = 0;
    // Deactivates the control (its window is destroyed) and lets go of the site.
    virtual HRESULT Close(DWORD saveOption) = 0;
    // OLEIVERB_INPLACEACTIVATE / OLEIVERB_SHOW: creates the control window as
    // a child of `parent` at `position` (pixels of the parent).
    virtual HRESULT DoVerb(LONG verb, IOleClientSite* site, HWND parent, const RECT* position) = 0;
    // Sets the extent (HIMETRIC); the control may change it, and `size`
    // then holds the resulting extent.
    virtual HRESULT SetExtent(DWORD aspect, SIZEL* size) = 0;
    virtual HRESULT GetExtent(DWORD aspect, SIZEL* size) = 0;
    virtual HRESULT GetMiscStatus(DWORD aspect, DWORD* status) = 0;
};

struct IOleInPlaceObject : IOleWindow {
    // Destroys the control window; the control stays.
    virtual HRESULT InPlaceDeactivate() = 0;
    // Moves the control window (pixels of the container window).
    virtual HRESULT SetObjectRects(const RECT* position, const RECT* clip) = 0;
};

struct IOleControl : IUnknown {
    virtual HRESULT OnAmbientPropertyChange(DISPID id) = 0;
    virtual HRESULT FreezeEvents(BOOL freeze) = 0;
};

struct DeviceContext;
using HDC = DeviceContext*;

struct IViewObject : IUnknown {
    // Draws the control into `dc` over `bounds` (device units).
    virtual HRESULT Draw(DWORD aspect, HDC dc, const RECT* bounds) = 0;
};

struct ISupportErrorInfo : IUnknown {
    // S_OK when the interface reports errors through error objects.
    virtual HRESULT InterfaceSupportsErrorInfo(REFIID iid) = 0;
};

struct IPropertyPage : IUnknown {
    // Title, size (dialog units converted to pixels) and documentation string.
    virtual HRESULT GetPageInfo(std::string* title, SIZE* size, std::string* docString) = 0;
    virtual HRESULT Activate(HWND parent, const RECT* rect, BOOL modal) = 0;
    virtual HRESULT Deactivate() = 0;
};

}  // namespace com
