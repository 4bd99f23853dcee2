#include "project/commandstate.h"
#include "project/project.h"
#include "project/projecttreemodel.h"
#include "project/treecommands.h"
#include "project/treeorder.h"
#include "scripteduserinterface.h"
#include "treeoutline.h"

#include <QAbstractItemModelTester>
#include <QTest>

namespace {

const QString baseTree = QStringLiteral("News(a b c) d Site(Sub(e)) Other#3");

// A project holding baseTree, checked by a model tester through every change.
struct Fixture
{
    Project project;
    ProjectTreeModel model{project};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};

    Fixture() { treeoutline::build(project.root(), baseTree); }
    ProjectNode *node(const QString &text)
    {
        return text.isEmpty()    ? nullptr
               : text == u"ROOT" ? &project.root()
                                 : treeoutline::find(project.root(), text);
    }
    QString outline() const { return treeoutline::of(project.root()); }
};

// The outline of the model's own rows, to see that views follow the tree.
QString modelOutline(const ProjectTreeModel &model, const QModelIndex &parent)
{
    QStringList parts;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        QString part = index.data().toString();
        const int kind = index.data(ProjectTreeModel::KindRole).toInt();
        if (kind == ProjectNode::FolderKind)
            part += u'(' + modelOutline(model, index) + u')';
        else if (kind != ProjectNode::FeedKind)
            part += u'#' + QString::number(kind);
        parts << part;
    }
    return parts.join(u' ');
}

} // namespace

class TestProjectTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addGoesInsideHoldersAndBesideLeaves_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("outline");
        QTest::newRow("no current node: below the root")
            << QString() << baseTree + QStringLiteral(" 新しいフィード");
        QTest::newRow("root: last child")
            << QStringLiteral("ROOT") << baseTree + QStringLiteral(" 新しいフィード");
        QTest::newRow("folder: last child")
            << QStringLiteral("News")
            << QStringLiteral("News(a b c 新しいフィード) d Site(Sub(e)) Other#3");
        QTest::newRow("feed in the middle: right below it")
            << QStringLiteral("a")
            << QStringLiteral("News(a 新しいフィード b c) d Site(Sub(e)) Other#3");
        QTest::newRow("last feed of a folder: last of the folder")
            << QStringLiteral("c")
            << QStringLiteral("News(a b c 新しいフィード) d Site(Sub(e)) Other#3");
        QTest::newRow("other kinds are leaves")
            << QStringLiteral("Other") << baseTree + QStringLiteral(" 新しいフィード");
    }
    void addGoesInsideHoldersAndBesideLeaves()
    {
        QFETCH(QString, current);
        Fixture f;
        f.project.defaults.rssline = 50;
        f.project.defaults.ver = 0;
        f.project.defaults.ftptemplate = QStringLiteral("server");
        ProjectNode *added = AddFeed(f.project, f.node(current));
        QVERIFY(added->isFeed());
        QVERIFY(added->data()->items.isEmpty());
        QCOMPARE(added->data()->settings.rssline, 50);
        QCOMPARE(added->data()->settings.ver, 0);
        QCOMPARE(added->data()->settings.ftptemplate, QString());
        QTEST(f.outline(), "outline");
        QTEST(modelOutline(f.model, f.model.index(0, 0)), "outline");
        QVERIFY(f.project.isModified());

        ProjectNode *folder = AddFolder(f.project, added);
        QCOMPARE(folder->text, QStringLiteral("新しいフォルダ"));
        QVERIFY(!folder->data());
        QCOMPARE(folder->parent(), added->parent());
        QCOMPARE(folder->row(), added->row() + 1);
    }

    void dropFollowsPlacementRules_data()
    {
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("outline"); // empty: the drop is refused
        QTest::newRow("onto the root: first child")
            << "e"
            << "ROOT" << false << QStringLiteral("e News(a b c) d Site(Sub()) Other#3");
        QTest::newRow("onto a folder: its first child")
            << "d"
            << "News" << false << QStringLiteral("News(d a b c) Site(Sub(e)) Other#3");
        QTest::newRow("onto a folder with Shift, from below: before it")
            << "e"
            << "News" << true << QStringLiteral("e News(a b c) d Site(Sub()) Other#3");
        QTest::newRow("onto a folder with Shift, from above: after it")
            << "News"
            << "d" << true << QStringLiteral("d News(a b c) Site(Sub(e)) Other#3");
        QTest::newRow("onto a later sibling: after it")
            << "a"
            << "c" << false << QStringLiteral("News(b c a) d Site(Sub(e)) Other#3");
        QTest::newRow("onto an earlier sibling: before it")
            << "c"
            << "a" << false << QStringLiteral("News(c a b) d Site(Sub(e)) Other#3");
        QTest::newRow("onto a feed of another parent: before it")
            << "d"
            << "b" << false << QStringLiteral("News(a d b c) Site(Sub(e)) Other#3");
        QTest::newRow("onto a node of another kind: beside it, never inside")
            << "a"
            << "Other" << false << QStringLiteral("News(b c) d Site(Sub(e)) a Other#3");
        QTest::newRow("onto itself") << "a"
                                     << "a" << false << QString();
        QTest::newRow("into its own subtree") << "Site"
                                              << "e" << false << QString();
        QTest::newRow("the root") << "ROOT"
                                  << "d" << false << QString();
    }
    void dropFollowsPlacementRules()
    {
        QFETCH(QString, dragged);
        QFETCH(QString, target);
        QFETCH(bool, shift);
        QFETCH(QString, outline);
        Fixture f;
        const bool moved = DropNode(f.project, *f.node(dragged), *f.node(target), shift);
        QCOMPARE(moved, !outline.isEmpty());
        QCOMPARE(f.project.isModified(), moved);
        const QString expected = moved ? outline : baseTree;
        QCOMPARE(f.outline(), expected);
        QCOMPARE(modelOutline(f.model, f.model.index(0, 0)), expected);
    }

    void deleteAsksAndMovesTheCurrentNode_data()
    {
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("outline");
        QTest::newRow("feed with a next sibling")
            << "b"
            << "選択されている項目を削除しますか？"
            << "c" << QStringLiteral("News(a c) d Site(Sub(e)) Other#3");
        QTest::newRow("last feed: the previous one")
            << "c"
            << "選択されている項目を削除しますか？"
            << "b" << QStringLiteral("News(a b) d Site(Sub(e)) Other#3");
        QTest::newRow("only child: the parent")
            << "e"
            << "選択されている項目を削除しますか？"
            << "Sub" << QStringLiteral("News(a b c) d Site(Sub()) Other#3");
        QTest::newRow("folder with everything below it")
            << "Site"
            << "選択されている項目以下を全て削除しますか？"
            << "Other" << QStringLiteral("News(a b c) d Other#3");
    }
    void deleteAsksAndMovesTheCurrentNode()
    {
        QFETCH(QString, deleted);
        Fixture f;
        ScriptedUserInterface ui;
        ProjectNode *node = f.node(deleted);
        f.project.setCurrentNode(node->childCount() ? node->child(0) : node);

        QVERIFY(!DeleteNode(f.project, ui, node)); // Cancel
        QCOMPARE(f.outline(), baseTree);

        ui.answers << UserInterface::Answer::Yes;
        ProjectNode *next = DeleteNode(f.project, ui, node);
        QCOMPARE(ui.questions.size(), 2);
        QTEST(ui.questions.at(0), "question");
        QTEST(next->text, "next");
        QTEST(f.outline(), "outline");
        QCOMPARE(f.project.currentNode(), nullptr);
        QVERIFY(f.project.isModified());
    }

    void rootIsNeitherDeletedNorRenamed()
    {
        Fixture f;
        ScriptedUserInterface ui;
        ui.answers << UserInterface::Answer::Yes;
        QCOMPARE(DeleteNode(f.project, ui, &f.project.root()), nullptr);
        QVERIFY(ui.questions.isEmpty());
        QVERIFY(!RenameNode(f.project, f.project.root(), QStringLiteral("x")));
        QVERIFY(!f.model.flags(f.model.index(0, 0)).testFlag(Qt::ItemIsEditable));
        QVERIFY(!f.project.isModified());
    }

    void renameSetsModifiedOnlyOnNewText()
    {
        Fixture f;
        const QModelIndex a = f.model.indexOf(f.node(QStringLiteral("a")));
        QVERIFY(f.model.setData(a, QStringLiteral("a")));
        QVERIFY(!f.project.isModified());
        QVERIFY(f.model.setData(a, QString()));
        QCOMPARE(a.data().toString(), QString());
        QVERIFY(f.project.isModified());
    }

    void copyHoldsItsOwnCopyOfTheStoredFeed()
    {
        Fixture f;
        ProjectNode *source = f.node(QStringLiteral("a"));
        source->data()->settings.title = QStringLiteral("News title");
        source->data()->settings.ftpfolder = QStringLiteral("up");
        source->data()->addItem({QStringLiteral("t"), {}, QStringLiteral("u"), {}, {}, {}});
        f.project.setChanged(*source, true);

        ProjectNode *copy = CopyFeed(f.project, *source);
        QCOMPARE(f.outline(), QStringLiteral("News(a a の複写 b c) d Site(Sub(e)) Other#3"));
        QCOMPARE(copy->data()->settings.title, QStringLiteral("News title"));
        QCOMPARE(copy->data()->items.size(), 1);
        QVERIFY(!copy->data()->changed);
        copy->data()->items[0].title = QStringLiteral("changed");
        QCOMPARE(source->data()->items.at(0).title, QStringLiteral("t"));
    }

    void treeIndexRoundTrips()
    {
        Fixture f;
        int index = 0;
        f.project.root().forEach([&](ProjectNode &node) {
            QCOMPARE(TreeIndexOf(f.project.root(), &node), index);
            QCOMPARE(NodeAtTreeIndex(f.project.root(), index), &node);
            ++index;
        });
        QCOMPARE(NodeAtTreeIndex(f.project.root(), index), nullptr);
        QCOMPARE(NodeAtTreeIndex(f.project.root(), -1), nullptr);
        QCOMPARE(TreeIndexOf(f.project.root(), nullptr), -1);
    }

    void commandStatesFollowNodeAndUpload_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("uploading");
        QTest::addColumn<QList<Command>>("enabled");
        const QList<Command> always = {Command::SaveProjectAs, Command::ExportNode,
                                       Command::AddFeed, Command::AddFolder,
                                       Command::ResetChangedMarks};
        const QList<Command> idle = {Command::NewProject, Command::OpenProject,
                                     Command::InsertProject, Command::InsertTable};
        QTest::newRow("root") << "ROOT" << false << always + idle;
        QTest::newRow("folder") << "News" << false
                                << always + idle +
                                       QList{Command::RenameNode, Command::DeleteNode,
                                             Command::DropNode};
        QTest::newRow("feed with upload path")
            << "a" << false
            << always + idle +
                   QList{Command::Upload, Command::CopyFeed, Command::RenameNode,
                         Command::DeleteNode, Command::DropNode};
        QTest::newRow("feed while uploading")
            << "a" << true << always + QList{Command::CopyFeed, Command::RenameNode};
    }
    void commandStatesFollowNodeAndUpload()
    {
        QFETCH(QString, current);
        QFETCH(bool, uploading);
        QFETCH(QList<Command>, enabled);
        Fixture f;
        f.node(QStringLiteral("a"))->data()->settings.ftpfolder = QStringLiteral("up");
        if (uploading)
            f.project.setUploadingNode(f.node(QStringLiteral("a")));
        for (int c = 0; c <= int(Command::ResetChangedMarks); ++c) {
            const auto command = Command(c);
            if (command == Command::SaveProject || command == Command::SaveProjectTool)
                continue;
            QVERIFY2(IsCommandEnabled(command, f.project, f.node(current)) ==
                         enabled.contains(command),
                     qPrintable(QString::number(c)));
        }
    }

    void removingTheUploadedFeedEndsItsMark()
    {
        Fixture f;
        f.project.setUploadingNode(f.node(QStringLiteral("e")));
        QVERIFY(f.model.indexOf(f.node(QStringLiteral("e")))
                    .data(ProjectTreeModel::UploadingRole)
                    .toBool());
        f.project.removeNode(*f.node(QStringLiteral("Site")));
        QVERIFY(!f.project.isUploadActive());
    }
};

QTEST_GUILESS_MAIN(TestProjectTree)
#include "tst_projecttree.moc"
