#include "app/editing/windoweditors.h"

#include "app/common/teditor.h"

TEditor *FindWindowEditor(const QWidget &window, const QString &name)
{
    return window.findChild<TEditor *>(name);
}

TEditor *FocusedEditor(const QWidget &window)
{
    return qobject_cast<TEditor *>(window.focusWidget());
}
