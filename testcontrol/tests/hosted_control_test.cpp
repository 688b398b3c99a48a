// The real control on real forms of the forms runtime, created through the
// registry as a program creates it.
#include <gtest/gtest.h>

#include <QWidget>

#include "forms.h"
#include "marker_list.h"
#include "server_test_support.h"
#include "test_driver.h"

using forms::Default;
using V = std::vector<std::uint32_t>;

namespace {

constexpr const char* kTestControlClass = "ZEVOTestObjectsCtl.ZEVOTest";

class frmFirst : public forms::Form {
public:
    frmFirst() : Form("frmFirst") {}
    forms::ActiveXHost ZEVOTest1{this, kTestControlClass, "ZEVOTest1", 120, 120, 390, 390};
};

class frmSecond : public forms::Form {
public:
    frmSecond() : Form("frmSecond") {}
    forms::Frame fraBox{this, "fraBox", "Box", 1200, 120, 2415, 1935};
    forms::ActiveXHost ZEVOTest1{&fraBox, kTestControlClass, "ZEVOTest1", 60, 240, 390, 390};
};

// The values of a window's marker list, read as the testing tool reads them.
V ListOf(win::HWND w) {
    V values;
    for (std::uint32_t at = zevote::ReadListHead(w); at != 0 && values.size() < 16;) {
        const auto* node = reinterpret_cast<const std::uint32_t*>(static_cast<std::uintptr_t>(at));
        values.push_back(node[0]);
        at = node[1];
    }
    return values;
}
std::uint32_t DispatchOf(win::HWND w) {
    return zevote::ReadSplitValue(w, zevote::kDispatchHighProperty, zevote::kDispatchLowProperty);
}

class HostedControl : public ::testing::Test {
protected:
    void SetUp() override {
        zevote::testing::EnsureQtApplication();
        ASSERT_TRUE(library_.Loaded()) << com::LastLoadError();
        ASSERT_EQ(library_.registerServer(), com::S_OK);
        driver_ = std::make_unique<forms::testing::Driver>();
    }
    void TearDown() override { driver_.reset(); }
    // The address of the control's IZEVOTest interface.
    static std::uint32_t P(forms::ActiveXHost& host) {
        com::ComPtr<com::IUnknown> test;
        const com::IID iid = com::MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C765}");
        if (!host.Instance() || host.Instance()->Unknown()->QueryInterface(iid, test.Out()) != com::S_OK) return 0;
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(test.Get()));
    }

    zevote::testing::ScopedRegistry registry_;
    zevote::testing::ControlLibrary library_;
    std::unique_ptr<forms::testing::Driver> driver_;
};

TEST_F(HostedControl, ShrinksLeavesTheTabOrderAndPublishesOnItsForm) {
    frmFirst& first = Default<frmFirst>();
    first.Show();
    forms::ActiveXHost& host = first.ZEVOTest1;
    ASSERT_FALSE(host.IsPlaceholder());
    const win::HWND window = host.Instance()->Window();
    ASSERT_TRUE(win::IsWindow(window));
    EXPECT_EQ(win::GetClassName(window), "ZEVOTestWndClass");
    EXPECT_EQ(win::GetProp(window, zevote::kSkipMeProperty), 1u);
    EXPECT_EQ(win::WidgetOf(window)->size(), QSize(0, 0));
    EXPECT_FALSE(host.TabStop());

    const win::HWND form = host.ContainerWindow();
    const std::uint32_t p = P(host);
    ASSERT_NE(p, 0u);
    EXPECT_EQ(DispatchOf(form), p);
    EXPECT_EQ(ListOf(form), V{p});

    // A control on a second form (inside a frame): its own list there, and a
    // second node on the first form; both go when the second form unloads.
    frmSecond& second = Default<frmSecond>();
    second.Show();
    const win::HWND secondForm = win::GetParent(second.ZEVOTest1.ContainerWindow());
    const std::uint32_t q = P(second.ZEVOTest1);
    EXPECT_EQ(ListOf(secondForm), V{q});
    EXPECT_EQ(DispatchOf(secondForm), q);
    EXPECT_EQ(ListOf(form), (V{p, q}));
    EXPECT_FALSE(win::HasProp(second.ZEVOTest1.ContainerWindow(), zevote::kListLowProperty));

    forms::Unload(second);
    EXPECT_EQ(ListOf(form), V{p});
    forms::Unload(first);
    EXPECT_FALSE(win::IsWindow(window));
    EXPECT_EQ(library_.canUnloadNow(), com::S_OK);
}

TEST_F(HostedControl, AboutBoxThroughLateBinding) {
    frmFirst& first = Default<frmFirst>();
    first.Show();
    first.ZEVOTest1.CallMember("AboutBox", {});
    ASSERT_EQ(driver_->MessageBoxes().size(), 1u);
    EXPECT_EQ(driver_->MessageBoxes()[0].title, "About Tavorin ActiveX Test Control");
    EXPECT_EQ(driver_->MessageBoxes()[0].style, 0x2000);
    forms::Unload(first);
}

}  // namespace
