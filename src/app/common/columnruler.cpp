#include "app/common/columnruler.h"

#include <QPainter>
#include <Qsci/qsciscintilla.h>

ColumnRuler::ColumnRuler(QsciScintilla *editor) : QWidget(editor), m_editor(editor)
{
    setObjectName(QStringLiteral("ColumnRuler"));
    connect(editor, &QsciScintillaBase::SCN_UPDATEUI, this, qOverload<>(&QWidget::update));
}

QSize ColumnRuler::sizeHint() const
{
    return {0, fontMetrics().height() + 6};
}

void ColumnRuler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    long left = 0;
    for (int margin = 0; margin < 5; ++margin)
        left += m_editor->SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, margin);
    left -= m_editor->SendScintilla(QsciScintillaBase::SCI_GETXOFFSET);
    const long width = m_editor->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH,
                                               uintptr_t(QsciScintillaBase::STYLE_DEFAULT), "0");
    if (width <= 0)
        return;
    const long caret =
        m_editor->SendScintilla(QsciScintillaBase::SCI_GETCOLUMN,
                                m_editor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS));
    const int bottom = height() - 1;
    painter.fillRect(QRectF(left + caret * width, 0, width, height()), palette().highlight());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(0, bottom, this->width(), bottom);
    for (long column = qMax(0L, -left / width); left + column * width < this->width(); ++column) {
        const long x = left + column * width;
        const int tick = column % 10 == 0 ? bottom : (column % 5 == 0 ? 6 : 3);
        painter.drawLine(int(x), bottom, int(x), bottom - tick);
        if (column % 10 == 0 && column > 0)
            painter.drawText(int(x) + 2, fontMetrics().ascent(), QString::number(column));
    }
}
