// Hosting registered ActiveX controls: creation through the registry, the
// client site and frame, the moments at which the framework calls the
// control, and error 339 for classes that are not registered.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <cstdlib>
#include <filesystem>

#include "activex_host.h"
#include "com.h"
#include "error_of.h"
#include "gdi.h"
#include "registry.h"
#include "test_forms.h"
#include "window_class.h"

using forms::Default;
using formtest::ErrorOf;

namespace {

constexpr const char* kProgId = "OrvantaTestCtl.TestCtl";

class frmCtl : public forms::Form {
public:
    frmCtl() : Form("frmCtl") {}
    forms::Frame fraBox{this, "fraBox", "Box", 1200, 120, 2415, 1935};
    forms::ActiveXHost Ctl1{this, kProgId, "Ctl1", 120, 240, 480, 480};
    forms::ActiveXHost Ctl2{&fraBox, kProgId, "Ctl2", 60, 60, 480, 480};
};

class frmUnregistered : public forms::Form {
public:
    frmUnregistered() : Form("frmUnregistered") {}
    forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1"};
};

class frmNowhere : public forms::Form {
public:
    frmNowhere() : Form("frmNowhere") {}
    forms::ActiveXHost Gadget1{this, "NowhereLib.Gadget", "Gadget1"};
};

class frmDeclared : public forms::Form {
public:
    frmDeclared() : Form("frmDeclared") {}
    forms::ActiveXHost Ctl1{this, "HostTestLib.TestCtl", "Ctl1", 120, 240, 480, 480};
};

class HostedControls : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvanta-ax-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        setenv("ORVANTA_REGISTRY_DIR", folder_.c_str(), 1);
        control_ = com::LoadLibrary(TEST_CONTROL);
        ASSERT_NE(control_, nullptr) << com::LastLoadError();
        ASSERT_EQ(Export<com::DllRegisterServerFn>("DllRegisterServer")(), com::S_OK);
        Log().clear();
        Export<void (*)(bool)>("TestControlShrinkAtRunTime")(false);
    }
    void TearDown() override {
        driver_.reset();
        com::FreeLibrary(control_);
        unsetenv("ORVANTA_REGISTRY_DIR");
        std::filesystem::remove_all(folder_);
    }
    template <class F>
    F Export(const char* name) {
        return reinterpret_cast<F>(com::GetProcAddress(control_, name));
    }
    std::vector<std::string>& Log() { return *Export<std::vector<std::string>* (*)()>("TestControlLog")(); }
    long Objects() { return Export<long (*)()>("TestControlObjects")(); }

    std::unique_ptr<forms::testing::Driver> driver_ = std::make_unique<forms::testing::Driver>();
    std::string folder_;
    com::HMODULE control_ = nullptr;
};

std::string ErrorText(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::VBError& e) {
        return std::to_string(e.number()) + " " + e.description();
    }
    return "no error";
}

}  // namespace

TEST_F(HostedControls, TheFrameworkCallsTheControlAtItsMoments) {
    frmCtl& f = Default<frmCtl>();
    f.Show();
    // 480 twips are 32 pixels, 847 HIMETRIC; the class is registered once.
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "OnSetExtent 847x847 user mode", "RegisterClassData",
                         "AfterCreateWindow OrvantaTestCtlWndClass in ThunderRT6FormDC style 0x54000000 with frame",
                         "OnSetExtent 847x847 user mode",
                         "AfterCreateWindow OrvantaTestCtlWndClass in ThunderRT6Frame style 0x54000000 with frame"}));
    const win::HWND hwnd = f.Ctl1.Instance()->Window();
    ASSERT_TRUE(win::IsWindow(hwnd));
    EXPECT_EQ(win::GetParent(hwnd), f.Ctl1.ContainerWindow());
    EXPECT_EQ(win::GetProp(hwnd, "ZEVSKIPME"), 1u);
    QWidget* w = win::WidgetOf(hwnd);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), QRect(8, 16, 32, 32));
    EXPECT_TRUE(w->testAttribute(Qt::WA_NativeWindow));
    EXPECT_FALSE(f.Ctl1.TabStop());  // set through the extended control
    EXPECT_FALSE(f.Ctl2.TabStop());
    EXPECT_FALSE(f.Ctl1.IsPlaceholder());
    EXPECT_EQ(Objects(), 2);

    Log().clear();
    forms::Unload(f);
    EXPECT_EQ(Log(), (std::vector<std::string>{"BeforeDestroyWindow window alive, container alive",
                                                "BeforeDestroyWindow window alive, container alive"}));
    EXPECT_FALSE(win::IsWindow(hwnd));
    EXPECT_EQ(Objects(), 0);
    EXPECT_EQ(Export<com::DllCanUnloadNowFn>("DllCanUnloadNow")(), com::S_OK);
}

TEST_F(HostedControls, PaintingAndViewDrawingGoToOnDraw) {
    frmCtl& f = Default<frmCtl>();
    f.Show();
    Log().clear();
    QWidget* w = f.Ctl1.Instance()->Widget();
    ASSERT_NE(w, nullptr);
    const QImage image = w->grab().toImage();
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().front(), "OnDraw 0,0,32,32");
    EXPECT_EQ(image.pixelColor(10, 10), QColor(30, 30, 200));  // the icon, 3 pixels in

    com::ComPtr<com::IViewObject> view;
    ASSERT_EQ(f.Ctl1.Instance()->Unknown()->QueryInterface(com::IID_IViewObject, view.Out()), com::S_OK);
    com::DeviceContext dc;
    const com::RECT bounds{10, 20, 48, 58};
    ASSERT_EQ(view->Draw(com::DVASPECT_CONTENT, &dc, &bounds), com::S_OK);
    ASSERT_EQ(dc.drawn.size(), 2u);
    EXPECT_EQ(dc.drawn[0].kind, com::DrawnItem::Edge);
    EXPECT_EQ(dc.drawn[0].edge | dc.drawn[0].flags << 8, com::EDGE_RAISED | (com::BF_RECT | com::BF_MIDDLE) << 8);
    EXPECT_EQ(dc.drawn[1].kind, com::DrawnItem::IconImage);
    EXPECT_EQ(dc.drawn[1].rect.left, 13);
    EXPECT_EQ(dc.drawn[1].rect.top, 23);
    EXPECT_EQ(dc.drawn[1].rect.right - dc.drawn[1].rect.left, com::GetSystemMetrics(com::SM_CXICON));

    Log().clear();
    EXPECT_EQ(com::SendMessage(f.Ctl1.Instance()->Window(), com::WM_USER, 0, 0), 0);
    EXPECT_EQ(Log(), std::vector<std::string>{"WindowProc 0x400"});
    forms::Unload(f);
}

TEST_F(HostedControls, AControlThatKeepsItsOwnSizeSizesItsHost) {
    Export<void (*)(bool)>("TestControlShrinkAtRunTime")(true);
    frmCtl& f = Default<frmCtl>();
    f.Show();
    EXPECT_EQ(f.Ctl1.Width(), 0);
    EXPECT_EQ(f.Ctl1.Height(), 0);
    EXPECT_EQ(f.Ctl1.Instance()->Widget()->size(), QSize(0, 0));
    // Any later extent the host asks for leaves it as it is.
    Log().clear();
    com::ComPtr<com::IOleObject> ole;
    ASSERT_EQ(f.Ctl1.Instance()->Unknown()->QueryInterface(com::IID_IOleObject, ole.Out()), com::S_OK);
    com::SIZEL extent{3528, 1000};
    ASSERT_EQ(ole->SetExtent(com::DVASPECT_CONTENT, &extent), com::S_OK);
    EXPECT_EQ(extent.cx, 0);
    EXPECT_EQ(extent.cy, 0);
    EXPECT_EQ(f.Ctl1.Instance()->Widget()->size(), QSize(0, 0));
    EXPECT_EQ(Log(), std::vector<std::string>{"OnSetExtent 3528x1000 user mode"});
    forms::Unload(f);
}

TEST_F(HostedControls, TheAboutBoxIsTaskModalAndFreezesTheForm) {
    frmCtl& f = Default<frmCtl>();
    f.Show();
    Log().clear();
    f.Ctl1.CallMember("AboutBox", {});  // late bound through the registered type library
    ASSERT_EQ(driver_->MessageBoxes().size(), 1u);
    EXPECT_EQ(driver_->MessageBoxes()[0].title, "About Hosting Test Control");
    EXPECT_EQ(driver_->MessageBoxes()[0].text, "Hosting test control\nVersion 1");
    EXPECT_EQ(driver_->MessageBoxes()[0].style, 0x2000);
    EXPECT_EQ(Log(), std::vector<std::string>{"AboutBox container frozen"});
    EXPECT_TRUE(f.Window()->isEnabled());
    EXPECT_EQ(ErrorOf([&] { f.Ctl1.CallMember("Frobnicate", {}); }), 438);
    forms::Unload(f);
}

TEST_F(HostedControls, AClassThatIsNotRegisteredRaisesError339NamingItsFile) {
    forms::RegisterActiveXFactory("ZEVOTestObjectsCtl.ZEVOTest", nullptr);  // no stand-in
    EXPECT_EQ(ErrorText([] { Default<frmUnregistered>().Show(); }),
              "339 Component 'zevote32.ocx' or one of its dependencies not correctly registered: a file is "
              "missing or invalid");
    forms::RegisterActiveXFactory("ZEVOTestObjectsCtl.ZEVOTest",
                                  [](forms::ActiveXHost&) { return std::unique_ptr<forms::ActiveXInstance>(); });
    EXPECT_EQ(ErrorText([] { Default<frmNowhere>().Show(); }).substr(0, 30), "339 Component 'NowhereLib.ocx'");

    // Registered, but its server file is gone: the registered file is named.
    reg::SetText(reg::Hive::ClassesRoot, "NowhereLib.Gadget\\CLSID", "", "{01234567-89AB-CDEF-0123-456789ABCDEF}");
    reg::SetText(reg::Hive::ClassesRoot, "CLSID\\{01234567-89AB-CDEF-0123-456789ABCDEF}\\InprocServer32", "",
                 folder_ + "/gadgets32.ocx");
    EXPECT_EQ(ErrorText([] { Default<frmNowhere>().Show(); }).substr(0, 29), "339 Component 'gadgets32.ocx'");
}

TEST_F(HostedControls, ClassNamesAreFoundThroughRegisteredTypeLibraries) {
    // No program identifier: the type library named "OrvantaTestCtl" has the coclass "TestCtl".
    ASSERT_TRUE(reg::DeleteKey(reg::Hive::ClassesRoot, kProgId));
    frmCtl& f = Default<frmCtl>();
    f.Show();
    EXPECT_TRUE(win::IsWindow(f.Ctl1.Instance()->Window()));
    forms::Unload(f);

    // A component declared with its type library, under a library name of the form's own.
    EXPECT_EQ(ErrorText([] { Default<frmDeclared>().Show(); }).substr(0, 31), "339 Component 'HostTestLib.ocx'");
    forms::RegisterActiveXComponent("HostTestLib", "testctl.ocx", "{6B1E2D21-3C4D-4E5F-9A0B-B1C2D3E4F5A6}");
    frmDeclared& d = Default<frmDeclared>();
    d.Show();
    EXPECT_TRUE(win::IsWindow(d.Ctl1.Instance()->Window()));
    forms::Unload(d);
}

// A control library unloaded at exit takes its window class back from its
// destructor, after the exit handlers have run: the class table is still
// there. The exit handler here is registered before the table is first
// used, so it runs after the table's own would have.
TEST(WindowClasses, AClassIsTakenBackWhileTheProcessExits) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::atexit([] { std::_Exit(com::UnregisterClass("LateExitClass", nullptr) ? 0 : 3); });
            com::WNDCLASS wc;
            wc.lpfnWndProc = com::DefWindowProc;
            wc.lpszClassName = "LateExitClass";
            if (!com::RegisterClass(&wc)) std::_Exit(4);
            std::exit(5);
        },
        ::testing::ExitedWithCode(0), "");
}
