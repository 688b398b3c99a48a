#pragma once
// The rich-text box: text in runs of bold, italic, underlined and sized
// characters, loaded as plain text or as rich text (RTF, rtf_reader.h), with
// a selection whose formatting code reads and sets.
//
//     forms::RichTextBox rtfVBStuff{this, "rtfVBStuff", 120, 120, 4215, 2175};
//     rtfVBStuff.Text("Use this applet with ...");
//     rtfVBStuff.SelStart(25);
//     rtfVBStuff.SelLength(24);
//     rtfVBStuff.SelBold(true);
//
// Positions count characters from 0; each paragraph end counts as one. Text
// gives the paragraphs joined with CR LF. Events: Change, SelChange and the
// common key, mouse and focus events.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "control.h"

class QTextCursor;
class QTextDocument;

namespace forms {

// LoadFile's file types.
constexpr std::int16_t rtfRTF = 0;
constexpr std::int16_t rtfText = 1;

class RichTextBox : public Control {
public:
    RichTextBox(ControlParent parent, std::string name, Twips left = 0, Twips top = 0, Twips width = 2415,
                Twips height = 1815);
    ~RichTextBox() override;
    std::string TypeName() const override { return "RichTextBox"; }
    const char* WindowClass() const override { return "RichTextWndClass"; }

    // The text without formatting; setting it replaces everything with plain
    // text in the box's font.
    std::string Text() const;
    void Text(const std::string& text);
    // Replaces everything with the rich text (plain text when it is none).
    void TextRTF(const std::string& rtf);
    // Loads a file as rich text (rtfRTF; a file that is not rich text loads
    // as plain text) or as plain text (rtfText). Error 53 when it cannot be read.
    void LoadFile(const std::string& path, std::int16_t fileType = rtfRTF);
    bool Locked() const;
    void Locked(bool v);

    // ---- the selection ----
    // Error 380 for a negative start or length; both stop at the end of the text.
    std::int32_t SelStart() const;
    void SelStart(std::int32_t start);
    std::int32_t SelLength() const;
    void SelLength(std::int32_t length);
    std::string SelText() const;
    // True when every selected character has the format, False when none has
    // it, Null when some have; with nothing selected, the format typed text
    // would take. Setting one formats the selection.
    vb::Variant SelBold() const;
    void SelBold(bool v);
    vb::Variant SelItalic() const;
    void SelItalic(bool v);
    vb::Variant SelUnderline() const;
    void SelUnderline(bool v);

    std::function<void()> SelChange;

    // The document shown (for tests and the widget).
    QTextDocument& Document() const;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    enum class Attribute { Bold, Italic, Underline };
    QTextCursor Cursor() const;
    void SetCursor(const QTextCursor& cursor);
    vb::Variant SelAttribute(Attribute a) const;
    void SetSelAttribute(Attribute a, bool v);
    void Replace(const std::function<void(QTextDocument&)>& fill);
    void Changed();

    std::unique_ptr<QTextDocument> document_, designDocument_;
    std::unique_ptr<QTextCursor> cursor_;
    bool locked_ = false, designLocked_ = false;
    bool syncing_ = false;
};

}  // namespace forms
