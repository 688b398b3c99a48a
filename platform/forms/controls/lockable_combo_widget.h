#pragma once
// The widget behind the combo boxes: while locked, its list cannot be opened
// or stepped through by the user (arrows, Home, End, pages, the wheel).
#include <QComboBox>
#include <QKeyEvent>
#include <QWheelEvent>

namespace forms::detail {

class LockableComboWidget : public QComboBox {
public:
    using QComboBox::QComboBox;
    bool locked = false;
    void showPopup() override {
        if (!locked) QComboBox::showPopup();
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (locked && (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down || e->key() == Qt::Key_Home ||
                       e->key() == Qt::Key_End || e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown)) {
            return;
        }
        QComboBox::keyPressEvent(e);
    }
    void wheelEvent(QWheelEvent* e) override {
        if (!locked) QComboBox::wheelEvent(e);
    }
};

}  // namespace forms::detail
