#include "project/project.h"
#include "project/projecttreemodel.h"

#include <QSignalSpy>
#include <QTest>

namespace {

std::unique_ptr<ProjectNode> makeFeed(const QString &text, const QString &ftptemplate,
                                      const QString &ftpfolder)
{
    auto data = std::make_unique<TEditList>();
    data->settings.ftptemplate = ftptemplate;
    data->settings.ftpfolder = ftpfolder;
    return std::make_unique<ProjectNode>(text, ProjectNode::FeedKind, std::move(data));
}

} // namespace

class TestProjectModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modifiedSignalsOnlyOnChange()
    {
        Project project;
        QSignalSpy spy(&project, &Project::modifiedChanged);
        project.setModified(false);
        QCOMPARE(spy.count(), 0);
        project.setModified(true);
        project.setModified(true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
    }

    void changedMarkNeedsUploadTarget_data()
    {
        QTest::addColumn<QString>("ftptemplate");
        QTest::addColumn<QString>("ftpfolder");
        QTest::addColumn<bool>("marked");
        QTest::newRow("neither") << QString() << QString() << false;
        QTest::newRow("template") << QStringLiteral("server") << QString() << true;
        QTest::newRow("upload path") << QString() << QStringLiteral("news") << true;
    }
    void changedMarkNeedsUploadTarget()
    {
        QFETCH(QString, ftptemplate);
        QFETCH(QString, ftpfolder);
        Project project;
        ProjectNode *feed =
            project.root().appendChild(makeFeed(QStringLiteral("f"), ftptemplate, ftpfolder));
        project.setChanged(*feed, true);
        QTEST(feed->data()->changed, "marked");
    }

    void resetClearsMarksBelowNode()
    {
        Project project;
        auto folder =
            std::make_unique<ProjectNode>(QStringLiteral("folder"), ProjectNode::FolderKind);
        ProjectNode *inner =
            folder->appendChild(makeFeed(QStringLiteral("a"), QStringLiteral("t"), {}));
        ProjectNode *folderNode = project.root().appendChild(std::move(folder));
        ProjectNode *outer =
            project.root().appendChild(makeFeed(QStringLiteral("b"), QStringLiteral("t"), {}));
        project.setChanged(*inner, true);
        project.setChanged(*outer, true);

        project.resetChangedMarks(*folderNode);
        QVERIFY(!inner->data()->changed);
        QVERIFY(outer->data()->changed);
    }

    void newProjectAndCaption()
    {
        Project project;
        project.root().appendChild(makeFeed(QStringLiteral("f"), {}, {}));
        project.setFileName(QStringLiteral("/data/news.dta"));
        project.updateRootName();
        project.setModified(true);
        QCOMPARE(project.caption(), QStringLiteral(" [news] - Brisklet"));
        QCOMPARE(project.root().text, QStringLiteral("news"));

        ProjectTreeModel model(project);
        project.reset();
        QCOMPARE(project.caption(), QStringLiteral("Brisklet"));
        QCOMPARE(model.rowCount(), 1);
        const QModelIndex root = model.index(0, 0);
        QCOMPARE(root.data().toString(), QStringLiteral("プロジェクト"));
        QCOMPARE(model.rowCount(root), 0);
        QVERIFY(!project.isModified());
    }

    void treeModelShowsKindsAndMarks()
    {
        Project project;
        ProjectTreeModel model(project);
        ProjectNode *feed =
            project.root().appendChild(makeFeed(QStringLiteral("f"), QStringLiteral("t"), {}));
        const QModelIndex index = model.indexOf(feed);
        QCOMPARE(index.data(ProjectTreeModel::KindRole).toInt(), 2);
        QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
        project.setChanged(*feed, true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(index.data(ProjectTreeModel::ChangedMarkRole).toBool(), true);
        QCOMPARE(model.parent(index), model.index(0, 0));
    }
};

QTEST_GUILESS_MAIN(TestProjectModel)
#include "tst_projectmodel.moc"
