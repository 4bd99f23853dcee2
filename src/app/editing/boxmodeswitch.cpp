#include "app/editing/boxmodeswitch.h"

#include "app/common/texteditor.h"

void BoxModeSwitch::addEditor(TextEditor *editor)
{
    if (m_editors.contains(editor))
        return;
    m_editors << editor;
    editor->setBoxMode(m_boxMode);
}

void BoxModeSwitch::setBoxMode(bool on)
{
    if (on == m_boxMode)
        return;
    m_boxMode = on;
    for (const QPointer<TextEditor> &editor : std::as_const(m_editors))
        if (editor)
            editor->setBoxMode(on);
    Q_EMIT boxModeChanged(on);
}
