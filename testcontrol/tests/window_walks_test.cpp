#include <gtest/gtest.h>

#include "marker_test_support.h"
#include "window_walks.h"

using namespace zevote;
using namespace zevote::testing;

namespace {

class WindowWalks : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    void TearDown() override {
        for (win::HWND h : win::TopLevelWindows()) win::DestroyWindow(h);
    }
    win::HWND HostOf(win::HWND w) {
        hidden_ = true;
        return FindHostForm(w, hidden_);
    }
    bool hidden_ = false;
};

TEST_F(WindowWalks, FormSearchClimbsPlainChildrenToTheTopLevelForm) {
    win::HWND form = Form();
    win::HWND picture = Child(form);
    win::HWND inner = Child(picture, "ThunderRT6Frame");
    EXPECT_EQ(HostOf(inner), form);
    EXPECT_FALSE(hidden_);
    EXPECT_EQ(HostOf(form), form);
    EXPECT_EQ(HostOf(0), 0u);
    EXPECT_FALSE(hidden_);
    EXPECT_EQ(HostOf(0x7FFFFFF), 0u);
    // A child whose chain never reaches a form.
    win::HWND orphan = win::CreateWindowHandle(nullptr, "Orphan", win::WS_CHILD, 0);
    EXPECT_EQ(HostOf(orphan), 0u);
}

TEST_F(WindowWalks, FormSearchStopsAtFramedChildren) {
    win::HWND form = Form();
    for (std::uint32_t frame : {win::WS_DLGFRAME, win::WS_THICKFRAME, win::WS_DLGFRAME | win::WS_THICKFRAME}) {
        win::HWND framed = Child(form, "ThunderRT6FormDC", frame);
        EXPECT_EQ(HostOf(Child(framed)), framed);
    }
    // Other frame-like bits do not stop it.
    win::HWND bordered = Child(form, "ThunderRT6PictureBoxDC", 0x00800000 /* border */);
    EXPECT_EQ(HostOf(Child(bordered)), form);
}

TEST_F(WindowWalks, FormSearchPassesThroughListedPopupsOnly) {
    win::HWND form = Form();
    for (const char* cls : {"#32768", "#32769", "#32771", "#32772", "Static", "STATIC"}) {
        SCOPED_TRACE(cls);
        win::HWND popup = Popup(cls, form);
        EXPECT_EQ(HostOf(Child(popup)), form);
    }
    win::HWND other = Popup("ThunderRT6FormDC", form);
    EXPECT_EQ(HostOf(Child(other)), other);
    // Pop-up rules win over child rules when both bits are set.
    win::HWND both = win::CreateWindowHandle(nullptr, "Static", win::WS_POPUP | win::WS_CHILD | win::WS_THICKFRAME, form);
    EXPECT_EQ(HostOf(both), form);
}

TEST_F(WindowWalks, FormSearchFlagsTheRuntimeHiddenMainWindow) {
    for (const char* cls : {"ThunderRTMain", "ThunderRT5Main", "ThunderRT6Main", "thunderrt6main"}) {
        SCOPED_TRACE(cls);
        win::HWND hiddenMain = Popup(cls);
        EXPECT_EQ(HostOf(Child(hiddenMain)), hiddenMain);
        EXPECT_TRUE(hidden_);
    }
    // Only as a pop-up: an overlapped window of that class is an ordinary form.
    win::HWND overlapped = Form("ThunderRT6Main");
    EXPECT_EQ(HostOf(overlapped), overlapped);
    EXPECT_FALSE(hidden_);
}

TEST_F(WindowWalks, FormSearchEndsWithNothingAtAnExtensionFrame) {
    win::HWND xframe = Form("ThunderXFrame");
    EXPECT_EQ(HostOf(Child(Child(xframe))), 0u);
    win::HWND lower = Child(Form(), "thunderxframe");
    EXPECT_EQ(HostOf(Child(lower)), 0u);
}

TEST_F(WindowWalks, UserControlSearchFindsEveryUserControlAndDocumentClass) {
    for (std::string_view cls : kUserControlClasses) {
        const std::string name(cls);
        SCOPED_TRACE(name);
        win::HWND form = Form();
        win::HWND uc = Child(form, name.c_str());
        EXPECT_EQ(FindEnclosingUserControl(Child(Child(uc))), uc);
        EXPECT_EQ(FindEnclosingUserControl(uc), uc);
    }
    win::HWND lowerCase = Child(Form(), "thunderrt6usercontroldc");
    EXPECT_EQ(FindEnclosingUserControl(lowerCase), lowerCase);
    // The class is checked before the style: a framed user control counts.
    win::HWND framedUc = Child(Form(), "ThunderRT6UserControlDC", win::WS_THICKFRAME);
    EXPECT_EQ(FindEnclosingUserControl(framedUc), framedUc);
}

TEST_F(WindowWalks, UserControlSearchStopsAtFormsFramesAndOtherPopups) {
    win::HWND form = Form();
    EXPECT_EQ(FindEnclosingUserControl(Child(Child(form))), 0u);
    EXPECT_EQ(FindEnclosingUserControl(0), 0u);

    win::HWND uc = Child(form, "ThunderUserControl");
    for (std::uint32_t frame : {win::WS_DLGFRAME, win::WS_THICKFRAME}) {
        win::HWND framed = Child(uc, "ThunderRT6FormDC", frame);
        EXPECT_EQ(FindEnclosingUserControl(Child(framed)), 0u);
    }
    for (const char* cls : {"#32768", "#32769", "#32771", "#32772", "Static"}) {
        win::HWND popup = Popup(cls, uc);
        EXPECT_EQ(FindEnclosingUserControl(Child(popup)), uc);
    }
    win::HWND menu = Popup("ThunderRT6FormDC", uc);
    EXPECT_EQ(FindEnclosingUserControl(Child(menu)), 0u);
}

TEST_F(WindowWalks, ClassNamesAreReadAsA30CharacterBufferHoldsThem) {
    win::HWND w = Form("ThunderRT6UserControlDC_and_more_than_thirty");
    EXPECT_EQ(ReadClassName(w), std::string("ThunderRT6UserControlDC_and_m"));
    EXPECT_EQ(ReadClassName(w).size(), 29u);
}

}  // namespace
