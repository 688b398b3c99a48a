#include "text_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "application.h"
#include "colors.h"
#include "err.h"
#include "member_names.h"

namespace forms {

namespace {
QString ToWidget(const std::string& s) {
    QString q = QString::fromStdString(s);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return q;
}

std::string WidgetText(const QString& q, bool multiLine) {
    if (!multiLine) return q.toStdString();
    QString t = q;
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return t.toStdString();
}

// Character counts of the program's text (CR LF counts two) against the widget's (one).
int ToWidgetPos(const std::string& text, int pos) {
    int w = 0;
    for (int i = 0; i < pos && i < static_cast<int>(text.size()); ++i) {
        if (text[static_cast<std::size_t>(i)] == '\r' && i + 1 < static_cast<int>(text.size()) &&
            text[static_cast<std::size_t>(i) + 1] == '\n')
            continue;
        ++w;
    }
    return w;
}
}  // namespace

TextBox::TextBox(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

TextBox::TextBox(ControlParent parent, std::string name, std::string text, Twips left, Twips top, Twips width,
                 Twips height)
    : TextBox(parent, std::move(name), left, top, width, height) {
    state_.text = std::move(text);
}

std::string TextBox::Text() const {
    Touch();
    return state_.text;
}

void TextBox::Text(const std::string& text) {
    Touch();
    if (text == state_.text) return;
    if (!widget_) {
        state_.text = text;
        common_.dataChanged = !settingBound_;
        return;
    }
    CallIntoQt([&] { SetWidgetText(text); });
}

void TextBox::SetWidgetText(const std::string& text) {
    if (auto* e = qobject_cast<QLineEdit*>(widget_)) {
        // Text set by the program shows from its start, the caret before it.
        e->setText(ToWidget(text));
        e->setCursorPosition(0);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget_)) {
        p->setPlainText(ToWidget(text));
    }
    // The widget may refuse part of it (maximum length); keep what it shows.
}

void TextBox::TextEdited(const std::string& text) {
    if (text == state_.text) return;
    state_.text = text;
    if (!settingBound_) common_.dataChanged = true;
    RaiseEvent(Change);
}

bool TextBox::Locked() const {
    Touch();
    return state_.locked;
}

void TextBox::Locked(bool v) {
    Touch();
    state_.locked = v;
    if (widget_) ApplyState();
}

std::string TextBox::PasswordChar() const {
    Touch();
    return state_.passwordChar;
}

void TextBox::PasswordChar(const std::string& c) {
    Touch();
    state_.passwordChar = c.substr(0, 1);
    if (widget_) ApplyState();
}

std::int32_t TextBox::MaxLength() const {
    Touch();
    return state_.maxLength;
}

void TextBox::MaxLength(std::int32_t v) {
    Touch();
    if (v < 0) vb::RaiseError(380);
    state_.maxLength = v;
    if (widget_) ApplyState();
}

bool TextBox::MultiLine() const {
    Touch();
    return state_.multiLine;
}

void TextBox::MultiLine(bool v) {
    if (!Host().IsDesigning()) vb::RaiseError(382);
    state_.multiLine = v;
}

std::int16_t TextBox::ScrollBars() const {
    Touch();
    return state_.scrollBars;
}

void TextBox::ScrollBars(std::int16_t v) {
    if (!Host().IsDesigning()) vb::RaiseError(382);
    if (v < 0 || v > 3) vb::RaiseError(380);
    state_.scrollBars = v;
}

std::int16_t TextBox::Alignment() const {
    Touch();
    return state_.alignment;
}

void TextBox::Alignment(std::int16_t v) {
    Touch();
    if (v < 0 || v > 2) vb::RaiseError(380);
    state_.alignment = v;
    if (widget_) ApplyState();
}

void TextBox::ReadSelection() const {
    auto* self = const_cast<TextBox*>(this);
    if (auto* e = qobject_cast<QLineEdit*>(widget_)) {
        if (e->hasSelectedText()) {
            self->selStart_ = e->selectionStart();
            self->selLength_ = static_cast<std::int32_t>(e->selectedText().size());
        } else {
            self->selStart_ = e->cursorPosition();
            self->selLength_ = 0;
        }
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget_)) {
        const QTextCursor c = p->textCursor();
        self->selStart_ = c.selectionStart();
        self->selLength_ = c.selectionEnd() - c.selectionStart();
    }
}

std::int32_t TextBox::SelStart() const {
    Touch();
    ReadSelection();
    return selStart_;
}

void TextBox::SelStart(std::int32_t v) {
    Touch();
    if (v < 0) vb::RaiseError(380);
    const auto len = static_cast<std::int32_t>(state_.text.size());
    selStart_ = std::min(v, len);
    selLength_ = 0;
    if (auto* e = qobject_cast<QLineEdit*>(widget_)) {
        e->setCursorPosition(selStart_);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget_)) {
        QTextCursor c = p->textCursor();
        c.setPosition(ToWidgetPos(state_.text, selStart_));
        p->setTextCursor(c);
    }
}

std::int32_t TextBox::SelLength() const {
    Touch();
    ReadSelection();
    return selLength_;
}

void TextBox::SelLength(std::int32_t v) {
    Touch();
    if (v < 0) vb::RaiseError(380);
    ReadSelection();
    const auto len = static_cast<std::int32_t>(state_.text.size());
    selLength_ = std::min(v, len - selStart_);
    if (auto* e = qobject_cast<QLineEdit*>(widget_)) {
        e->setSelection(selStart_, selLength_);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget_)) {
        QTextCursor c = p->textCursor();
        c.setPosition(ToWidgetPos(state_.text, selStart_));
        c.setPosition(ToWidgetPos(state_.text, selStart_ + selLength_), QTextCursor::KeepAnchor);
        p->setTextCursor(c);
    }
}

std::string TextBox::SelText() const {
    Touch();
    ReadSelection();
    if (selStart_ >= static_cast<std::int32_t>(state_.text.size())) return {};
    return state_.text.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void TextBox::SelText(const std::string& v) {
    Touch();
    ReadSelection();
    std::string t = state_.text;
    const auto start = static_cast<std::size_t>(std::min<std::int32_t>(selStart_, static_cast<std::int32_t>(t.size())));
    t.replace(start, static_cast<std::size_t>(selLength_), v);
    Text(t);
    SelStart(static_cast<std::int32_t>(start + v.size()));
}

std::int32_t TextBox::ForeColor() const {
    Touch();
    return state_.foreColor;
}

void TextBox::ForeColor(std::int32_t v) {
    Touch();
    state_.foreColor = v;
    if (widget_) ApplyState();
}

std::int32_t TextBox::BackColor() const {
    Touch();
    return state_.backColor;
}

void TextBox::BackColor(std::int32_t v) {
    Touch();
    state_.backColor = v;
    if (widget_) ApplyState();
}

void TextBox::ShowBoundValue(const vb::Variant& value) {
    settingBound_ = true;
    try {
        Text(value.IsNull() || value.IsEmpty() ? std::string() : value.ToString());
    } catch (...) {
        settingBound_ = false;
        common_.dataChanged = false;
        throw;
    }
    settingBound_ = false;
    common_.dataChanged = false;
}

QWidget* TextBox::CreateWidget(QWidget* parent) {
    if (state_.multiLine) {
        auto* p = new QPlainTextEdit(parent);
        p->setLineWrapMode(state_.scrollBars & 1 ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        p->setVerticalScrollBarPolicy(state_.scrollBars & 2 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        p->setTabChangesFocus(true);
        p->setPlainText(ToWidget(state_.text));
        QObject::connect(p, &QPlainTextEdit::textChanged, connections_,
                         [this, p] { TextEdited(WidgetText(p->toPlainText(), true)); });
        return p;
    }
    auto* e = new QLineEdit(parent);
    e->setText(ToWidget(state_.text));
    e->setCursorPosition(0);
    QObject::connect(e, &QLineEdit::textChanged, connections_,
                     [this](const QString& t) { TextEdited(WidgetText(t, false)); });
    return e;
}

void TextBox::ApplyState() {
    if (auto* e = qobject_cast<QLineEdit*>(widget_)) {
        e->setReadOnly(state_.locked);
        e->setMaxLength(state_.maxLength > 0 ? state_.maxLength : 32767);
        if (!state_.passwordChar.empty()) {
            e->setEchoMode(QLineEdit::Password);
            e->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                                 .arg(static_cast<int>(static_cast<unsigned char>(state_.passwordChar[0]))));
        } else {
            e->setEchoMode(QLineEdit::Normal);
            e->setStyleSheet(QString());
        }
        Qt::Alignment a = Qt::AlignVCenter;
        a |= state_.alignment == 1 ? Qt::AlignRight : state_.alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
        e->setAlignment(a);
        if (e->text() != ToWidget(state_.text)) {
            e->setText(ToWidget(state_.text));
            e->setCursorPosition(0);
        }
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(widget_)) {
        p->setReadOnly(state_.locked);
        if (p->toPlainText() != ToWidget(state_.text)) p->setPlainText(ToWidget(state_.text));
    }
    QPalette pal = widget_->palette();
    if (detail::IsOwnColor(state_.foreColor)) pal.setColor(QPalette::Text, detail::ColorFromVB(state_.foreColor));
    if (detail::IsOwnColor(state_.backColor)) pal.setColor(QPalette::Base, detail::ColorFromVB(state_.backColor));
    widget_->setPalette(pal);
}

vb::Variant TextBox::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "text") return vb::Variant(Text());
    if (n == "locked") return vb::Variant(Locked());
    if (n == "passwordchar") return vb::Variant(PasswordChar());
    if (n == "maxlength") return vb::Variant(MaxLength());
    if (n == "multiline") return vb::Variant(MultiLine());
    if (n == "scrollbars") return vb::Variant(ScrollBars());
    if (n == "alignment") return vb::Variant(Alignment());
    if (n == "selstart") return vb::Variant(SelStart());
    if (n == "sellength") return vb::Variant(SelLength());
    if (n == "seltext") return vb::Variant(SelText());
    if (n == "forecolor") return vb::Variant(ForeColor());
    if (n == "backcolor") return vb::Variant(BackColor());
    return Control::GetMember(name);
}

void TextBox::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "text") return Text(value.ToString());
    if (n == "locked") return Locked(value.ToBool());
    if (n == "passwordchar") return PasswordChar(value.ToString());
    if (n == "maxlength") return MaxLength(value.ToLong());
    if (n == "multiline") return MultiLine(value.ToBool());
    if (n == "scrollbars") return ScrollBars(value.ToInteger());
    if (n == "alignment") return Alignment(value.ToInteger());
    if (n == "selstart") return SelStart(value.ToLong());
    if (n == "sellength") return SelLength(value.ToLong());
    if (n == "seltext") return SelText(value.ToString());
    if (n == "forecolor") return ForeColor(value.ToLong());
    if (n == "backcolor") return BackColor(value.ToLong());
    Control::SetMember(name, value);
}

void TextBox::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void TextBox::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
    selStart_ = selLength_ = 0;
}

void TextBox::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const TextBox*>(&other)) state_ = o->state_;
}

}  // namespace forms
