#include "project/project.h"
#include "project/projectloading.h"
#include "project/projecttreemodel.h"
#include "sampleproject.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using testfiles::u8;

namespace {

QString samplePath()
{
    return testfiles::dataPath(QStringLiteral("sample.dta"));
}

ProjectNode *appendFeed(ProjectNode &parent, const QString &text)
{
    return parent.appendChild(
        std::make_unique<ProjectNode>(text, ProjectNode::FeedKind, std::make_unique<TEditList>()));
}

// A modified project with a file: folder "d" holding feed "x", and feed "y".
void fillProject(Project &project)
{
    ProjectNode *folder =
        project.root().appendChild(std::make_unique<ProjectNode>(u8("d"), ProjectNode::FolderKind));
    appendFeed(*folder, u8("x"));
    appendFeed(project.root(), u8("y"));
    project.defaults.rssline = 50;
    project.setFileName(u8("/data/current.dta"));
    project.updateRootName();
    project.setModified(true);
}

QStringList childTexts(const ProjectNode &node)
{
    QStringList texts;
    for (int row = 0; row < node.childCount(); ++row)
        texts << node.child(row)->text;
    return texts;
}

} // namespace

class TestProjectLoading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openReplacesTheProject()
    {
        Project project;
        fillProject(project);
        ProjectTreeModel model(project);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        ScriptedUserInterface ui;

        std::optional<ProjectContent> content = ReadProjectFileOrTell(samplePath(), ui);
        QVERIFY(content);
        OpenProjectContent(project, std::move(*content), samplePath());

        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(reset.count(), 1);
        QCOMPARE(project.fileName(), samplePath());
        QCOMPARE(project.root().text, u8("sample"));
        QCOMPARE(project.caption(), u8(" [sample] - Brisklet"));
        QVERIFY(!project.isModified());
        QVERIFY(project.defaults == sampleproject::defaults());
        QCOMPARE(childTexts(project.root()), (QStringList{u8("A&B"), u8("空")}));
        QCOMPARE(model.rowCount(model.index(0, 0)), 2);
    }

    // A file that cannot be read leaves the open project exactly as it was.
    void unreadableFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << u8("プロジェクトを読み込むことができません。");
        QTest::newRow("rejected by the parser")
            << QByteArray("<brisklet>\n<project>\n</brisklet>\n")
            << u8("プロジェクトファイルを読み込めません（3 行目）。\n"
                  "Opening and ending tag mismatch.");
    }
    void unreadableFileChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(u8("broken.dta"));
        if (!bytes.isEmpty())
            testfiles::writeAll(path, bytes);
        Project project;
        fillProject(project);
        ScriptedUserInterface ui;

        QVERIFY(!ReadProjectFileOrTell(path, ui));
        QCOMPARE(ui.messages, QStringList{message});
        QCOMPARE(project.fileName(), u8("/data/current.dta"));
        QVERIFY(project.isModified());
        QCOMPARE(project.defaults.rssline, 50);
        QCOMPARE(childTexts(project.root()), (QStringList{u8("d"), u8("y")}));
    }

    // Where the file's top-level nodes go, by the selected node.
    void insertPlacesNodes_data()
    {
        QTest::addColumn<QString>("selected"); // path of the selected node; empty: none
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<QStringList>("children");
        QTest::newRow("feed selected: the feed's level")
            << u8("d/x") << u8("d") << QStringList{u8("x"), u8("A&B"), u8("空")};
        QTest::newRow("folder selected: inside it")
            << u8("d") << u8("d") << QStringList{u8("x"), u8("A&B"), u8("空")};
        QTest::newRow("top-level feed selected: the root")
            << u8("y") << QString() << QStringList{u8("d"), u8("y"), u8("A&B"), u8("空")};
        QTest::newRow("nothing selected: the root")
            << QString() << QString() << QStringList{u8("d"), u8("y"), u8("A&B"), u8("空")};
    }
    void insertPlacesNodes()
    {
        QFETCH(QString, selected);
        QFETCH(QStringList, children);
        Project project;
        fillProject(project);
        project.setModified(false);
        ProjectTreeModel model(project);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        ProjectNode *selectedNode = nullptr;
        project.root().forEach([&](ProjectNode &node) {
            if (!selected.isEmpty() && node.path() == selected)
                selectedNode = &node;
        });
        ScriptedUserInterface ui;
        std::optional<ProjectContent> content = ReadProjectFileOrTell(samplePath(), ui);
        QVERIFY(content);

        ProjectNode &target = InsertProjectContent(project, std::move(*content), selectedNode);

        QTEST(target.path(), "receiver");
        QCOMPARE(childTexts(target), children);
        QCOMPARE(target.child(target.childCount() - 2)->child(0)->data()->items.size(), 2);
        QVERIFY(project.isModified());
        // The file's project values are ignored.
        QCOMPARE(project.defaults.rssline, 50);
        QCOMPARE(project.fileName(), u8("/data/current.dta"));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.node(inserted.at(0).at(0).value<QModelIndex>()), &target);
        QCOMPARE(inserted.at(0).at(1).toInt(), int(children.size()) - 2);
        QCOMPARE(inserted.at(0).at(2).toInt(), int(children.size()) - 1);
    }
};

QTEST_GUILESS_MAIN(TestProjectLoading)
#include "tst_projectloading.moc"
