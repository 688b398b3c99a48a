// List and combo boxes with many entries: the compact store behind them, and
// the toolkit's view of it, which hears of entries added at the end in one
// step.
#include <QApplication>
#include <QComboBox>
#include <QListView>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "list_entries.h"
#include "test_forms.h"

using forms::Default;

namespace {

TEST(ListEntries, TextsSurviveReplacementsRemovalsAndTheRewriteOfTheirBuffer) {
    forms::ListEntries entries;
    std::vector<std::string> expected;
    std::mt19937 random(7);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = "entry " + std::to_string(i) + std::string(random() % 40, 'x');
        const std::size_t at = expected.empty() ? 0 : random() % (expected.size() + 1);
        entries.insert(at, text);
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), text);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) entries.setItemData(i, static_cast<std::int32_t>(i));
    // Replace and remove until the buffer has been rewritten several times.
    for (int round = 0; round < 20000; ++round) {
        const std::size_t at = random() % expected.size();
        if (round % 3 == 0) {
            entries.erase(at);
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
            entries.insert(at, "again " + std::to_string(round));
            expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), "again " + std::to_string(round));
        } else {
            const std::string text = "changed " + std::to_string(round) + std::string(random() % 60, 'y');
            entries.setText(at, text);
            expected[at] = text;
        }
    }
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(entries.text(i), expected[i]) << i;
    // What replaced texts left behind stays below half of what is kept.
    std::size_t live = 0;
    for (const auto& e : expected) live += e.size();
    EXPECT_LE(entries.unusedTextBytes(), std::max<std::size_t>(live, 4096));
}

TEST(ListEntries, AnEntryTakesTheTextOfAnotherAndEmptyTextsAreKept) {
    forms::ListEntries entries;
    entries.insert(0, "first");
    entries.insert(1, "");
    entries.insert(2, "third");
    entries.setText(1, entries.text(0));  // a view into the store itself
    entries.setText(0, entries.text(2));
    EXPECT_EQ(entries.text(0), "third");
    EXPECT_EQ(entries.text(1), "first");
    entries.setText(2, "");
    EXPECT_EQ(entries.text(2), "");
    entries.clear();
    EXPECT_TRUE(entries.empty());
    entries.insert(0, "after clearing");
    EXPECT_EQ(entries.text(0), "after clearing");
    EXPECT_EQ(entries.itemData(0), 0);
}

class frmManyEntries : public forms::Form {
public:
    frmManyEntries() : Form("frmManyEntries") {
        lstSorted.Sorted(true);
        lstPlain.Click = [this] { ++plainClicks; };
        cboPeople.Click = [this] { ++comboClicks; };
    }
    int plainClicks = 0, comboClicks = 0;
    forms::ListBox lstPlain{this, "lstPlain", 120, 120, 2000, 1200};
    forms::ListBox lstSorted{this, "lstSorted", 2400, 120, 2000, 1200};
    forms::ComboBox cboPeople{this, "cboPeople", 120, 1500, 2000, 315};
};

const QAbstractItemModel& ShownEntries(forms::ListBox& list) {
    return *qobject_cast<QListView*>(list.Widget())->model();
}

std::string ShownText(const QAbstractItemModel& model, int row) {
    return model.index(row, 0).data().toString().toStdString();
}

TEST(ManyListEntries, TheViewSeesEveryEntryAddedAndEveryChangeAfterwards) {
    forms::testing::Driver driver;
    frmManyEntries& f = Default<frmManyEntries>();
    f.Show();
    for (int i = 0; i < 5000; ++i) {
        f.lstPlain.AddItem("name " + std::to_string(i));
        f.lstPlain.ItemData(f.lstPlain.NewIndex(), 10 * i);
    }
    QApplication::processEvents();
    const QAbstractItemModel& shown = ShownEntries(f.lstPlain);
    ASSERT_EQ(shown.rowCount(), 5000);
    EXPECT_EQ(ShownText(shown, 4999), "name 4999");

    // Chosen by code right after a batch, before the event loop runs.
    for (int i = 5000; i < 6000; ++i) f.lstPlain.AddItem("name " + std::to_string(i));
    f.lstPlain.ListIndex(5999);
    EXPECT_EQ(f.plainClicks, 1);
    EXPECT_EQ(shown.rowCount(), 6000);
    EXPECT_EQ(qobject_cast<QListView*>(f.lstPlain.Widget())->currentIndex().row(), 5999);

    // An entry put in front moves the selection with it; one removed closes up.
    f.lstPlain.AddItem("in front", 0);
    EXPECT_EQ(f.lstPlain.ListIndex(), 6000);
    EXPECT_EQ(qobject_cast<QListView*>(f.lstPlain.Widget())->currentIndex().row(), 6000);
    f.lstPlain.RemoveItem(3000);
    f.lstPlain.List(10, "renamed");
    QApplication::processEvents();
    ASSERT_EQ(shown.rowCount(), f.lstPlain.ListCount());
    for (int i = 0; i < f.lstPlain.ListCount(); i += 97) EXPECT_EQ(ShownText(shown, i), f.lstPlain.List(i)) << i;
    EXPECT_EQ(ShownText(shown, 10), "renamed");
    EXPECT_EQ(f.lstPlain.ItemData(1), 0);
    EXPECT_EQ(f.lstPlain.ItemData(3001), 10 * 3001);  // shifted by the one in front, back by the one removed

    // Cleared and filled again: item data belong to the new entries only.
    f.lstPlain.Clear();
    EXPECT_EQ(shown.rowCount(), 0);
    f.lstPlain.AddItem("only");
    EXPECT_EQ(f.lstPlain.ItemData(0), 0);
    QApplication::processEvents();
    EXPECT_EQ(shown.rowCount(), 1);
}

TEST(ManyListEntries, ASortedListPlacesEveryEntryInOrderIgnoringCase) {
    forms::testing::Driver driver;
    frmManyEntries& f = Default<frmManyEntries>();
    f.Show();
    std::mt19937 random(11);
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i) {
        std::string name;
        for (int k = 0; k < 3; ++k) name += static_cast<char>((random() % 2 ? 'a' : 'A') + random() % 4);
        names.push_back(name);
        f.lstSorted.AddItem(name);
        // NewIndex tells where it went: after every entry that is not greater.
        const int at = f.lstSorted.NewIndex();
        ASSERT_EQ(f.lstSorted.List(at), name);
        if (at + 1 < f.lstSorted.ListCount()) {
            ASSERT_LT(QString::compare(QString::fromStdString(name), QString::fromStdString(f.lstSorted.List(at + 1)),
                                       Qt::CaseInsensitive), 0);
        }
    }
    for (int i = 1; i < f.lstSorted.ListCount(); ++i) {
        ASSERT_LE(QString::compare(QString::fromStdString(f.lstSorted.List(i - 1)),
                                   QString::fromStdString(f.lstSorted.List(i)), Qt::CaseInsensitive), 0) << i;
    }
    QApplication::processEvents();
    const QAbstractItemModel& shown = ShownEntries(f.lstSorted);
    ASSERT_EQ(shown.rowCount(), 3000);
    for (int i = 0; i < 3000; i += 31) EXPECT_EQ(ShownText(shown, i), f.lstSorted.List(i));
}

TEST(ManyListEntries, AComboChosenByTextOrByTheUserAfterABatch) {
    forms::testing::Driver driver;
    frmManyEntries& f = Default<frmManyEntries>();
    f.Show();
    const std::string longText(5000, 'L');
    for (int i = 0; i < 2000; ++i) f.cboPeople.AddItem(i == 1234 ? longText : "person " + std::to_string(i));
    EXPECT_EQ(f.cboPeople.List(1234), longText);
    f.cboPeople.Text("PERSON 1999");
    EXPECT_EQ(f.cboPeople.ListIndex(), 1999);
    auto* combo = qobject_cast<QComboBox*>(f.cboPeople.Widget());
    EXPECT_EQ(combo->count(), 2000);
    EXPECT_EQ(combo->currentIndex(), 1999);
    for (int i = 2000; i < 2100; ++i) f.cboPeople.AddItem("person " + std::to_string(i));
    ASSERT_TRUE(driver.Choose(f.cboPeople, 2099));
    EXPECT_EQ(f.cboPeople.ListIndex(), 2099);
    EXPECT_EQ(f.cboPeople.Text(), "person 2099");
    EXPECT_EQ(f.comboClicks, 1);
    EXPECT_EQ(combo->itemText(1234).toStdString(), longText);
}

}  // namespace
