#include "project/findfeed.h"
#include "project/projectnode.h"
#include "testfiles.h"

#include <QTest>

using testfiles::u8;

namespace {

ProjectNode *add(ProjectNode &parent, const char *text, int kind)
{
    auto data = kind == ProjectNode::FeedKind ? std::make_unique<TEditList>() : nullptr;
    return parent.appendChild(std::make_unique<ProjectNode>(u8(text), kind, std::move(data)));
}

void buildTree(ProjectNode &root)
{
    ProjectNode *blog = add(root, "blog", ProjectNode::FolderKind);
    add(*blog, "日記", ProjectNode::FeedKind);
    add(*blog, "same", ProjectNode::FeedKind);
    add(*blog, "same", ProjectNode::FeedKind);
    add(*add(*blog, "inner", ProjectNode::FolderKind), "deep", ProjectNode::FeedKind);
    add(root, "news", ProjectNode::FeedKind);
    add(*add(root, "a/b", ProjectNode::FolderKind), "c", ProjectNode::FeedKind);
}

// "row/row" from a child of the root down to the node; empty for the root.
QString rowsOf(const ProjectNode *node)
{
    QStringList rows;
    for (; node && node->parent(); node = node->parent())
        rows.prepend(QString::number(node->row()));
    return rows.join(u'/');
}

} // namespace

class TestFindFeed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("found"); // "row/row" of the feed; empty: none
        QTest::newRow("top-level feed") << u8("news") << u8("1");
        QTest::newRow("feed in a folder") << u8("blog/日記") << u8("0/0");
        QTest::newRow("first of two alike in tree order") << u8("blog/same") << u8("0/1");
        QTest::newRow("deeper") << u8("blog/inner/deep") << u8("0/3/0");
        QTest::newRow("slash inside a name") << u8("a/b/c") << u8("2/0");
        QTest::newRow("folder is no feed") << u8("blog") << QString();
        QTest::newRow("feed's path needs the folder") << u8("日記") << QString();
        QTest::newRow("root name is not part of the path") << u8("root/news") << QString();
        QTest::newRow("empty path") << QString() << QString();
    }
    void byPath()
    {
        QFETCH(QString, path);
        ProjectNode root(u8("root"), ProjectNode::RootKind);
        buildTree(root);
        QTEST(rowsOf(FindFeedByPath(root, path)), "found");
    }

    void nodeByPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("found"); // "row/row" of the node; empty: the root
        QTest::newRow("folder") << u8("blog") << u8("0");
        QTest::newRow("folder in a folder") << u8("blog/inner") << u8("0/3");
        QTest::newRow("feed") << u8("blog/日記") << u8("0/0");
        QTest::newRow("slash inside a folder name") << u8("a/b") << u8("2");
        QTest::newRow("empty path is the root") << QString() << QString();
        QTest::newRow("unknown") << u8("blog/none") << u8("none");
        QTest::newRow("trailing slash") << u8("blog/") << u8("none");
        QTest::newRow("root name is not part of the path") << u8("root") << u8("none");
    }
    void nodeByPath()
    {
        QFETCH(QString, path);
        ProjectNode root(u8("root"), ProjectNode::RootKind);
        buildTree(root);
        const ProjectNode *node = FindNodeByPath(root, path);
        QTEST(node ? rowsOf(node) : u8("none"), "found");
    }
};

QTEST_GUILESS_MAIN(TestFindFeed)
#include "testfiles.h"
#include "tst_findfeed.moc"
