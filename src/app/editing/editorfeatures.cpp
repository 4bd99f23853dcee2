#include "app/editing/editorfeatures.h"

#include "app/common/commandids.h"
#include "app/common/commandset.h"
#include "app/common/texteditor.h"
#include "app/editing/boxmodeswitch.h"
#include "app/editing/contenttoolbarwiring.h"
#include "app/editing/focusfacts.h"
#include "app/editing/windoweditors.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace {

const QStringList editorCommands = {CommandId::editRedo, CommandId::editBoxPaste,
                                    CommandId::editBoxMode};

} // namespace

EditorFeatures::EditorFeatures(QWidget &window, CommandSet &commands, QMenu &editMenu,
                               ContentToolBarWiring &toolBar)
    : QObject(&window), m_window(window), m_commands(commands), m_boxMode(new BoxModeSwitch(this)),
      m_toolBar(toolBar)
{
    defineEditCommands(editMenu);
    adoptEditors();
    // An editor of a page made later joins as soon as it takes the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (qobject_cast<TextEditor *>(now) && m_window.isAncestorOf(now))
            adoptEditors();
    });
}

void EditorFeatures::adoptEditors()
{
    for (const QString &name : WindowEditor::all) {
        if (TextEditor *editor = FindWindowEditor(m_window, name))
            m_boxMode->addEditor(editor);
    }
    m_toolBar.adoptEditors();
}

void EditorFeatures::defineEditCommands(QMenu &editMenu)
{
    const auto state = [this] {
        FocusFacts facts = ReadFocusFacts(m_window.focusWidget(), nullptr, false);
        facts.boxMode = m_boxMode->isBoxMode();
        return EditMenuState(facts);
    };
    const auto onFocused = [this](void (TextEditor::*run)()) {
        return [this, run] {
            if (TextEditor *editor = FocusedEditor(m_window))
                (editor->*run)();
        };
    };
    m_commands.define(CommandId::editBoxPaste, onFocused(&TextEditor::boxPaste),
                      [state] { return state().boxPaste; });
    m_commands.define(
        CommandId::editBoxMode,
        [this] {
            adoptEditors();
            m_boxMode->toggle();
        },
        [state] { return state().editorCommandsVisible; });
    m_commands.defineCheck(CommandId::editBoxMode, [this] { return m_boxMode->isBoxMode(); });

    // The three show only while a text editor has the focus; they come back
    // when the menu closes, since a hidden action's key does nothing.
    connect(&editMenu, &QMenu::aboutToShow, this,
            [this, state] { showEditorCommands(state().editorCommandsVisible); });
    connect(&editMenu, &QMenu::aboutToHide, this, [this] { showEditorCommands(true); });
}

void EditorFeatures::showEditorCommands(bool visible)
{
    for (const QString &id : editorCommands) {
        if (QAction *action = m_commands.action(id))
            action->setVisible(visible);
    }
}
