#include "zevote_control.h"

#include "guids.h"
#include "low_memory.h"
#include "object_table.h"
#include "satellite.h"
#include "win_message_box.h"

namespace zevote {

com::ControlClassInfo& ZEVOTestClassInfo() {
    static com::ControlClassInfo info{CLSID_ZEVOTest, IID_IZEVOTest, LIBID_ZEVOTestObjects, 1, 0,
                                      kControlWindowClass, 0x28191, &LibraryLocks()};
    return info;
}

ZEVOTestControl::ZEVOTestControl(com::IUnknown* outer) : ControlBase(outer, ZEVOTestClassInfo()) {}

ZEVOTestControl::~ZEVOTestControl() {
    // A control freed while still registered (its window never destroyed)
    // must not stay in a list or a pending slot.
    if (markers_.registered) WithdrawTestMarkers(*this);
}

void* ZEVOTestControl::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (void* low = vb::low::Allocate(size)) return low;
    return ::operator new(size, std::nothrow);
}

void* ZEVOTestControl::operator new(std::size_t size) {
    if (void* p = operator new(size, std::nothrow)) return p;
    throw std::bad_alloc();
}

void ZEVOTestControl::operator delete(void* p) noexcept {
    if (vb::low::IsBlock(p)) {
        vb::low::Free(p);
    } else {
        ::operator delete(p);
    }
}

com::HRESULT ZEVOTestControl::QueryInterface(com::REFIID iid, void** out) {
    if (out && iid == IID_IZEVOTest) {
        *out = static_cast<IZEVOTest*>(this);
        AddRef();
        return com::S_OK;
    }
    return ControlBase::QueryInterface(iid, out);
}

com::HRESULT ZEVOTestControl::OnDraw(com::HDC dc, const com::RECT& bounds) {
    if (!designIcon_) designIcon_ = com::LoadIcon(OwnModule(), kDesignIcon);
    com::RECT edge = bounds;
    com::DrawEdge(dc, &edge, com::EDGE_RAISED, com::BF_RECT | com::BF_MIDDLE);
    if (designIcon_) com::DrawIcon(dc, bounds.left + 3, bounds.top + 3, designIcon_);
    return com::S_OK;
}

com::LRESULT ZEVOTestControl::WindowProc(com::UINT msg, com::WPARAM wParam, com::LPARAM lParam) {
    return com::DefWindowProc(ControlWindow(), msg, wParam, lParam);
}

com::BOOL ZEVOTestControl::RegisterClassData() {
    com::WNDCLASS wc;
    wc.lpszClassName = kControlWindowClass;
    wc.lpfnWndProc = &ControlCore::ControlWindowProc;
    wc.hInstance = OwnModule();
    wc.style = com::CS_VREDRAW | com::CS_HREDRAW | com::CS_DBLCLKS;
    wc.hCursor = com::LoadCursor(nullptr, com::IDC_ARROW);
    wc.hbrBackground = com::COLOR_WINDOW + 1;
    return com::RegisterClass(&wc) != 0;
}

void ZEVOTestControl::AfterCreateWindow() { PublishTestMarkers(*this); }

void ZEVOTestControl::BeforeDestroyWindow() { WithdrawTestMarkers(*this); }

bool ZEVOTestControl::InUserMode() {
    if (!userModeKnown_) {
        com::BOOL userMode = com::TRUE;
        // A container that cannot answer counts as run time.
        userMode_ = com::FAILED(GetAmbientUserMode(&userMode)) || userMode != com::FALSE;
        userModeKnown_ = true;
    }
    return userMode_;
}

com::BOOL ZEVOTestControl::OnSetExtent(com::SIZEL*) {
    if (InUserMode()) {
        SetControlSize({0, 0});
    } else {
        SetControlSize({com::GetSystemMetrics(com::SM_CXICON) + 6, com::GetSystemMetrics(com::SM_CYICON) + 6});
    }
    return com::FALSE;  // the framework reports the forced size back to the host
}

com::HRESULT ZEVOTestControl::AboutBox() {
    com::ComPtr<com::IOleInPlaceFrame> frame(InPlaceFrame());
    if (frame) frame->EnableModeless(com::FALSE);
    char text[kAboutStringLength] = {};
    char caption[kAboutStringLength] = {};
    com::LoadString(GetResourceModule(), kAboutTextString, text, sizeof text);
    com::LoadString(GetResourceModule(), kAboutCaptionString, caption, sizeof caption);
    com::MessageBox(0, text, caption, com::MB_TASKMODAL);
    if (frame) frame->EnableModeless(com::TRUE);
    return com::S_OK;
}

std::uintptr_t ZEVOTestControl::TestInterfaceAddress() {
    return reinterpret_cast<std::uintptr_t>(static_cast<IZEVOTest*>(this));
}

void ZEVOTestControl::RequestZeroExtent() {
    com::SIZEL extent{com::PixelsToHimetric(0), com::PixelsToHimetric(0)};
    OleObject()->SetExtent(com::DVASPECT_CONTENT, &extent);
}

void ZEVOTestControl::LeaveTabOrder(std::uint32_t published) {
    // The published value is followed only when it is this control's own
    // interface: a value taken from a window property is just a number.
    if (published != TestInterfaceAddress()) return;
    IZEVOTest* p = this;
    com::ComPtr<com::IOleObject> oleObject;
    if (p->QueryInterface(com::IID_IOleObject, oleObject.Out()) != com::S_OK) return;
    com::ComPtr<com::IOleClientSite> site;
    if (oleObject->GetClientSite(site.OutTyped()) != com::S_OK || !site) return;
    com::ComPtr<com::IOleControlSite> controlSite;
    if (site->QueryInterface(com::IID_IOleControlSite, controlSite.Out()) != com::S_OK) return;
    com::ComPtr<com::IDispatch> extended;
    if (controlSite->GetExtendedControl(extended.OutTyped()) != com::S_OK || !extended) return;

    com::BSTR name = com::SysAllocStringUtf8("TabStop");
    com::DISPID id = com::DISPID_UNKNOWN;
    const com::HRESULT found = extended->GetIDsOfNames(com::IID_NULL, &name, 1, com::LOCALE_SYSTEM_DEFAULT, &id);
    com::SysFreeString(name);
    if (found != com::S_OK) return;
    com::VARIANT value;
    value.vt = com::VT_BOOL;
    value.boolVal = com::VARIANT_FALSE;
    com::DISPPARAMS params;
    params.rgvarg = &value;
    params.cArgs = 1;
    extended->Invoke(id, com::IID_NULL, com::LOCALE_SYSTEM_DEFAULT, com::DISPATCH_PROPERTYPUT, &params, nullptr,
                     nullptr, nullptr);
}

com::HRESULT CreateZEVOTestControl(com::IUnknown* outer, com::IUnknown** inner) {
    *inner = nullptr;
    ZEVOTestControl* control = nullptr;
    try {
        control = new (std::nothrow) ZEVOTestControl(outer);
    } catch (...) {
        control = nullptr;  // the memory went back with the failed construction
    }
    if (!control) return com::E_OUTOFMEMORY;
    *inner = control->InnerUnknown();
    return com::S_OK;
}

}  // namespace zevote
