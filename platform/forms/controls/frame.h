#pragma once
// Frame: a captioned border that holds other controls (declared with the
// frame as their parent); option buttons inside it form their own group.
#include <string>

#include "control.h"

namespace forms {

class Frame : public Control {
public:
    Frame(ControlParent parent, std::string name, std::string caption = {}, Twips left = 0,
          Twips top = 0, Twips width = 2055, Twips height = 1455);
    std::string TypeName() const override { return "Frame"; }
    const char* WindowClass() const override { return "ThunderRT6Frame"; }
    bool IsContainer() const override { return true; }
    bool CanFocus() const override { return false; }

    std::string Caption() const;
    void Caption(const std::string& caption);
    // 0 none, 1 fixed single.
    std::int16_t BorderStyle() const;
    void BorderStyle(std::int16_t v);

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
        std::int16_t borderStyle = 1;
    };
    State state_, design_;
};

}  // namespace forms
