#include "test_driver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QListView>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "acting_as_user.h"
#include "application.h"
#include "check_box.h"
#include "combo_box.h"
#include "command_button.h"
#include "form.h"
#include "list_box.h"
#include "list_entries_model.h"
#include "menu.h"
#include "msgbox.h"
#include "option_button.h"
#include "text_box.h"

namespace forms::testing {

namespace {
Driver* g_current = nullptr;

bool ClickWidget(QWidget* w) {
    if (!Reachable(w)) return false;
    Activate(w);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    return true;
}

void SendKey(QWidget* w, int key, char32_t character) {
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    QString text;
    if (character) {
        text = QString::fromUcs4(&character, 1);
        if (text.size() == 1 && text[0].isUpper()) mods |= Qt::ShiftModifier;
    }
    QPointer<QWidget> guard(w);
    QTest::sendKeyEvent(QTest::Press, w, static_cast<Qt::Key>(key), text, mods);
    if (guard) QTest::sendKeyEvent(QTest::Release, guard.data(), static_cast<Qt::Key>(key), text, mods);
}
}  // namespace

Driver::Driver() {
    EnsureQtApplication();
    detail::ResetRuntime();
    g_current = this;
    SetScriptedUser(this);
}

Driver::~Driver() {
    detail::ResetRuntime();
    if (g_current == this) {
        g_current = nullptr;
        SetScriptedUser(nullptr);
    }
}

Driver* Driver::Current() { return g_current; }

void Driver::AnswerMsgBox(int answer) { answers_.push_back(answer); }

void Driver::AnswerMsgBoxes(std::initializer_list<int> answers) {
    for (int a : answers) answers_.push_back(a);
}

int Driver::MsgBoxAnswer(const std::string& title, const std::string& text, int style) {
    RecordedMessageBox box{title, text, style, 0, true};
    if (answers_.empty()) {
        box.answer = MsgBoxDefaultAnswer(style);
        box.scripted = false;
    } else {
        box.answer = answers_.front();
        answers_.pop_front();
    }
    boxes_.push_back(box);
    return box.answer;
}

void Driver::OnModal(std::function<void(Form&)> action) { modalActions_.push_back(std::move(action)); }

void Driver::ModalShown(Form& form) {
    modals_.push_back(form.Name());
    std::function<void(Form&)> action;
    if (!modalActions_.empty()) {
        action = std::move(modalActions_.front());
        modalActions_.pop_front();
    }
    Form* target = &form;
    QPointer<QWidget> window(form.Window());
    QTimer::singleShot(0, [this, target, window, action] {
        if (!window || !target->IsLoaded() || !target->IsModal()) return;
        if (action) {
            RaiseEvent([&] { action(*target); });
        }
        ProcessEvents();
        if (window && target->IsLoaded() && target->IsModal() && target->Window() == window.data() &&
            window->isVisible()) {
            Close(*target);
        }
    });
}

void Driver::PopupShown(Menu& menu) { popups_.push_back(menu.QualifiedName()); }

bool Driver::Click(CommandButton& button) {
    button.Parent().EnsureLoaded();
    return ClickWidget(button.Widget());
}

bool Driver::Click(CheckBox& box) {
    box.Parent().EnsureLoaded();
    return ClickWidget(box.Widget());
}

bool Driver::Click(OptionButton& option) {
    option.Parent().EnsureLoaded();
    return ClickWidget(option.Widget());
}

bool Driver::ClickControl(Control& control) {
    control.Parent().EnsureLoaded();
    return ClickWidget(control.Widget());
}

bool Driver::DoubleClickControl(Control& control) {
    control.Parent().EnsureLoaded();
    QWidget* w = control.Widget();
    if (!Reachable(w)) return false;
    Activate(w);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    return true;
}

bool Driver::ChooseMenu(Menu& item) { return item.Choose(); }

void Driver::Focus(Control& control) {
    control.Parent().EnsureLoaded();
    QWidget* w = control.Widget();
    if (!w) return;
    Activate(w);
    w->setFocus(Qt::TabFocusReason);
}

void Driver::Type(TextBox& box, const std::string& text) {
    Focus(box);
    const QString q = QString::fromStdString(text);
    for (const QChar ch : q) {
        QWidget* w = box.Widget();
        if (!w || !box.Parent().IsLoaded()) return;
        switch (ch.unicode()) {
        case '\r': SendKey(w, Qt::Key_Return, U'\r'); break;
        case '\b': SendKey(w, Qt::Key_Backspace, U'\b'); break;
        case 0x1b: SendKey(w, Qt::Key_Escape, U'\x1b'); break;
        case '\t': SendKey(w, Qt::Key_Tab, U'\t'); break;
        default: {
            int key = 0;
            const QChar upper = ch.toUpper();
            if (upper >= 'A' && upper <= 'Z') key = Qt::Key_A + (upper.unicode() - 'A');
            else if (ch >= '0' && ch <= '9') key = Qt::Key_0 + (ch.unicode() - '0');
            else if (ch == ' ') key = Qt::Key_Space;
            else key = ch.unicode();
            SendKey(w, key, ch.unicode());
            break;
        }
        }
    }
}

void Driver::PressKey(Control& control, int qtKey, char32_t character) {
    Focus(control);
    if (QWidget* w = control.Widget()) SendKey(w, qtKey, character);
}

void Driver::PressKey(Form& form, int qtKey, char32_t character) {
    form.EnsureLoaded();
    QWidget* win = form.Window();
    if (!win) return;
    Activate(win);
    QWidget* target = win->focusWidget() ? win->focusWidget() : win;
    if (!win->focusWidget()) {
        if (QWidget* client = form.ClientWidget()) {
            client->setFocus(Qt::OtherFocusReason);
            target = client;
        }
    }
    SendKey(target, qtKey, character);
}

bool Driver::Choose(ComboBox& combo, int index) {
    combo.Parent().EnsureLoaded();
    auto* c = qobject_cast<QComboBox*>(combo.Widget());
    if (!Reachable(c)) return false;
    if (auto* entries = qobject_cast<detail::ListEntriesModel*>(c->model())) entries->Flush();
    if (index < 0 || index >= c->count()) return false;
    Activate(c);
    c->setFocus(Qt::MouseFocusReason);
    if (combo.Locked()) return false;
    c->setCurrentIndex(index);
    emit c->activated(index);
    emit c->textActivated(c->itemText(index));
    return true;
}

bool Driver::Choose(ComboBox& combo, const std::string& text) {
    combo.Parent().EnsureLoaded();
    auto* c = qobject_cast<QComboBox*>(combo.Widget());
    if (!c) return false;
    if (auto* entries = qobject_cast<detail::ListEntriesModel*>(c->model())) entries->Flush();
    const int index = c->findText(QString::fromStdString(text), Qt::MatchFixedString);
    return index >= 0 && Choose(combo, index);
}

bool Driver::Choose(ListBox& list, int index) {
    list.Parent().EnsureLoaded();
    auto* l = qobject_cast<QListView*>(list.Widget());
    if (!Reachable(l)) return false;
    if (auto* entries = qobject_cast<detail::ListEntriesModel*>(l->model())) entries->Flush();
    if (index < 0 || index >= l->model()->rowCount()) return false;
    Activate(l);
    const QModelIndex item = l->model()->index(index, 0);
    l->scrollTo(item);
    const QRect r = l->visualRect(item);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    return true;
}

bool Driver::Choose(ListBox& list, const std::string& text) {
    list.Parent().EnsureLoaded();
    for (std::int32_t i = 0; i < list.ListCount(); ++i)
        if (QString::fromStdString(list.List(i)).compare(QString::fromStdString(text), Qt::CaseInsensitive) == 0)
            return Choose(list, i);
    return false;
}

void Driver::Close(Form& form) {
    QWidget* win = form.Window();
    if (!win) return;
    win->close();
}

void Driver::ProcessEvents(int milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (milliseconds > 0) QTest::qWait(milliseconds);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace forms::testing
