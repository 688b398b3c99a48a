#pragma once
// ListBox: a list of entries; Click is raised when the selection changes.
#include <cstdint>
#include <string>

#include "list_control.h"

namespace forms {

class ListBox : public ListControl {
public:
    ListBox(ControlParent parent, std::string name, Twips left = 0, Twips top = 0,
            Twips width = 1215, Twips height = 1035);
    std::string TypeName() const override { return "ListBox"; }
    const char* WindowClass() const override { return "ThunderRT6ListBox"; }

    // The text of the selected entry ("" when none).
    std::string Text() const;
    // Whether an entry is selected (multi-select lists).
    bool Selected(std::int32_t index) const;
    void Selected(std::int32_t index, bool v);
    // 0 single, 1 simple, 2 extended (design time).
    std::int16_t MultiSelect() const;
    void MultiSelect(std::int16_t v);
    std::int32_t SelCount() const;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void ApplyState() override;
    void WidgetSelect(std::int32_t index) override;

private:
    std::int16_t multiSelect_ = 0, multiSelectDesign_ = 0;
};

}  // namespace forms
