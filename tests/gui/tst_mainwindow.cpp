#include "app/common/commandset.h"
#include "app/editing/feedpagewiring.h"
#include "app/editing/gridcelleditors.h"
#include "app/editing/itemgridview.h"
#include "app/editing/itemspage.h"
#include "app/mainwindow.h"
#include "app/project/pageframe.h"
#include "app/project/projecttreeview.h"
#include "app/startup.h"
#include "core/project/projectcommands.h"
#include "core/project/recoverykeeper.h"
#include "core/project/workspace.h"
#include "core/settings/inifile.h"
#include "core/settings/settings.h"
#include "datarows.h"
#include "testfiles.h"
#include "windowfixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>

using namespace Qt::StringLiterals;
using namespace windowfixture;

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static QString panelText(MainWindow &window, const QString &panel)
    {
        return window.findChild<QLabel *>(panel)->text();
    }

private Q_SLOTS:
    void initTestCase()
    {
        LoadQtTranslation(*qApp);
        QVERIFY(foldersIn(m_dir).create().isEmpty());
    }

    void startsWithEmptyProject()
    {
        MainWindow window(foldersIn(m_dir));
        window.show();
        window.restoreLastSession();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), u"Brisklet"_s);
        QCOMPARE(window.treeView()->model()->rowCount(), 1);
        QCOMPARE(window.treeView()->currentIndex().data().toString(), u"プロジェクト"_s);
        QVERIFY(window.findChild<QLabel *>(u"Memo_Tree"_s)->isVisible());
        QCOMPARE(panelText(window, u"StatusBar_Panel1"_s), u"プロジェクト"_s);
        QVERIFY(window.findChild<QToolBar *>(u"Toolbar_Menu"_s));
        CommandSet &commands = window.commands();
        QVERIFY(!commands.action(u"file.saveButton"_s)->isEnabled());
        // Without a reopened project the new button waits for the first change.
        QVERIFY(!commands.action(u"file.newButton"_s)->isEnabled());
        window.project().setModified(true);
        QVERIFY(commands.action(u"file.saveButton"_s)->isEnabled());
        QVERIFY(commands.action(u"file.newButton"_s)->isEnabled());
        window.project().setModified(false);

        // Both switches show check marks on a first run.
        Q_EMIT window.findChild<QMenu *>(u"Function1"_s)->aboutToShow();
        QVERIFY(commands.action(u"option.lastOpen"_s)->isChecked());
        QVERIFY(commands.action(u"option.backup"_s)->isChecked());
    }

    // The selected node is filled otherwise once the focus has left the tree.
    void treeShowsWhetherItHasTheFocus()
    {
        const std::unique_ptr<MainWindow> window = windowWith(m_dir, u"a"_s);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        ProjectTreeView *tree = window->treeView();
        const auto fill = [tree] {
            const QRect node = tree->visualRect(tree->currentIndex());
            return tree->viewport()->grab().toImage().pixel(node.right() - 2, node.center().y());
        };
        tree->setFocus();
        const QRgb focused = fill();
        window->findChild<QWidget *>(u"Editor"_s)->setFocus();
        // Clearly so, not by a shade.
        QVERIFY(qAbs(qGray(fill()) - qGray(focused)) > 40);
    }

    void menuItemsCarryTheirNamesAndStates_data()
    {
        Columns<QString, QString, QString, QString, bool>("menu", "name", "caption", "shortcut",
                                                          "enabledOnRoot");
        const auto row = [](const char *name, const char *menu, const char *action,
                            const char *caption, const char *shortcut, bool enabledOnRoot) {
            QTest::newRow(name) << QString::fromUtf8(menu) << QString::fromUtf8(action)
                                << QString::fromUtf8(caption) << QString::fromUtf8(shortcut)
                                << enabledOnRoot;
        };
        row("open", "File1", "Mn_DataOpen", "開く(&O)...", "Ctrl+O", true);
        row("save without a file", "File1", "Mn_DataSave", "上書き保存(&S)", "Ctrl+S", false);
        row("upload", "File1", "Mn_Ftp", "アップロード(&U)", "", false);
        QTest::newRow("redo") << u"Edit1"_s << u"Mn_Redo"_s << u"やり直し(&R)"_s
                              << QKeySequence(QKeySequence::Redo).toString() << false;
        row("find back needs a search", "Find1", "Mn_FindBack", "前を検索(&B)", "Shift+F3", false);
        row("add feed", "ProjectTree1", "N9", "フィードの追加(&R)", "", true);
        row("copy needs a feed", "ProjectTree1", "Mn_ChannelCopy", "フィードの複写を作成(&C)", "",
            false);
        row("root is not renamed", "ProjectTree1", "Mn_ProRename", "名前の変更(&A)", "", false);
        row("root is not deleted (pop-up)", "PopupMenu_Tree", "Mn_ProDelete", "削除(&D)", "",
            false);
        row("add menu", "PopupMenu_Add", "Mn_ChannelCopy2", "複写を作成(&O)", "", false);
        row("backup switch", "Function1", "Mn_Backup",
            "２４時間単位でプロジェクトのバックアップを作成する(&B)", "", true);
    }
    void menuItemsCarryTheirNamesAndStates()
    {
        const auto [menu, name] = Fetch<QString, QString>("menu", "name");
        MainWindow window(foldersIn(m_dir));
        auto *qmenu = window.findChild<QMenu *>(menu);
        auto *action = window.findChild<QAction *>(name);
        QVERIFY(qmenu && action);
        QVERIFY(qmenu->actions().contains(action) ||
                qmenu->findChildren<QAction *>().contains(action));
        QTEST(action->text(), "caption");
        QTEST(action->shortcut().toString(), "shortcut");
        QVERIFY(!action->statusTip().isEmpty());
        QCOMPARE(action->toolTip(), action->statusTip());
        Q_EMIT qmenu->aboutToShow();
        QTEST(action->isEnabled(), "enabledOnRoot");
    }

    void addingAFeedShowsItsPagesAndEditsItsName()
    {
        auto window = windowWith(m_dir, {});
        QVERIFY(window);
        QVERIFY(window->commands().trigger(u"tree.addFeed"_s));

        ProjectNode *feed = nodeOf(*window, u"新しいフィード"_s);
        QVERIFY(feed && feed->isFeed());
        QCOMPARE(window->project().currentNode(), feed);
        auto *editor = window->treeView()->findChild<QLineEdit *>();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->text(), u"新しいフィード"_s);
        QVERIFY(!window->findChild<QLabel *>(u"Memo_Tree"_s)->isVisible());
        auto *tabs = window->findChild<QTabWidget *>(u"PageControl_Sub"_s);
        QVERIFY(tabs->isVisible());
        QCOMPARE(tabs->currentIndex(), int(PageFrame::ChannelTab));
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
        QCOMPARE(captions,
                 (QStringList{u" 基本設定"_s, u" 項目 "_s, u" HTMLテンプレート "_s, u" 確認 "_s}));
        QCOMPARE(panelText(*window, u"StatusBar_Panel1"_s), u"基本設定"_s);
        QVERIFY(window->project().isModified());
        QCOMPARE(window->windowTitle(), u"Brisklet"_s);
    }

    void deleteKeyAsksAndSelectsTheNextNode()
    {
        auto window = windowWith(m_dir, u"News(a b) c"_s);
        QVERIFY(window);
        window->selectNode(nodeOf(*window, u"a"_s));
        QString question;
        answerNextMessageBox(QMessageBox::Yes, &question);
        QTest::keyClick(window->treeView(), Qt::Key_Delete);
        QCOMPARE(question, u"選択されている項目を削除しますか？"_s);
        QCOMPARE(treeoutline::of(window->project().root()), u"News(b) c"_s);
        QCOMPARE(window->project().currentNode(), nodeOf(*window, u"b"_s));

        // The root is never deleted: the key does nothing there.
        window->selectNode(&window->project().root());
        QTest::keyClick(window->treeView(), Qt::Key_Delete);
        QCOMPARE(treeoutline::of(window->project().root()), u"News(b) c"_s);
    }

    void dropMovesThroughTheCore()
    {
        auto window = windowWith(m_dir, u"News(a b) c"_s);
        QVERIFY(window);
        Q_EMIT window->treeView()->nodeDropped(nodeOf(*window, u"c"_s), nodeOf(*window, u"News"_s),
                                               false);
        QCOMPARE(treeoutline::of(window->project().root()), u"News(c a b)"_s);
        QCOMPARE(window->project().currentNode(), nodeOf(*window, u"c"_s));
        QVERIFY(window->project().isModified());
    }

    void uploadHoldsBackWhatWouldFreeItsFeed()
    {
        auto window = windowWith(m_dir, u"News(a b) c"_s);
        QVERIFY(window);
        window->selectNode(nodeOf(*window, u"a"_s));
        window->project().setUploadingNode(nodeOf(*window, u"a"_s));
        for (const QString &name :
             {u"tree.delete"_s, u"file.newButton"_s, u"file.open"_s, u"file.insertProject"_s})
            QVERIFY2(!window->commands().action(name)->isEnabled(), qPrintable(name));
        QVERIFY(!window->commands().trigger(u"tree.delete"_s));

        QString message;
        answerNextMessageBox(QMessageBox::Ok, &message);
        QVERIFY(!window->close());
        QCOMPARE(message, UploadRunningMessage());
        window->project().setUploadingNode(nullptr);
        QVERIFY(window->commands().action(u"tree.delete"_s)->isEnabled());
    }

    void hintsReachTheSecondPanel()
    {
        auto window = windowWith(m_dir, {});
        QVERIFY(window);
        QStatusTipEvent tip(u"プロジェクトを保存します"_s);
        QApplication::sendEvent(window->treeView(), &tip);
        QCOMPARE(panelText(*window, u"StatusBar_Panel2"_s), u" プロジェクトを保存します"_s);
        // Pop-up menus are windows of their own; their hints arrive too.
        QStatusTipEvent menuTip(u"選択されている項目を削除します"_s);
        QApplication::sendEvent(window->findChild<QMenu *>(u"PopupMenu_Tree"_s), &menuTip);
        QCOMPARE(panelText(*window, u"StatusBar_Panel2"_s), u" 選択されている項目を削除します"_s);
    }

    void messageBoxesSpeakJapanese()
    {
        QString yes;
        handleNextDialog<QMessageBox>([&yes](QMessageBox &box) {
            yes = box.button(QMessageBox::Yes)->text();
            box.button(QMessageBox::No)->click();
        });
        QMessageBox::question(nullptr, QString(), QString());
        QCOMPARE(yes, u"はい(&Y)"_s);
    }

    // While the project has unsaved changes the window keeps a recovery
    // copy of what its pages show, the title being typed included.
    void keepsARecoveryCopyOfWhatIsTyped()
    {
        QTemporaryDir dir;
        QVERIFY(foldersIn(dir).create().isEmpty());
        auto window = windowWith(dir, u"news"_s);
        window->selectNode(nodeOf(*window, u"news"_s));
        QSignalSpy written(&window->recovery(), &RecoveryKeeper::written);
        ItemGridView *grid = window->feedPages().itemsPage()->grid();
        grid->setFocus();
        grid->moveTo(1, 0);
        grid->moveTo(0, 0); // an editor opens on the cell moved to
        QWidget *cell = grid->openEditor();
        QVERIFY(cell);
        typeInto(EditorTextField(cell), u"まだ書いていない"_s);
        QVERIFY(written.wait(10000));
        const QString copy = window->recovery().copyPath();
        QVERIFY(QString::fromUtf8(testfiles::readAll(copy)).contains(u"まだ書いていない"_s));
        QVERIFY(window->project().root().child(0)->data()->items.isEmpty());
        QCOMPARE(grid->openEditor(), cell);
        answerNextMessageBox(QMessageBox::Yes); // closing without saving
        QVERIFY(window->close());
        QVERIFY(!QFile::exists(copy));
    }

    void closingKeepsTheSessionForTheNextStart()
    {
        const QString path = m_dir.filePath(u"news.dta"_s);
        testfiles::writeAll(path, testfiles::readAll(testfiles::dataPath(u"sample.dta"_s)));
        {
            MainWindow window(foldersIn(m_dir));
            window.show();
            window.restoreLastSession();
            QVERIFY(OpenProjectFile(window.workspace(), path));
            QCOMPARE(window.windowTitle(), u" [news] - Brisklet"_s);
            window.selectNode(window.project().root().child(0));
            window.resize(900, 680);
            QVERIFY(window.close());
        }
        IniFile ini;
        ini.load(SettingsFilePath(foldersIn(m_dir)));
        QCOMPARE(ini.value(u"Environ"_s, u"DefFileName"_s), path);
        QCOMPARE(ini.value(u"Environ"_s, u"TreeIndex"_s), u"1"_s);
        QCOMPARE(ini.value(u"Environ"_s, u"LastOpen"_s), u"1"_s);
        QVERIFY(ini.value(u"ControlSize"_s, u"Splitter_Main"_s));

        MainWindow again(foldersIn(m_dir));
        again.show();
        again.restoreLastSession();
        QCOMPARE(again.project().fileName(), path);
        QCOMPARE(again.project().currentNode(), again.project().root().child(0));
        QCOMPARE(again.size(), QSize(900, 680));
        QVERIFY(again.commands().action(u"file.newButton"_s)->isEnabled());
        QVERIFY(again.close());
        QFile::remove(SettingsFilePath(foldersIn(m_dir)));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
