#include "core/check/checkfeed.h"
#include "core/check/itemcheck.h"
#include "core/feed/rssfile.h"
#include "core/html/htmlpage.h"
#include "core/messagerecorder.h"
#include "core/model/projectnode.h"
#include "core/project/feedgeneration.h"
#include "core/project/standardoutputwriters.h"
#include "datarows.h"
#include "examplefeed.h"
#include "feedcheck.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using testfiles::u8;

namespace {

QByteArray dataFile(const QString &name)
{
    return testfiles::readAll(testfiles::dataPath(u"check/"_s + name));
}

QString describe(const FeedFindings &findings)
{
    QStringList lines;
    for (const FeedFinding &finding : findings)
        lines << FindingText(finding);
    return lines.join(u'\n');
}

const QString rss2 = u"valid-rss2.xml"_s;
const QString rss1 = u"valid-rss1.rdf"_s;

} // namespace

class TestCheckFeed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every option the writers take, in both versions: the check finds
    // nothing in what the program itself writes.
    void writersOutputsPass_data()
    {
        Columns<int, FeedEdit>("ver", "edit");
        const QList<std::pair<const char *, FeedEdit>> edits{
            {"example", [](FeedData &) {}},
            {"logo",
             [](FeedData &f) {
                 f.settings.logosrc = u"http://example.jp/site/logo.png"_s;
                 f.settings.logotitle = u"ロゴ"_s;
             }},
            {"stylesheet", [](FeedData &f) { f.settings.style = u"rss.xsl"_s; }},
            {"src and link",
             [](FeedData &f) {
                 f.settings.src = u"https://feeds.example.jp/a&b/"_s;
                 f.settings.link = u"https://example.jp/?a=1&b=2"_s;
             }},
            {"no page, every item linked",
             [](FeedData &f) {
                 f.settings.html = false;
                 f.items[1].url = u"http://example.jp/site/new.html"_s;
             }},
            {"one item, short descriptions",
             [](FeedData &f) {
                 f.settings.rssline = 1;
                 f.settings.descstrmax = 3;
             }},
            {"language, creator and subject",
             [](FeedData &f) {
                 f.settings.language = u"en"_s;
                 f.items[0].creator = u"<佐藤 & 鈴木>"_s;
             }},
            {"markup and controls in texts",
             [](FeedData &f) {
                 f.items[0].title = u"A&B \"<x>\" \x01 ]]>"_s;
                 f.items[0].desc = u"<![CDATA[x]]> & <b>y</b>"_s;
                 f.settings.content = true;
             }},
            {"date only and no date",
             [](FeedData &f) {
                 f.items[0].date = u"2024-02-29"_s;
                 f.items[1].date.clear();
             }},
        };
        for (const auto &[name, edit] : edits) {
            QTest::addRow("RSS 1.0, %s", name) << 0 << edit;
            QTest::addRow("RSS 2.0, %s", name) << 1 << edit;
        }
    }

    void writersOutputsPass()
    {
        const auto [ver, edit] = Fetch<int, FeedEdit>("ver", "edit");
        FeedData feed = exampleFeed();
        feed.settings.ver = RssVersion(ver);
        edit(feed);
        const QByteArray bytes = RssFileBytes(feed, u"/srv/feeds/news.rdf"_s, exampleClock()).bytes;
        const FeedFindings findings = CheckFeed(bytes);
        QVERIFY2(findings.isEmpty(),
                 qPrintable(describe(findings) + u'\n' + QString::fromUtf8(bytes)));
    }

    // Pages in each character set the writer writes declare what they are.
    void writersPagesPass_data()
    {
        QTest::addColumn<QString>("charset");
        QTest::newRow("UTF-8") << u"utf-8"_s;
        QTest::newRow("Shift_JIS") << u"Shift_JIS"_s;
        QTest::newRow("EUC-JP") << u"EUC-JP"_s;
    }

    void writersPagesPass()
    {
        QFETCH(QString, charset);
        FeedData feed = exampleFeed();
        feed.settings.htmlscript =
            QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                           "charset=%1\"><title>{channel_title}</title></head>\r\n"
                           "<body>{channel_description}</body></html>\r\n")
                .arg(charset);
        MessageRecorder messages;
        const QByteArray bytes = HtmlPageBytes(GenerateHtmlPage(feed, exampleClock(), messages));
        const FeedFindings findings = CheckHtmlPage(bytes);
        QVERIFY2(findings.isEmpty(), qPrintable(describe(findings)));
    }

    // One row per rule: the valid file with one change must give a finding
    // of that severity on that line. clientsReject: xmllint, rapper or
    // feedparser complain about the same file too.
    void brokenFeeds_data()
    {
        Columns<QString, QByteArray, QByteArray, int, bool, QString, bool>(
            "base", "from", "to", "line", "error", "message", "clientsReject");

        const auto row = [](const char *name, const QString &base, const char *from, const char *to,
                            int line, bool error, const char *message, bool clientsReject) {
            QTest::newRow(name) << base << QByteArray(from) << QByteArray(to) << line << error
                                << QString::fromUtf8(message) << clientsReject;
        };
        row("byte order mark", rss2, "<?xml", "\xEF\xBB\xBF<?xml", 1, true, "BOM", false);
        row("invalid UTF-8", rss2, "新商品", "\xE6\x96\xFF", 10, true, "UTF-8", true);
        row("not well-formed", rss2, "</title>\n      <link>http://example.jp/a",
            "</titel>\n      <link>http://example.jp/a", 10, true, "XML", true);
        row("undeclared prefix", rss1, "xmlns:dc=", "xmlns:dcx=", 11, true, "XML", true);
        row("document type", rss2, "?>\n<rss", "?>\n<!DOCTYPE rss [<!ENTITY e \"x\">]>\n<rss", 2,
            true, "DOCTYPE", false);
        row("other encoding declared", rss2, "UTF-8", "Shift_JIS", 1, true, "Shift_JIS", false);
        row("version", rss2, "version=\"2.0\"", "version=\"0.91\"", 3, true, "version", false);
        row("channel description missing", rss2, "<description>新着情報</description>", "", 4, true,
            "<description>", false);
        row("item without title or description", rss2, "<title>新商品</title>", "", 9, true,
            "<title> も <description>", false);
        row("relative link", rss2, "<link>http://example.jp/a.html", "<link>/a.html", 11, true,
            "絶対アドレス", false);
        row("local path", rss2, "http://example.jp/b.html", "file:///C:/site/b.html", 16, true,
            "ローカルのパス", false);
        row("drive letter", rss2, "<description>新着情報", "<description>C:\\site\\", 7, true,
            "C:\\site\\", false);
        row("unresolved file name", rss1, "http://example.jp/news.rdf", "[ファイル名未解決]", 7,
            true, "[ファイル名未解決]", false);
        row("RFC 822 malformed", rss2, "Thu, 01 Dec 2005 10:00:00 +0900", "2005-12-01 10:00", 12,
            true, "RFC 822", false);
        row("RFC 822 weekday", rss2, "Thu, 01 Dec", "Fri, 01 Dec", 12, true, "曜日", false);
        row("RFC 822 no such day", rss2, "Tue, 01 Nov", "Thu, 31 Nov", 17, true, "存在しない",
            false);
        row("RFC 822 channel date", rss2, "Sun, 06 Dec 2026", "Sun, 06 Dek 2026", 8, true,
            "RFC 822", false);
        row("duplicate item link", rss2, "http://example.jp/b.html", "http://example.jp/a.html", 16,
            false, "11行目", false);
        row("channel without rdf:about", rss1, "<channel rdf:about=\"http://example.jp/news.rdf\">",
            "<channel>", 7, true, "rdf:about", false);
        row("item without rdf:about", rss1, "<item rdf:about=\"http://example.jp/b.html#2\">",
            "<item>", 24, true, "rdf:about", false);
        row("sequence names a missing item", rss1, "rdf:resource=\"http://example.jp/b.html#2\"",
            "rdf:resource=\"http://example.jp/c.html#3\"", 15, true, "c.html#3", false);
        row("item not in the sequence", rss1,
            "        <rdf:li rdf:resource=\"http://example.jp/b.html#2\"/>\n", "", 23, true,
            "載っていない", false);
        row("duplicate rdf:about", rss1, "<item rdf:about=\"http://example.jp/b.html#2\">",
            "<item rdf:about=\"http://example.jp/a.html#1\">", 24, true, "19行目", false);
        row("W3C date malformed", rss1, "2005-11-01T10:00:00+09:00", "2005/11/01 10:00", 27, true,
            "W3C", true);
        row("W3C date no such day", rss1, "2005-11-01T10", "2005-11-31T10", 27, true, "存在しない",
            true);
        row("W3C date no such hour", rss1, "2005-11-01T10", "2005-11-01T25", 27, true, "存在しない",
            false);
    }

    void brokenFeeds()
    {
        const auto [base, from, to, line, error, message, clientsReject] =
            Fetch<QString, QByteArray, QByteArray, int, bool, QString, bool>(
                "base", "from", "to", "line", "error", "message", "clientsReject");

        const QByteArray valid = dataFile(base);
        QVERIFY(valid.contains(from));
        QByteArray broken = valid;
        broken.replace(from, to);
        QVERIFY2(CheckFeed(valid).isEmpty(), qPrintable(describe(CheckFeed(valid))));

        const FeedFindings findings = CheckFeed(broken);
        const auto expected = error ? FeedFinding::Severity::Error : FeedFinding::Severity::Warning;
        bool found = false;
        for (const FeedFinding &finding : findings)
            found = found || (finding.line == line && finding.severity == expected &&
                              finding.message.contains(message));
        QVERIFY2(found, qPrintable(describe(findings)));

        if (clientsReject) {
            const auto format = base == rss1 ? feedcheck::Format::Rss1 : feedcheck::Format::Rss2;
            QVERIFY(feedcheck::problemsOfBytes(valid, format).isEmpty());
            QVERIFY(!feedcheck::problemsOfBytes(broken, format).isEmpty());
        }
    }

    void brokenPages_data()
    {
        Columns<QByteArray, QByteArray, int, bool, QString>("from", "to", "line", "error",
                                                            "message");
        const auto row = [](const char *name, const char *from, const char *to, int line,
                            bool error, const char *message) {
            QTest::newRow(name) << QByteArray(from) << QByteArray(to) << line << error
                                << QString::fromUtf8(message);
        };
        row("no declaration", "<meta charset=\"utf-8\">", "", 0, false, "charset");
        row("unknown charset", "utf-8", "klingon", 4, false, "klingon");
        row("UTF-8 text declared Shift_JIS", "utf-8", "Shift_JIS", 4, true, "UTF-8 で書かれて");
        row("Shift_JIS bytes declared UTF-8", "新商品", "\x90\x56\x8F\xA4\x95\x69", 8, true,
            "utf-8 として正しくない");
        row("EUC-JP declared with a stray byte", "utf-8\">\n<title>お知らせ</title>",
            "euc-jp\">\n<title>\xA4\xAA\x80</title>", 5, true, "euc-jp");
        row("local path", "http://example.jp/a.html", "C:\\site\\a.html", 8, true,
            "ローカルのパス");
    }

    void brokenPages()
    {
        const auto [from, to, line, error, message] =
            Fetch<QByteArray, QByteArray, int, bool, QString>("from", "to", "line", "error",
                                                              "message");
        const QByteArray valid = dataFile(u"page-utf8.html"_s);
        QVERIFY(CheckHtmlPage(valid).isEmpty());
        QByteArray broken = valid;
        broken.replace(from, to);
        const FeedFindings findings = CheckHtmlPage(broken);
        QCOMPARE(findings.size(), 1);
        QCOMPARE(findings.first().line, line);
        QCOMPARE(findings.first().severity,
                 error ? FeedFinding::Severity::Error : FeedFinding::Severity::Warning);
        QVERIFY2(findings.first().message.contains(message), qPrintable(describe(findings)));
    }

    // Items whose date or body the file does not show as typed: warned
    // about with their row; only the items the file takes are looked at.
    void itemsReadersTripOver_data()
    {
        Columns<QString, QString, QString, QString>("title", "date", "desc", "found");
        const auto row = [](const char *name, const char *date, const char *desc, const char *found,
                            const char *title = "t") {
            QTest::newRow(name) << u8(title) << u8(date) << u8(desc) << u8(found);
        };
        row("readable", "2026-01-02", "<p>a<p>b<br><img src=\"x\"/> &amp; &#38; &copy;", "");
        row("date that cannot be read", "2026/13/45", "",
            "項目 2: 警告: 日付 \"2026/13/45\" を読み取れないため出力しません "
            "(yyyy-mm-dd hh:nn:ss)。");
        row("bare ampersand", "", "AT&T",
            "項目 2: 警告: 本文に単独の \"&\" があります (\"&amp;\" と書きます)。");
        row("unclosed tag", "", "<b>bold", "項目 2: 警告: 本文のタグ <b> が閉じられていません。");
        row("crossed tags", "", "<b><i>x</b></i>",
            "項目 2: 警告: 本文のタグ <i> が閉じられていません。");
        row("end tag without start", "", "x</div>",
            "項目 2: 警告: 本文の終了タグ </div> に対応する開始タグがありません。");
        row("item the file leaves out", "2026/13/45", "<b>", "", "");
    }
    void itemsReadersTripOver()
    {
        const auto [title, date, desc, found] =
            Fetch<QString, QString, QString, QString>("title", "date", "desc", "found");
        FeedData feed = exampleFeed();
        feed.items = {{.title = u"first"_s}, {.title = title, .date = date, .desc = desc}};
        QCOMPARE(describe(CheckFeedItems(feed)), found);
    }

    // Saving names a feed whose files have errors in its report and writes
    // them all the same; the command line's build leaves the check out.
    void generationReportsErrors_data()
    {
        Columns<bool, QString>("checkOutputs", "report");
        QTest::newRow("saving") << true
                                << u"\r\n[F] 出力ファイルの検査で誤りが 1 件見つかりました."_s;
        QTest::newRow("build") << false << QString();
    }

    void generationReportsErrors()
    {
        QFETCH(bool, checkOutputs);
        QTemporaryDir dir;
        auto feed = std::make_unique<FeedData>(exampleFeed());
        feed->settings.html = false;
        feed->settings.description.clear(); // required in RSS 2.0
        feed->settings.localfolder = dir.path();
        ProjectNode root(u"p"_s, ProjectNode::RootKind);
        root.appendChild(
            std::make_unique<ProjectNode>(u"F"_s, ProjectNode::FeedKind, std::move(feed)));
        const OutputWriters writers = StandardOutputWriters(exampleClock());
        FeedGeneration generation(writers, dir.filePath(u"p.dta"_s), checkOutputs);
        generation.add(*root.child(0));
        ScriptedUserInterface ui;
        QTEST(generation.commit(root, ui), "report");
        QVERIFY(QFile::exists(dir.filePath(u"news.xml"_s)));
    }
};

QTEST_GUILESS_MAIN(TestCheckFeed)
#include "tst_checkfeed.moc"
