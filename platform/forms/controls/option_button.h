#pragma once
// OptionButton: one choice of a group; the option buttons of one container
// (form, frame, picture box) form a group. Click is raised when the button
// becomes selected.
#include <string>

#include "control.h"

namespace forms {

class OptionButton : public Control {
public:
    OptionButton(ControlParent parent, std::string name, std::string caption = {}, Twips left = 0,
                 Twips top = 0, Twips width = 1215, Twips height = 255);
    std::string TypeName() const override { return "OptionButton"; }
    const char* WindowClass() const override { return "ThunderRT6OptionButton"; }

    std::string Caption() const;
    void Caption(const std::string& caption);
    // Setting True clears the other buttons of the group.
    bool Value() const;
    void Value(bool v);

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;

private:
    void Selected();
    void ClearSiblings();
    struct State {
        std::string caption;
        bool value = false;
    };
    State state_, design_;
};

}  // namespace forms
