// What an outside testing tool reads of pbhanzel through the accessibility
// interfaces: menu items by their names.
#include <QAccessible>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

#include "hanzel_runtime.h"

namespace {

using namespace hanzel;

pbvm::Runtime& runtime() { return pbvm::Runtime::Get(); }

std::string Name(QAccessibleInterface* i) { return i ? i->text(QAccessible::Name).toStdString() : "<none>"; }
std::string Description(QAccessibleInterface* i) {
    return i ? i->text(QAccessible::Description).toStdString() : "<none>";
}

// The interface with this description below `root` having `role`, as a tool
// walks the tree from a window.
QAccessibleInterface* Find(QAccessibleInterface* root, const std::string& description, QAccessible::Role role,
                           int depth = 0) {
    if (!root || depth > 12) return nullptr;
    if (Description(root) == description && root->role() == role) return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* found = Find(root->child(i), description, role, depth + 1)) return found;
    }
    return nullptr;
}

class Accessibility : public test::HanzelTest {
protected:
    void SetUp() override {
        QAccessible::setActive(true);
        HanzelTest::SetUp();
    }
    void TearDown() override {
        HanzelTest::TearDown();
        QAccessible::setActive(false);
    }
    QMainWindow* window(const std::string& name) { return qobject_cast<QMainWindow*>(runtime().Window(name)); }
};

TEST_F(Accessibility, MenuItemsCarryTheirNamesAndCanBeChosen) {
    runtime().StartApplication("");
    QMainWindow* main = window("w_main1");
    ASSERT_TRUE(main);
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(main);
    ASSERT_TRUE(frame);
    const std::pair<const char*, const char*> items[] = {
        {"m_file", "File"}, {"m_exit", "Exit"}, {"m_about", "About"},
        {"m_samples", "Samples"}, {"m_samplecomponents", "Sample Components"}};
    for (const auto& [name, caption] : items) {
        QAccessibleInterface* item = Find(frame, name, QAccessible::MenuItem);
        ASSERT_TRUE(item) << name;
        EXPECT_EQ(Name(item), caption);
    }
    QAccessibleInterface* about = Find(frame, "m_about", QAccessible::MenuItem);
    ASSERT_TRUE(about->actionInterface());
    EXPECT_EQ(about->text(QAccessible::Accelerator).toStdString(), "Alt+A");
    about->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_TRUE(window("w_about"));
}

}  // namespace
