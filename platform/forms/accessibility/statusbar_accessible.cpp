// The status bar as accessibility tools see it: a status bar named by the
// text it shows, whose children are the panels (or the simple text) now
// shown, each a label named by its text.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include "accessibility.h"
#include "statusbar.h"
#include "widget_hooks.h"

namespace forms::detail {

namespace {

class AccessibleStatusBar : public QAccessibleWidget, public OwnAccessible {
public:
    explicit AccessibleStatusBar(QWidget* w) : QAccessibleWidget(w, QAccessible::StatusBar) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            if (auto* bar = dynamic_cast<StatusBar*>(ControlOfWidget(widget()))) return QString::fromStdString(bar->ShownText());
        }
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return static_cast<int>(Shown().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> shown = Shown();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || !child->object() || !child->object()->isWidgetType()) return -1;
        return static_cast<int>(Shown().indexOf(static_cast<QWidget*>(child->object())));
    }

private:
    // The labels the bar shows: the panels, or the simple text.
    QList<QWidget*> Shown() const {
        QList<QWidget*> out;
        for (QWidget* w : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isHidden()) out.push_back(w);
        }
        return out;
    }
};

}  // namespace

QAccessibleInterface* NewAccessibleStatusBar(QObject* bar) { return new AccessibleStatusBar(static_cast<QWidget*>(bar)); }

}  // namespace forms::detail
