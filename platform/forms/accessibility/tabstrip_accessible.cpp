// The tab strip and the tabbed dialog as accessibility tools see them: the
// control is a panel holding its row of tabs (Qt's page tab list) and its
// pages, each page a panel named by its tab's caption that holds the
// controls on it. The tabbed dialog's drawn border is left out.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>

#include "accessibility.h"
#include "sstab.h"
#include "tabstrip.h"
#include "widget_hooks.h"

namespace forms::detail {

namespace {

constexpr char kTabbedDialogPage[] = "sstabPage";

bool IsTabControl(const QWidget* w) {
    const Control* c = w ? ControlOfWidget(w) : nullptr;
    return c && c->Widget() == w && (dynamic_cast<const SSTab*>(c) || dynamic_cast<const TabStrip*>(c));
}

// The tab strip's widget when `page` is one of its pages.
QTabWidget* TabStripOfPage(const QWidget* page) {
    QWidget* stack = page->parentWidget();
    if (!qobject_cast<QStackedWidget*>(stack)) return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs && IsTabControl(tabs) ? tabs : nullptr;
}

bool IsTabbedDialogPage(const QWidget* w) {
    return w->property(kTabbedDialogPage).toBool() && IsTabControl(w->parentWidget());
}

// The caption of the tab that shows `page`.
QString PageCaption(const QWidget* page) {
    if (QTabWidget* tabs = TabStripOfPage(page)) return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(page)));
    if (!IsTabbedDialogPage(page)) return {};
    // The tabbed dialog's pages are its children in the order of its tabs.
    int index = 0;
    for (QObject* o : page->parentWidget()->children()) {
        if (o == page) break;
        if (o->property(kTabbedDialogPage).toBool()) ++index;
    }
    QTabBar* bar = page->parentWidget()->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bar ? bar->tabText(index) : QString();
}

// The tabbed dialog draws the border around its pages with a frame of its
// own, which tools would take for a window.
bool IsDrawnBorder(const QObject* o) {
    const auto* frame = qobject_cast<const QFrame*>(o);
    if (!frame || frame->property(kTabbedDialogPage).toBool()) return false;
    const QWidget* dialog = frame->parentWidget();
    return IsTabControl(dialog) && dynamic_cast<const SSTab*>(ControlOfWidget(dialog));
}

class AccessibleTabControl : public QAccessibleWidget, public OwnAccessible {
public:
    explicit AccessibleTabControl(QWidget* w) : QAccessibleWidget(w, QAccessible::Grouping) {}

    int childCount() const override { return static_cast<int>(Children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QAccessibleInterface*> children = Children();
        return index >= 0 && index < children.size() ? children[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return static_cast<int>(Children().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    QList<QAccessibleInterface*> Children() const {
        QList<QAccessibleInterface*> out;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* c = QAccessibleWidget::child(i);
            if (c && !IsDrawnBorder(c->object())) out << c;
        }
        return out;
    }
};

class AccessibleTabPage : public QAccessibleWidget, public OwnAccessible {
public:
    explicit AccessibleTabPage(QWidget* w) : QAccessibleWidget(w, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return PageCaption(widget());
        return QAccessibleWidget::text(t);
    }
};

}  // namespace

bool IsTabControlWidget(const QWidget* w) { return IsTabControl(w); }

bool IsTabPageWidget(const QWidget* w) { return TabStripOfPage(w) || IsTabbedDialogPage(w); }

QAccessibleInterface* NewAccessibleTabControl(QObject* w) { return new AccessibleTabControl(static_cast<QWidget*>(w)); }

QAccessibleInterface* NewAccessibleTabPage(QObject* w) { return new AccessibleTabPage(static_cast<QWidget*>(w)); }

}  // namespace forms::detail
