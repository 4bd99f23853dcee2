#pragma once

#include <Qsci/qsciscintilla.h>

// The multi-line text editor of the window: the project memo, an item's
// body, the HTML template and the source view all use it, so that they
// behave as one control. Text is UTF-8 inside the control and lines end in
// CR LF, the form the project file keeps.
class TEditor : public QsciScintilla
{
    Q_OBJECT

public:
    explicit TEditor(QWidget *parent = nullptr);
};
