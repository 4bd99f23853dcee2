#pragma once

class QKeyEvent;
class QWidget;

// Controls that take Tab for themselves (the item grid, the text editors)
// let the keyboard out with Ctrl+Tab, and back with Ctrl+Shift+Tab.

// Ctrl+Tab gives forward, Ctrl+Shift+Tab backward; other keys nothing.
bool IsLeaveKey(const QKeyEvent *event, bool *forward);
// Moves the focus to the control that Tab or Shift+Tab reaches from the
// control, passing over the control's own children; false when there is
// none.
bool MoveFocusOutOf(QWidget *control, bool forward);
