#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class TextEditor;

// Box selection mode is one switch for all the window's text editors: the
// menu item "Box選択モード(&K)" (Ctrl+K) toggles it, and every editor added
// here follows.
class BoxModeSwitch : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Adding an editor twice changes nothing.
    void addEditor(TextEditor *editor);
    bool isBoxMode() const { return m_boxMode; }

public Q_SLOTS:
    void setBoxMode(bool on);
    void toggle() { setBoxMode(!m_boxMode); }

Q_SIGNALS:
    void boxModeChanged(bool on);

private:
    QList<QPointer<TextEditor>> m_editors;
    bool m_boxMode = false;
};
