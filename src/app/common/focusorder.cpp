#include "app/common/focusorder.h"

#include <QKeyEvent>
#include <QWidget>

bool IsLeaveKey(const QKeyEvent *event, bool *forward)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (!tab ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != Qt::ControlModifier)
        return false;
    *forward = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
    return true;
}

bool MoveFocusOutOf(QWidget *control, bool forward)
{
    const QWidget *window = control->window();
    for (QWidget *w = control;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == control)
            return false;
        if (!control->isAncestorOf(w) && w->window() == window && w->isVisibleTo(window) &&
            w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}
