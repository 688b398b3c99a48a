// What the windows look like: static texts in the faces drawn for "Arial"
// are whole (a long one breaks onto the lines below), a window without a
// back colour of its own has the desktop's grey, and message boxes carry no
// toolkit icons on their buttons.
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTimer>

#include "hanzel_runtime.h"
#include "vm_state.h"

namespace {

using namespace hanzel;

pbvm::Runtime& runtime() { return pbvm::Runtime::Get(); }

class WindowLooks : public test::HanzelTest {
protected:
    QMainWindow* openSamples() {
        runtime().StartApplication("");
        auto* main = qobject_cast<QMainWindow*>(runtime().Window("w_main1"));
        if (!main) return nullptr;
        main->findChild<QPushButton*>("cb_main_next")->click();
        return qobject_cast<QMainWindow*>(runtime().Window("w_samples"));
    }
};

// Whether the label shows all of its text inside its own rectangle.
bool ShowsWhole(const QLabel* label) {
    const QRect room = label->contentsRect();
    const QRect needed = label->fontMetrics().boundingRect(
        QRect(0, 0, room.width(), 100000), label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}

TEST_F(WindowLooks, TheSamplesWindowsTitlesShowWhole) {
    if (!QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "the Liberation fonts are not installed (fonts-liberation)";
    QMainWindow* samples = openSamples();
    ASSERT_TRUE(samples);
    for (const char* name : {"st_dw_label", "st_dw_label2", "st_tree_abel", "st_ocx_label"}) {
        auto* label = samples->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_TRUE(label) << name;
        EXPECT_TRUE(ShowsWhole(label)) << name << ": " << label->text().toStdString();
    }
    // The long one takes two lines.
    auto* label = samples->findChild<QLabel*>("st_dw_label");
    EXPECT_GT(label->fontMetrics().horizontalAdvance(label->text()), label->width());
}

TEST_F(WindowLooks, TheSamplesWindowIsGreyBelowItsTabControl) {
    QMainWindow* samples = openSamples();
    ASSERT_TRUE(samples);
    QWidget* client = samples->centralWidget();
    auto* tabs = samples->findChild<QTabWidget*>("tab_control1");
    ASSERT_TRUE(tabs);
    ASSERT_LT(tabs->geometry().bottom() + 4, client->height());
    const QImage picture = client->grab().toImage();
    EXPECT_EQ(picture.pixelColor(client->width() / 2, client->height() - 3), QColor(192, 192, 192));
}

// A style that puts icons on dialog buttons, as some desktops' do.
class ButtonIconStyle : public QProxyStyle {
public:
    ButtonIconStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

TEST_F(WindowLooks, MessageBoxButtonsCarryNoIcons) {
    runtime().SetMessageBoxHandler(nullptr);
    const QString styleName = QApplication::style()->name();
    QApplication::setStyle(new ButtonIconStyle);
    std::vector<std::string> buttons;
    bool anyIcon = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton* b : box->buttons()) {
            buttons.push_back(b->text().toStdString());
            anyIcon = anyIcon || !b->icon().isNull();
        }
        box->accept();
    });
    EXPECT_EQ(pbvm::ShowMessage("Hanzel", "A message", 0), 1);
    QApplication::setStyle(QStyleFactory::create(styleName));
    EXPECT_EQ(buttons, std::vector<std::string>{"OK"});
    EXPECT_FALSE(anyIcon);
}

}  // namespace
