// What an outside testing tool reads of pbhanzel through the accessibility
// interfaces: menu items by their names, the DataWindow graph's data and its
// whole category labels, message boxes by their titles and texts.
#include <QAccessible>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QChartView>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "chart_category_labels.h"
#include "hanzel_runtime.h"
#include "vm_state.h"

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
    // The samples window showing its DataWindows page.
    QMainWindow* samplesOnDataWindows() {
        runtime().StartApplication("");
        QMainWindow* main = window("w_main1");
        if (!main) return nullptr;
        main->findChild<QPushButton*>("cb_main_next")->click();
        QMainWindow* samples = window("w_samples");
        if (!samples) return nullptr;
        auto* tabs = samples->findChild<QTabWidget*>("tab_control1");
        if (!tabs) return nullptr;
        tabs->setCurrentIndex(1);
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
        return samples;
    }
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

// The texts the scene shows, their lines joined by blanks (after a hyphen,
// directly).
QStringList ShownTexts(QGraphicsScene* scene) {
    QStringList out;
    for (QGraphicsItem* item : scene->items()) {
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
            out << text->toPlainText().replace(QChar::LineSeparator, u'\n').replace("-\n", "-").replace(u'\n', u' ');
    }
    return out;
}

TEST_F(Accessibility, TheGraphShowsWholeLabelsAndToolsReadItsData) {
    QMainWindow* samples = samplesOnDataWindows();
    ASSERT_TRUE(samples);
    auto* view = samples->findChild<QWidget*>("dw_graph_2")->findChild<QChartView*>();
    ASSERT_TRUE(view);
    ASSERT_TRUE(view->isVisible());
    auto* axis = qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(axis);
    const QStringList products = charts::CategoryLabels(axis);
    ASSERT_EQ(products.size(), 5);
    const QStringList shown = ShownTexts(view->scene());
    for (const QString& product : products) EXPECT_TRUE(shown.contains(product)) << product.toStdString();
    for (const QString& text : shown) EXPECT_FALSE(text.contains(QStringLiteral("..."))) << text.toStdString();

    // A chart under the control's name, a point per product and series.
    QAccessibleInterface* chart =
        Find(QAccessible::queryAccessibleInterface(samples), "dw_graph_2", QAccessible::Chart);
    ASSERT_TRUE(chart);
    ASSERT_EQ(chart->childCount(), 10);
    QAccessibleTableInterface* table = chart->tableInterface();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columnDescription(0).toStdString(), "Cost Per Unit");
    EXPECT_EQ(table->columnDescription(1).toStdString(), "Price Per Unit");
    QStringList categories;
    for (int r = 0; r < table->rowCount(); ++r) categories << table->rowDescription(r);
    EXPECT_EQ(categories, products);
    const int widget = static_cast<int>(products.indexOf("Widget"));
    ASSERT_GE(widget, 0);
    QAccessibleInterface* price = table->cellAt(widget, 1);
    ASSERT_TRUE(price);
    const std::string name = Name(price);
    EXPECT_EQ(name, "Price Per Unit, Widget: " + price->text(QAccessible::Value).toStdString());
    EXPECT_GT(price->text(QAccessible::Value).toDouble(), 0);
    EXPECT_EQ(chart->child(widget * 2 + 1), price);
}

TEST_F(Accessibility, MessageBoxesNameTheirTitleAndText) {
    runtime().SetMessageBoxHandler(nullptr);
    std::string name, description;
    QAccessible::Role role = QAccessible::NoRole;
    QTimer::singleShot(10, [&] {
        QMessageBox* box = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
        }
        ASSERT_TRUE(box);
        QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(box);
        role = alert->role();
        name = Name(alert);
        description = Description(alert);
        box->close();
    });
    // Shown from the application's loop, as the program shows it.
    QTimer::singleShot(0, [] {
        pbvm::ShowMessage("Tavorin DSN DB Error", "3024 - The database file could not be found", 1);
        QApplication::exit(0);
    });
    QApplication::exec();
    EXPECT_EQ(role, QAccessible::AlertMessage);
    EXPECT_EQ(name, "Tavorin DSN DB Error");
    EXPECT_EQ(description, "3024 - The database file could not be found");
}

}  // namespace
