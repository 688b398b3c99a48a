#pragma once
// PictureBox: shows a picture, holds other controls, and takes text printed
// into it (Cls, Print, CurrentX, CurrentY). Align 1 keeps it along the top
// edge of the form at the form's full width.
#include <cstdint>
#include <string>
#include <vector>

#include "control.h"
#include "picture.h"

namespace forms {

class PictureBox : public Control {
public:
    PictureBox(ControlParent parent, std::string name, Twips left = 0, Twips top = 0,
               Twips width = 1215, Twips height = 1215);
    std::string TypeName() const override { return "PictureBox"; }
    const char* WindowClass() const override { return "ThunderRT6PictureBoxDC"; }
    bool IsContainer() const override { return true; }

    PictureRef Picture() const;
    // The picture without loading the form (for drawing).
    const PictureRef& RawPicture() const { return state_.picture; }
    void Picture(PictureRef picture);
    // Sizes the box to its picture.
    bool AutoSize() const;
    void AutoSize(bool v);
    // 0 none, 1 fixed single.
    std::int16_t BorderStyle() const;
    void BorderStyle(std::int16_t v);
    // 0 none, 1 top, 2 bottom, 3 left, 4 right.
    std::int16_t Align() const;
    void Align(std::int16_t v);
    std::int32_t BackColor() const;
    void BackColor(std::int32_t v);
    Twips ScaleWidth() const;
    Twips ScaleHeight() const;

    // Text output.
    void Cls();
    void Print(const std::string& text);
    Twips CurrentX() const;
    void CurrentX(Twips v);
    Twips CurrentY() const;
    void CurrentY(Twips v);
    Twips TextWidth(const std::string& text);
    Twips TextHeight(const std::string& text);

    vb::Variant BoundValue() const override;
    void ShowBoundValue(const vb::Variant& value) override;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;
    vb::Variant CallMember(const std::string& name, const std::vector<vb::Variant>& args) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

    // The alignment without loading the form, and a new placement after the
    // container changed size.
    std::int16_t RawAlign() const { return state_.align; }
    void Replace() { PlaceWidget(); }

    // Printed texts, with their positions in twips (drawn by the widget).
    struct PrintedText {
        Twips x, y;
        std::string text;
    };
    const std::vector<PrintedText>& Printed() const { return printed_; }

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;
    void PlaceWidget() override;

private:
    struct State {
        PictureRef picture;
        bool autoSize = false;
        std::int16_t borderStyle = 1;
        std::int16_t align = 0;
        std::int32_t backColor = -1;
    };
    State state_, design_;
    std::vector<PrintedText> printed_;
    Twips currentX_ = 0, currentY_ = 0;
};

}  // namespace forms
