#include "richtextbox.h"

#include <fstream>
#include <sstream>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include "application.h"
#include "err.h"
#include "member_names.h"
#include "rtf_reader.h"

namespace forms {

namespace {

QString FromText(const std::string& text) {
    QString q = QString::fromStdString(text);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return q;
}

bool Has(const QTextCharFormat& f, int attribute) {
    switch (attribute) {
    case 0: return f.fontWeight() >= QFont::Bold;
    case 1: return f.fontItalic();
    default: return f.fontUnderline();
    }
}

}  // namespace

RichTextBox::RichTextBox(ControlParent parent, std::string name, Twips left, Twips top, Twips width, Twips height)
    : Control(parent, std::move(name)) {
    common_.left = left;
    common_.top = top;
    common_.width = width;
    common_.height = height;
}

RichTextBox::~RichTextBox() = default;

QTextDocument& RichTextBox::Document() const {
    if (!document_) {
        EnsureQtApplication();
        auto* self = const_cast<RichTextBox*>(this);
        self->document_ = std::make_unique<QTextDocument>();
        self->document_->setUndoRedoEnabled(false);
        self->cursor_ = std::make_unique<QTextCursor>(self->document_.get());
    }
    return *document_;
}

QTextCursor RichTextBox::Cursor() const {
    Document();
    if (auto* e = qobject_cast<QTextEdit*>(widget_)) return e->textCursor();
    return *cursor_;
}

void RichTextBox::SetCursor(const QTextCursor& cursor) {
    *cursor_ = cursor;
    if (auto* e = qobject_cast<QTextEdit*>(widget_)) {
        syncing_ = true;
        e->setTextCursor(cursor);
        syncing_ = false;
    }
}

// ---- text ----

std::string RichTextBox::Text() const {
    Touch();
    QString t = Document().toPlainText();
    t.replace(QChar(0x2028), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t.toStdString();
}

void RichTextBox::Replace(const std::function<void(QTextDocument&)>& fill) {
    QTextDocument& doc = Document();
    syncing_ = true;
    doc.clear();
    fill(doc);
    syncing_ = false;
    SetCursor(QTextCursor(&doc));
    Changed();
}

void RichTextBox::Text(const std::string& text) {
    Touch();
    Replace([&](QTextDocument& doc) {
        QTextCursor c(&doc);
        c.insertText(FromText(text), QTextCharFormat());
    });
}

void RichTextBox::TextRTF(const std::string& rtf) {
    Touch();
    if (!rtf::IsRtf(rtf)) return Text(rtf);
    const rtf::Document parsed = rtf::Read(rtf);
    Replace([&](QTextDocument& doc) {
        QTextCursor c(&doc);
        for (std::size_t p = 0; p < parsed.paragraphs.size(); ++p) {
            if (p) c.insertBlock();
            for (const rtf::Run& run : parsed.paragraphs[p].runs) {
                QTextCharFormat f;
                f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
                f.setFontItalic(run.italic);
                f.setFontUnderline(run.underline);
                if (run.pointSize > 0) f.setFontPointSize(run.pointSize);
                c.insertText(QString::fromStdString(run.text), f);
            }
        }
    });
}

void RichTextBox::LoadFile(const std::string& path, std::int16_t fileType) {
    Touch();
    if (fileType != rtfRTF && fileType != rtfText) vb::RaiseError(380);
    std::ifstream in(path, std::ios::binary);
    if (!in) vb::RaiseError(53);
    std::ostringstream s;
    s << in.rdbuf();
    if (fileType == rtfRTF) {
        TextRTF(s.str());
    } else {
        Text(s.str());
    }
}

bool RichTextBox::Locked() const {
    Touch();
    return locked_;
}

void RichTextBox::Locked(bool v) {
    Touch();
    locked_ = v;
    if (widget_) ApplyState();
}

void RichTextBox::Changed() {
    if (Change && !detail::EndCalled()) Raise(Change);
}

// ---- the selection ----

std::int32_t RichTextBox::SelStart() const {
    Touch();
    return Cursor().selectionStart();
}

void RichTextBox::SelStart(std::int32_t start) {
    Touch();
    if (start < 0) vb::RaiseError(380);
    QTextCursor c = Cursor();
    c.movePosition(QTextCursor::End);
    c.setPosition(std::min(start, c.position()));
    SetCursor(c);
}

std::int32_t RichTextBox::SelLength() const {
    Touch();
    const QTextCursor c = Cursor();
    return c.selectionEnd() - c.selectionStart();
}

void RichTextBox::SelLength(std::int32_t length) {
    Touch();
    if (length < 0) vb::RaiseError(380);
    QTextCursor c = Cursor();
    const int start = c.selectionStart();
    c.movePosition(QTextCursor::End);
    const int end = std::min(start + length, c.position());
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    SetCursor(c);
}

std::string RichTextBox::SelText() const {
    Touch();
    QString t = Cursor().selectedText();
    t.replace(QChar(QChar::ParagraphSeparator), QStringLiteral("\r\n"));
    return t.toStdString();
}

vb::Variant RichTextBox::SelAttribute(Attribute a) const {
    Touch();
    const QTextCursor c = Cursor();
    const int attribute = static_cast<int>(a);
    if (!c.hasSelection()) return vb::Variant(Has(c.charFormat(), attribute));
    const int start = c.selectionStart(), end = c.selectionEnd();
    bool some = false, all = true;
    for (QTextBlock b = Document().findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= start || f.position() >= end) continue;
            if (Has(f.charFormat(), attribute)) {
                some = true;
            } else {
                all = false;
            }
        }
    }
    if (all && some) return vb::Variant(true);
    if (!some) return vb::Variant(false);
    return vb::Variant::Null();
}

void RichTextBox::SetSelAttribute(Attribute a, bool v) {
    Touch();
    QTextCursor c = Cursor();
    QTextCharFormat f;
    switch (a) {
    case Attribute::Bold: f.setFontWeight(v ? QFont::Bold : QFont::Normal); break;
    case Attribute::Italic: f.setFontItalic(v); break;
    case Attribute::Underline: f.setFontUnderline(v); break;
    }
    syncing_ = true;
    c.mergeCharFormat(f);
    syncing_ = false;
    SetCursor(c);
}

vb::Variant RichTextBox::SelBold() const { return SelAttribute(Attribute::Bold); }
void RichTextBox::SelBold(bool v) { SetSelAttribute(Attribute::Bold, v); }
vb::Variant RichTextBox::SelItalic() const { return SelAttribute(Attribute::Italic); }
void RichTextBox::SelItalic(bool v) { SetSelAttribute(Attribute::Italic, v); }
vb::Variant RichTextBox::SelUnderline() const { return SelAttribute(Attribute::Underline); }
void RichTextBox::SelUnderline(bool v) { SetSelAttribute(Attribute::Underline, v); }

// ---- the widget ----

QWidget* RichTextBox::CreateWidget(QWidget* parent) {
    auto* e = new QTextEdit(parent);
    e->setAcceptRichText(false);
    e->setTabChangesFocus(true);
    e->setDocument(&Document());
    e->setTextCursor(*cursor_);
    QObject::connect(&Document(), &QTextDocument::contentsChanged, connections_, [this] {
        if (!syncing_) Changed();
    });
    QObject::connect(e, &QTextEdit::cursorPositionChanged, connections_, [this, e] {
        if (syncing_) return;
        *cursor_ = e->textCursor();
    });
    QObject::connect(e, &QTextEdit::selectionChanged, connections_, [this, e] {
        if (syncing_) return;
        *cursor_ = e->textCursor();
        if (SelChange) RaiseEvent(SelChange);
    });
    return e;
}

void RichTextBox::ApplyState() {
    auto* e = static_cast<QTextEdit*>(widget_);
    e->setReadOnly(locked_);
    // The box's font is the text's own where a run names no other.
    Document().setDefaultFont(e->font());
}

void RichTextBox::DestroyNative() {
    // The document stays with the control; the widget goes later.
    if (auto* e = qobject_cast<QTextEdit*>(widget_)) e->setDocument(new QTextDocument(e));
    Control::DestroyNative();
}

// ---- late binding ----

vb::Variant RichTextBox::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "text") return vb::Variant(Text());
    if (n == "locked") return vb::Variant(Locked());
    if (n == "selstart") return vb::Variant(SelStart());
    if (n == "sellength") return vb::Variant(SelLength());
    if (n == "seltext") return vb::Variant(SelText());
    if (n == "selbold") return SelBold();
    if (n == "selitalic") return SelItalic();
    if (n == "selunderline") return SelUnderline();
    return Control::GetMember(name);
}

void RichTextBox::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "text") return Text(value.ToString());
    if (n == "textrtf") return TextRTF(value.ToString());
    if (n == "locked") return Locked(value.ToBool());
    if (n == "selstart") return SelStart(value.ToLong());
    if (n == "sellength") return SelLength(value.ToLong());
    if (n == "selbold") return SelBold(value.ToBool());
    if (n == "selitalic") return SelItalic(value.ToBool());
    if (n == "selunderline") return SelUnderline(value.ToBool());
    Control::SetMember(name, value);
}

vb::Variant RichTextBox::CallMember(const std::string& name, const std::vector<vb::Variant>& args) {
    if (detail::Lower(name) == "loadfile") {
        LoadFile(detail::Arg(args, 0).ToString(), static_cast<std::int16_t>(detail::OptionalLong(args, 1, rtfRTF)));
        return {};
    }
    return Control::CallMember(name, args);
}

// ---- design values ----

void RichTextBox::SaveDesign() {
    Control::SaveDesign();
    designDocument_.reset(Document().clone());
    designLocked_ = locked_;
}

void RichTextBox::RestoreDesign() {
    Control::RestoreDesign();
    locked_ = designLocked_;
    if (!designDocument_) return;
    QTextDocument& doc = Document();
    doc.clear();
    QTextCursor(&doc).insertFragment(QTextDocumentFragment(designDocument_.get()));
    *cursor_ = QTextCursor(&doc);
}

void RichTextBox::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const RichTextBox*>(&other)) {
        locked_ = o->locked_;
        QTextDocument& doc = Document();
        doc.clear();
        QTextCursor(&doc).insertFragment(QTextDocumentFragment(&o->Document()));
        *cursor_ = QTextCursor(&doc);
    }
}

}  // namespace forms
