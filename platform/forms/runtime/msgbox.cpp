#include "msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "application.h"
#include "bounded_text.h"
#include "form.h"
#include "scripted_user.h"

namespace forms {

std::vector<int> MsgBoxButtons(int style) {
    switch (style & 7) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

int MsgBoxDefaultAnswer(int style) {
    const std::vector<int> buttons = MsgBoxButtons(style);
    std::size_t which = static_cast<std::size_t>((style & 0x300) >> 8);
    if (which >= buttons.size()) which = 0;
    return buttons[which];
}

namespace {

QString ButtonText(int answer) {
    switch (answer) {
    case vbOK: return QStringLiteral("OK");
    case vbCancel: return QStringLiteral("Cancel");
    case vbAbort: return QStringLiteral("&Abort");
    case vbRetry: return QStringLiteral("&Retry");
    case vbIgnore: return QStringLiteral("&Ignore");
    case vbYes: return QStringLiteral("&Yes");
    case vbNo: return QStringLiteral("&No");
    default: return {};
    }
}

QMessageBox::ButtonRole RoleOf(int answer) {
    switch (answer) {
    case vbOK:
    case vbYes:
    case vbRetry: return QMessageBox::AcceptRole;
    case vbNo: return QMessageBox::NoRole;
    case vbCancel:
    case vbAbort: return QMessageBox::RejectRole;
    default: return QMessageBox::ActionRole;
    }
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

int MsgBox(const std::string& fullPrompt, int style, const std::string& title) {
    // Prompts and titles can carry texts from outside of any length.
    const std::string prompt = vb::BoundedShownText(fullPrompt);
    const std::string shownTitle = vb::BoundedShownText(title.empty() ? AppTitle() : title);
    if (ScriptedUser* user = CurrentScriptedUser()) return user->MsgBoxAnswer(shownTitle, prompt, style);
    EnsureQtApplication();
    Form* owner = ActiveForm();
    QMessageBox box(owner && owner->Window() ? owner->Window()->window() : nullptr);
    box.setWindowTitle(QString::fromStdString(shownTitle));
    box.setText(QString::fromStdString(prompt));
    box.setIcon(IconOf(style));
    box.setTextFormat(Qt::PlainText);
    // Accessibility tools read the title as its name and the text with it.
    box.setAccessibleName(box.windowTitle());
    box.setAccessibleDescription(box.text());
    const std::vector<int> answers = MsgBoxButtons(style);
    std::vector<QPushButton*> buttons;
    for (int a : answers) buttons.push_back(box.addButton(ButtonText(a), RoleOf(a)));
    const int def = MsgBoxDefaultAnswer(style);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        if (answers[i] == def) box.setDefaultButton(buttons[i]);
        if (answers[i] == vbCancel || (answers.size() == 1 && answers[i] == vbOK)) box.setEscapeButton(buttons[i]);
    }
    int result = def;
    // The box runs a loop of its own; events inside it are the user's.
    detail::RunNested([&] { box.exec(); });
    QAbstractButton* clicked = box.clickedButton();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == clicked) result = answers[i];
    }
    if (!clicked) {
        // Closed without a button: Cancel when offered, else the only button.
        for (int a : answers) {
            if (a == vbCancel) result = vbCancel;
        }
        if (answers.size() == 1) result = answers[0];
    }
    return result;
}

}  // namespace forms
