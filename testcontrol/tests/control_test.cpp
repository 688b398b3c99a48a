#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "forms.h"
#include "test_driver.h"
#include "gdi.h"
#include "win_message_box.h"
#include "window_class.h"
#include "marker_list.h"
#include "server_test_support.h"

using namespace zevote::testing;

namespace {

const com::CLSID kControl = com::MakeGuid("{4B27E760-5745-11CF-8918-00A02416C765}");
const com::IID kIZEVOTest = com::MakeGuid("{48B33DE0-5745-11CF-8918-00A02416C765}");

class Control : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        ASSERT_TRUE(library_.Loaded()) << ControlPath() << ": " << com::LastLoadError();
        ASSERT_EQ(library_.registerServer(), com::S_OK);
        form_ = std::make_unique<QWidget>();
        form_->resize(400, 300);
        formHwnd_ = win::CreateWindowHandle(form_.get(), "ThunderRT6FormDC", win::WS_CAPTION, 0);
        site_.container = formHwnd_;
        com::ComPtr<com::IClassFactory> factory;
        ASSERT_EQ(library_.getClassObject(kControl, com::IID_IClassFactory, factory.Out()), com::S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, kIZEVOTest, reinterpret_cast<void**>(control_.OutTyped())),
                  com::S_OK);
        ASSERT_EQ(control_->QueryInterface(com::IID_IOleObject, ole_.Out()), com::S_OK);
    }
    void TearDown() override {
        if (ole_) ole_->Close(com::OLECLOSE_NOSAVE);
        ole_.Reset();
        control_.Reset();
        win::DestroyWindow(formHwnd_);
        form_.reset();
    }
    void Activate() {
        ASSERT_EQ(ole_->SetClientSite(&site_), com::S_OK);
        const com::RECT position{8, 8, 34, 34};
        ASSERT_EQ(ole_->DoVerb(com::OLEIVERB_INPLACEACTIVATE, &site_, formHwnd_, &position), com::S_OK);
    }
    com::SIZEL ExtentAfterAsking(com::LONG cx, com::LONG cy) {
        com::SIZEL asked{cx, cy};
        ole_->SetExtent(com::DVASPECT_CONTENT, &asked);
        com::SIZEL now;
        ole_->GetExtent(com::DVASPECT_CONTENT, &now);
        return now;
    }
    com::HWND ControlWindow() {
        com::ComPtr<com::IOleInPlaceObject> inPlace;
        com::HWND hwnd = 0;
        if (ole_->QueryInterface(com::IID_IOleInPlaceObject, inPlace.Out()) == com::S_OK) inPlace->GetWindow(&hwnd);
        return hwnd;
    }
    std::uint32_t P() { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(control_.Get())); }

    ScopedRegistry registry_;
    ControlLibrary library_;
    std::unique_ptr<QWidget> form_;
    win::HWND formHwnd_ = 0;
    FakeSite site_;
    com::ComPtr<IZEVOTest> control_;
    com::ComPtr<com::IOleObject> ole_;
};

TEST_F(Control, InAFormDesignerItIsARaisedSquareWithItsIcon) {
    site_.userMode = FakeSite::UserMode::Design;
    Activate();
    const com::LONG side = com::GetSystemMetrics(com::SM_CXICON) + 6;
    EXPECT_EQ(side, 38);
    for (auto [cx, cy] : {std::pair{5000, 5000}, std::pair{1, 1}, std::pair{0, 0}}) {
        const com::SIZEL extent = ExtentAfterAsking(cx, cy);
        EXPECT_EQ(extent.cx, com::PixelsToHimetric(side));
        EXPECT_EQ(extent.cy, com::PixelsToHimetric(com::GetSystemMetrics(com::SM_CYICON) + 6));
    }
    EXPECT_EQ(site_.userModeReads, 1);  // read once and kept

    com::ComPtr<com::IViewObject> view;
    ASSERT_EQ(control_->QueryInterface(com::IID_IViewObject, view.Out()), com::S_OK);
    com::DeviceContext dc;
    const com::RECT bounds{10, 20, 48, 58};
    ASSERT_EQ(view->Draw(com::DVASPECT_CONTENT, &dc, &bounds), com::S_OK);
    ASSERT_EQ(dc.drawn.size(), 2u);
    EXPECT_EQ(dc.drawn[0].kind, com::DrawnItem::Edge);
    EXPECT_EQ(dc.drawn[0].edge, com::EDGE_RAISED);
    EXPECT_EQ(dc.drawn[0].flags, 0x80Fu);
    EXPECT_EQ(dc.drawn[0].rect.left, 10);
    EXPECT_EQ(dc.drawn[0].rect.bottom, 58);
    EXPECT_EQ(dc.drawn[1].kind, com::DrawnItem::IconImage);
    EXPECT_EQ(dc.drawn[1].rect.left, 13);
    EXPECT_EQ(dc.drawn[1].rect.top, 23);
    EXPECT_EQ(dc.drawn[1].rect.right - dc.drawn[1].rect.left, 32);
    const QImage icon = com::IconImage(dc.drawn[1].icon);
    EXPECT_EQ(icon.size(), QSize(32, 32));
}

TEST_F(Control, DrawnInADesignerTheSquareLooksRaised) {
    site_.userMode = FakeSite::UserMode::Design;
    Activate();
    com::ComPtr<com::IViewObject> view;
    ASSERT_EQ(control_->QueryInterface(com::IID_IViewObject, view.Out()), com::S_OK);
    QImage image(38, 38, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        QPainter painter(&image);
        com::DeviceContext dc(&painter);
        const com::RECT bounds{0, 0, 38, 38};
        ASSERT_EQ(view->Draw(com::DVASPECT_CONTENT, &dc, &bounds), com::S_OK);
    }
    if (const char* dir = std::getenv("ZEVOTE_PICTURE_DIR")) image.save(QString(dir) + "/zevote-design.png");
    // Light on the top and left, dark on the bottom and right, the face in
    // the middle, and the icon drawn over it.
    EXPECT_GT(qGray(image.pixel(0, 19)), qGray(image.pixel(37, 19)));
    EXPECT_GT(qGray(image.pixel(19, 0)), qGray(image.pixel(19, 37)));
    EXPECT_NE(image.pixel(1, 1), QColor(Qt::magenta).rgb());
    EXPECT_NE(image.pixel(2, 2), image.pixel(19, 19));
}

TEST_F(Control, AtRunTimeItIsZeroByZeroWhateverTheHostAsks) {
    Activate();
    for (auto [cx, cy] : {std::pair{5000, 5000}, std::pair{1032, 1032}, std::pair{0, 0}}) {
        const com::SIZEL extent = ExtentAfterAsking(cx, cy);
        EXPECT_EQ(extent.cx, 0);
        EXPECT_EQ(extent.cy, 0);
    }
    com::RECT client;
    ASSERT_TRUE(com::GetClientRect(ControlWindow(), &client));
    EXPECT_EQ(client.right - client.left, 0);
    EXPECT_EQ(client.bottom - client.top, 0);
}

TEST_F(Control, AHostThatDoesNotAnswerUserModeGetsTheRunTimeSize) {
    site_.userMode = FakeSite::UserMode::NoAnswer;
    Activate();
    const com::SIZEL extent = ExtentAfterAsking(2000, 2000);
    EXPECT_EQ(extent.cx, 0);
    EXPECT_EQ(extent.cy, 0);
}

TEST_F(Control, ItsWindowPublishesMarkersAndLeavesTheTabOrder) {
    Activate();
    const com::HWND window = ControlWindow();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(win::GetClassName(window), "ZEVOTestWndClass");
    EXPECT_EQ(win::GetParent(window), formHwnd_);
    EXPECT_EQ(win::GetWindowStyle(window) & (win::WS_CHILD | 0x04000000u), win::WS_CHILD | 0x04000000u);
    EXPECT_EQ(win::GetProp(window, zevote::kSkipMeProperty), 1u);
    EXPECT_EQ(zevote::ReadSplitValue(formHwnd_, zevote::kDispatchHighProperty, zevote::kDispatchLowProperty), P());
    const std::uint32_t head = zevote::ReadListHead(formHwnd_);
    ASSERT_NE(head, 0u);
    const auto* node = reinterpret_cast<const std::uint32_t*>(static_cast<std::uintptr_t>(head));
    EXPECT_EQ(node[0], P());
    EXPECT_EQ(node[1], 0u);
    EXPECT_EQ(site_.extended.tabStopPuts, std::vector<com::VARIANT_BOOL>{com::VARIANT_FALSE});
    EXPECT_EQ(site_.extended.lcids, (std::vector<com::LCID>{0x800, 0x800}));

    // Closing destroys the window, which withdraws the markers first.
    ASSERT_EQ(ole_->Close(com::OLECLOSE_NOSAVE), com::S_OK);
    EXPECT_FALSE(win::IsWindow(window));
    EXPECT_FALSE(win::HasProp(formHwnd_, zevote::kDispatchHighProperty));
    EXPECT_FALSE(win::HasProp(formHwnd_, zevote::kListLowProperty));
}

TEST_F(Control, AboutBoxThroughDispatchIsTaskModalAndFreezesTheContainer) {
    Activate();
    forms::testing::Driver driver;
    driver.AnswerMsgBox(com::IDOK);
    com::DISPPARAMS none;
    com::VARIANT result;
    ASSERT_EQ(control_->Invoke(com::DISPID_ABOUTBOX, com::IID_NULL, com::LOCALE_USER_DEFAULT, com::DISPATCH_METHOD,
                               &none, &result, nullptr, nullptr),
              com::S_OK);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    const auto& box = driver.MessageBoxes()[0];
    EXPECT_EQ(box.title, "About Tavorin ActiveX Test Control");
    EXPECT_EQ(box.text.rfind("Tavorin ActiveX Test Control\n", 0), 0u) << box.text;
    EXPECT_NE(box.text.find('\n'), std::string::npos);
    EXPECT_EQ(box.style, com::MB_TASKMODAL);
    EXPECT_EQ(site_.frame.calls, (std::vector<com::BOOL>{com::FALSE, com::TRUE}));

    // By name too, as a script would call it.
    com::BSTR name = com::SysAllocStringUtf8("aboutbox");
    com::DISPID id = 0;
    EXPECT_EQ(control_->GetIDsOfNames(com::IID_NULL, &name, 1, com::LOCALE_USER_DEFAULT, &id), com::S_OK);
    com::SysFreeString(name);
    EXPECT_EQ(id, com::DISPID_ABOUTBOX);
}

TEST_F(Control, AboutBoxWithoutAFrameStillShows) {
    forms::testing::Driver driver;
    EXPECT_EQ(control_->AboutBox(), com::S_OK);
    EXPECT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_TRUE(site_.frame.calls.empty());
}

}  // namespace
