#include "commandset.h"
#include "editorform.h"
#include "project/folders.h"
#include "project/inifile.h"
#include "project/pageframe.h"
#include "project/project.h"
#include "project/projectcommands.h"
#include "project/projecttreeview.h"
#include "project/settings.h"
#include "project/workspace.h"
#include "startup.h"
#include "testfiles.h"
#include "treeoutline.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

// Answers the next message box with the button, once it shows; returns
// its text through the pointer.
void answerNextMessageBox(QMessageBox::StandardButton button, QString *text = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return answerNextMessageBox(button, text);
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    Folders folders() const
    {
        return Folders::at(m_dir.filePath(QStringLiteral("data")),
                           m_dir.filePath(QStringLiteral("settings")));
    }

    // A shown window holding the outline's tree, unmodified.
    std::unique_ptr<TEditorForm> windowWith(const QString &outline)
    {
        auto window = std::make_unique<TEditorForm>(folders());
        auto root =
            std::make_unique<ProjectNode>(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(*root, outline);
        window->project().replaceTree(std::move(root));
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
        return window;
    }

    static ProjectNode *node(TEditorForm &window, const QString &text)
    {
        return treeoutline::find(window.project().root(), text);
    }

private Q_SLOTS:
    void initTestCase()
    {
        LoadQtTranslation(*qApp);
        QVERIFY(folders().create().isEmpty());
    }

    void startsWithEmptyProject()
    {
        TEditorForm window(folders());
        window.show();
        window.restoreLastSession();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), QStringLiteral("Brisklet"));
        auto *tree = window.treeView();
        QCOMPARE(tree->model()->rowCount(), 1);
        QCOMPARE(tree->currentIndex().data().toString(), QStringLiteral("プロジェクト"));
        QVERIFY(window.findChild<QLabel *>(QStringLiteral("Memo_Tree"))->isVisible());
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("StatusBar_Panel1"))->text(),
                 QStringLiteral("プロジェクト"));
        QVERIFY(window.findChild<QToolBar *>(QStringLiteral("Toolbar_Menu")));
        QVERIFY(!window.commands().action(QStringLiteral("TB_Save"))->isEnabled());
        // Without a reopened project the new button waits for the first change.
        QVERIFY(!window.commands().action(QStringLiteral("Tb_New"))->isEnabled());
        window.project().setModified(true);
        QVERIFY(window.commands().action(QStringLiteral("TB_Save"))->isEnabled());
        QVERIFY(window.commands().action(QStringLiteral("Tb_New"))->isEnabled());
        window.project().setModified(false);

        // Both switches show check marks on a first run.
        auto *functions = window.findChild<QMenu *>(QStringLiteral("Function1"));
        Q_EMIT functions->aboutToShow();
        QVERIFY(window.commands().action(QStringLiteral("Mn_LastOpen"))->isChecked());
        QVERIFY(window.commands().action(QStringLiteral("Mn_Backup"))->isChecked());
    }

    void menuItemsCarryTheirNamesAndStates_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabledOnRoot");
        QTest::newRow("open") << "File1"
                              << "Mn_DataOpen"
                              << "開く(&O)..."
                              << "Ctrl+O" << true;
        QTest::newRow("save without a file") << "File1"
                                             << "Mn_DataSave"
                                             << "上書き保存(&S)"
                                             << "Ctrl+S" << false;
        QTest::newRow("upload") << "File1"
                                << "Mn_Ftp"
                                << "アップロード(&U)"
                                << "" << false;
        QTest::newRow("redo comes later") << "Edit1"
                                          << "Mn_Redo"
                                          << "やり直し(&R)"
                                          << "Ctrl+A" << false;
        QTest::newRow("find comes later") << "Find1"
                                          << "Mn_FindBack"
                                          << "前を検索(&B)"
                                          << "Shift+F3" << false;
        QTest::newRow("add feed") << "ProjectTree1"
                                  << "N9"
                                  << "フィードの追加(&R)"
                                  << "" << true;
        QTest::newRow("copy needs a feed") << "ProjectTree1"
                                           << "Mn_ChannelCopy"
                                           << "フィードの複写を作成(&C)"
                                           << "" << false;
        QTest::newRow("root is not renamed") << "ProjectTree1"
                                             << "Mn_ProRename"
                                             << "名前の変更(&A)"
                                             << "" << false;
        QTest::newRow("root is not deleted (pop-up)") << "PopupMenu_Tree"
                                                      << "Mn_ProDelete2"
                                                      << "削除(&D)"
                                                      << "" << false;
        QTest::newRow("add menu") << "PopupMenu_Add"
                                  << "Mn_ChannelCopy3"
                                  << "複写を作成(&O)"
                                  << "" << false;
        QTest::newRow("backup switch") << "Function1"
                                       << "Mn_Backup"
                                       << "２４時間単位でプロジェクトのバックアップを作成する(&B)"
                                       << "" << true;
    }
    void menuItemsCarryTheirNamesAndStates()
    {
        QFETCH(QString, menu);
        QFETCH(QString, name);
        TEditorForm window(folders());
        auto *qmenu = window.findChild<QMenu *>(menu);
        QVERIFY(qmenu);
        auto *action = window.findChild<QAction *>(name);
        QVERIFY(action);
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
        TEditorForm window(folders());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.commands().trigger(QStringLiteral("N9_Add")));

        ProjectNode *feed = node(window, QStringLiteral("新しいフィード"));
        QVERIFY(feed && feed->isFeed());
        QCOMPARE(window.project().currentNode(), feed);
        auto *editor = window.treeView()->findChild<QLineEdit *>();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("新しいフィード"));
        QVERIFY(!window.findChild<QLabel *>(QStringLiteral("Memo_Tree"))->isVisible());
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("PageControl_Sub"));
        QVERIFY(tabs->isVisible());
        QCOMPARE(tabs->currentIndex(), int(PageFrame::ChannelTab));
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
        QCOMPARE(captions,
                 (QStringList{QStringLiteral(" 基本設定"), QStringLiteral(" 項目 "),
                              QStringLiteral(" HTMLテンプレート "), QStringLiteral(" 確認 ")}));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("StatusBar_Panel1"))->text(),
                 QStringLiteral("基本設定"));
        QVERIFY(window.project().isModified());
        QCOMPARE(window.windowTitle(), QStringLiteral("Brisklet"));
    }

    void deleteKeyAsksAndSelectsTheNextNode()
    {
        auto window = windowWith(QStringLiteral("News(a b) c"));
        QVERIFY(window);
        window->selectNode(node(*window, QStringLiteral("a")));
        QString question;
        answerNextMessageBox(QMessageBox::Yes, &question);
        QTest::keyClick(window->treeView(), Qt::Key_Delete);
        QCOMPARE(question, QStringLiteral("選択されている項目を削除しますか？"));
        QCOMPARE(treeoutline::of(window->project().root()), QStringLiteral("News(b) c"));
        QCOMPARE(window->project().currentNode(), node(*window, QStringLiteral("b")));

        // The root is never deleted: the key does nothing there.
        window->selectNode(&window->project().root());
        QTest::keyClick(window->treeView(), Qt::Key_Delete);
        QCOMPARE(treeoutline::of(window->project().root()), QStringLiteral("News(b) c"));
    }

    void dropMovesThroughTheCore()
    {
        auto window = windowWith(QStringLiteral("News(a b) c"));
        QVERIFY(window);
        Q_EMIT window->treeView()->nodeDropped(node(*window, QStringLiteral("c")),
                                               node(*window, QStringLiteral("News")), false);
        QCOMPARE(treeoutline::of(window->project().root()), QStringLiteral("News(c a b)"));
        QCOMPARE(window->project().currentNode(), node(*window, QStringLiteral("c")));
        QVERIFY(window->project().isModified());
    }

    void uploadHoldsBackWhatWouldFreeItsFeed()
    {
        auto window = windowWith(QStringLiteral("News(a b) c"));
        QVERIFY(window);
        window->selectNode(node(*window, QStringLiteral("a")));
        window->project().setUploadingNode(node(*window, QStringLiteral("a")));
        for (const QString &name : {QStringLiteral("Mn_ProDelete"), QStringLiteral("Tb_New"),
                                    QStringLiteral("Mn_DataOpen"), QStringLiteral("Mn_DataInsert")})
            QVERIFY2(!window->commands().action(name)->isEnabled(), qPrintable(name));
        QVERIFY(!window->commands().trigger(QStringLiteral("Mn_ProDelete")));

        QString message;
        answerNextMessageBox(QMessageBox::Ok, &message);
        QVERIFY(!window->close());
        QCOMPARE(message, UploadRunningMessage());
        window->project().setUploadingNode(nullptr);
        QVERIFY(window->commands().action(QStringLiteral("Mn_ProDelete"))->isEnabled());
    }

    void hintsReachTheSecondPanel()
    {
        auto window = windowWith(QString());
        QVERIFY(window);
        QStatusTipEvent tip(QStringLiteral("プロジェクトを保存します"));
        QApplication::sendEvent(window->treeView(), &tip);
        auto *panel = window->findChild<QLabel *>(QStringLiteral("StatusBar_Panel2"));
        QCOMPARE(panel->text(), QStringLiteral(" プロジェクトを保存します"));
        // Pop-up menus are windows of their own; their hints arrive too.
        QStatusTipEvent menuTip(QStringLiteral("選択されている項目を削除します"));
        QApplication::sendEvent(window->findChild<QMenu *>(QStringLiteral("PopupMenu_Tree")),
                                &menuTip);
        QCOMPARE(panel->text(), QStringLiteral(" 選択されている項目を削除します"));
    }

    void messageBoxesSpeakJapanese()
    {
        QString yes;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            yes = box->button(QMessageBox::Yes)->text();
            box->button(QMessageBox::No)->click();
        });
        QMessageBox::question(nullptr, QString(), QString());
        QCOMPARE(yes, QStringLiteral("はい(&Y)"));
    }

    void closingKeepsTheSessionForTheNextStart()
    {
        const QString path = m_dir.filePath(QStringLiteral("news.dta"));
        testfiles::writeAll(path,
                            testfiles::readAll(testfiles::dataPath(QStringLiteral("sample.dta"))));
        {
            TEditorForm window(folders());
            window.show();
            window.restoreLastSession();
            QVERIFY(OpenProjectFile(window.workspace(), path));
            QCOMPARE(window.windowTitle(), QStringLiteral(" [news] - Brisklet"));
            window.selectNode(window.project().root().child(0));
            window.resize(900, 680);
            QVERIFY(window.close());
        }
        IniFile ini;
        ini.load(SettingsFilePath(folders()));
        QCOMPARE(ini.value(QStringLiteral("Environ"), QStringLiteral("DefFileName")), path);
        QCOMPARE(ini.value(QStringLiteral("Environ"), QStringLiteral("TreeIndex")),
                 QStringLiteral("1"));
        QCOMPARE(ini.value(QStringLiteral("Environ"), QStringLiteral("LastOpen")),
                 QStringLiteral("1"));
        QVERIFY(ini.value(QStringLiteral("ControlSize"), QStringLiteral("Splitter_Main")));

        TEditorForm again(folders());
        again.show();
        again.restoreLastSession();
        QCOMPARE(again.project().fileName(), path);
        QCOMPARE(again.project().currentNode(), again.project().root().child(0));
        QCOMPARE(again.size(), QSize(900, 680));
        QVERIFY(again.commands().action(QStringLiteral("Tb_New"))->isEnabled());
        QVERIFY(again.close());
        QFile::remove(SettingsFilePath(folders()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
