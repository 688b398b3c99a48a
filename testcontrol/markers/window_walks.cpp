#include "window_walks.h"

#include <strings.h>

namespace zevote {

namespace {
constexpr std::size_t kClassNameBuffer = 30;
}

std::string ReadClassName(win::HWND w) {
    std::string name = win::GetClassName(w);
    if (name.size() > kClassNameBuffer - 1) name.resize(kClassNameBuffer - 1);
    return name;
}

template <std::size_t N>
bool ClassIn(const std::string& className, const std::array<std::string_view, N>& table) {
    for (std::string_view entry : table) {
        if (entry.size() == className.size() &&
            strncasecmp(entry.data(), className.data(), entry.size()) == 0) {
            return true;
        }
    }
    return false;
}

template bool ClassIn(const std::string&, const std::array<std::string_view, 1>&);
template bool ClassIn(const std::string&, const std::array<std::string_view, 3>&);
template bool ClassIn(const std::string&, const std::array<std::string_view, 5>&);
template bool ClassIn(const std::string&, const std::array<std::string_view, 6>&);
template bool ClassIn(const std::string&, const std::array<std::string_view, 16>&);

win::HWND FindHostForm(win::HWND w, bool& stoppedAtHiddenMain) {
    stoppedAtHiddenMain = false;
    if (!win::IsWindow(w)) return 0;
    while (w != 0) {
        const std::string cls = ReadClassName(w);
        if (ClassIn(cls, kSearchEndingFrameClasses)) return 0;
        const std::uint32_t style = win::GetWindowStyle(w);
        if ((style & (win::WS_CHILD | win::WS_POPUP)) == 0) return w;  // an overlapped top-level form
        if (style & win::WS_POPUP) {
            if (ClassIn(cls, kHiddenMainWindowClasses)) {
                stoppedAtHiddenMain = true;
                return w;
            }
            if (!ClassIn(cls, kPassThroughPopupClasses)) return w;
        } else if (style & kFramedChildMask) {
            return w;  // a framed child form, such as a multiple-document child
        }
        w = win::GetParent(w);
    }
    return 0;
}

win::HWND FindEnclosingUserControl(win::HWND w) {
    if (!win::IsWindow(w)) return 0;
    while (w != 0) {
        const std::string cls = ReadClassName(w);
        if (ClassIn(cls, kUserControlClasses)) return w;
        const std::uint32_t style = win::GetWindowStyle(w);
        if ((style & (win::WS_CHILD | win::WS_POPUP)) == 0) return 0;
        if (style & win::WS_POPUP) {
            if (!ClassIn(cls, kPassThroughPopupClasses)) return 0;
        } else if (style & kFramedChildMask) {
            return 0;
        }
        w = win::GetParent(w);
    }
    return 0;
}

}  // namespace zevote
