#include "core/project/commandstate.h"
#include "core/project/findfeed.h"
#include "core/project/project.h"
#include "core/project/projecttreemodel.h"
#include "core/project/treecommands.h"
#include "core/project/treeorder.h"
#include "datarows.h"
#include "scripteduserinterface.h"
#include "textrows.h"
#include "treeoutline.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString baseTree = u"News(a b c) d Site(Sub(e)) Other#3"_s;

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

// "row/row" from a child of the root down to the node: empty for the root,
// "none" for no node.
QString rowsOf(const ProjectNode *node)
{
    if (!node)
        return u"none"_s;
    QStringList rows;
    for (; node->parent(); node = node->parent())
        rows.prepend(QString::number(node->row()));
    return rows.join(u'/');
}

} // namespace

class TestProjectTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addGoesInsideHoldersAndBesideLeaves_data()
    {
        Columns<QString, QString>("current", "outline");
        const char *const last = "News(a b c) d Site(Sub(e)) Other#3 新しいフィード";
        AddTextRows({
            {"no current node: below the root", "", last},
            {"root: last child", "ROOT", last},
            {"folder: last child", "News", "News(a b c 新しいフィード) d Site(Sub(e)) Other#3"},
            {"feed in the middle: right below it", "a",
             "News(a 新しいフィード b c) d Site(Sub(e)) Other#3"},
            {"last feed of a folder: last of the folder", "c",
             "News(a b c 新しいフィード) d Site(Sub(e)) Other#3"},
            {"other kinds are leaves", "Other", last},
        });
    }
    void addGoesInsideHoldersAndBesideLeaves()
    {
        QFETCH(QString, current);
        Fixture f;
        f.project.defaults.rssline = 50;
        f.project.defaults.ver = RssVersion::Rss1;
        f.project.defaults.ftptemplate = u"server"_s;
        ProjectNode *added = AddFeed(f.project, f.node(current));
        QVERIFY(added->isFeed());
        QVERIFY(added->data()->items.isEmpty());
        QCOMPARE(added->data()->settings.rssline, 50);
        QCOMPARE(added->data()->settings.ver, RssVersion::Rss1);
        QCOMPARE(added->data()->settings.ftptemplate, QString());
        QTEST(f.outline(), "outline");
        QTEST(modelOutline(f.model, f.model.index(0, 0)), "outline");
        QVERIFY(f.project.isModified());

        ProjectNode *folder = AddFolder(f.project, added);
        QCOMPARE(folder->text, u"新しいフォルダ"_s);
        QVERIFY(!folder->data());
        QCOMPARE(folder->parent(), added->parent());
        QCOMPARE(folder->row(), added->row() + 1);
    }

    void dropFollowsPlacementRules_data()
    {
        // outline: empty when the drop is refused
        Columns<QString, QString, bool, QString>("dragged", "target", "shift", "outline");
        const auto row = [](const char *name, const char *dragged, const char *target, bool shift,
                            const char *outline) {
            QTest::newRow(name) << QString::fromUtf8(dragged) << QString::fromUtf8(target) << shift
                                << QString::fromUtf8(outline);
        };
        row("onto the root: first child", "e", "ROOT", false,
            "e News(a b c) d Site(Sub()) Other#3");
        row("onto a folder: its first child", "d", "News", false,
            "News(d a b c) Site(Sub(e)) Other#3");
        row("onto a folder with Shift, from below: before it", "e", "News", true,
            "e News(a b c) d Site(Sub()) Other#3");
        row("onto a folder with Shift, from above: after it", "News", "d", true,
            "d News(a b c) Site(Sub(e)) Other#3");
        row("onto a later sibling: after it", "a", "c", false,
            "News(b c a) d Site(Sub(e)) Other#3");
        row("onto an earlier sibling: before it", "c", "a", false,
            "News(c a b) d Site(Sub(e)) Other#3");
        row("onto a feed of another parent: before it", "d", "b", false,
            "News(a d b c) Site(Sub(e)) Other#3");
        row("onto a node of another kind: beside it, never inside", "a", "Other", false,
            "News(b c) d Site(Sub(e)) a Other#3");
        row("onto itself", "a", "a", false, "");
        row("into its own subtree", "Site", "e", false, "");
        row("the root", "ROOT", "d", false, "");
    }
    void dropFollowsPlacementRules()
    {
        const auto [dragged, target, shift, outline] =
            Fetch<QString, QString, bool, QString>("dragged", "target", "shift", "outline");
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
        Columns<QString, QString, QString, QString>("deleted", "question", "next", "outline");
        const char *const one = "選択されている項目を削除しますか？";
        AddTextRows({
            {"feed with a next sibling", "b", one, "c", "News(a c) d Site(Sub(e)) Other#3"},
            {"last feed: the previous one", "c", one, "b", "News(a b) d Site(Sub(e)) Other#3"},
            {"only child: the parent", "e", one, "Sub", "News(a b c) d Site(Sub()) Other#3"},
            {"folder with everything below it", "Site",
             "選択されている項目以下を全て削除しますか？", "Other", "News(a b c) d Other#3"},
        });
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

    // Renaming marks the project only for a new text, and the mark is
    // signalled only when it changes; the root keeps its name and is never
    // deleted.
    void renameAndRoot()
    {
        Fixture f;
        QSignalSpy modified(&f.project, &Project::modifiedChanged);
        f.project.setModified(false);
        const QModelIndex a = f.model.indexOf(f.node(u"a"_s));
        QVERIFY(f.model.setData(a, u"a"_s));
        QVERIFY(!f.project.isModified());
        ScriptedUserInterface ui;
        ui.answers << UserInterface::Answer::Yes;
        QCOMPARE(DeleteNode(f.project, ui, &f.project.root()), nullptr);
        QVERIFY(ui.questions.isEmpty());
        QVERIFY(!RenameNode(f.project, f.project.root(), u"x"_s));
        QVERIFY(!f.model.flags(f.model.index(0, 0)).testFlag(Qt::ItemIsEditable));
        QVERIFY(!f.project.isModified());
        QVERIFY(f.model.setData(a, QString()));
        QCOMPARE(a.data().toString(), QString());
        QVERIFY(f.project.isModified());
        f.project.setModified(true);
        QCOMPARE(modified.count(), 1);
        QCOMPARE(modified.at(0).at(0).toBool(), true);
    }

    void copyHoldsItsOwnCopyOfTheStoredFeed()
    {
        Fixture f;
        ProjectNode *source = f.node(u"a"_s);
        source->data()->settings.title = u"News title"_s;
        source->data()->settings.ftpfolder = u"up"_s;
        source->data()->addItem({u"t"_s, {}, u"u"_s, {}, {}, {}});
        f.project.setChanged(*source, true);

        ProjectNode *copy = CopyFeed(f.project, *source);
        QCOMPARE(f.outline(), u"News(a a の複写 b c) d Site(Sub(e)) Other#3"_s);
        QCOMPARE(copy->data()->settings.title, u"News title"_s);
        QCOMPARE(copy->data()->items.size(), 1);
        QVERIFY(!copy->data()->changed);
        copy->data()->items[0].title = u"changed"_s;
        QCOMPARE(source->data()->items.at(0).title, u"t"_s);
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
        Columns<QString, bool, QList<Command>>("current", "uploading", "enabled");
        const QList<Command> always = {Command::SaveProjectAs, Command::ExportNode,
                                       Command::AddFeed, Command::AddFolder,
                                       Command::ResetChangedMarks};
        const QList<Command> idle = {Command::NewProject, Command::OpenProject,
                                     Command::InsertProject, Command::InsertTable};
        QTest::newRow("root") << u"ROOT"_s << false << always + idle;
        QTest::newRow("folder") << u"News"_s << false
                                << always + idle +
                                       QList{Command::RenameNode, Command::DeleteNode,
                                             Command::DropNode};
        QTest::newRow("feed with upload path")
            << u"a"_s << false
            << always + idle +
                   QList{Command::Upload, Command::CopyFeed, Command::RenameNode,
                         Command::DeleteNode, Command::DropNode};
        QTest::newRow("feed while uploading")
            << u"a"_s << true << always + QList{Command::CopyFeed, Command::RenameNode};
    }
    void commandStatesFollowNodeAndUpload()
    {
        const auto [current, uploading, enabled] =
            Fetch<QString, bool, QList<Command>>("current", "uploading", "enabled");
        Fixture f;
        f.node(u"a"_s)->data()->settings.ftpfolder = u"up"_s;
        if (uploading)
            f.project.setUploadingNode(f.node(u"a"_s));
        for (int c = 0; c <= int(Command::ResetChangedMarks); ++c) {
            const auto command = Command(c);
            QVERIFY2(IsCommandEnabled(command, f.project, f.node(current)) ==
                         enabled.contains(command),
                     qPrintable(QString::number(c)));
        }
    }

    void removingTheUploadedFeedEndsItsMark()
    {
        Fixture f;
        f.project.setUploadingNode(f.node(u"e"_s));
        QVERIFY(f.model.indexOf(f.node(u"e"_s)).data(ProjectTreeModel::UploadingRole).toBool());
        f.project.removeNode(*f.node(u"Site"_s));
        QVERIFY(!f.project.isUploadActive());
    }

    void changedMarkNeedsUploadTarget_data()
    {
        Columns<QString, QString, bool>("ftptemplate", "ftpfolder", "marked");
        QTest::newRow("neither") << QString() << QString() << false;
        QTest::newRow("template") << u"server"_s << QString() << true;
        QTest::newRow("upload path") << QString() << u"news"_s << true;
    }
    void changedMarkNeedsUploadTarget()
    {
        const auto [ftptemplate, ftpfolder] = Fetch<QString, QString>("ftptemplate", "ftpfolder");
        Fixture f;
        ProjectNode *feed = f.node(u"a"_s);
        feed->data()->settings.ftptemplate = ftptemplate;
        feed->data()->settings.ftpfolder = ftpfolder;
        QSignalSpy spy(&f.model, &QAbstractItemModel::dataChanged);
        f.project.setChanged(*feed, true);
        QTEST(feed->data()->changed, "marked");
        QTEST(f.model.indexOf(feed).data(ProjectTreeModel::ChangedMarkRole).toBool(), "marked");
        QTEST(spy.count() == 1, "marked");
    }

    void resetClearsMarksBelowNode()
    {
        Fixture f;
        ProjectNode *inner = f.node(u"a"_s);
        ProjectNode *outer = f.node(u"d"_s);
        for (ProjectNode *feed : {inner, outer}) {
            feed->data()->settings.ftptemplate = u"t"_s;
            f.project.setChanged(*feed, true);
        }
        f.project.resetChangedMarks(*f.node(u"News"_s));
        QVERIFY(!inner->data()->changed);
        QVERIFY(outer->data()->changed);
    }

    void resetEmptiesTheProject()
    {
        Fixture f;
        f.project.setFileName(u"/data/news.dta"_s);
        f.project.setModified(true);
        f.project.reset();
        QCOMPARE(f.project.caption(), u"Brisklet"_s);
        QCOMPARE(f.model.rowCount(), 1);
        const QModelIndex root = f.model.index(0, 0);
        QCOMPARE(root.data().toString(), u"プロジェクト"_s);
        QCOMPARE(f.model.rowCount(root), 0);
        QVERIFY(!f.project.isModified());
    }

    // Paths name nodes below the root by their texts, a slash between
    // levels; a slash may also stand inside a name.
    void findByPath_data()
    {
        Columns<QString, QString, QString>("path", "feed", "node");
        AddTextRows({
            {"top-level feed", "news", "1", "1"},
            {"feed in a folder", "blog/日記", "0/0", "0/0"},
            {"first of two alike in tree order", "blog/same", "0/1", "0/1"},
            {"deeper", "blog/inner/deep", "0/3/0", "0/3/0"},
            {"slash inside a folder name", "a/b/c", "2/0", "2/0"},
            {"folder is no feed", "blog", "none", "0"},
            {"folder with a slash", "a/b", "none", "2"},
            {"path needs the folder", "日記", "none", "none"},
            {"root name is not part of the path", "root/news", "none", "none"},
            {"empty path is the root", "", "none", ""},
            {"unknown", "blog/none", "none", "none"},
            {"trailing slash", "blog/", "none", "none"},
        });
    }
    void findByPath()
    {
        QFETCH(QString, path);
        ProjectNode root(u"root"_s, ProjectNode::RootKind);
        treeoutline::build(root, u"blog(日記 same same inner(deep)) news a/b(c)"_s);
        QTEST(rowsOf(FindFeedByPath(root, path)), "feed");
        QTEST(rowsOf(FindNodeByPath(root, path)), "node");
    }
};

QTEST_GUILESS_MAIN(TestProjectTree)
#include "tst_projecttree.moc"
