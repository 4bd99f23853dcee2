#include "editorform.h"
#include "project/project.h"

#include <QAbstractItemModel>
#include <QTest>
#include <QTreeView>

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithEmptyProject()
    {
        TEditorForm window;
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
    }

    void captionFollowsTheProjectFile()
    {
        TEditorForm window;
        window.project().setFileName(QStringLiteral("/tmp/somewhere/news.dta"));
        window.project().updateRootName();
        QCOMPARE(window.windowTitle(), QStringLiteral(" [news] - Brisklet"));
        auto *tree = window.findChild<QTreeView *>(QStringLiteral("TreeView"));
        QCOMPARE(tree->model()->index(0, 0).data().toString(), QStringLiteral("news"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
