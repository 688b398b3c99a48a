#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <unistd.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "window_table.h"

using namespace win;

namespace {

// One application for the whole test program, on the offscreen platform
// unless the environment names another.
void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "window_table_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

class WindowTable : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    // Each test starts and ends with no windows.
    void TearDown() override {
        for (HWND h : TopLevelWindows()) DestroyWindow(h);
    }
};

}  // namespace

TEST_F(WindowTable, WindowlessEntriesCarryClassStyleParentAndOwner) {
    HWND form = CreateWindowHandle(nullptr, "ThunderRT6FormDC", WS_CAPTION | WS_THICKFRAME, 0);
    HWND control = CreateWindowHandle(nullptr, "ZEVOTestWndClass", WS_CHILD | WS_VISIBLE, form);
    ASSERT_NE(form, 0u);
    ASSERT_NE(control, 0u);
    EXPECT_TRUE(IsWindow(form));
    EXPECT_EQ(GetClassName(control), "ZEVOTestWndClass");
    EXPECT_EQ(GetWindowStyle(control), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(GetParent(control), form);
    EXPECT_EQ(GetParent(form), 0u);
    std::uint32_t pid = 0;
    EXPECT_EQ(GetWindowThreadProcessId(control, &pid), static_cast<std::uint64_t>(gettid()));
    EXPECT_EQ(pid, static_cast<std::uint32_t>(getpid()));
    EXPECT_EQ(WidgetOf(control), nullptr);

    // Windows that do not exist answer with nothing.
    EXPECT_FALSE(IsWindow(0));
    EXPECT_EQ(GetClassName(0x7777777), "");
    EXPECT_EQ(GetWindowStyle(0x7777777), 0u);
    pid = 1;
    EXPECT_EQ(GetWindowThreadProcessId(0x7777777, &pid), 0u);
    EXPECT_EQ(pid, 0u);
    // A parent that is not a window makes no window.
    EXPECT_EQ(CreateWindowHandle(nullptr, "Static", WS_CHILD, 0x7777777), 0u);
}

TEST_F(WindowTable, HandlesAreNeverReused) {
    std::vector<HWND> seen;
    for (int i = 0; i < 50; ++i) {
        HWND h = CreateWindowHandle(nullptr, "X", 0, 0);
        for (HWND old : seen) ASSERT_NE(h, old);
        seen.push_back(h);
        DestroyWindow(h);
        EXPECT_FALSE(IsWindow(h));
    }
}

TEST_F(WindowTable, OwnerIsTheCreatingThread) {
    HWND made = 0;
    std::uint64_t threadId = 0;
    std::thread worker([&] {
        made = CreateWindowHandle(nullptr, "Worker", 0, 0);
        threadId = static_cast<std::uint64_t>(gettid());
    });
    worker.join();
    HWND mine = CreateWindowHandle(nullptr, "Main", 0, 0);
    EXPECT_EQ(GetWindowThreadProcessId(made), threadId);
    EXPECT_NE(GetWindowThreadProcessId(made), GetWindowThreadProcessId(mine));
}

TEST_F(WindowTable, PropertiesSetReadRemoved) {
    HWND form = CreateWindowHandle(nullptr, "ThunderRT6FormDC", 0, 0);
    EXPECT_TRUE(SetProp(form, "ZEVDISPHI", 0x1234));
    EXPECT_TRUE(SetProp(form, "ZEVDISPLO", 0x5678));
    EXPECT_TRUE(SetProp(form, "ZEVZERO", 0));
    EXPECT_EQ(GetProp(form, "ZEVDISPHI"), 0x1234u);
    // Names ignore case and keep the case first set.
    EXPECT_EQ(GetProp(form, "zevdisplo"), 0x5678u);
    EXPECT_TRUE(SetProp(form, "zevdisphi", 0xABCD));
    EXPECT_EQ(PropNames(form), (std::vector<std::string>{"ZEVDISPHI", "ZEVDISPLO", "ZEVZERO"}));
    EXPECT_EQ(GetProp(form, "ZEVDISPHI"), 0xABCDu);
    // A property set to 0 is there; a missing one reads 0.
    EXPECT_TRUE(HasProp(form, "ZEVZERO"));
    EXPECT_FALSE(HasProp(form, "ZEVINFOHI"));
    EXPECT_EQ(GetProp(form, "ZEVINFOHI"), 0u);

    EXPECT_EQ(RemoveProp(form, "ZevDispHi"), 0xABCDu);
    EXPECT_EQ(RemoveProp(form, "ZEVDISPHI"), 0u);
    EXPECT_FALSE(HasProp(form, "ZEVDISPHI"));
    EXPECT_EQ(PropNames(form), (std::vector<std::string>{"ZEVDISPLO", "ZEVZERO"}));

    // Values wider than 32 bits are kept whole.
    const HANDLE wide = static_cast<HANDLE>(0x123456789ABCull);
    EXPECT_TRUE(SetProp(form, "wide", wide));
    EXPECT_EQ(GetProp(form, "wide"), wide);

    EXPECT_FALSE(SetProp(form, "", 1));
    EXPECT_FALSE(SetProp(0x7777777, "ZEVSKIPME", 1));
    EXPECT_EQ(RemoveProp(0x7777777, "ZEVSKIPME"), 0u);
}

TEST_F(WindowTable, PropertiesGoWithTheWindowAndItsChildren) {
    HWND form = CreateWindowHandle(nullptr, "ThunderRT6FormDC", 0, 0);
    HWND frame = CreateWindowHandle(nullptr, "ThunderRT6Frame", WS_CHILD, form);
    HWND control = CreateWindowHandle(nullptr, "ZEVOTestWndClass", WS_CHILD, frame);
    HWND other = CreateWindowHandle(nullptr, "ThunderRT6FormDC", 0, 0);
    SetProp(form, "ZEVINFOLO", 1);
    SetProp(control, "ZEVSKIPME", 1);
    SetProp(other, "ZEVINFOLO", 2);

    DestroyWindow(form);
    for (HWND h : {form, frame, control}) {
        EXPECT_FALSE(IsWindow(h));
        EXPECT_TRUE(PropNames(h).empty());
        EXPECT_EQ(GetProp(h, "ZEVINFOLO") + GetProp(h, "ZEVSKIPME"), 0u);
        EXPECT_FALSE(SetProp(h, "ZEVSKIPME", 1));
    }
    EXPECT_EQ(GetProp(other, "ZEVINFOLO"), 2u);
    DestroyWindow(form);  // a second time does nothing
    EXPECT_TRUE(IsWindow(other));
}

TEST_F(WindowTable, WalksFollowCreationOrder) {
    HWND a = CreateWindowHandle(nullptr, "A", 0, 0);
    HWND a1 = CreateWindowHandle(nullptr, "A1", WS_CHILD, a);
    HWND b = CreateWindowHandle(nullptr, "B", 0, 0);
    HWND a2 = CreateWindowHandle(nullptr, "A2", WS_CHILD, a);
    HWND a1x = CreateWindowHandle(nullptr, "A1x", WS_CHILD, a1);
    EXPECT_EQ(TopLevelWindows(), (std::vector<HWND>{a, b}));
    EXPECT_EQ(ChildWindows(a), (std::vector<HWND>{a1, a2}));
    EXPECT_EQ(DescendantWindows(a), (std::vector<HWND>{a1, a1x, a2}));
    EXPECT_TRUE(DescendantWindows(b).empty());

    // The parent chain as an upward walk sees it.
    std::vector<std::string> chain;
    for (HWND w = a1x; w; w = GetParent(w)) chain.push_back(GetClassName(w));
    EXPECT_EQ(chain, (std::vector<std::string>{"A1x", "A1", "A"}));

    EXPECT_EQ(SetParent(a1, b), a);
    EXPECT_EQ(ChildWindows(b), std::vector<HWND>{a1});
    EXPECT_EQ(DescendantWindows(b), (std::vector<HWND>{a1, a1x}));
    // No cycles.
    EXPECT_EQ(SetParent(b, a1x), 0u);
    EXPECT_EQ(SetParent(b, b), 0u);
    EXPECT_EQ(GetParent(b), 0u);
    EXPECT_EQ(SetWindowStyle(a1, WS_CHILD | WS_DLGFRAME), static_cast<std::uint32_t>(WS_CHILD));
    EXPECT_EQ(GetWindowStyle(a1), WS_CHILD | WS_DLGFRAME);
}

TEST_F(WindowTable, WidgetDestructionDestroysItsHandle) {
    auto* form = new QWidget;
    auto* button = new QWidget(form);
    HWND hForm = CreateWindowHandle(form, "ThunderRT6FormDC", 0, 0);
    HWND hButton = CreateWindowHandle(button, "ThunderRT6CommandButton", WS_CHILD, hForm);
    SetProp(hForm, "ZEVINFOHI", 3);
    EXPECT_EQ(WidgetOf(hForm), form);
    EXPECT_EQ(HandleOf(button), hButton);
    EXPECT_EQ(CreateWindowHandle(form, "Other", WS_POPUP, 0), hForm);
    EXPECT_EQ(GetClassName(hForm), "ThunderRT6FormDC");

    delete button;
    EXPECT_FALSE(IsWindow(hButton));
    EXPECT_TRUE(IsWindow(hForm));
    EXPECT_TRUE(ChildWindows(hForm).empty());

    auto* again = new QWidget(form);
    HWND hAgain = CreateWindowHandle(again, "ThunderRT6CommandButton", WS_CHILD, hForm);
    EXPECT_NE(hAgain, hButton);
    delete form;  // takes `again` with it
    EXPECT_FALSE(IsWindow(hForm));
    EXPECT_FALSE(IsWindow(hAgain));
    EXPECT_EQ(GetProp(hForm, "ZEVINFOHI"), 0u);
    EXPECT_EQ(WidgetOf(hForm), nullptr);
}

TEST_F(WindowTable, DestroyWindowLeavesTheWidgetToItsOwner) {
    auto widget = std::make_unique<QWidget>();
    HWND h = CreateWindowHandle(widget.get(), "ThunderRT6FormDC", 0, 0);
    DestroyWindow(h);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(HandleOf(widget.get()), 0u);
    // The widget can get a new handle, and its later destruction is harmless.
    HWND h2 = CreateWindowHandle(widget.get(), "ThunderRT6FormDC", 0, 0);
    EXPECT_NE(h2, h);
    widget.reset();
    EXPECT_FALSE(IsWindow(h2));
}

TEST_F(WindowTable, ConcurrentUseFromManyThreads) {
    HWND form = CreateWindowHandle(nullptr, "ThunderRT6FormDC", 0, 0);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                const std::string name = "P" + std::to_string(t);
                HWND child = CreateWindowHandle(nullptr, "Static", WS_CHILD, form);
                if (!SetProp(form, name, static_cast<HANDLE>(i)) || GetProp(form, name) != static_cast<HANDLE>(i))
                    ++failures;
                if (GetParent(child) != form) ++failures;
                DestroyWindow(child);
                if (IsWindow(child)) ++failures;
            }
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(PropNames(form).size(), 8u);
    EXPECT_TRUE(ChildWindows(form).empty());
}
