#pragma once

class QAction;
class QString;
class QWidget;

// A hint is shown as tooltip and in the status bar, and read out by screen
// readers as the control's description.
void SetHint(QWidget *widget, const QString &hint);
void SetHint(QAction *action, const QString &hint);
