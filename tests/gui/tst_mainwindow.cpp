#include "editorform.h"
#include "project/folders.h"
#include "project/project.h"
#include "project/projectcommands.h"
#include "project/workspace.h"
#include "testfiles.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

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

private Q_SLOTS:
    void startsWithEmptyProject()
    {
        TEditorForm window(folders());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.objectName(), QStringLiteral("TEditorForm"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Brisklet"));

        auto *tree = window.findChild<QTreeView *>(QStringLiteral("TreeView"));
        QVERIFY(tree);
        QAbstractItemModel *model = tree->model();
        QCOMPARE(model->rowCount(), 1);
        const QModelIndex root = model->index(0, 0);
        QCOMPARE(root.data().toString(), QStringLiteral("プロジェクト"));
        QCOMPARE(model->rowCount(root), 0);
        QCOMPARE(tree->currentIndex(), root);

        auto *save = window.findChild<QAction *>(QStringLiteral("TB_Save"));
        QVERIFY(save);
        QVERIFY(!save->isEnabled());
        window.project().setModified(true);
        QVERIFY(save->isEnabled());
        window.project().setModified(false);
    }

    void openingAFileShowsItsTreeAndName()
    {
        const QString path = m_dir.filePath(QStringLiteral("news.dta"));
        testfiles::writeAll(path,
                            testfiles::readAll(testfiles::dataPath(QStringLiteral("sample.dta"))));

        TEditorForm window(folders());
        QVERIFY(OpenProjectFile(window.workspace(), path));
        QCOMPARE(window.windowTitle(), QStringLiteral(" [news] - Brisklet"));
        auto *tree = window.findChild<QTreeView *>(QStringLiteral("TreeView"));
        const QModelIndex root = tree->model()->index(0, 0);
        QCOMPARE(root.data().toString(), QStringLiteral("news"));
        QVERIFY(tree->model()->rowCount(root) > 0);
        QCOMPARE(tree->currentIndex(), root);
        QVERIFY(CloseProject(window.workspace()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
