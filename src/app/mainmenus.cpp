#include "app/mainmenus.h"

#include "app/common/commandset.h"
#include "app/common/hints.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

// One line of a menu table: an item, a separator ("-") or, when name is
// the name of a menu of the same table, that submenu.
struct Item
{
    const char16_t *name;
    const char16_t *caption = u"";
    const char16_t *shortcut = u"";
    const char16_t *hint = u"";
    // The platform's key, where the desktop has one for the command.
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
};

struct Menu
{
    const char16_t *name;
    const char16_t *caption;
    std::initializer_list<Item> items;
};

QString text(const char16_t *chars)
{
    return QString::fromUtf16(chars);
}

const Item separator{u"-"};

// Hints of the tree commands, which three menus offer.
constexpr const char16_t *addFeedHint = u"プロジェクトツリーにフィードを追加します";
constexpr const char16_t *addFolderHint = u"プロジェクトツリーにフォルダを追加します";
constexpr const char16_t *copyFeedHint = u"選択されているフィードの複写を作成します";
constexpr const char16_t *renameHint = u"選択されている項目の名前を変更します";
constexpr const char16_t *deleteHint = u"選択されている項目を削除します";
constexpr const char16_t *resetMarksHint = u"選択されている項目以下の変更フラグをリセットします";

// Menus below the top level are listed before the menus that hold them.
const std::initializer_list<Menu> mainMenus = {
    // Filled with the recent projects whenever it opens (RecentProjectsMenu).
    {u"Mn_Recent", u"最近使ったプロジェクト(&R)", {}},
    {u"Mn_SelectedNode",
     u"選択されているノード",
     {{u"Mn_DataInsert", u"プロジェクトを挿入(&I)...", u"",
       u"選択されているノードの下にプロジェクトファイルを追加します"},
      {u"Mn_DataExport", u"プロジェクトとして保存(&E)...", u"",
       u"選択されているノード以下をプロジェクトファイルとして保存します"},
      {u"Minnow1", u"Minnow版のデータを挿入(&L)", u"",
       u"Minnow版のデータをフィードとして追加します"}}},
    {u"File1",
     u"ファイル(&F)",
     {{u"Mn_DataNew", u"新規作成(&N)", u"Ctrl+N", u"プロジェクトを新規作成します"},
      {u"Mn_DataOpen", u"開く(&O)...", u"Ctrl+O", u"プロジェクトを開きます"},
      {u"Mn_Recent"},
      {u"Mn_DataSave", u"上書き保存(&S)", u"Ctrl+S", u"プロジェクトを保存します"},
      {u"Mn_DataSaveAs", u"名前を付けて保存(&A)...", u"", u"プロジェクトに名前を付けて保存します"},
      separator,
      {u"Mn_SelectedNode"},
      {u"Mn_FeedImport", u"フィードの読み込み(&F)...", u"",
       u"RSSやAtomのフィードをファイルまたはアドレスから読み込み、フィードとして追加します"},
      separator,
      {u"Mn_Ftp", u"アップロード(&U)", u"", u"RSSやHTMLページのアップロードを実行します"},
      separator,
      {u"Mn_Exit", u"終了(&X)", u"", u"Briskletを終了します"}}},
    {u"Edit1",
     u"編集(&E)",
     {{u"Mn_Undo", u"元に戻す(&U)", u"Ctrl+Z", u"直前の操作を元に戻します"},
      {u"Mn_Redo", u"やり直し(&R)", u"", u"元に戻した操作をやり直します", QKeySequence::Redo},
      separator,
      {u"Mn_Cut", u"切り取り(&T)", u"Ctrl+X", u"選択範囲を切り取ります"},
      {u"Mn_Copy", u"コピー(&C)", u"Ctrl+C", u"選択範囲をコピーします"},
      {u"Mn_Paste", u"貼り付け(&P)", u"Ctrl+V", u"クリップボードの内容を貼り付けます"},
      {u"Mn_BoxPaste", u"Box貼り付け(&B)", u"Ctrl+B", u"クリップボードの内容を矩形で貼り付けます"},
      {u"Mn_Delete", u"削除(&D)", u"", u"選択範囲を削除します"},
      separator,
      {u"Mn_SelectAll", u"全て選択(&A)", u"", u"全てを選択します"},
      {u"Mn_BoxMode", u"Box選択モード(&K)", u"Ctrl+K", u"矩形選択モードを切り替えます"}}},
    {u"Find1",
     u"検索(&S)",
     {{u"Mn_Find", u"検索(&F)...", u"Ctrl+F", u"文字列を検索します"},
      {u"Mn_FindNext", u"次を検索(&N)", u"F3", u"次を検索します"},
      {u"Mn_FindBack", u"前を検索(&B)", u"Shift+F3", u"前を検索します"},
      {u"Mn_Replace", u"置換(&R)...", u"Ctrl+R", u"文字列を置換します"}}},
    {u"ProjectTree1",
     u"プロジェクトツリー(&P)",
     {{u"N9", u"フィードの追加(&R)", u"", addFeedHint},
      {u"N10", u"フォルダの追加(&F)", u"", addFolderHint},
      {u"Mn_ChannelCopy", u"フィードの複写を作成(&C)", u"", copyFeedHint},
      separator,
      {u"Mn_ProRename", u"名前の変更(&A)", u"", renameHint},
      {u"Mn_ProDelete", u"削除(&D)", u"", deleteHint},
      separator,
      {u"N16", u"選択項目以下のフラグのリセット(&R)", u"", resetMarksHint}}},
    {u"Function1",
     u"機能(&C)",
     {{u"Mn_RssPreview", u"RSSをブラウザでプレビュー(&R)...", u"",
       u"RSSをブラウザでプレビューします"},
      {u"Mn_HtmlPreview", u"HTMLをブラウザでプレビュー(&I)...", u"",
       u"HTMLページをブラウザでプレビューします"},
      {u"Mn_ChannelHomePage", u"サイトのHTMLページを表示(&T)", u"",
       u"インターネット上のサイトのHTMLページを表示します"},
      {u"Mn_FeedCheck", u"RSSの構文チェック(&F)...", u"",
       u"サイトに設置したRSSの構文をチェックします"},
      separator,
      {u"Mn_LastOpen", u"起動時に最後に編集したプロジェクトを開く(&O)", u"",
       u"起動時に最後に編集したプロジェクトを開きます"},
      {u"Mn_Backup", u"２４時間単位でプロジェクトのバックアップを作成する(&B)", u"",
       u"保存するときに２４時間単位でバックアップを作成します"}}},
    {u"Help1",
     u"ヘルプ(&H)",
     {{u"Mn_Guide", u"ユーザーガイド(&G)...", u"", u"ユーザーガイドをブラウザで表示します"},
      {u"Mn_Manual", u"オンラインマニュアル(&O)...", u"", u"オンラインマニュアルを表示します"},
      {u"Mn_HomePage", u"ホームページ(&H)...", u"", u"ホームページを表示します"},
      {u"Mn_Readme", u"Readmeを参照する(&R)...", u"", u"Readmeを表示します"}}},
};

const std::initializer_list<const char16_t *> topLevelMenus = {
    u"File1", u"Edit1", u"Find1", u"ProjectTree1", u"Function1", u"Help1"};

const Menu addMenu = {u"PopupMenu_Add",
                      u"追加",
                      {{u"N9_Add", u"フィードの追加(&C)", u"", addFeedHint},
                       {u"N10_Add", u"フォルダの追加(&F)", u"", addFolderHint},
                       {u"Mn_ChannelCopy3", u"複写を作成(&O)", u"", copyFeedHint}}};

const Menu treeMenu = {
    u"PopupMenu_Tree",
    u"",
    {{u"N9_Popup", u"フィードの追加(&C)", u"", addFeedHint},
     {u"N10_Popup", u"フォルダの追加(&F)", u"", addFolderHint},
     {u"Mn_ChannelCopy2", u"複写を作成(&O)", u"", copyFeedHint},
     separator,
     {u"Mn_ProRename2", u"名前の変更(&A)", u"", renameHint},
     {u"Mn_ProDelete2", u"削除(&D)", u"", deleteHint},
     separator,
     {u"N16_Popup", u"選択項目以下のフラグのリセット(&R)", u"", resetMarksHint}}};

// Tool buttons: "-" separates; the "追加" button opens PopupMenu_Add.
const std::initializer_list<Item> toolButtons = {
    {u"Tb_New", u"新規", u"", u"プロジェクトを新規作成します"},
    {u"TB_Open", u"開く", u"", u"プロジェクトを開きます"},
    {u"TB_Save", u"保存", u"", u"プロジェクトを保存します"},
    separator,
    {u"TB_Add", u"追加", u"", u"プロジェクトツリーにフィードなどを追加します"},
    separator,
    {u"TB_Upload", u"アップロード", u"", u"RSSやHTMLページのアップロードを実行します"},
    {u"TB_Rss", u"RSS", u"", u"RSSをブラウザでプレビューします"},
    {u"TB_Html", u"HTML", u"", u"HTMLページをブラウザでプレビューします"},
    {u"TB_ChannelHomePage", u"サイトのHTMLページを表示", u"",
     u"インターネット上のサイトのHTMLページを表示します"},
    {u"TB_Preview", u"プレビュー", u"", u"プレビュー画面を表示します"},
};

QAction *makeAction(const Item &item, QObject *parent, CommandSet &commands)
{
    auto *action = new QAction(text(item.caption), parent);
    action->setObjectName(text(item.name));
    action->setShortcut(item.standardKey == QKeySequence::UnknownKey
                            ? QKeySequence(text(item.shortcut))
                            : QKeySequence(item.standardKey));
    SetHint(action, text(item.hint));
    commands.add(action);
    return action;
}

QMenu *makeMenu(const Menu &menu, QWidget *parent, CommandSet &commands,
                const QHash<QString, QMenu *> &submenus)
{
    auto *qmenu = new QMenu(text(menu.caption), parent);
    qmenu->setObjectName(text(menu.name));
    qmenu->menuAction()->setObjectName(text(menu.name) + QStringLiteral("_Item"));
    qmenu->setToolTipsVisible(true);
    for (const Item &item : menu.items) {
        const QString name = text(item.name);
        if (name == u"-")
            qmenu->addSeparator();
        else if (QMenu *submenu = submenus.value(name))
            qmenu->addMenu(submenu);
        else
            qmenu->addAction(makeAction(item, qmenu, commands));
    }
    commands.watch(qmenu);
    return qmenu;
}

} // namespace

QHash<QString, QMenu *> BuildMainMenus(QMenuBar *bar, CommandSet &commands)
{
    QHash<QString, QMenu *> menus;
    for (const Menu &menu : mainMenus)
        menus.insert(text(menu.name), makeMenu(menu, bar, commands, menus));
    for (const char16_t *name : topLevelMenus)
        bar->addMenu(menus.value(text(name)));
    return menus;
}

void BuildToolButtons(QToolBar *toolBar, CommandSet &commands)
{
    for (const Item &item : toolButtons) {
        if (text(item.name) == u"-") {
            toolBar->addSeparator();
            continue;
        }
        QAction *action = makeAction(item, toolBar, commands);
        toolBar->addAction(action);
        SetHint(action, text(item.hint)); // now that its button exists
    }
    // "追加" opens its menu just below itself, at its left edge.
    QAction *add = commands.action(QStringLiteral("TB_Add"));
    QMenu *popup = makeMenu(addMenu, toolBar, commands, {});
    add->setMenu(popup);
    if (auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(add)))
        button->setPopupMode(QToolButton::InstantPopup);
}

QMenu *BuildTreePopupMenu(QWidget *parent, CommandSet &commands)
{
    return makeMenu(treeMenu, parent, commands, {});
}
