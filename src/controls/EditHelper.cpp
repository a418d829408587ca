#include "controls/EditHelper.h"

#include <QKeyEvent>

namespace quenlar::controls {

CEditHelper::CEditHelper(QWidget *parent) : QLineEdit(parent) {}

void CEditHelper::keyPressEvent(QKeyEvent *event) {
    QLineEdit::keyPressEvent(event);
    // Enter and Escape end the edit on their release; their presses stay here, so they never
    // reach a dialog as its OK or Cancel.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape)
        event->accept();
}

void CEditHelper::keyReleaseEvent(QKeyEvent *event) {
    if (!event->isAutoRepeat()) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            emit endEditRequested(true);
        else if (event->key() == Qt::Key_Escape)
            emit endEditRequested(false);
    }
    QLineEdit::keyReleaseEvent(event);
}

void CEditHelper::focusOutEvent(QFocusEvent *event) {
    emit endEditRequested(true);
    QLineEdit::focusOutEvent(event);
}

} // namespace quenlar::controls
