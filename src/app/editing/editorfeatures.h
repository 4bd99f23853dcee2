#pragma once

#include <QObject>

class BoxModeSwitch;
class CommandSet;
class ContentToolBarWiring;
class QMenu;
class QWidget;

// What the window's four text editors share: box selection mode switched
// for all of them together, Redo and box paste in the Edit menu, and the
// content toolbar's escape lock and markup.
class EditorFeatures : public QObject
{
    Q_OBJECT

public:
    // The window holds the editors; the Edit menu shows the editors'
    // commands while one of them has the focus.
    EditorFeatures(QWidget &window, CommandSet &commands, QMenu &editMenu,
                   ContentToolBarWiring &toolBar);

private:
    void defineEditCommands(QMenu &editMenu);
    void showEditorCommands(bool visible);
    void adoptEditors();

    QWidget &m_window;
    CommandSet &m_commands;
    BoxModeSwitch *m_boxMode;
    ContentToolBarWiring &m_toolBar;
};
