// Window handles of forms and controls: class names, styles and parents as
// the test control's window walks expect them; the hosting point of ActiveX
// controls.
#include <gtest/gtest.h>

#include "test_forms.h"

using forms::Default;

namespace {

class frmHost : public forms::Form {
public:
    frmHost() : Form("frmHost") {}
    forms::Frame fraTables{this, "fraTables", "Tables", 120, 120, 2415, 1935};
    forms::CheckBox chkSuppliers{&fraTables, "chkSuppliers", "&Suppliers", 240, 360, 1575, 375};
    forms::OptionButton optA{this, "optA", "A", 3000, 120};
    forms::CommandButton cmdOK{this, "cmdOK", "OK", 2760, 240, 1140, 360};
    forms::TextBox txtName{this, "txtName", 120, 2200};
    forms::ComboBox cboCards{this, "cboCards", 120, 2600};
    forms::ListBox lstNames{this, "lstNames", 120, 3000};
    forms::PictureBox Picture1{this, "Picture1", 3000, 600};
    forms::Label lblInfo{this, "lblInfo", "Info", 3000, 2000};
    forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1"};
    forms::ActiveXHost ZEVOTest2{&fraTables, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest2"};
};

TEST(FormWindows, FormsAndControlsHaveTheRuntimesClassNames) {
    forms::testing::Driver driver;
    frmHost& f = Default<frmHost>();
    f.Show();
    const win::HWND form = f.hWnd();
    EXPECT_EQ(win::GetClassName(form), "ThunderRT6FormDC");
    EXPECT_EQ(win::GetParent(form), 0u);
    const std::uint32_t style = win::GetWindowStyle(form);
    EXPECT_EQ(style & (win::WS_CHILD | win::WS_POPUP), 0u);  // a top-level form
    EXPECT_EQ(win::GetClassName(f.cmdOK.hWnd()), "ThunderRT6CommandButton");
    EXPECT_EQ(win::GetClassName(f.txtName.hWnd()), "ThunderRT6TextBox");
    EXPECT_EQ(win::GetClassName(f.cboCards.hWnd()), "ThunderRT6ComboBox");
    EXPECT_EQ(win::GetClassName(f.lstNames.hWnd()), "ThunderRT6ListBox");
    EXPECT_EQ(win::GetClassName(f.fraTables.hWnd()), "ThunderRT6Frame");
    EXPECT_EQ(win::GetClassName(f.chkSuppliers.hWnd()), "ThunderRT6CheckBox");
    EXPECT_EQ(win::GetClassName(f.optA.hWnd()), "ThunderRT6OptionButton");
    EXPECT_EQ(win::GetClassName(f.Picture1.hWnd()), "ThunderRT6PictureBoxDC");
    EXPECT_EQ(win::GetParent(f.cmdOK.hWnd()), form);
    EXPECT_EQ(win::GetParent(f.chkSuppliers.hWnd()), f.fraTables.hWnd());
    const std::uint32_t child = win::GetWindowStyle(f.cmdOK.hWnd());
    EXPECT_TRUE(child & win::WS_CHILD);
    EXPECT_EQ(child & (win::WS_DLGFRAME | win::WS_THICKFRAME), 0u);
    EXPECT_EQ(win::WidgetOf(f.cmdOK.hWnd()), f.cmdOK.Widget());
    EXPECT_EQ(win::GetWindowThreadProcessId(form), win::GetWindowThreadProcessId(f.cmdOK.hWnd()));
    try {
        f.lblInfo.hWnd();
        FAIL() << "a label has no window";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 438);
    }
}

TEST(FormWindows, MultipleDocumentWindowsChainToTheirParent) {
    forms::testing::Driver driver;
    struct frmMDI : forms::MDIForm {
        frmMDI() : MDIForm("frmMDI") {}
    };
    struct frmChild : forms::Form {
        frmChild() : Form("frmChild") { MDIChild(true); }
        forms::TextBox txtID{this, "txtID", 120, 120};
    };
    forms::UseMDIForm<frmMDI>();
    frmChild& c = Default<frmChild>();
    c.Show();  // loads the parent first
    frmMDI& m = Default<frmMDI>();
    EXPECT_EQ(win::GetClassName(m.hWnd()), "ThunderRT6MDIForm");
    const win::HWND client = win::GetParent(c.hWnd());
    EXPECT_EQ(win::GetClassName(client), "MDIClient");
    EXPECT_EQ(win::GetParent(client), m.hWnd());
    const std::uint32_t style = win::GetWindowStyle(c.hWnd());
    EXPECT_TRUE(style & win::WS_CHILD);
    EXPECT_TRUE(style & (win::WS_DLGFRAME | win::WS_THICKFRAME));  // a framed child form
    EXPECT_EQ(win::GetClassName(c.hWnd()), "ThunderRT6FormDC");
    EXPECT_EQ(win::GetParent(c.txtID.hWnd()), c.hWnd());
    forms::Unload(m);
    EXPECT_FALSE(win::IsWindow(client));
}

TEST(FormWindows, UserControlsHaveTheirClass) {
    forms::testing::Driver driver;
    struct Uc : forms::UserControl {
        using UserControl::UserControl;
        forms::Label lblText{this, "lblText", "x", 0, 0};
        forms::TextBox txtInner{this, "txtInner", 0, 300};
    };
    struct frmUc : forms::Form {
        frmUc() : Form("frmUc") {}
        Uc ucBox{this, "ucBox", 120, 120, 3000, 800};
    };
    frmUc& f = Default<frmUc>();
    f.Show();
    EXPECT_EQ(win::GetClassName(f.ucBox.hWnd()), "ThunderRT6UserControlDC");
    EXPECT_EQ(win::GetParent(f.ucBox.txtInner.hWnd()), f.ucBox.hWnd());
}

// A stand-in for the COM layer's control: records what it saw.
struct FakeControl : forms::ActiveXInstance {
    static inline std::vector<std::string> log;
    explicit FakeControl(forms::ActiveXHost& host) : host_(host), container_(host.ContainerWindow()) {
        log.push_back("create " + host.Name() + " in " + win::GetClassName(container_));
    }
    ~FakeControl() override {
        log.push_back(std::string("destroy ") + host_.Name() + (win::IsWindow(container_) ? " container alive" : ""));
    }
    forms::ActiveXHost& host_;
    win::HWND container_;
};

TEST(FormWindows, ActiveXControlsMadeByAStandInFactory) {
    forms::testing::Driver driver;
    frmHost& f = Default<frmHost>();
    f.Show();  // the test program's stand-in makes nothing: placeholders
    EXPECT_TRUE(f.ZEVOTest1.IsPlaceholder());
    EXPECT_EQ(f.ZEVOTest1.Object(), nullptr);
    EXPECT_EQ(f.ZEVOTest1.ContainerWindow(), f.hWnd());
    EXPECT_NE(f.Controls().Find("ZEVOTest1"), nullptr);
    forms::Unload(f);

    FakeControl::log.clear();
    forms::RegisterActiveXFactory("ZEVOTestObjectsCtl.ZEVOTest",
                                  [](forms::ActiveXHost& host) { return std::make_unique<FakeControl>(host); });
    f.Show();
    EXPECT_FALSE(f.ZEVOTest1.IsPlaceholder());
    forms::Unload(f);
    forms::RegisterActiveXFactory("ZEVOTestObjectsCtl.ZEVOTest",
                                  [](forms::ActiveXHost&) { return std::unique_ptr<forms::ActiveXInstance>(); });
    EXPECT_EQ(FakeControl::log,
              (std::vector<std::string>{"create ZEVOTest1 in ThunderRT6FormDC", "create ZEVOTest2 in ThunderRT6Frame",
                                        "destroy ZEVOTest2 container alive", "destroy ZEVOTest1 container alive"}));
}

}  // namespace
