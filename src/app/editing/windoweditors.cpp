#include "app/editing/windoweditors.h"

#include "app/common/texteditor.h"

TextEditor *FindWindowEditor(const QWidget &window, const QString &name)
{
    return window.findChild<TextEditor *>(name);
}

TextEditor *FocusedEditor(const QWidget &window)
{
    return qobject_cast<TextEditor *>(window.focusWidget());
}
