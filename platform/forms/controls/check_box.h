#pragma once
// CheckBox: Value 0 unchecked, 1 checked, 2 greyed. Click is raised when the
// value changes, by the user or by code.
#include <cstdint>
#include <string>

#include "control.h"

namespace forms {

constexpr std::int16_t vbUnchecked = 0;
constexpr std::int16_t vbChecked = 1;
constexpr std::int16_t vbGrayed = 2;

class CheckBox : public Control {
public:
    CheckBox(ControlParent parent, std::string name, std::string caption = {}, Twips left = 0,
             Twips top = 0, Twips width = 1215, Twips height = 255);
    std::string TypeName() const override { return "CheckBox"; }
    const char* WindowClass() const override { return "ThunderRT6CheckBox"; }

    std::string Caption() const;
    void Caption(const std::string& caption);
    std::int16_t Value() const;
    void Value(std::int16_t v);  // error 380 outside 0..2

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
    struct State {
        std::string caption;
        std::int16_t value = 0;
    };
    State state_, design_;
};

}  // namespace forms
