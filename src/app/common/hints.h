#pragma once

class QAction;
class QLabel;
class QString;
class QWidget;

// A hint is shown as tooltip and in the status bar, and read out by screen
// readers as the control's description.
void SetHint(QWidget *widget, const QString &hint);
void SetHint(QAction *action, const QString &hint);

// The label names the field: it is the field's buddy (its access key moves
// there) and the field's accessible name is its text as it reads, without
// the "&" of the key. Screen readers also hear it as the field's label when
// the two share a parent.
void SetFieldLabel(QLabel *label, QWidget *field);
