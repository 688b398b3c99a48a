// Forms: default instances, loading on touch, modal shows, unloading and
// the end of the program.
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "err.h"
#include "msgbox.h"
#include "program_hooks.h"
#include "test_forms.h"

using formtest::frmOrder;
using formtest::frmSplash;
using forms::Default;

namespace {

TEST(FormLifecycle, DefaultInstanceLoadsWhenAControlIsTouchedButNotForAPublicVariable) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    EXPECT_EQ(&f, &Default<frmOrder>());
    f.lQuantity = 2.5;
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_TRUE(forms::Forms().empty());

    EXPECT_EQ(f.lblQuantity.Caption(), "Quantity:");
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.log.Count("Load"), 1);
    EXPECT_EQ(f.lQuantity, 2.5);
    ASSERT_EQ(forms::Forms().size(), 1u);
    EXPECT_EQ(forms::Forms()[0], &f);
    EXPECT_EQ(f.Window()->windowTitle().toStdString(), "Make An Order");
    EXPECT_EQ(f.txtQuantity.Widget()->objectName().toStdString(), "txtQuantity");
    EXPECT_EQ(f.txtQuantity.Widget()->accessibleDescription().toStdString(), "txtQuantity");
}

TEST(FormLifecycle, BuiltInMembersLoadTheFormAndLoadedFormsKeepLoadOrder) {
    forms::testing::Driver driver;
    EXPECT_EQ(Default<frmSplash>().Caption(), "Splash");
    Default<frmOrder>().Hide();
    auto forms = forms::Forms();
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_EQ(forms[0]->Name(), "frmSplash");
    EXPECT_EQ(forms[1]->Name(), "frmOrder");
    EXPECT_FALSE(Default<frmOrder>().Visible());
}

TEST(FormLifecycle, ReloadingRestoresDesignValuesButKeepsVariables) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Caption("Changed");
    f.txtQuantity.Text("42");
    f.comboCardType.ListIndex(2);
    f.lQuantity = 7;
    forms::Unload(f);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(f.txtQuantity.Text(), "1");  // touching reloads with design values
    EXPECT_EQ(f.Caption(), "Make An Order");
    EXPECT_EQ(f.comboCardType.ListIndex(), -1);
    EXPECT_EQ(f.comboCardType.ListCount(), 4);
    EXPECT_EQ(f.lQuantity, 7);
    EXPECT_EQ(f.log.Count("Load"), 2);
}

TEST(FormLifecycle, ModalShowWaitsUntilTheFormHides) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    bool ranInside = false;
    driver.OnModal([&](forms::Form& shown) {
        ranInside = true;
        EXPECT_EQ(&shown, &f);
        EXPECT_TRUE(shown.Visible());
        EXPECT_TRUE(driver.Click(f.cmdOrder));
        EXPECT_TRUE(driver.Click(f.cmdCancel));  // hides the form
    });
    f.Show(forms::vbModal);
    EXPECT_TRUE(ranInside);
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.log.Count("cmdOrder_Click"), 1);
    EXPECT_EQ(f.log.Count("cmdCancel_Click"), 1);
    EXPECT_EQ(f.log.Count("Activate"), 1);
    ASSERT_EQ(driver.ModalShows().size(), 1u);
    EXPECT_EQ(driver.ModalShows()[0], "frmOrder");
}

TEST(FormLifecycle, ModalShowReturnsWhenTheUserClosesTheWindow) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    driver.OnModal([&](forms::Form& shown) { driver.Close(shown); });
    f.Show(forms::vbModal);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(f.lastUnloadMode, forms::vbFormControlMenu);
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST(FormLifecycle, ModalShowWithoutScriptIsClosedByTheDriver) {
    forms::testing::Driver driver;
    Default<frmSplash>().Show(forms::vbModal);
    EXPECT_FALSE(Default<frmSplash>().IsLoaded());
    EXPECT_EQ(driver.ModalShows().size(), 1u);
}

TEST(FormLifecycle, ShowingAVisibleFormModallyFails) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    try {
        f.Show(forms::vbModal);
        FAIL() << "expected error 400";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 400);
    }
}

TEST(FormLifecycle, QueryUnloadAndUnloadCanCancel) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    f.cancelQueryUnload = true;
    forms::Unload(f);
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_EQ(f.lastUnloadMode, forms::vbFormCode);
    EXPECT_EQ(f.log.Count("Unload"), 0);

    f.cancelQueryUnload = false;
    f.cancelUnload = true;
    driver.Close(f);
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_EQ(f.lastUnloadMode, forms::vbFormControlMenu);
    EXPECT_EQ(f.log.Count("Unload"), 1);

    f.cancelUnload = false;
    forms::Unload(f);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(f.txtName.Widget(), nullptr);
}

TEST(FormLifecycle, UnloadRaisesQueryUnloadThenUnloadAndRemovesTheWindows) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    const win::HWND form = f.hWnd();
    const win::HWND button = f.cmdOrder.hWnd();
    ASSERT_TRUE(win::IsWindow(form));
    ASSERT_TRUE(win::IsWindow(button));
    f.log.entries.clear();
    forms::Unload(f);
    EXPECT_EQ(f.log.entries, (std::vector<std::string>{"QueryUnload 1", "Unload"}));
    EXPECT_FALSE(win::IsWindow(form));
    EXPECT_FALSE(win::IsWindow(button));
    EXPECT_TRUE(forms::Forms().empty());
}

TEST(FormLifecycle, UnloadingEveryFormAgainFromQueryUnloadUnloadsEachOnce) {
    forms::testing::Driver driver;
    frmSplash& splash = Default<frmSplash>();
    frmOrder& main = Default<frmOrder>();
    splash.Show();
    main.Show();
    splash.Hide();
    // The main window unloads everything again from its QueryUnload.
    main.onQueryUnload = [] { formtest::UnloadAllForms(); };
    formtest::UnloadAllForms();
    EXPECT_FALSE(splash.IsLoaded());
    EXPECT_FALSE(main.IsLoaded());
    EXPECT_EQ(splash.log.Count("Unload"), 1);
    EXPECT_EQ(main.log.Count("Unload"), 1);
    EXPECT_EQ(splash.log.Count("QueryUnload 1"), 1);
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST(FormLifecycle, RunReturnsWhenTheLastFormUnloads) {
    forms::testing::Driver driver;
    int argc = 1;
    forms::Application app(argc, nullptr);
    frmSplash& splash = Default<frmSplash>();
    const int rc = app.Run([&] {
        splash.Show();
        EXPECT_FALSE(forms::ProgramEnded());  // Main still runs
        QTimer::singleShot(10, [&] { driver.Close(splash); });
    });
    EXPECT_EQ(rc, 0);
    EXPECT_FALSE(splash.IsLoaded());
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST(FormLifecycle, RunReturnsAtOnceWhenMainLeavesNoForm) {
    forms::testing::Driver driver;
    int argc = 1;
    forms::Application app(argc, nullptr);
    EXPECT_EQ(app.Run([] { Default<frmSplash>().Show(); formtest::UnloadAllForms(); }), 0);
}

class frmEnder : public forms::Form {
public:
    frmEnder() : Form("frmEnder") {
        cmdExit.Click = [this] {
            forms::End();
            afterEnd = true;  // never runs
        };
        cmdFail.Click = [] { vb::RaiseError(13); };
    }
    bool afterEnd = false;
    int unloads = 0;
    forms::CommandButton cmdExit{this, "cmdExit", "E&xit", 120, 120};
    forms::CommandButton cmdFail{this, "cmdFail", "Fail", 120, 600};

protected:
    void Form_Unload(std::int16_t&) override { ++unloads; }
};

TEST(FormLifecycle, EndRemovesEveryFormAtOnceWithoutEvents) {
    forms::testing::Driver driver;
    frmEnder& f = Default<frmEnder>();
    f.Show();
    Default<frmSplash>().Show();
    const win::HWND h = f.hWnd();
    EXPECT_TRUE(driver.Click(f.cmdExit));
    EXPECT_FALSE(f.afterEnd);
    EXPECT_EQ(f.unloads, 0);
    EXPECT_EQ(Default<frmSplash>().log.Count("Unload"), 0);
    EXPECT_TRUE(forms::Forms().empty());
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_FALSE(win::IsWindow(h));
}

TEST(FormLifecycle, EndInsideAModalFormEndsTheCallerToo) {
    forms::testing::Driver driver;
    frmEnder& f = Default<frmEnder>();
    bool after = false;
    driver.OnModal([&](forms::Form&) { driver.Click(f.cmdExit); });
    EXPECT_THROW(
        {
            f.Show(forms::vbModal);
            after = true;
        },
        forms::EndRequest);
    EXPECT_FALSE(after);
    EXPECT_TRUE(forms::ProgramEnded());
}

TEST(FormLifecycle, AnUnhandledErrorInAnEventShowsTheErrorBoxAndEnds) {
    forms::testing::Driver driver;
    forms::SetAppTitle("Orvanta Online C");
    frmEnder& f = Default<frmEnder>();
    f.Show();
    EXPECT_TRUE(driver.Click(f.cmdFail));
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].title, "Orvanta Online C");
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Run-time error '13':\r\n\r\nType mismatch");
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_FALSE(f.IsLoaded());
}

// Errors that leave code Qt called directly (a queued call, a timer's slot)
// end the program like an error in an event handler, never the process.
TEST(FormLifecycle, AnUntrappedErrorOutsideAnEventHandlerShowsTheErrorBoxAndEnds) {
    forms::testing::Driver driver;
    forms::SetAppTitle("Orvanta Inventory C");
    frmEnder& f = Default<frmEnder>();
    f.Show();
    QMetaObject::invokeMethod(qApp, [] { vb::RaiseError(11); }, Qt::QueuedConnection);
    for (int i = 0; i < 100 && !forms::ProgramEnded(); ++i) driver.ProcessEvents();
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].title, "Orvanta Inventory C");
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Run-time error '11':\r\n\r\nDivision by zero");
    EXPECT_EQ(driver.MessageBoxes()[0].style, forms::vbCritical);
    EXPECT_TRUE(forms::ProgramEnded());
    EXPECT_FALSE(f.IsLoaded());
}

TEST(FormLifecycle, AnErrorOfNoKnownKindIsAnInternalError) {
    forms::testing::Driver driver;
    Default<frmEnder>().Show();
    QMetaObject::invokeMethod(qApp, [] { throw 42; }, Qt::QueuedConnection);
    for (int i = 0; i < 100 && !forms::ProgramEnded(); ++i) driver.ProcessEvents();
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Run-time error '51':\r\n\r\nInternal error");
    EXPECT_TRUE(forms::ProgramEnded());
}

class frmBadLoad : public forms::Form {
public:
    frmBadLoad() : Form("frmBadLoad") {}

protected:
    void Form_Load() override { vb::RaiseError(53); }
};

TEST(FormLifecycle, AnErrorInFormLoadReachesTheCodeThatLoadedIt) {
    forms::testing::Driver driver;
    try {
        Default<frmBadLoad>().Show();
        FAIL() << "expected error 53";
    } catch (const vb::VBError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    EXPECT_TRUE(driver.MessageBoxes().empty());
}

TEST(FormLifecycle, NewInstancesAreSeparateFromTheDefaultOne) {
    forms::testing::Driver driver;
    auto confirm = forms::New<frmSplash>();
    confirm->Show();
    EXPECT_TRUE(confirm->IsLoaded());
    EXPECT_FALSE(forms::HasDefault<frmSplash>());
    Default<frmSplash>().Show();
    EXPECT_EQ(forms::Forms().size(), 2u);
    confirm->Hide();
    // The Forms collection keeps a hidden form alive even when the program lets go of it.
    std::weak_ptr<frmSplash> weak = confirm;
    confirm.reset();
    EXPECT_FALSE(weak.expired());
    formtest::UnloadAllForms();
    driver.ProcessEvents();
    EXPECT_TRUE(weak.expired());
}

// An unloaded form's window is deleted once the event loop runs again. Its
// events meanwhile reach no form: neither the form loaded again in a new
// window nor a form that is gone.
TEST(FormLifecycle, EventsOfAnUnloadedFormsOldWindowReachNoForm) {
    forms::testing::Driver driver;
    auto f = forms::New<frmOrder>();
    f->Show();
    QPointer<QWidget> old = f->Window();
    forms::Unload(*f);
    f->Show();
    ASSERT_TRUE(old);
    ASSERT_NE(f->Window(), old.data());
    const int queries = f->log.Count("QueryUnload 0");
    QCloseEvent close;
    QApplication::sendEvent(old, &close);
    EXPECT_TRUE(f->IsLoaded());
    EXPECT_EQ(f->log.Count("QueryUnload 0"), queries);

    QPointer<QWidget> last = f->Window();
    forms::Unload(*f);
    std::weak_ptr<frmOrder> weak = f;
    f.reset();
    // The unloaded form goes at the next turn of the event loop, which does
    // not delete the window yet.
    QCoreApplication::processEvents();
    ASSERT_TRUE(weak.expired());
    ASSERT_TRUE(last);
    QWindowStateChangeEvent state(Qt::WindowNoState);
    QApplication::sendEvent(last, &state);
    QResizeEvent resize(QSize(300, 200), QSize(200, 100));
    QApplication::sendEvent(last, &resize);
    QMoveEvent move(QPoint(5, 5), QPoint(0, 0));
    QApplication::sendEvent(last, &move);
    QApplication::sendEvent(last, &close);
    driver.ProcessEvents();
    EXPECT_FALSE(last);
}

TEST(FormLifecycle, ResizeAndActivateFollowShowAndSize) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    f.Show();
    EXPECT_EQ(f.log.entries, (std::vector<std::string>{"Load", "Resize", "Activate"}));
    EXPECT_EQ(f.ScaleWidth(), 6000);
    EXPECT_EQ(f.Width(), 6000 + 120);
    f.Width(7000);
    EXPECT_EQ(f.ScaleWidth(), 7000 - 120);
    EXPECT_EQ(f.log.Count("Resize"), 2);
    EXPECT_EQ(f.Window()->findChild<QWidget*>("frmOrder.client")->width(), forms::TwipsToPixels(7000 - 120));
}

TEST(FormLifecycle, TextWidthGrowsWithTheText) {
    forms::testing::Driver driver;
    frmOrder& f = Default<frmOrder>();
    const forms::Twips one = f.TextWidth("ORDERID");
    const forms::Twips two = f.TextWidth("ORDERIDORDERID");
    EXPECT_GT(one, 0);
    EXPECT_NEAR(two, 2 * one, 30);
    EXPECT_EQ(static_cast<int>(one) % 15, 0);
}

}  // namespace

namespace {

TEST(FormLifecycle, DoEventsOfTheBasicLayerRunsPendingEvents) {
    forms::testing::Driver driver;
    frmSplash& f = Default<frmSplash>();
    f.Show();
    QTimer::singleShot(0, [&] { driver.Close(f); });
    vb::DoEvents();
    EXPECT_FALSE(f.IsLoaded());
}

TEST(FormLifecycle, ScreenMousePointerShowsTheBusyCursorForTheWholeProgram) {
    forms::testing::Driver driver;
    forms::Screen.MousePointer(forms::vbHourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    forms::Screen.MousePointer(forms::vbHourglass);  // again: still one override
    forms::Screen.MousePointer(forms::vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(forms::Screen.MousePointer(), 0);
}

}  // namespace
