#pragma once
// Menus: a menu title declared on the form, items declared under it (nested
// items make submenus), "-" captions make separators. Click is raised when
// the item is chosen; a title raises Click when its menu opens.
//
//     forms::Menu mnuFile{this, "mnuFile", "&File"};
//     forms::Menu mnuLogin{&mnuFile, "mnuLogin", "&Login As New User..."};
//     forms::Menu mnuBreak1{&mnuFile, "mnuBreak1", "-"};
//
// A title that is not Visible is left out of the menu bar and can still be
// shown with Form::PopupMenu.
#include <string>

#include "control.h"

class QAction;
class QMenu;

namespace forms {

class Menu : public Control {
public:
    Menu(ControlParent parent, std::string name, std::string caption = {});
    ~Menu() override;
    std::string TypeName() const override { return "Menu"; }
    bool HasFont() const override { return false; }
    bool HasTabIndex() const override { return false; }
    bool CanFocus() const override { return false; }

    std::string Caption() const;
    void Caption(const std::string& caption);
    bool Checked() const;
    void Checked(bool v);
    bool IsSeparator() const;
    // The parent menu, or null for a title on the menu bar.
    Menu* ParentMenu() const;
    // Items directly under this menu, in declaration order.
    std::vector<Menu*> Items() const;

    vb::Variant GetMember(const std::string& name) override;
    void SetMember(const std::string& name, const vb::Variant& value) override;

    // The Qt action of the item (null while not loaded), and its submenu when it has items.
    QAction* Action() const { return action_; }
    QMenu* Submenu() const { return submenu_; }

    void CreateNative() override;
    void DestroyNative() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    void CopyStateFrom(const Control& other) override;
    // Chooses the item as the user would (raises Click); false when it is
    // hidden or disabled (also through a parent) or is a separator.
    bool Choose();

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }
    void ApplyState() override;
    void ApplyGeometry() override {}
    void OnCommonChanged() override;

private:
    friend class Form;
    QAction* InsertionPoint() const;
    struct State {
        std::string caption;
        bool checked = false;
    };
    State state_, design_;
    QAction* action_ = nullptr;
    QMenu* submenu_ = nullptr;
};

}  // namespace forms
