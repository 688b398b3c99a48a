#include "menu.h"

#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "accessibility.h"
#include "application.h"
#include "control_array.h"
#include "form.h"
#include "member_names.h"

namespace forms {

Menu::Menu(ControlParent parent, std::string name, std::string caption) : Control(parent, std::move(name)) {
    state_.caption = std::move(caption);
}

Menu::~Menu() { Menu::DestroyNative(); }

std::string Menu::Caption() const {
    Touch();
    return state_.caption;
}

void Menu::Caption(const std::string& caption) {
    Touch();
    state_.caption = caption;
    ApplyState();
}

bool Menu::Checked() const {
    Touch();
    return state_.checked;
}

void Menu::Checked(bool v) {
    Touch();
    state_.checked = v;
    ApplyState();
}

bool Menu::IsSeparator() const { return state_.caption == "-"; }

Menu* Menu::ParentMenu() const { return dynamic_cast<Menu*>(Container()); }

std::vector<Menu*> Menu::Items() const {
    std::vector<Menu*> out;
    for (Control* c : const_cast<Menu*>(this)->Host().ControlsList()) {
        if (c->Container() == this) {
            if (auto* m = dynamic_cast<Menu*>(c)) out.push_back(m);
        }
    }
    return out;
}

void Menu::CreateNative() {
    if (action_) return;
    Form& form = Parent();
    const bool hasItems = !Items().empty();
    const QString text = QString::fromStdString(state_.caption);
    Menu* parent = ParentMenu();
    QWidget* host = nullptr;
    if (parent) {
        if (!parent->submenu_) return;
        host = parent->submenu_;
    } else {
        host = form.menuBar_;
    }
    if (!host) return;
    if (hasItems) {
        submenu_ = new QMenu(text, host);
        submenu_->setObjectName(QString::fromStdString(QualifiedName()));
        action_ = submenu_->menuAction();
        QObject::connect(submenu_, &QMenu::aboutToShow, submenu_, [this] { RaiseEvent(Click); });
    } else if (IsSeparator()) {
        action_ = new QAction(host);
        action_->setSeparator(true);
    } else {
        action_ = new QAction(text, host);
        QObject::connect(action_, &QAction::triggered, action_, [this] { RaiseEvent(Click); });
    }
    action_->setObjectName(QString::fromStdString(QualifiedName()));
    detail::SetMenuItemName(action_, action_->objectName());
    host->insertAction(InsertionPoint(), action_);
    detail::RefreshAccessible(action_);
    ApplyState();
    if (!parent) form.UpdateMenuBarVisibility();
}

QAction* Menu::InsertionPoint() const {
    std::vector<Menu*> siblings;
    if (Menu* parent = ParentMenu()) {
        siblings = parent->Items();
    } else {
        for (Control* c : const_cast<Menu*>(this)->Host().ControlsList()) {
            auto* m = dynamic_cast<Menu*>(c);
            if (m && !m->Container()) siblings.push_back(m);
        }
    }
    // Declaration order decides, except that an element of a menu array
    // loaded at run time goes with the other elements, by index.
    std::size_t at = static_cast<std::size_t>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin()) + 1;
    if (IsArrayElement()) {
        for (std::size_t i = 0; i < siblings.size(); ++i) {
            Menu* m = siblings[i];
            if (m != this && m->Array() == Array()) {
                if (m->Index() > Index()) {
                    at = i;
                    break;
                }
                at = i + 1;
            }
        }
    }
    for (std::size_t i = at; i < siblings.size(); ++i) {
        if (siblings[i] != this && siblings[i]->action_) return siblings[i]->action_;
    }
    return nullptr;
}

void Menu::DestroyNative() {
    if (submenu_) {
        submenu_->deleteLater();
    } else if (action_) {
        action_->deleteLater();
    }
    submenu_ = nullptr;
    action_ = nullptr;
}

void Menu::ApplyState() {
    if (!action_) return;
    if (!IsSeparator()) action_->setText(QString::fromStdString(state_.caption));
    action_->setVisible(common_.visible);
    action_->setEnabled(common_.enabled);
    action_->setCheckable(state_.checked);
    action_->setChecked(state_.checked);
}

void Menu::OnCommonChanged() {
    ApplyState();
    if (!ParentMenu() && action_) Parent().UpdateMenuBarVisibility();
}

bool Menu::Choose() {
    Touch();
    if (!action_ || IsSeparator()) return false;
    for (const Menu* m = this; m; m = m->ParentMenu()) {
        if (!m->common_.visible || !m->common_.enabled) return false;
    }
    if (submenu_) {
        RaiseEvent(Click);
        return true;
    }
    action_->trigger();
    return true;
}

vb::Variant Menu::GetMember(const std::string& name) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return vb::Variant(Caption());
    if (n == "checked") return vb::Variant(Checked());
    if (n == "font" || n == "left" || n == "top" || n == "width" || n == "height" || n == "tabindex" ||
        n == "tabstop" || n == "hwnd")
        vb::RaiseError(438);
    return Control::GetMember(name);
}

void Menu::SetMember(const std::string& name, const vb::Variant& value) {
    const std::string n = detail::Lower(name);
    if (n == "caption") return Caption(value.ToString());
    if (n == "checked") return Checked(value.ToBool());
    if (n == "left" || n == "top" || n == "width" || n == "height") vb::RaiseError(438);
    Control::SetMember(name, value);
}

void Menu::SaveDesign() {
    Control::SaveDesign();
    design_ = state_;
}

void Menu::RestoreDesign() {
    Control::RestoreDesign();
    state_ = design_;
}

void Menu::CopyStateFrom(const Control& other) {
    Control::CopyStateFrom(other);
    if (auto* o = dynamic_cast<const Menu*>(&other)) {
        state_ = o->state_;
        common_.visible = o->common_.visible;  // a menu element loaded at run time shows like its model
    }
}

}  // namespace forms
