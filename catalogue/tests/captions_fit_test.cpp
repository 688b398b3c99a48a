// The album captions of the main window, in the faces drawn for the forms'
// fonts: the title, composer and conductor of every album are
// whole in every build.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>

#include "catalogue_fixture.h"
#include "frm_main.h"
#include "mod_main.h"

namespace catalogue::testing {
namespace {

class CaptionsFit : public CatalogueTest, public ::testing::WithParamInterface<Build> {};

// Whether `label` shows its whole caption: on one line, or on as many as it
// has room for when it wraps words.
bool ShowsWhole(const forms::Label& label) {
    const QLabel* widget = static_cast<const QLabel*>(label.Widget());
    const QRect room = widget->contentsRect();
    const QFontMetrics metrics(widget->font());
    const QString text = widget->text();
    if (!widget->wordWrap()) return metrics.horizontalAdvance(text) <= room.width();
    for (const QString& word : text.split(QLatin1Char(' '))) {
        if (metrics.horizontalAdvance(word) > room.width()) return false;
    }
    return metrics.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text).height() <=
           room.height();
}

TEST_P(CaptionsFit, EveryAlbumsTitleAndComposerShowWhole) {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "the Liberation fonts are not installed (fonts-liberation)";
    SetProgramBuild(GetParam());
    OpenDatabaseAsMain();
    frmMain& window = forms::Default<frmMain>();
    window.Show();
    forms::Nodes& nodes = window.treMain.Nodes();
    int albums = 0;
    for (int i = 1; i <= nodes.Count(); ++i) {
        forms::Node& node = nodes.Item(vb::Variant(i));
        if (node.Parent() == nullptr) continue;
        ClickNode(window.treMain, node);
        ++albums;
        ASSERT_EQ(window.lblComposition.Caption(), node.Text());
        for (const forms::Label* label : {&window.lblComposer, &window.lblComposition, &window.lblComposer2,
                                          &window.lblComposition2, &window.lblConductor}) {
            EXPECT_TRUE(ShowsWhole(*label)) << label->Name() << ": " << label->Caption();
        }
    }
    EXPECT_EQ(albums, 16);
}

INSTANTIATE_TEST_SUITE_P(Builds, CaptionsFit, ::testing::Values(Build::A, Build::B, Build::C),
                         [](const ::testing::TestParamInfo<Build>& info) {
                             return std::string(1, info.param == Build::A ? 'A' : info.param == Build::B ? 'B' : 'C');
                         });

}  // namespace
}  // namespace catalogue::testing
