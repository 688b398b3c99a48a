#pragma once
// Image: a windowless picture, drawn at its natural size or stretched.
#include <cstdint>
#include <string>

#include "control.h"
#include "picture.h"

namespace forms {

class Image : public Control {
public:
    Image(ControlParent parent, std::string name, Twips left = 0, Twips top = 0, Twips width = 975,
          Twips height = 975);
    std::string TypeName() const override { return "Image"; }
    bool HasFont() const override { return false; }
    bool HasTabIndex() const override { return false; }
    bool CanFocus() const override { return false; }

    PictureRef Picture() const;
    // The picture without loading the form (for drawing).
    const PictureRef& RawPicture() const { return state_.picture; }
    // Without Stretch the control takes the picture's size.
    void Picture(PictureRef picture);
    bool Stretch() const;
    bool RawStretch() const { return state_.stretch; }
    std::int16_t RawBorderStyle() const { return state_.borderStyle; }
    void Stretch(bool v);
    std::int16_t BorderStyle() const;
    void BorderStyle(std::int16_t v);

    vb::Variant BoundValue() const override;
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
    void FitToPicture();
    struct State {
        PictureRef picture;
        bool stretch = false;
        std::int16_t borderStyle = 0;
    };
    State state_, design_;
};

}  // namespace forms
