#include "teditor.h"

#include <Qsci/qscilexerhtml.h>

TEditor::TEditor(QWidget *parent) : QsciScintilla(parent)
{
    setUtf8(true);
    setEolMode(EolWindows);
    setTabWidth(2);
    setIndentationsUseTabs(false);
    setMarginType(0, NumberMargin);
    setMarginWidth(0, QStringLiteral("00000"));
    setLexer(new QsciLexerHTML(this));
}
