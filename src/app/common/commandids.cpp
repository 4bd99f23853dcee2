#include "app/common/commandids.h"

#include <QHash>

namespace {

using namespace CommandId;

// Made on first use: the ids are constants of other files.
const QHash<QString, CommandControls> &table()
{
    static const QHash<QString, CommandControls> byId = [] {
        const CommandControls rows[] = {
            // One command a line, so that the table reads as one.
            // clang-format off
            {fileNew, u"プロジェクトを新規作成します", {u"Mn_DataNew", u"新規作成(&N)", u"Ctrl+N"}, {u"Tb_New", u"新規"}, fileNewButton},
            {fileOpen, u"プロジェクトを開きます", {u"Mn_DataOpen", u"開く(&O)...", u"Ctrl+O"}, {u"TB_Open", u"開く"}},
            {fileSave, u"プロジェクトを保存します", {u"Mn_DataSave", u"上書き保存(&S)", u"Ctrl+S"}, {u"TB_Save", u"保存"}, fileSaveButton},
            {fileSaveAs, u"プロジェクトに名前を付けて保存します", {u"Mn_DataSaveAs", u"名前を付けて保存(&A)..."}},
            {fileInsertProject, u"選択されているノードの下にプロジェクトファイルを追加します", {u"Mn_DataInsert", u"プロジェクトを挿入(&I)..."}},
            {fileExportProject, u"選択されているノード以下をプロジェクトファイルとして保存します", {u"Mn_DataExport", u"プロジェクトとして保存(&E)..."}},
            {fileInsertTable, u"Minnow版のデータをフィードとして追加します", {u"Minnow1", u"Minnow版のデータを挿入(&L)"}},
            {fileImportFeed, u"RSSやAtomのフィードをファイルまたはアドレスから読み込み、フィードとして追加します", {u"Mn_FeedImport", u"フィードの読み込み(&F)..."}},
            {fileUpload, u"RSSやHTMLページのアップロードを実行します", {u"Mn_Ftp", u"アップロード(&U)"}, {u"TB_Upload", u"アップロード"}},
            {fileExit, u"Briskletを終了します", {u"Mn_Exit", u"終了(&X)"}},

            {editUndo, u"直前の操作を元に戻します", {u"Mn_Undo", u"元に戻す(&U)", u"Ctrl+Z"}},
            {editRedo, u"元に戻した操作をやり直します", {u"Mn_Redo", u"やり直し(&R)"}, {}, {}, {}, QKeySequence::Redo},
            {editCut, u"選択範囲を切り取ります", {u"Mn_Cut", u"切り取り(&T)", u"Ctrl+X"}},
            {editCopy, u"選択範囲をコピーします", {u"Mn_Copy", u"コピー(&C)", u"Ctrl+C"}},
            {editPaste, u"クリップボードの内容を貼り付けます", {u"Mn_Paste", u"貼り付け(&P)", u"Ctrl+V"}},
            {editBoxPaste, u"クリップボードの内容を矩形で貼り付けます", {u"Mn_BoxPaste", u"Box貼り付け(&B)", u"Ctrl+B"}},
            {editDelete, u"選択範囲を削除します", {u"Mn_Delete", u"削除(&D)"}},
            {editSelectAll, u"全てを選択します", {u"Mn_SelectAll", u"全て選択(&A)"}},
            {editBoxMode, u"矩形選択モードを切り替えます", {u"Mn_BoxMode", u"Box選択モード(&K)", u"Ctrl+K"}},

            {searchFind, u"文字列を検索します", {u"Mn_Find", u"検索(&F)...", u"Ctrl+F"}},
            {searchFindNext, u"次を検索します", {u"Mn_FindNext", u"次を検索(&N)", u"F3"}},
            {searchFindBack, u"前を検索します", {u"Mn_FindBack", u"前を検索(&B)", u"Shift+F3"}},
            {searchReplace, u"文字列を置換します", {u"Mn_Replace", u"置換(&R)...", u"Ctrl+R"}},

            // The pop-ups give the add and copy commands other access keys.
            {treeAddFeed, u"プロジェクトツリーにフィードを追加します", {u"N9", u"フィードの追加(&R)"}, {}, {}, {u"N9_Popup", u"フィードの追加(&C)"}},
            {treeAddFolder, u"プロジェクトツリーにフォルダを追加します", {u"N10", u"フォルダの追加(&F)"}},
            {treeCopyFeed, u"選択されているフィードの複写を作成します", {u"Mn_ChannelCopy", u"フィードの複写を作成(&C)"}, {}, {}, {u"Mn_ChannelCopy2", u"複写を作成(&O)"}},
            {treeRename, u"選択されている項目の名前を変更します", {u"Mn_ProRename", u"名前の変更(&A)"}},
            {treeDelete, u"選択されている項目を削除します", {u"Mn_ProDelete", u"削除(&D)"}},
            {treeResetMarks, u"選択されている項目以下の変更フラグをリセットします", {u"N16", u"選択項目以下のフラグのリセット(&R)"}},

            {previewRss, u"RSSをブラウザでプレビューします", {u"Mn_RssPreview", u"RSSをブラウザでプレビュー(&R)..."}, {u"TB_Rss", u"RSS"}, previewRssButton},
            {previewHtml, u"HTMLページをブラウザでプレビューします", {u"Mn_HtmlPreview", u"HTMLをブラウザでプレビュー(&I)..."}, {u"TB_Html", u"HTML"}, previewHtmlButton},
            {previewSitePage, u"インターネット上のサイトのHTMLページを表示します", {u"Mn_ChannelHomePage", u"サイトのHTMLページを表示(&T)"}, {u"TB_ChannelHomePage", u"サイトのHTMLページを表示"}, previewSitePageButton},
            {previewAddress, u"プレビュー画面を表示します", {}, {u"TB_Preview", u"プレビュー"}},
            {previewFeedCheck, u"サイトに設置したRSSの構文をチェックします", {u"Mn_FeedCheck", u"RSSの構文チェック(&F)..."}},
            {optionLastOpen, u"起動時に最後に編集したプロジェクトを開きます", {u"Mn_LastOpen", u"起動時に最後に編集したプロジェクトを開く(&O)"}},
            {optionBackup, u"保存するときに２４時間単位でバックアップを作成します", {u"Mn_Backup", u"２４時間単位でプロジェクトのバックアップを作成する(&B)"}},

            {helpGuide, u"ユーザーガイドをブラウザで表示します", {u"Mn_Guide", u"ユーザーガイド(&G)..."}},
            {helpManual, u"オンラインマニュアルを表示します", {u"Mn_Manual", u"オンラインマニュアル(&O)..."}},
            {helpHomePage, u"ホームページを表示します", {u"Mn_HomePage", u"ホームページ(&H)..."}},
            {helpReadme, u"Readmeを表示します", {u"Mn_Readme", u"Readmeを参照する(&R)..."}},
            // clang-format on
        };
        QHash<QString, CommandControls> made;
        for (const CommandControls &row : rows) {
            made.insert(row.id, row);
            if (!row.buttonId.isEmpty())
                made.insert(row.buttonId, row);
        }
        return made;
    }();
    return byId;
}

} // namespace

const CommandControls &ControlsOf(const QString &id)
{
    const auto it = table().constFind(id);
    if (it == table().cend())
        qFatal("No command has the id %s", qPrintable(id));
    return *it;
}
