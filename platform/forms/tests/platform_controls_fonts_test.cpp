// The fonts the controls draw with: each control draws in the font its Font
// object reports, a face left empty is the face of the form, and the grids'
// headers draw in the grid's font; a tree shows nodes wider than itself in
// full, with a scroll bar.
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "platform_controls_forms.h"

using forms::Default;
using pctest::frmAdmin;
using pctest::frmCatalogue;
using pctest::frmExisting;

namespace {

// The font a form's controls get for a Western locale when it loads: the
// character set 1, no face name, 8 points.
void SetLocaleFont(forms::Control& control) {
    control.Font().Charset(1);
    control.Font().Name("");
    control.Font().Size(8);
}

// Sets a font of its own for some kinds of Qt widget for as long as it
// lives, as a desktop theme may do.
class WidgetKindFonts {
public:
    WidgetKindFonts() : saved_(QApplication::font()) {
        const QFont large(QStringLiteral("Serif"), 20, QFont::Bold);
        for (const char* kind : {"QHeaderView", "QAbstractItemView", "QTableView", "QLabel"})
            QApplication::setFont(large, kind);
    }
    ~WidgetKindFonts() { QApplication::setFont(saved_); }  // drops the kinds' fonts

private:
    QFont saved_;
};

void ExpectDrawnIn(const QWidget* widget, const QWidget* client, double points) {
    EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), points);
    EXPECT_EQ(widget->font().family(), client->font().family());
    EXPECT_FALSE(widget->font().bold());
    EXPECT_EQ(QFontInfo(widget->font()).family(), QFontInfo(client->font()).family());
}

TEST(PlatformFonts, ControlsDrawInTheFontTheyReport) {
    forms::testing::Driver driver;
    frmExisting& f = Default<frmExisting>();
    f.Show();
    forms::FlexGrid& grid = f.FlexigridOrders;
    QWidget* client = f.ClientWidget();
    ASSERT_NE(grid.View(), nullptr);

    // Designed: the form's font, drawn alike by the form and the grid.
    EXPECT_EQ(grid.Font().Name(), f.Font().Name());
    EXPECT_EQ(grid.Font().Size(), f.Font().Size());
    EXPECT_EQ(grid.View()->font(), client->font());

    // The locale's font on the grid: 8 points in the form's face; the form
    // keeps its own font, and its TextWidth measures with that.
    SetLocaleFont(grid);
    ExpectDrawnIn(grid.View(), client, 8);
    EXPECT_DOUBLE_EQ(client->font().pointSizeF(), f.Font().Size());
    EXPECT_NE(f.Font().Size(), 8);

    // A face named and then cleared goes back to the form's face.
    grid.Font().Name("Courier");
    EXPECT_EQ(grid.View()->font().family(), QStringLiteral("Courier"));
    grid.Font().Name("");
    ExpectDrawnIn(grid.View(), client, 8);

    // Unloading brings back the designed font.
    forms::Unload(f);
    f.Show();
    EXPECT_EQ(grid.View()->font(), client->font());
}

// The faces the forms name, where not installed, are drawn in faces of the
// same widths; the application's own font is the forms' default.
TEST(PlatformFonts, NamedFacesDrawInFacesOfTheirWidths) {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "the Liberation fonts are not installed (fonts-liberation)";
    const QStringList installed = QFontDatabase::families();
    const std::pair<const char*, const char*> faces[] = {
        {"MS Sans Serif", "Liberation Sans"},    {"Arial", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},           {"Arial Narrow", "Liberation Sans Narrow"},
        {"Times New Roman", "Liberation Serif"}, {"MS Serif", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},      {"Courier", "Liberation Mono"}};
    for (const auto& [face, drawn] : faces) {
        if (installed.contains(QString::fromLatin1(face))) continue;
        EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(face))).family().toStdString(), drawn) << face;
    }

    EXPECT_EQ(QApplication::font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_DOUBLE_EQ(QApplication::font().pointSizeF(), 8.25);
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    EXPECT_EQ(QFontInfo(f.lblComposer.Widget()->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(f.treMain.Widget()->font()).family(), QStringLiteral("Liberation Sans"));
    // The locale's empty face is the form's.
    SetLocaleFont(f.lblComposer);
    EXPECT_EQ(QFontInfo(f.lblComposer.Widget()->font()).family(), QStringLiteral("Liberation Sans"));
}

TEST(PlatformFonts, KindsOfWidgetsGetNoFontOfTheirOwn) {
    WidgetKindFonts themed;
    forms::testing::Driver driver;

    frmExisting& orders = Default<frmExisting>();
    orders.Show();
    SetLocaleFont(orders.FlexigridOrders);
    ExpectDrawnIn(orders.FlexigridOrders.View(), orders.ClientWidget(), 8);

    frmAdmin& admin = Default<frmAdmin>();
    admin.Show();
    SetLocaleFont(admin.dbgridAdmin);
    QTableView* view = admin.dbgridAdmin.View();
    ASSERT_NE(view, nullptr);
    ExpectDrawnIn(view, admin.ClientWidget(), 8);
    // The header of the grid, and its caption bar, draw in the grid's font.
    ExpectDrawnIn(view->horizontalHeader(), admin.ClientWidget(), 8);
    EXPECT_EQ(view->horizontalHeader()->font(), view->font());
    for (const QLabel* caption : admin.dbgridAdmin.Widget()->findChildren<QLabel*>()) {
        EXPECT_EQ(caption->font(), view->font());
    }

    // A form's labels too (the form itself is not themed).
    frmCatalogue& catalogue = Default<frmCatalogue>();
    catalogue.Show();
    SetLocaleFont(catalogue.lblComposer);
    ExpectDrawnIn(catalogue.lblComposer.Widget(), catalogue.ClientWidget(), 8);
}

TEST(PlatformFonts, GridCellsLeaveRoomBesideTheirText) {
    forms::testing::Driver driver;
    frmExisting& f = Default<frmExisting>();
    const forms::Twips padding = f.FlexigridOrders.CellTextPadding();
    // Margins on both sides of the text and the grid line: a few pixels.
    EXPECT_GE(padding, forms::PixelsToTwips(3));
    EXPECT_LE(padding, forms::PixelsToTwips(16));
    // The same before the grid has a widget.
    forms::Unload(f);
    auto other = forms::New<frmExisting>();
    EXPECT_FALSE(other->IsLoaded());
    EXPECT_EQ(other->FlexigridOrders.CellTextPadding(), padding);
    EXPECT_FALSE(other->IsLoaded());
}

TEST(PlatformTreeView, NodesWiderThanTheTreeScrollInsteadOfBeingCut) {
    forms::testing::Driver driver;
    frmCatalogue& f = Default<frmCatalogue>();
    f.Show();
    auto* tree = static_cast<QTreeWidget*>(f.treMain.Widget());
    const std::string longTitle = "Moonlight and Pathetique Sonatas, with the Appassionata and Les Adieux";
    f.treMain.Nodes().Add({}, forms::tvwLast, "Beethoven", "Beethoven", 1);
    f.treMain.Nodes().Add("Beethoven", forms::tvwChild, "P 1", longTitle, 2);
    f.treMain.Nodes()(vb::Variant("Beethoven")).Expanded(true);

    // A narrow tree: the column takes the whole title, a scroll bar reaches it.
    f.treMain.Width(1500);
    tree->doItemsLayout();
    const int titleWidth = tree->fontMetrics().horizontalAdvance(QString::fromStdString(longTitle));
    EXPECT_GT(tree->header()->sectionSize(0), titleWidth);
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);

    // A wide tree: the column fills the tree, no scroll bar is needed.
    f.treMain.Width(15000);
    tree->doItemsLayout();
    EXPECT_EQ(tree->header()->sectionSize(0), tree->viewport()->width());
    EXPECT_EQ(tree->horizontalScrollBar()->maximum(), 0);
}

}  // namespace
