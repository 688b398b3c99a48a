#pragma once
// ComboBox: style 0 drop-down combo (text and list), 1 simple combo, 2
// drop-down list (choice only). Click is raised when an entry is chosen, by
// the user or by setting ListIndex; Change when the typed text changes.
#include <cstdint>
#include <string>

#include "list_control.h"

namespace forms {

class ComboBox : public ListControl {
public:
    ComboBox(ControlParent parent, std::string name, Twips left = 0, Twips top = 0,
             Twips width = 1215, Twips height = 315);
    std::string TypeName() const override { return "ComboBox"; }
    const char* WindowClass() const override { return "ThunderRT6ComboBox"; }

    // Design time only.
    std::int16_t Style() const;
    void Style(std::int16_t v);
    // The shown text: the chosen entry's, or what was typed. In the drop-down
    // list style, setting a text that is no entry raises error 383.
    std::string Text() const;
    void Text(const std::string& text);
    bool Locked() const;
    void Locked(bool v);

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;
    void WidgetCleared() override;
    void WidgetSelect(std::int32_t index) override;
    void SelectionChanged() override;

private:
    struct State {
        std::int16_t style = 0;
        std::string text;
        bool locked = false;
    };
    State state_, design_;
};

}  // namespace forms
