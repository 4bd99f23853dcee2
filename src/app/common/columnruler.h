#pragma once

#include <QWidget>

class QsciScintilla;

// The column ruler above the text: a tick for every column, numbers every
// ten, and the caret's column marked. It follows horizontal scrolling.
class ColumnRuler : public QWidget
{
    Q_OBJECT

public:
    explicit ColumnRuler(QsciScintilla *editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QsciScintilla *m_editor;
};
