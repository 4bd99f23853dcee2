#include "html/charsets.h"
#include "import/tablefile.h"
#include "project/project.h"
#include "project/projecttreemodel.h"
#include "project/tableimport.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString ImportedFeedName = QStringLiteral("Minnow版のフィード");
const QString CannotReadMessage = QStringLiteral("テーブルファイルを読み込むことができません。");

QByteArray sjis(const QString &text)
{
    return EncodeShiftJis(text, Unencodable::QuestionMark);
}

// The bytes of a table file: 22 header lines (those not given are empty),
// then the item lines, every line ended by eol.
QByteArray tableBytes(const QStringList &header, const QList<QByteArray> &itemLines = {},
                      const QByteArray &eol = "\r\n")
{
    QByteArray bytes;
    for (int line = 0; line < 22; ++line)
        bytes += sjis(header.value(line)) + eol;
    for (const QByteArray &itemLine : itemLines)
        bytes += itemLine + eol;
    return bytes;
}

QStringList sampleHeader()
{
    return {QStringLiteral("Minnow"),
            QStringLiteral("日本語ニュース"),
            QStringLiteral("http://example.jp/"),
            QStringLiteral("サイトの更新情報です"),
            QStringLiteral("http://example.jp/rss/"),
            QStringLiteral("ロゴ"),
            QStringLiteral("http://example.jp/logo.png"),
            QStringLiteral("http://example.jp/top.html"),
            QStringLiteral("/home/user/出力"),
            QStringLiteral("0"),
            QStringLiteral("1"),
            QStringLiteral("0"),
            QStringLiteral("http://example.jp/rss.xsl"),
            QStringLiteral("line 14 is not used")};
}

QByteArray itemLine(const QStringList &fields)
{
    return sjis(fields.join(u'\t'));
}

std::unique_ptr<ProjectNode> makeFeed(const QString &text)
{
    return std::make_unique<ProjectNode>(text, ProjectNode::FeedKind,
                                         std::make_unique<TEditList>());
}

ProjectNode *findNode(ProjectNode &root, const QString &text)
{
    ProjectNode *found = nullptr;
    root.forEach([&](ProjectNode &node) {
        if (!found && node.text == text)
            found = &node;
    });
    return found;
}

} // namespace

class TestTableImport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeTable(const QString &fileName, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(fileName);
        testfiles::writeAll(path, bytes);
        return path;
    }

    // Imports the bytes into the project under the selected node and checks
    // what every successful import leaves behind.
    ProjectNode *import(Project &project, ScriptedUserInterface &ui, const QByteArray &bytes,
                        ProjectNode *selected = nullptr,
                        const QString &fileName = QStringLiteral("news.tbl"))
    {
        ProjectNode *feed = InsertTableFile(project, ui, selected, writeTable(fileName, bytes));
        if (feed) {
            [&] {
                QVERIFY(feed->isFeed());
                QCOMPARE(feed->text, ImportedFeedName);
                QVERIFY(project.isModified());
                QVERIFY(feed->data()->items.size() <= TEditList::MaxItems);
            }();
        }
        return feed;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void headerFillsChannelSettings_data()
    {
        QTest::addColumn<QByteArray>("eol");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("filename");
        QTest::newRow("CR LF") << QByteArray("\r\n") << u"news.tbl"_s << u"news"_s;
        QTest::newRow("bare LF") << QByteArray("\n") << u"news.tbl"_s << u"news"_s;
        QTest::newRow("dots in the name")
            << QByteArray("\r\n") << u"site.news.tbl"_s << u"site.news"_s;
        QTest::newRow("Japanese name") << QByteArray("\r\n") << u"お知らせ.tbl"_s << u"お知らせ"_s;
    }
    void headerFillsChannelSettings()
    {
        QFETCH(QByteArray, eol);
        QFETCH(QString, fileName);
        QFETCH(QString, filename);
        Project project;
        ScriptedUserInterface ui;
        ProjectNode *feed =
            import(project, ui, tableBytes(sampleHeader(), {}, eol), nullptr, fileName);
        QVERIFY(feed);

        ChannelSettings expected = ChannelSettings::allEmpty();
        expected.filename = filename;
        expected.title = QStringLiteral("日本語ニュース");
        expected.root = QStringLiteral("http://example.jp/");
        expected.link = QStringLiteral("http://example.jp/");
        expected.description = QStringLiteral("サイトの更新情報です");
        expected.src = QStringLiteral("http://example.jp/rss/");
        expected.logotitle = QStringLiteral("ロゴ");
        expected.logosrc = QStringLiteral("http://example.jp/logo.png");
        expected.logolink = QStringLiteral("http://example.jp/top.html");
        expected.localfolder = QStringLiteral("/home/user/出力");
        expected.ver = 0;
        expected.dateset = true;
        expected.addressset = false;
        expected.style = QStringLiteral("http://example.jp/rss.xsl");
        expected.creatorset = true;
        expected.rssline = 15;
        expected.language = QStringLiteral("ja");
        expected.descstrmax = 0;

        const ChannelSettings &actual = feed->data()->settings;
        QVERIFY(actual == expected);
        QVERIFY(feed->data()->items.isEmpty());
        QVERIFY(ui.messages.isEmpty());
    }

    // Whatever stands in the switch lines, the import completes with one
    // whole feed; a switch it cannot read keeps the default channel value.
    void damagedHeaderSwitches_data()
    {
        QTest::addColumn<QStringList>("switchLines"); // header lines 10 to 12
        QTest::addColumn<int>("ver");
        QTest::addColumn<bool>("dateset");
        QTest::addColumn<bool>("addressset");
        QTest::newRow("all zero") << QStringList{u"0"_s, u"0"_s, u"0"_s} << 0 << false << false;
        QTest::newRow("spaces around")
            << QStringList{u" 0"_s, u"0 "_s, u" 1 "_s} << 0 << false << true;
        QTest::newRow("words") << QStringList{u"RSS1.0"_s, u"on"_s, u"0"_s} << 1 << true << false;
        QTest::newRow("out of range") << QStringList{u"2"_s, u"-1"_s, u"10"_s} << 1 << true << true;
        QTest::newRow("huge number")
            << QStringList{u"99999999999999999999"_s, u"0"_s, u"0"_s} << 1 << false << false;
    }
    void damagedHeaderSwitches()
    {
        QFETCH(QStringList, switchLines);
        QFETCH(int, ver);
        QFETCH(bool, dateset);
        QFETCH(bool, addressset);
        QStringList header = sampleHeader();
        for (int i = 0; i < 3; ++i)
            header[9 + i] = switchLines.at(i);
        Project project;
        ScriptedUserInterface ui;
        ProjectNode *feed = import(
            project, ui,
            tableBytes(header, {itemLine({u"記事"_s, u"2005/01/31"_s, u"http://example.jp/1"_s})}));
        QVERIFY(feed);

        QCOMPARE(project.root().childCount(), 1);
        const ChannelSettings &settings = feed->data()->settings;
        QCOMPARE(settings.ver, ver);
        QCOMPARE(settings.dateset, dateset);
        QCOMPARE(settings.addressset, addressset);
        QCOMPARE(settings.title, QStringLiteral("日本語ニュース"));
        QCOMPARE(settings.style, QStringLiteral("http://example.jp/rss.xsl"));
        QCOMPARE(feed->data()->items.size(), 1);
        QVERIFY(ui.messages.isEmpty());
    }

    void shortFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("link");
        QTest::newRow("empty file") << QByteArray() << QString() << QString();
        QTest::newRow("two lines") << sjis(u"x\r\n見出し"_s) << u"見出し"_s << QString();
        QTest::newRow("twelve lines, last unended")
            << sjis(u"x\r\n見出し\r\nhttp://a/\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n0\r\n0"_s)
            << u"見出し"_s << u"http://a/"_s;
    }
    void shortFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QString, link);
        Project project;
        ScriptedUserInterface ui;
        ProjectNode *feed = import(project, ui, bytes);
        QVERIFY(feed);
        QCOMPARE(feed->data()->settings.title, title);
        QCOMPARE(feed->data()->settings.link, link);
        QCOMPARE(feed->data()->settings.root, link);
        QCOMPARE(feed->data()->settings.rssline, 15);
        QVERIFY(feed->data()->items.isEmpty());
    }

    void itemLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("desc");

        const auto row = [](const char *name, const QByteArray &line, const char *title,
                            const char *date, const char *url, const char *desc) {
            QTest::newRow(name) << line << QString::fromUtf8(title) << QString::fromUtf8(date)
                                << QString::fromUtf8(url) << QString::fromUtf8(desc);
        };
        row("all four fields",
            itemLine({u"新製品"_s, u"2005/01/31"_s, u"http://example.jp/a"_s, u"a<b & d"_s}),
            "新製品", "2005/01/31 00:00:00", "http://example.jp/a", "a&lt;b &amp; d");
        row("empty date stays empty", itemLine({u"t"_s, u""_s, u"http://example.jp/a"_s, u"d"_s}),
            "t", "", "http://example.jp/a", "d");
        row("quotes and existing entities",
            itemLine({u"t"_s, u""_s, u""_s, u"say \"hi\" &amp; <go>"_s}), "t", "", "",
            "say &quot;hi&quot; &amp;amp; &lt;go&gt;");
        row("two fields", itemLine({u"t"_s, u"2006/12/01"_s}), "t", "2006/12/01 00:00:00", "", "");
        row("more than ten fields",
            itemLine({u"t"_s, u"2005/01/31"_s, u"u"_s, u"d"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s,
                      u"9"_s, u"10"_s, u"11"_s, u"12"_s}),
            "t", "2005/01/31 00:00:00", "u", "d");
        row("thousands of TABs", itemLine({u"t"_s, u""_s, u"u"_s, u"d"_s}) + QByteArray(5000, '\t'),
            "t", "", "u", "d");
        // 0x5C and 0x7C are trail bytes of these characters; they split nothing.
        row("backslash and bar trail bytes",
            itemLine({u"ソ表能"_s, u""_s, u"http://example.jp/十"_s, u"申し込み|予定表"_s}),
            "ソ表能", "", "http://example.jp/十", "申し込み|予定表");
        row("ideographic spaces kept", itemLine({u"　見出し　"_s, u""_s, u""_s, u""_s}),
            "　見出し　", "", "", "");
        // An invalid lead byte right before a TAB must not take the TAB as
        // its trail byte and shift the fields after it.
        row("lone lead byte before TAB", "abc\x81\t2005/01/31\thttp://example.jp/\td", "abc\uFFFD",
            "2005/01/31 00:00:00", "http://example.jp/", "d");
        row("lone lead byte at line end", "t\t\tu\td\x9f", "t", "", "u", "d\uFFFD");
        row("lead byte with a bad trail byte", "a\x81\x20z\t\tu\td", "a\uFFFD z", "", "u", "d");
        row("invalid single bytes", "\x80x\t\tu\t\xa0y", "\uFFFDx", "", "u", "\uFFFDy");
    }
    void itemLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, title);
        QFETCH(QString, date);
        QFETCH(QString, url);
        QFETCH(QString, desc);
        // A second line checks that nothing of the first spills into it.
        const QByteArray next =
            itemLine({u"次"_s, u"2001/02/03"_s, u"http://example.jp/n"_s, u"x"_s});
        const TableContents contents = ParseTableFile(tableBytes(sampleHeader(), {line, next}));

        QCOMPARE(contents.feed.items.size(), 2);
        const FeedItem item = contents.feed.item(0);
        QCOMPARE(item.title, title);
        QCOMPARE(item.date, date);
        QCOMPARE(item.url, url);
        QCOMPARE(item.desc, desc);
        QVERIFY(item.subject.isEmpty());
        QVERIFY(item.creator.isEmpty());
        QCOMPARE(contents.feed.item(1),
                 (FeedItem{
                     u"次"_s, u"2001/02/03 00:00:00"_s, u"http://example.jp/n"_s, u"x"_s, {}, {}}));
    }

    void blankItemsAreLeftOut_data()
    {
        QTest::addColumn<QByteArray>("items");
        QTest::addColumn<QStringList>("titles");
        const QByteArray a = itemLine({u"A"_s, u"2005/01/01"_s});
        const QByteArray b = itemLine({u"B"_s});
        QTest::newRow("blank lines first and last") << "\r\n\r\n" + a + "\r\n" + b + "\r\n\r\n\r\n"
                                                    << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("TABs only") << a + "\r\n\t\t\t\r\n\t\r\n" + b << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("only unused fields")
            << a + "\r\n\t\t\t\tfifth\r\n" + b << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("date alone counts") << "\t2005/01/31\r\n" + a << QStringList{u""_s, u"A"_s};
        QTest::newRow("description alone counts")
            << "\t\t\t&\r\n" + a << QStringList{u""_s, u"A"_s};
        QTest::newRow("nothing but blanks") << QByteArray("\r\n\t\r\n\n") << QStringList{};
    }
    void blankItemsAreLeftOut()
    {
        QFETCH(QByteArray, items);
        const TableContents contents = ParseTableFile(tableBytes(sampleHeader()) + items);
        QStringList actual;
        for (const FeedItem &item : contents.feed.items)
            actual << item.title;
        QTEST(actual, "titles");
        QCOMPARE(contents.omittedItems, 0);
    }

    void placement_data()
    {
        QTest::addColumn<QString>("selected"); // empty: nothing selected
        QTest::addColumn<QString>("parent");   // empty: the root
        QTest::newRow("nothing selected") << QString() << QString();
        QTest::newRow("root") << u"プロジェクト"_s << QString();
        QTest::newRow("folder") << u"folder"_s << u"folder"_s;
        QTest::newRow("feed inside a folder") << u"inner first"_s << u"folder"_s;
        QTest::newRow("top-level feed") << u"outer"_s << QString();
    }
    void placement()
    {
        QFETCH(QString, selected);
        QFETCH(QString, parent);
        Project project;
        ProjectTreeModel model(project);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        project.root().appendChild(makeFeed(QStringLiteral("outer")));
        auto folder =
            std::make_unique<ProjectNode>(QStringLiteral("folder"), ProjectNode::FolderKind);
        folder->appendChild(makeFeed(QStringLiteral("inner first")));
        folder->appendChild(makeFeed(QStringLiteral("inner last")));
        project.root().appendChild(std::move(folder));
        project.root().appendChild(makeFeed(QStringLiteral("outer last")));
        ProjectNode *expectedParent =
            parent.isEmpty() ? &project.root() : findNode(project.root(), parent);
        const int rowsBefore = model.rowCount(model.indexOf(expectedParent));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

        ScriptedUserInterface ui;
        ProjectNode *feed =
            import(project, ui, tableBytes(sampleHeader()),
                   selected.isEmpty() ? nullptr : findNode(project.root(), selected));
        QVERIFY(feed);

        QCOMPARE(feed->parent(), expectedParent);
        QCOMPARE(feed->row(), expectedParent->childCount() - 1);
        QCOMPARE(feed->data()->settings.filename, QStringLiteral("news"));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.rowCount(model.indexOf(expectedParent)), rowsBefore + 1);
        QCOMPARE(model.indexOf(feed).data().toString(), ImportedFeedName);
        QCOMPARE(model.indexOf(feed).data(ProjectTreeModel::KindRole).toInt(), 2);
    }

    void itemLimit_data()
    {
        QTest::addColumn<int>("itemCount");
        QTest::addColumn<bool>("blankLinesBetween");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("exactly the limit") << 100 << false << QStringList{};
        QTest::newRow("one over")
            << 101 << false
            << QStringList{u"フィードに登録できる項目は100件までです。\n"
                           u"先頭の100件を読み込み、残りの1件は読み込みませんでした。"_s};
        QTest::newRow("many over, blank lines not counted")
            << 250 << true
            << QStringList{u"フィードに登録できる項目は100件までです。\n"
                           u"先頭の100件を読み込み、残りの150件は読み込みませんでした。"_s};
    }
    void itemLimit()
    {
        QFETCH(int, itemCount);
        QFETCH(bool, blankLinesBetween);
        QFETCH(QStringList, messages);
        QList<QByteArray> lines;
        for (int i = 1; i <= itemCount; ++i) {
            lines << itemLine({QStringLiteral("記事%1").arg(i)});
            if (blankLinesBetween)
                lines << QByteArray();
        }
        const QByteArray bytes = tableBytes(sampleHeader(), lines);
        const QString path = writeTable(QStringLiteral("long.tbl"), bytes);

        Project project;
        ScriptedUserInterface ui;
        ProjectNode *feed = InsertTableFile(project, ui, nullptr, path);
        QVERIFY(feed);

        const QList<FeedItem> &items = feed->data()->items;
        QCOMPARE(items.size(), qMin(itemCount, TEditList::MaxItems));
        QCOMPARE(items.first().title, QStringLiteral("記事1"));
        QCOMPARE(items.last().title, QStringLiteral("記事%1").arg(items.size()));
        QCOMPARE(ui.messages, messages);
        QCOMPARE(testfiles::readAll(path), bytes);
    }

    void unreadableFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << m_dir.filePath(QStringLiteral("missing.tbl"));
        QTest::newRow("folder") << m_dir.path();
        QTest::newRow("endless device") << QStringLiteral("/dev/zero");
    }
    void unreadableFile()
    {
        QFETCH(QString, path);
        Project project;
        ProjectTreeModel model(project);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        ScriptedUserInterface ui;

        QCOMPARE(InsertTableFile(project, ui, nullptr, path), nullptr);
        QCOMPARE(ui.messages, QStringList{CannotReadMessage});
        QCOMPARE(project.root().childCount(), 0);
        QCOMPARE(inserted.count(), 0);
        QVERIFY(!project.isModified());
    }

    void commandAsksForTheFile()
    {
        const QString path = writeTable(QStringLiteral("news.tbl"), tableBytes(sampleHeader()));
        Project project;
        ScriptedUserInterface ui;
        ui.files << path;

        ProjectNode *feed =
            ImportTableFile(project, ui, nullptr, QStringLiteral("/data/My RSS Data"));
        QVERIFY(feed);
        QCOMPARE(feed->parent(), &project.root());
        QCOMPARE(ui.fileChoices.size(), 1);
        const UserInterface::FileChoice &choice = ui.fileChoices.first();
        QCOMPARE(choice.title, QStringLiteral("Minnow版のデータを追加"));
        QCOMPARE(choice.filter, QStringLiteral("Minnow版ファイル(*.tbl)|*.tbl"));
        QCOMPARE(choice.defaultExtension, QStringLiteral("tbl"));
        QCOMPARE(choice.startFolder, QStringLiteral("/data/My RSS Data"));
        QVERIFY(choice.proposedName.isEmpty());
    }

    void cancelledCommandChangesNothing()
    {
        Project project;
        ScriptedUserInterface ui;
        QCOMPARE(ImportTableFile(project, ui, nullptr, m_dir.path()), nullptr);
        QCOMPARE(ui.fileChoices.size(), 1);
        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(project.root().childCount(), 0);
        QVERIFY(!project.isModified());
    }
};

QTEST_GUILESS_MAIN(TestTableImport)
#include "tst_tableimport.moc"
