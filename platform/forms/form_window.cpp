#include "form_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "application.h"
#include "form.h"

namespace forms {

ClientArea::ClientArea(Form* form, QWidget* parent) : QWidget(parent), form_(form) {
    setFocusPolicy(Qt::ClickFocus);
}

void ClientArea::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        RaiseEvent([this] {
            if (form_) form_->RaiseClick();
        });
    }
    QWidget::mouseReleaseEvent(e);
}

void ClientArea::mouseDoubleClickEvent(QMouseEvent* e) {
    RaiseEvent([this] {
        if (form_) form_->RaiseDblClick();
    });
    QWidget::mouseDoubleClickEvent(e);
}

void ClientArea::DetachFromForm() {
    form_ = nullptr;
    resized = nullptr;
}

void ClientArea::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (resized) resized();
}

FormWindow::FormWindow(Form* form, QWidget* parent) : QWidget(parent), form_(form) {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    client_ = new ClientArea(form, this);
    layout_->addWidget(client_, 1);
}

QMenuBar* FormWindow::MenuBar() {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        layout_->setMenuBar(menuBar_);
    }
    return menuBar_;
}

int FormWindow::MenuBarHeight() const {
    if (!menuBar_ || menuBar_->isHidden()) return 0;
    return menuBar_->sizeHint().height();
}

void FormWindow::SetClientSize(int width, int height) {
    resize(width, height + MenuBarHeight());
    client_->resize(width, height);
}

void FormWindow::DetachFromForm() {
    form_ = nullptr;
    client_->DetachFromForm();
}

void FormWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (form_) form_->OnCloseRequested();
}

void FormWindow::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (!form_) return;
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && isWindow()) form_->OnActivated();
    if (e->type() == QEvent::WindowStateChange) form_->OnResized();
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (form_) form_->OnResized();
}

void FormWindow::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (form_) form_->OnMoved();
}

}  // namespace forms
