#pragma once
// The test control: invisible at run time, a small raised square with its
// icon in a form designer; publishes its markers for the testing tool when
// its window is created and withdraws them before the window goes.
#include <cstddef>
#include <new>

#include "activex_control.h"
#include "com.h"
#include "marker_publication.h"
#include "zevote_interface.h"

namespace zevote {

inline constexpr const char* kControlWindowClass = "ZEVOTestWndClass";
inline constexpr int kDesignIcon = 2;
inline constexpr int kAboutTextString = 2005;
inline constexpr int kAboutCaptionString = 2006;
inline constexpr int kAboutStringLength = 512;

// What the framework knows of the control class.
com::ControlClassInfo& ZEVOTestClassInfo();

class ZEVOTestControl final : public com::ControlBase<IZEVOTest>, public MarkerPublisher {
public:
    explicit ZEVOTestControl(com::IUnknown* outer);
    ~ZEVOTestControl() override;

    // The object lives below 4 GiB when such memory can be had, so that the
    // addresses it publishes fit their 32-bit fields; else on the heap, and
    // then it publishes nothing.
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;
    static void operator delete(void* p, const std::nothrow_t&) noexcept { operator delete(p); }

    com::HRESULT QueryInterface(com::REFIID iid, void** out) override;
    com::HRESULT OnDraw(com::HDC dc, const com::RECT& bounds) override;
    com::LRESULT WindowProc(com::UINT msg, com::WPARAM wParam, com::LPARAM lParam) override;
    com::BOOL RegisterClassData() override;
    void BeforeDestroyWindow() override;
    com::BOOL OnSetExtent(com::SIZEL* himetric) override;
    void AfterCreateWindow() override;

    com::HRESULT AboutBox() override;

    const MarkerFields& Fields() const { return markers_; }

private:
    // MarkerPublisher
    MarkerFields& Markers() override { return markers_; }
    win::HWND OwnWindow() override { return ControlWindow(); }
    win::HWND HostWindow() override { return ContainerWindow(); }
    std::uintptr_t TestInterfaceAddress() override;
    void RequestZeroExtent() override;
    void LeaveTabOrder(std::uint32_t published) override;

    bool InUserMode();

    MarkerFields markers_;
    com::HICON designIcon_ = nullptr;
    bool userModeKnown_ = false;
    bool userMode_ = true;
};

// Creation for the class factory: the new object's inner unknown with one
// reference, or null and E_OUTOFMEMORY.
com::HRESULT CreateZEVOTestControl(com::IUnknown* outer, com::IUnknown** inner);

}  // namespace zevote
