#pragma once

#include <QObject>

class BoxModeSwitch;
class ContentToolBar;
class ContentToolBarWiring;
class TEditorForm;

// What the window's four text editors share: box selection mode switched
// for all of them together, Redo and box paste in the Edit menu, the menu
// "検索(&S)" and the content toolbar with its escape lock.
class EditorFeatures : public QObject
{
    Q_OBJECT

public:
    explicit EditorFeatures(TEditorForm &window);

    BoxModeSwitch &boxMode() const { return *m_boxMode; }
    ContentToolBar *contentToolBar() const;
    // Takes what the features keep in the settings just read.
    void readSettings();

private:
    void defineEditCommands();
    void showEditorCommands(bool visible);
    void adoptEditors();

    TEditorForm &m_window;
    BoxModeSwitch *m_boxMode;
    ContentToolBarWiring *m_toolBar;
};
