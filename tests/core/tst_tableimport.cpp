#include "core/import/tablefile.h"
#include "core/project/project.h"
#include "core/project/projecttreemodel.h"
#include "core/project/tableimport.h"
#include "core/text/charsets.h"
#include "datarows.h"
#include "filechoice.h"
#include "itemline.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "treeoutline.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString ImportedFeedName = u"Minnow版のフィード"_s;
const QString CannotReadMessage = u"テーブルファイルを読み込むことができません。"_s;

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
    return u"Minnow|日本語ニュース|http://example.jp/|サイトの更新情報です|http://example.jp/rss/|"
           u"ロゴ|http://example.jp/logo.png|http://example.jp/top.html|/home/user/出力|0|1|0|"
           u"http://example.jp/rss.xsl|line 14 is not used"_s.split(u'|');
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
                        ProjectNode *selected = nullptr, const QString &fileName = u"news.tbl"_s)
    {
        ProjectNode *feed = InsertTableFile(project, ui, selected, writeTable(fileName, bytes));
        if (feed) {
            [&] {
                QVERIFY(feed->isFeed());
                QCOMPARE(feed->text, ImportedFeedName);
                QVERIFY(project.isModified());
                QVERIFY(feed->data()->items.size() <= FeedData::MaxItems);
            }();
        }
        return feed;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Whatever stands in the switch lines (header lines 10 to 12, "|"
    // between them), the import completes with one whole feed; a switch it
    // cannot read keeps the default channel value.
    void headerFillsChannelSettings_data()
    {
        Columns<QByteArray, QString, QString, QString, int, bool, bool>(
            "eol", "fileName", "filename", "switches", "ver", "dateset", "addressset");
        const auto row = [](const char *name, const char *switches, int ver, bool dateset,
                            bool addressset, const QByteArray &eol = "\r\n",
                            const QString &fileName = u"news.tbl"_s) {
            QTest::newRow(name) << eol << fileName << fileName.chopped(4)
                                << QString::fromUtf8(switches) << ver << dateset << addressset;
        };
        row("bare LF", "0|1|0", 0, true, false, "\n");
        row("dots in the name", "0|1|0", 0, true, false, "\r\n", u"site.news.tbl"_s);
        row("all zero", "0|0|0", 0, false, false);
        row("spaces around", " 0|0 | 1 ", 0, false, true);
        row("words", "RSS1.0|on|0", 1, true, false);
        row("out of range", "2|-1|10", 1, true, true);
    }
    void headerFillsChannelSettings()
    {
        const auto [eol, fileName, filename, switches, ver, dateset, addressset] =
            Fetch<QByteArray, QString, QString, QString, int, bool, bool>(
                "eol", "fileName", "filename", "switches", "ver", "dateset", "addressset");
        QStringList header = sampleHeader();
        header.replace(9, switches.section(u'|', 0, 0));
        header.replace(10, switches.section(u'|', 1, 1));
        header.replace(11, switches.section(u'|', 2, 2));
        Project project;
        ScriptedUserInterface ui;
        ProjectNode *feed =
            import(project, ui, tableBytes(header, {sjis(u"記事"_s)}, eol), nullptr, fileName);
        QVERIFY(feed);

        ChannelSettings expected;
        expected.filename = filename;
        expected.root = expected.link = u"http://example.jp/"_s;
        expected.src = u"http://example.jp/rss/"_s;
        expected.title = u"日本語ニュース"_s;
        expected.description = u"サイトの更新情報です"_s;
        expected.logotitle = u"ロゴ"_s;
        expected.logosrc = u"http://example.jp/logo.png"_s;
        expected.logolink = u"http://example.jp/top.html"_s;
        expected.style = u"http://example.jp/rss.xsl"_s;
        expected.ver = RssVersion(ver);
        expected.dateset = dateset;
        expected.addressset = addressset;
        expected.descstrmax = 0;
        expected.localfolder = u"/home/user/出力"_s;
        QVERIFY(feed->data()->settings == expected);
        QCOMPARE(project.root().childCount(), 1);
        QCOMPARE(feed->data()->items.size(), 1);
        QVERIFY(ui.messages.isEmpty());
    }

    void shortFile_data()
    {
        Columns<QByteArray, QString, QString>("bytes", "title", "link");
        QTest::newRow("empty file") << QByteArray() << QString() << QString();
        QTest::newRow("two lines") << sjis(u"x\r\n見出し"_s) << u"見出し"_s << QString();
        QTest::newRow("twelve lines, last unended")
            << sjis(u"x\r\n見出し\r\nhttp://a/\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n0\r\n0"_s)
            << u"見出し"_s << u"http://a/"_s;
    }
    void shortFile()
    {
        const auto [bytes, title, link] =
            Fetch<QByteArray, QString, QString>("bytes", "title", "link");
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

    // The item as "title|date|url|desc|subject|creator".
    void itemLines_data()
    {
        Columns<QByteArray, QString>("line", "item");
        const auto row = [](const char *name, const QByteArray &line, const char *item) {
            QTest::newRow(name) << line << QString::fromUtf8(item);
        };
        row("all four fields", sjis(u"新製品\t2005/01/31\thttp://example.jp/a\ta<b & d"_s),
            "新製品|2005/01/31 00:00:00|http://example.jp/a|a&lt;b &amp; d||");
        row("empty date stays empty", sjis(u"t\t\thttp://example.jp/a\td"_s),
            "t||http://example.jp/a|d||");
        row("quotes and existing entities", sjis(u"t\t\t\tsay \"hi\" &amp; <go>"_s),
            "t|||say &quot;hi&quot; &amp;amp; &lt;go&gt;||");
        row("two fields", sjis(u"t\t2006/12/01"_s), "t|2006/12/01 00:00:00||||");
        row("more than ten fields", sjis(u"t\t2005/01/31\tu\td\t5\t6\t7\t8\t9\t10\t11\t12"_s),
            "t|2005/01/31 00:00:00|u|d||");
        row("thousands of TABs", sjis(u"t\t\tu\td"_s) + QByteArray(5000, '\t'), "t||u|d||");
        // 0x5C and 0x7C are trail bytes of these characters; they split nothing.
        row("backslash and bar trail bytes",
            sjis(u"ソ表能\t\thttp://example.jp/十\t申し込み|予定表"_s),
            "ソ表能||http://example.jp/十|申し込み|予定表||");
        row("ideographic spaces kept", sjis(u"　見出し　\t\t\t"_s), "　見出し　|||||");
        // An invalid lead byte right before a TAB must not take the TAB as
        // its trail byte and shift the fields after it.
        row("lone lead byte before TAB", "abc\x81\t2005/01/31\thttp://example.jp/\td",
            "abc\uFFFD|2005/01/31 00:00:00|http://example.jp/|d||");
        row("lone lead byte at line end", "t\t\tu\td\x9f", "t||u|d\uFFFD||");
        row("lead byte with a bad trail byte", "a\x81\x20z\t\tu\td", "a\uFFFD z||u|d||");
        row("invalid single bytes", "\x80x\t\tu\t\xa0y", "\uFFFDx||u|\uFFFDy||");
    }
    void itemLines()
    {
        QFETCH(QByteArray, line);
        // A second line checks that nothing of the first spills into it.
        const QByteArray next = sjis(u"次\t2001/02/03\thttp://example.jp/n\tx"_s);
        const TableContents contents = ParseTableFile(tableBytes(sampleHeader(), {line, next}));
        QCOMPARE(contents.feed.items.size(), 2);
        QTEST(ItemLine(contents.feed.item(0)), "item");
        QCOMPARE(ItemLine(contents.feed.item(1)),
                 u"次|2001/02/03 00:00:00|http://example.jp/n|x||"_s);
    }

    void blankItemsAreLeftOut_data()
    {
        Columns<QByteArray, QStringList>("items", "titles");
        const QByteArray a = sjis(u"A\t2005/01/01"_s);
        const QByteArray b = sjis(u"B"_s);
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
        // selected: empty: nothing selected
        // parent: empty: the root
        Columns<QString, QString>("selected", "parent");
        QTest::newRow("nothing selected") << QString() << QString();
        QTest::newRow("root") << u"プロジェクト"_s << QString();
        QTest::newRow("folder") << u"folder"_s << u"folder"_s;
        QTest::newRow("feed inside a folder") << u"first"_s << u"folder"_s;
        QTest::newRow("top-level feed") << u"outer"_s << QString();
    }
    void placement()
    {
        const auto [selected, parent] = Fetch<QString, QString>("selected", "parent");
        Project project;
        treeoutline::build(project.root(), u"outer folder(first last) end"_s);
        ProjectTreeModel model(project);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ProjectNode *expectedParent =
            parent.isEmpty() ? &project.root() : treeoutline::find(project.root(), parent);
        const int rowsBefore = model.rowCount(model.indexOf(expectedParent));
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

        ScriptedUserInterface ui;
        ProjectNode *feed =
            import(project, ui, tableBytes(sampleHeader()),
                   selected.isEmpty() ? nullptr : treeoutline::find(project.root(), selected));
        QVERIFY(feed);

        QCOMPARE(feed->parent(), expectedParent);
        QCOMPARE(feed->row(), expectedParent->childCount() - 1);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.rowCount(model.indexOf(expectedParent)), rowsBefore + 1);
    }

    void itemLimit_data()
    {
        Columns<int, bool, QStringList>("itemCount", "blankLinesBetween", "messages");
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
        const auto [itemCount, blankLinesBetween, messages] =
            Fetch<int, bool, QStringList>("itemCount", "blankLinesBetween", "messages");
        QList<QByteArray> lines;
        for (int i = 1; i <= itemCount; ++i) {
            lines << sjis(u"記事%1"_s.arg(i));
            if (blankLinesBetween)
                lines << QByteArray();
        }
        const QByteArray bytes = tableBytes(sampleHeader(), lines);
        const QString path = writeTable(u"long.tbl"_s, bytes);

        Project project;
        ScriptedUserInterface ui;
        ProjectNode *feed = InsertTableFile(project, ui, nullptr, path);
        QVERIFY(feed);

        const QList<FeedItem> &items = feed->data()->items;
        QCOMPARE(items.size(), qMin(itemCount, FeedData::MaxItems));
        QCOMPARE(items.first().title, u"記事1"_s);
        QCOMPARE(items.last().title, u"記事%1"_s.arg(items.size()));
        QCOMPARE(ui.messages, messages);
        QCOMPARE(testfiles::readAll(path), bytes);
    }

    void unreadableFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << m_dir.filePath(u"missing.tbl"_s);
        QTest::newRow("folder") << m_dir.path();
        QTest::newRow("endless device") << u"/dev/zero"_s;
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

    // The command asks for the file; cancelling changes nothing.
    void commandAsksForTheFile()
    {
        Project project;
        ScriptedUserInterface ui;
        QCOMPARE(ImportTableFile(project, ui, nullptr, u"/data/My RSS Data"_s), nullptr);
        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(project.root().childCount(), 0);
        QVERIFY(!project.isModified());

        ui.files << writeTable(u"news.tbl"_s, tableBytes(sampleHeader()));
        ProjectNode *feed = ImportTableFile(project, ui, nullptr, u"/data/My RSS Data"_s);
        QVERIFY(feed);
        QCOMPARE(feed->parent(), &project.root());
        QCOMPARE(ui.fileChoices.size(), 2);
        QCOMPARE(ChoiceLine(ui.fileChoices.last()),
                 u"Minnow版のデータを追加|Minnow版ファイル(*.tbl)|*.tbl|tbl|/data/My RSS Data|"_s);
    }
};

QTEST_GUILESS_MAIN(TestTableImport)
#include "tst_tableimport.moc"
