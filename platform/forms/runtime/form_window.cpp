#include "form_window.h"

#include <algorithm>

#include <QChildEvent>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "application.h"
#include "form.h"

namespace forms {

ClientArea::ClientArea(Form* form, QWidget* parent) : QWidget(parent), form_(form) {
    setFocusPolicy(Qt::ClickFocus);
}

bool ClientArea::event(QEvent* e) {
    // Every control's widget is watched for changes of its place and size.
    if (e->type() == QEvent::ChildAdded) {
        if (auto* w = qobject_cast<QWidget*>(static_cast<QChildEvent*>(e)->child())) w->installEventFilter(this);
    }
    return QWidget::event(e);
}

bool ClientArea::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (contentsChanged && watched->parent() == this) contentsChanged();
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, e);
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

QSize FormWindow::ContentsSize() const {
    const QRect children = client_->childrenRect();
    const int width = std::max(0, children.right() + 1);
    const int height = std::max(0, children.bottom() + 1);
    return {width, height + MenuBarHeight()};
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

namespace forms {

ChildFormScroller::ChildFormScroller(FormWindow* window) : window_(window) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(window);
    window->Client()->contentsChanged = [this] { FitContents(); };
}

void ChildFormScroller::closeEvent(QCloseEvent* e) { e->setAccepted(window_->close()); }

void ChildFormScroller::FitContents() {
    const QSize contents = window_->ContentsSize();
    if (window_->minimumSize() == contents) return;
    window_->setMinimumSize(contents);
    // Lays the window out again at once: larger than the sub-window it
    // scrolls, smaller it fills the sub-window.
    QEvent relayout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &relayout);
}

}  // namespace forms
