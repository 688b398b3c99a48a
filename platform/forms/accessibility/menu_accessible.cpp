#include "menu_accessible.h"

#include <QAccessible>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace qtaccess {

namespace {

constexpr char kMenuItemNameProperty[] = "accessibleDescription";

// "&File" -> "File", "Save && Exit" -> "Save & Exit".
QString WithoutAccessKey(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (++i == caption.size()) break;
        }
        out += caption[i];
    }
    return out;
}

// "E&xit" -> "Alt+X"; empty without an access key.
QString AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') {
            return QKeySequence(Qt::ALT).toString(QKeySequence::NativeText) + caption[i + 1].toUpper();
        }
        ++i;
    }
    return {};
}

class AccessibleMenuItem : public QAccessibleInterface, public QAccessibleActionInterface, public OwnAccessible {
public:
    explicit AccessibleMenuItem(QAction* action) : action_(action) {}

    bool isValid() const override { return action_ && Owner(); }
    QObject* object() const override { return action_; }

    QWindow* window() const override {
        QWidget* owner = Owner();
        return owner ? owner->window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(Owner()); }

    int childCount() const override { return Submenu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        QMenu* sub = Submenu();
        return index == 0 && sub ? QAccessible::queryAccessibleInterface(sub) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && Submenu() && child->object() == Submenu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* sub = child(0);
        return sub && sub->rect().contains(x, y) ? sub : nullptr;
    }

    QString text(QAccessible::Text t) const override {
        if (!action_) return {};
        switch (t) {
        case QAccessible::Name: return WithoutAccessKey(action_->text());
        case QAccessible::Description: return MenuItemName(action_);
        case QAccessible::Accelerator: {
            const QKeySequence key = action_->shortcut();
            return key.isEmpty() ? AccessKey(action_->text()) : key.toString(QKeySequence::NativeText);
        }
        default: return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        QWidget* owner = Owner();
        QRect r;
        if (auto* bar = qobject_cast<QMenuBar*>(owner)) {
            r = bar->actionGeometry(action_);
        } else if (auto* menu = qobject_cast<QMenu*>(owner)) {
            r = menu->actionGeometry(action_);
        }
        return r.isValid() ? r.translated(owner->mapToGlobal(QPoint(0, 0))) : QRect();
    }

    QAccessible::Role role() const override {
        return action_ && action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        QWidget* owner = Owner();
        if (!action_ || !owner) {
            s.invalid = true;
            return s;
        }
        if (!owner->isVisible() || !action_->isVisible()) s.invisible = true;
        QAction* active = nullptr;
        if (auto* bar = qobject_cast<QMenuBar*>(owner)) active = bar->activeAction();
        if (auto* menu = qobject_cast<QMenu*>(owner)) active = menu->activeAction();
        if (active == action_) s.focused = true;
        if (owner->style()->styleHint(QStyle::SH_Menu_MouseTracking)) s.hotTracked = true;
        if (action_->isSeparator() || !action_->isEnabled()) s.disabled = true;
        if (action_->isCheckable()) s.checkable = true;
        if (action_->isChecked()) s.checked = true;
        if (Submenu()) s.hasPopup = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    // ---- actions: choose an item, open a menu ----
    QStringList actionNames() const override {
        if (!action_ || action_->isSeparator()) return {};
        return {Submenu() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (!action_ || !action_->isEnabled()) return;
        if (name == pressAction()) {
            // Later, from the event loop as a click would: the item may show
            // a modal form, and the tool that asked waits for an answer.
            QMetaObject::invokeMethod(action_.data(), &QAction::trigger, Qt::QueuedConnection);
        } else if (name == showMenuAction()) {
            QMenu* sub = Submenu();
            if (sub && sub->isVisible()) {
                sub->hide();
            } else if (auto* bar = qobject_cast<QMenuBar*>(Owner())) {
                bar->setActiveAction(action_);
            } else if (auto* menu = qobject_cast<QMenu*>(Owner())) {
                menu->setActiveAction(action_);
            }
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    // The menu bar or menu the item is in.
    QWidget* Owner() const {
        if (!action_) return nullptr;
        for (QObject* o : action_->associatedObjects()) {
            if (o == Submenu()) continue;
            if (qobject_cast<QMenuBar*>(o) || qobject_cast<QMenu*>(o)) return static_cast<QWidget*>(o);
        }
        return nullptr;
    }
    QMenu* Submenu() const { return action_ ? action_->menu<QMenu*>() : nullptr; }

    QPointer<QAction> action_;
};

}  // namespace

QAccessibleInterface* NewAccessibleMenuItem(QAction* action) { return new AccessibleMenuItem(action); }

void SetMenuItemName(QAction* action, const QString& name) { action->setProperty(kMenuItemNameProperty, name); }

QString MenuItemName(const QAction* action) { return action->property(kMenuItemNameProperty).toString(); }

}  // namespace qtaccess
