#pragma once
// Internal: the Qt windows behind forms. A form's window holds an optional
// menu bar above its client area; the client area holds the controls.
#include <functional>

#include <QWidget>

class QMenuBar;
class QVBoxLayout;

namespace forms {

class Form;

// The area inside a form's border (below its menu bar) where controls sit.
class ClientArea : public QWidget {
public:
    ClientArea(Form* form, QWidget* parent);
    // Called after the size changed (aligned picture boxes follow).
    std::function<void()> resized;
    // The form lets go of the area: later events reach no form.
    void DetachFromForm();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    Form* form_;
};

class FormWindow : public QWidget {
public:
    FormWindow(Form* form, QWidget* parent = nullptr);
    ClientArea* Client() const { return client_; }
    // Made on first use, above the client area.
    QMenuBar* MenuBar();
    bool HasMenuBar() const { return menuBar_ != nullptr; }
    int MenuBarHeight() const;
    // Sizes the window so that the client area gets this size in pixels.
    void SetClientSize(int width, int height);
    // The form lets go of its window, whose deletion waits for the event
    // loop: events delivered meanwhile reach no form.
    void DetachFromForm();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    Form* form_;
    QVBoxLayout* layout_;
    ClientArea* client_;
    QMenuBar* menuBar_ = nullptr;
};

}  // namespace forms
