#include "app/mainmenus.h"

#include "app/common/commandids.h"
#include "app/common/commandset.h"
#include "app/common/hints.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <vector>

namespace {

using namespace CommandId;

// A menu lists command ids, separators ("-") and, by their names, the menus
// of the same table that it holds.
struct Menu
{
    const char16_t *name;
    const char16_t *caption;
    QStringList items;
};

QString text(const char16_t *chars)
{
    return QString::fromUtf16(chars);
}

const QString separator = QStringLiteral("-");
const QString recentMenu = QStringLiteral("Mn_Recent");

// Menus below the top level are listed before the menus that hold them.
const std::vector<Menu> &mainMenus()
{
    static const std::vector<Menu> menus = {
        // Filled with the recent projects whenever it opens (RecentProjectsMenu).
        {u"Mn_Recent", u"最近使ったプロジェクト(&R)", {}},
        {u"Mn_SelectedNode",
         u"選択されているノード",
         {fileInsertProject, fileExportProject, fileInsertTable}},
        {u"File1",
         u"ファイル(&F)",
         {fileNew, fileOpen, recentMenu, fileSave, fileSaveAs, separator,
          QStringLiteral("Mn_SelectedNode"), fileImportFeed, separator, fileUpload, separator,
          fileExit}},
        {u"Edit1",
         u"編集(&E)",
         {editUndo, editRedo, separator, editCut, editCopy, editPaste, editBoxPaste, editDelete,
          separator, editSelectAll, editBoxMode}},
        {u"Find1", u"検索(&S)", {searchFind, searchFindNext, searchFindBack, searchReplace}},
        {u"ProjectTree1",
         u"プロジェクトツリー(&P)",
         {treeAddFeed, treeAddFolder, treeCopyFeed, separator, treeRename, treeDelete, separator,
          treeResetMarks}},
        {u"Function1",
         u"機能(&C)",
         {previewRss, previewHtml, previewSitePage, previewFeedCheck, separator, optionLastOpen,
          optionBackup}},
        {u"Help1", u"ヘルプ(&H)", {helpGuide, helpManual, helpHomePage, helpReadme}},
    };
    return menus;
}

const std::initializer_list<const char16_t *> topLevelMenus = {
    u"File1", u"Edit1", u"Find1", u"ProjectTree1", u"Function1", u"Help1"};

const Menu &addMenu()
{
    static const Menu menu = {
        u"PopupMenu_Add", u"追加", {treeAddFeed, treeAddFolder, treeCopyFeed}};
    return menu;
}

const Menu &treeMenu()
{
    static const Menu menu = {u"PopupMenu_Tree",
                              u"",
                              {treeAddFeed, treeAddFolder, treeCopyFeed, separator, treeRename,
                               treeDelete, separator, treeResetMarks}};
    return menu;
}

// Tool buttons: "-" separates; the add menu's name stands for its "追加"
// button, which opens that menu.
const QStringList &toolButtons()
{
    static const QStringList buttons = {
        fileNewButton, fileOpen,   fileSaveButton,   separator,         text(addMenu().name),
        separator,     fileUpload, previewRssButton, previewHtmlButton, previewSitePageButton,
        previewAddress};
    return buttons;
}

// An action of the command as the control shows it; only the main menu's
// item carries the command's key.
QAction *makeAction(CommandSet &commands, const QString &id,
                    const CommandControls::Control &control)
{
    const CommandControls &controls = ControlsOf(id);
    auto *action = new QAction(text(control.caption), &commands);
    action->setObjectName(text(control.name));
    action->setShortcut(&control == &controls.menuItem &&
                                controls.standardKey != QKeySequence::UnknownKey
                            ? QKeySequence(controls.standardKey)
                            : QKeySequence(text(control.shortcut)));
    SetHint(action, text(controls.hint));
    commands.add(id, action);
    return action;
}

// The command's action, made on first use, under the object name of its
// menu item, else of its tool button.
QAction *commandAction(CommandSet &commands, const QString &id)
{
    if (QAction *action = commands.action(id))
        return action;
    const CommandControls &controls = ControlsOf(id);
    const bool inMenu = *controls.menuItem.name && id != controls.buttonId;
    return makeAction(commands, id, inMenu ? controls.menuItem : controls.toolButton);
}

// What a pop-up menu shows for the command: the pop-ups' own action where
// they read otherwise than the main menu, else the command's.
QAction *popupAction(CommandSet &commands, const QString &id)
{
    const CommandControls &controls = ControlsOf(id);
    if (!*controls.popupItem.name)
        return commandAction(commands, id);
    if (auto *made = commands.findChild<QAction *>(text(controls.popupItem.name),
                                                   Qt::FindDirectChildrenOnly))
        return made;
    commandAction(commands, id); // the command's own action comes first
    return makeAction(commands, id, controls.popupItem);
}

enum class MenuKind
{
    Main,
    Popup,
};

QMenu *makeMenu(const Menu &menu, QWidget *parent, CommandSet &commands, MenuKind kind,
                const QHash<QString, QMenu *> &submenus)
{
    auto *qmenu = new QMenu(text(menu.caption), parent);
    qmenu->setObjectName(text(menu.name));
    qmenu->menuAction()->setObjectName(text(menu.name) + QStringLiteral("_Item"));
    qmenu->setToolTipsVisible(true);
    for (const QString &item : menu.items) {
        if (item == separator)
            qmenu->addSeparator();
        else if (QMenu *submenu = submenus.value(item))
            qmenu->addMenu(submenu);
        else
            qmenu->addAction(kind == MenuKind::Main ? commandAction(commands, item)
                                                    : popupAction(commands, item));
    }
    commands.watch(qmenu);
    return qmenu;
}

} // namespace

QHash<QString, QMenu *> BuildMainMenus(QMenuBar *bar, CommandSet &commands)
{
    QHash<QString, QMenu *> menus;
    for (const Menu &menu : mainMenus())
        menus.insert(text(menu.name), makeMenu(menu, bar, commands, MenuKind::Main, menus));
    for (const char16_t *name : topLevelMenus)
        bar->addMenu(menus.value(text(name)));
    return menus;
}

void BuildToolButtons(QToolBar *toolBar, CommandSet &commands)
{
    for (const QString &item : toolButtons()) {
        if (item == separator) {
            toolBar->addSeparator();
        } else if (item == text(addMenu().name)) {
            // "追加" is its menu's own action: it opens the menu just below
            // itself, at its left edge.
            QMenu *popup = makeMenu(addMenu(), toolBar, commands, MenuKind::Popup, {});
            toolBar->addAction(popup->menuAction());
            auto *button =
                qobject_cast<QToolButton *>(toolBar->widgetForAction(popup->menuAction()));
            button->setObjectName(QStringLiteral("TB_Add"));
            button->setPopupMode(QToolButton::InstantPopup);
            SetHint(popup->menuAction(),
                    QStringLiteral("プロジェクトツリーにフィードなどを追加します"));
        } else {
            const CommandControls &controls = ControlsOf(item);
            QAction *action = commandAction(commands, item);
            action->setIconText(text(controls.toolButton.caption));
            toolBar->addAction(action);
            toolBar->widgetForAction(action)->setObjectName(text(controls.toolButton.name));
            SetHint(action, text(controls.hint)); // now that its button exists
        }
    }
}

QMenu *BuildTreePopupMenu(QWidget *parent, CommandSet &commands)
{
    return makeMenu(treeMenu(), parent, commands, MenuKind::Popup, {});
}
