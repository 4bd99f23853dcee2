#pragma once

#include <QKeySequence>
#include <QString>

// The window's commands by what they do. An id names one command: what it
// runs and when it may (CommandSet::define) and the one action that its menu
// item, pop-up items and tool button share. Where a tool button is enabled
// by another rule than the menu item of the same name, it offers a command
// of its own ("…Button").
namespace CommandId {
// ファイル
inline const QString fileNew = QStringLiteral("file.new");
inline const QString fileNewButton = QStringLiteral("file.newButton");
inline const QString fileOpen = QStringLiteral("file.open");
inline const QString fileSave = QStringLiteral("file.save");
inline const QString fileSaveButton = QStringLiteral("file.saveButton");
inline const QString fileSaveAs = QStringLiteral("file.saveAs");
inline const QString fileInsertProject = QStringLiteral("file.insertProject");
inline const QString fileExportProject = QStringLiteral("file.exportProject");
inline const QString fileInsertTable = QStringLiteral("file.insertTable");
inline const QString fileImportFeed = QStringLiteral("file.importFeed");
inline const QString fileUpload = QStringLiteral("file.upload");
inline const QString fileExit = QStringLiteral("file.exit");
// 編集
inline const QString editUndo = QStringLiteral("edit.undo");
inline const QString editRedo = QStringLiteral("edit.redo");
inline const QString editCut = QStringLiteral("edit.cut");
inline const QString editCopy = QStringLiteral("edit.copy");
inline const QString editPaste = QStringLiteral("edit.paste");
inline const QString editBoxPaste = QStringLiteral("edit.boxPaste");
inline const QString editDelete = QStringLiteral("edit.delete");
inline const QString editSelectAll = QStringLiteral("edit.selectAll");
inline const QString editBoxMode = QStringLiteral("edit.boxMode");
// 検索
inline const QString searchFind = QStringLiteral("search.find");
inline const QString searchFindNext = QStringLiteral("search.findNext");
inline const QString searchFindBack = QStringLiteral("search.findBack");
inline const QString searchReplace = QStringLiteral("search.replace");
// プロジェクトツリー
inline const QString treeAddFeed = QStringLiteral("tree.addFeed");
inline const QString treeAddFolder = QStringLiteral("tree.addFolder");
inline const QString treeCopyFeed = QStringLiteral("tree.copyFeed");
inline const QString treeRename = QStringLiteral("tree.rename");
inline const QString treeDelete = QStringLiteral("tree.delete");
inline const QString treeResetMarks = QStringLiteral("tree.resetMarks");
// 機能
inline const QString previewRss = QStringLiteral("preview.rss");
inline const QString previewRssButton = QStringLiteral("preview.rssButton");
inline const QString previewHtml = QStringLiteral("preview.html");
inline const QString previewHtmlButton = QStringLiteral("preview.htmlButton");
inline const QString previewSitePage = QStringLiteral("preview.sitePage");
inline const QString previewSitePageButton = QStringLiteral("preview.sitePageButton");
inline const QString previewAddress = QStringLiteral("preview.address");
inline const QString previewFeedCheck = QStringLiteral("preview.feedCheck");
inline const QString optionLastOpen = QStringLiteral("option.lastOpen");
inline const QString optionBackup = QStringLiteral("option.backup");
// ヘルプ
inline const QString helpGuide = QStringLiteral("help.guide");
inline const QString helpManual = QStringLiteral("help.manual");
inline const QString helpHomePage = QStringLiteral("help.homePage");
inline const QString helpReadme = QStringLiteral("help.readme");
} // namespace CommandId

// Where a command is offered and how it reads there. The names are object
// names: of the command's action (its menu item's name, else its tool
// button's), of the tool button's widget, and of the pop-up menus' own
// action where they read otherwise than the main menu. An empty name: that
// place does not offer the command.
struct CommandControls
{
    struct Control
    {
        const char16_t *name = u"";
        const char16_t *caption = u"";
        const char16_t *shortcut = u"";
    };
    QString id;
    const char16_t *hint;
    Control menuItem;
    Control toolButton;
    // The tool button's own command, where the button follows another rule
    // than the menu item; none: the button offers this command.
    QString buttonId;
    Control popupItem;
    // The platform's key, where the desktop has one for the command.
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
};

// The row of the command (of a tool button's own command: the row of the
// menu item it pairs with); an id not in the table is a fault of the program.
const CommandControls &ControlsOf(const QString &id);
