#pragma once
// The two upward walks from a control's container window: to the form that
// hosts it, and to the user control or user document that encloses it.
#include <array>
#include <string>
#include <string_view>

#include "window_table.h"

namespace zevote {

// Class-name tables (compared without regard to case).
inline constexpr std::array<std::string_view, 1> kSearchEndingFrameClasses = {"ThunderXFrame"};
inline constexpr std::array<std::string_view, 5> kPassThroughPopupClasses = {"#32768", "#32769", "#32771",
                                                                             "#32772", "Static"};
inline constexpr std::array<std::string_view, 3> kHiddenMainWindowClasses = {"ThunderRTMain", "ThunderRT5Main",
                                                                             "ThunderRT6Main"};
inline constexpr std::array<std::string_view, 6> kMdiParentFormClasses = {
    "ThunderMDIForm",   "ThunderRT5MDIForm",   "ThunderRT6MDIForm",
    "ThunderMDIFormDC", "ThunderRT5MDIFormDC", "ThunderRT6MDIFormDC"};
inline constexpr std::array<std::string_view, 16> kUserControlClasses = {
    "ThunderUserControl",       "ThunderRTUserControl",     "ThunderRT5UserControl",
    "ThunderRT6UserControl",    "ThunderUserControlDC",     "ThunderRTUserControlDC",
    "ThunderRT5UserControlDC",  "ThunderRT6UserControlDC",  "ThunderUserDocument",
    "ThunderRTUserDocument",    "ThunderRT5UserDocument",   "ThunderRT6UserDocument",
    "ThunderUserDocumentDC",    "ThunderRTUserDocumentDC",  "ThunderRT5UserDocumentDC",
    "ThunderRT6UserDocumentDC"};

// A framed child window (a multiple-document child form) ends the form search.
inline constexpr std::uint32_t kFramedChildMask = win::WS_DLGFRAME | win::WS_THICKFRAME;  // 0x440000

// The window's class name as a 30-character buffer would hold it (29
// characters and the terminator).
std::string ReadClassName(win::HWND w);
// True when `className` is in `table`, ignoring case.
template <std::size_t N>
bool ClassIn(const std::string& className, const std::array<std::string_view, N>& table);

// The host form of w, or 0. `stoppedAtHiddenMain` is set when the search
// ended at the runtime's hidden main window (which is then returned).
win::HWND FindHostForm(win::HWND w, bool& stoppedAtHiddenMain);
// The nearest user control or user document window at or above w, or 0.
win::HWND FindEnclosingUserControl(win::HWND w);

}  // namespace zevote
