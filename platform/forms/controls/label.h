#pragma once
// Label: a caption that the user cannot change.
#include <string>

#include "control.h"

namespace forms {

class Label : public Control {
public:
    Label(ControlParent parent, std::string name, std::string caption = {}, Twips left = 0,
          Twips top = 0, Twips width = 1215, Twips height = 255);
    std::string TypeName() const override { return "Label"; }
    bool CanFocus() const override { return false; }

    std::string Caption() const;
    void Caption(const std::string& caption);
    // 0 left, 1 right, 2 centre.
    std::int16_t Alignment() const;
    void Alignment(std::int16_t v);
    // Grows or shrinks to fit the caption.
    bool AutoSize() const;
    void AutoSize(bool v);
    // 0 transparent, 1 opaque.
    std::int16_t BackStyle() const;
    void BackStyle(std::int16_t v);
    // 0 none, 1 fixed single.
    std::int16_t BorderStyle() const;
    void BorderStyle(std::int16_t v);
    bool WordWrap() const;
    void WordWrap(bool v);
    // Colours as &HBBGGRR values.
    std::int32_t ForeColor() const;
    void ForeColor(std::int32_t v);
    std::int32_t BackColor() const;
    void BackColor(std::int32_t v);

    // The label's access key: the focus goes to the next control in tab
    // order after the label that can take it.
    void FocusNextInTabOrder();

    vb::Variant BoundValue() const override { return vb::Variant(state_.caption); }
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
    void FitToCaption();
    struct State {
        std::string caption;
        std::int16_t alignment = 0;
        bool autoSize = false;
        std::int16_t backStyle = 1;
        std::int16_t borderStyle = 0;
        bool wordWrap = false;
        std::int32_t foreColor = -1;  // -1: the system colour
        std::int32_t backColor = -1;
    };
    State state_, design_;
};

}  // namespace forms
