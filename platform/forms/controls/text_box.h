#pragma once
// TextBox: one line or several lines of text the user types.
// Events: Change, KeyPress, KeyDown, KeyUp, GotFocus, LostFocus, Validate,
// Click, DblClick.
#include <cstdint>
#include <string>

#include "control.h"

namespace forms {

class TextBox : public Control {
public:
    TextBox(ControlParent parent, std::string name, Twips left = 0, Twips top = 0,
            Twips width = 1215, Twips height = 285);
    TextBox(ControlParent parent, std::string name, std::string text, Twips left, Twips top,
            Twips width = 1215, Twips height = 285);
    std::string TypeName() const override { return "TextBox"; }
    const char* WindowClass() const override { return "ThunderRT6TextBox"; }

    // Setting Text raises Change when it differs.
    std::string Text() const;
    void Text(const std::string& text);
    // Read-only for the user (code can still set Text).
    bool Locked() const;
    void Locked(bool v);
    // A character shown for each typed one ("" shows the text).
    std::string PasswordChar() const;
    void PasswordChar(const std::string& c);
    // 0: no limit.
    std::int32_t MaxLength() const;
    void MaxLength(std::int32_t v);
    // Design time only: error 382 once the form is loaded.
    bool MultiLine() const;
    void MultiLine(bool v);
    // 0 none, 1 horizontal, 2 vertical, 3 both.
    std::int16_t ScrollBars() const;
    void ScrollBars(std::int16_t v);
    // 0 left, 1 right, 2 centre.
    std::int16_t Alignment() const;
    void Alignment(std::int16_t v);
    // Selection: start (0-based) and length in characters, and the selected text.
    std::int32_t SelStart() const;
    void SelStart(std::int32_t v);
    std::int32_t SelLength() const;
    void SelLength(std::int32_t v);
    std::string SelText() const;
    void SelText(const std::string& v);
    std::int32_t ForeColor() const;
    void ForeColor(std::int32_t v);
    std::int32_t BackColor() const;
    void BackColor(std::int32_t v);

    vb::Variant BoundValue() const override { return vb::Variant(state_.text); }
    void ShowBoundValue(const vb::Variant& value) override;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    void TextEdited(const std::string& text);
    void SetWidgetText(const std::string& text);
    void ReadSelection() const;
    struct State {
        std::string text;
        bool locked = false;
        std::string passwordChar;
        std::int32_t maxLength = 0;
        bool multiLine = false;
        std::int16_t scrollBars = 0;
        std::int16_t alignment = 0;
        std::int32_t foreColor = -1;
        std::int32_t backColor = -1;
    };
    State state_, design_;
    std::int32_t selStart_ = 0, selLength_ = 0;
    bool settingBound_ = false;
};

}  // namespace forms
