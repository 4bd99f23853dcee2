#include "app/editing/editorfeatures.h"

#include "app/commandset.h"
#include "app/editing/boxmodeswitch.h"
#include "app/editing/contenttoolbarwiring.h"
#include "app/editing/focusfacts.h"
#include "app/editing/teditor.h"
#include "app/editing/windoweditors.h"
#include "app/editorform.h"
#include "app/search/searchwiring.h"
#include "core/project/workspace.h"
#include "core/search/searchsettings.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace {

const QStringList editorCommandNames = {QStringLiteral("Mn_Redo"), QStringLiteral("Mn_BoxPaste"),
                                        QStringLiteral("Mn_BoxMode")};

} // namespace

EditorFeatures::EditorFeatures(TEditorForm &window)
    : QObject(&window), m_window(window), m_boxMode(new BoxModeSwitch(this)),
      m_toolBar(new ContentToolBarWiring(window, this))
{
    Workspace &workspace = window.workspace();
    WireSearchCommands(window, window.commands(), SearchSettingsFilePath(workspace.folders),
                       workspace.ui);
    defineEditCommands();
    adoptEditors();
    // An editor of a page made later joins as soon as it takes the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (qobject_cast<TEditor *>(now) && m_window.isAncestorOf(now))
            adoptEditors();
    });
}

ContentToolBar *EditorFeatures::contentToolBar() const
{
    return m_toolBar->toolBar();
}

void EditorFeatures::readSettings()
{
    m_toolBar->readSettings();
}

void EditorFeatures::adoptEditors()
{
    for (const QString &name : WindowEditor::all) {
        if (TEditor *editor = FindWindowEditor(m_window, name))
            m_boxMode->addEditor(editor);
    }
    m_toolBar->adoptEditors();
}

void EditorFeatures::defineEditCommands()
{
    CommandSet &commands = m_window.commands();
    const auto state = [this] {
        FocusFacts facts = ReadFocusFacts(m_window.focusWidget(), nullptr, false);
        facts.boxMode = m_boxMode->isBoxMode();
        return EditMenuState(facts);
    };
    const auto onFocused = [this](void (TEditor::*run)()) {
        return [this, run] {
            if (TEditor *editor = FocusedEditor(m_window))
                (editor->*run)();
        };
    };
    commands.define({QStringLiteral("Mn_BoxPaste")}, onFocused(&TEditor::boxPaste),
                    [state] { return state().boxPaste; });
    commands.define(
        {QStringLiteral("Mn_BoxMode")},
        [this] {
            adoptEditors();
            m_boxMode->toggle();
        },
        [state] { return state().editorCommandsVisible; });
    commands.defineCheck(QStringLiteral("Mn_BoxMode"), [this] { return m_boxMode->isBoxMode(); });

    // The three show only while a text editor has the focus; they come back
    // when the menu closes, since a hidden action's key does nothing.
    if (auto *edit = m_window.findChild<QMenu *>(QStringLiteral("Edit1"))) {
        connect(edit, &QMenu::aboutToShow, this,
                [this, state] { showEditorCommands(state().editorCommandsVisible); });
        connect(edit, &QMenu::aboutToHide, this, [this] { showEditorCommands(true); });
    }
}

void EditorFeatures::showEditorCommands(bool visible)
{
    for (const QString &name : editorCommandNames) {
        if (QAction *action = m_window.commands().action(name))
            action->setVisible(visible);
    }
}
