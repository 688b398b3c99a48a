#pragma once
// CommandButton: a push button, with a caption (& marks the access key) or,
// in the graphical style, a picture. The default button answers Enter, the
// cancel button Esc.
#include <cstdint>
#include <string>

#include "control.h"
#include "picture.h"

namespace forms {

class CommandButton : public Control {
public:
    CommandButton(ControlParent parent, std::string name, std::string caption = {}, Twips left = 0,
                  Twips top = 0, Twips width = 1215, Twips height = 375);
    std::string TypeName() const override { return "CommandButton"; }
    const char* WindowClass() const override { return "ThunderRT6CommandButton"; }

    std::string Caption() const;
    void Caption(const std::string& caption);
    bool Default() const;
    void Default(bool v);
    bool Cancel() const;
    void Cancel(bool v);
    // 0 standard, 1 graphical (shows Picture). Design time only.
    std::int16_t Style() const;
    void Style(std::int16_t v);
    PictureRef Picture() const;
    void Picture(PictureRef picture);
    // Clicks the button from code (Value = True).
    void Value(bool v);
    bool Value() const { return false; }

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
        bool isDefault = false;
        bool isCancel = false;
        std::int16_t style = 0;
        PictureRef picture;
    };
    State state_, design_;
};

}  // namespace forms
