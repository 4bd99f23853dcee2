#include "core/feed/feedaddresses.h"
#include "core/preview/enginelimits.h"
#include "core/preview/feedcheckservice.h"
#include "core/preview/previewaddresses.h"
#include "core/preview/previewcommands.h"
#include "core/preview/previewcontent.h"
#include "core/settings/inifile.h"
#include "datarows.h"
#include "examplefeed.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "textrows.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The address an RSS text's stylesheet line names; empty without one.
QString stylesheetHref(const QString &text)
{
    const QString start = u"<?xml-stylesheet type=\"text/xsl\" href=\""_s;
    for (const QString &line : text.split(u"\r\n"_s))
        if (line.startsWith(u"<?xml-stylesheet"_s))
            return line.startsWith(start) && line.endsWith(u"\"?>"_s)
                       ? line.mid(start.size()).chopped(3)
                       : line;
    return {};
}

// A preview of the example feed into a test folder of its own.
struct PreviewFixture
{
    FeedData feed = exampleFeed();
    ScriptedUserInterface ui;
    PreviewTestFolder folder;
    PreviewContext context{&feed, QString(), QString(), exampleClock(), ui, folder};
};

} // namespace

class TestPreviewRules : public QObject
{
    Q_OBJECT

    QTemporaryDir m_local{QDir::tempPath() + u"/style folder #1-XXXXXX"_s};

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_local.isValid());
        QFile style(m_local.filePath(u"rss.xsl"_s));
        QVERIFY(style.open(QIODevice::WriteOnly));
    }

    // href: of the preview's stylesheet line, none without one; LOCAL
    // stands for the stylesheet in the local folder.
    void styleArgument_data()
    {
        Columns<QString, QString, QString, bool, QString, bool>("style", "src", "root",
                                                                "localFolder", "href", "note");
        const auto row = [](const char *name, const char *style, const char *src, const char *root,
                            bool localFolder, const char *href, bool note) {
            QTest::newRow(name) << QString::fromUtf8(style) << QString::fromUtf8(src)
                                << QString::fromUtf8(root) << localFolder << QString::fromUtf8(href)
                                << note;
        };
        row("none", "", "", "", true, "", false);
        row("with a folder: the writer's own", "xsl/rss.xsl", "http://example.jp/", "", true,
            "xsl/rss.xsl", false);
        row("bare name with src: from the site", "rss.xsl", "http://example.jp/a&b\"c",
            "http://other.jp/", true, "http://example.jp/a&amp;b&quot;c/rss.xsl", false);
        row("bare name with root only", "rss.xsl", "", "http://example.jp/site", true,
            "http://example.jp/site/rss.xsl", false);
        row("bare name in the local folder (space and #)", "rss.xsl", "", "", true, "LOCAL", false);
        row("bare name found nowhere: no stylesheet, with a note", "missing.xsl", "", "", true, "",
            true);
        row("bare name, no local folder: the data folder", "rss.xsl", "", "", false, "LOCAL",
            false);
    }
    void styleArgument()
    {
        const auto [style, src, root, localFolder, href, note] =
            Fetch<QString, QString, QString, bool, QString, bool>("style", "src", "root",
                                                                  "localFolder", "href", "note");
        FeedData feed = exampleFeed();
        feed.settings.ver = RssVersion::Rss2;
        feed.settings.style = style;
        feed.settings.src = src;
        feed.settings.root = root;
        feed.settings.localfolder = localFolder ? m_local.path() : QString();
        const PreviewStyle chosen = ChoosePreviewStyle(feed.settings, m_local.path());
        QCOMPARE(!chosen.note.isEmpty(), note);
        const QString text = FeedRssText(feed, QString(), chosen.argument, exampleClock());
        const QString local = QUrl::fromLocalFile(m_local.filePath(u"rss.xsl"_s)).toString();
        QCOMPARE(stylesheetHref(text), QString(href).replace(u"LOCAL"_s, local.toHtmlEscaped()));
    }

    void sameAddress_data()
    {
        Columns<QString, QString, bool>("a", "b", "same");
        QTest::newRow("scheme and host ignore case")
            << u"HTTP://Example.JP/a.html"_s << u"http://example.jp/a.html"_s << true;
        QTest::newRow("path keeps case")
            << u"http://example.jp/A.html"_s << u"http://example.jp/a.html"_s << false;
        QTest::newRow("surrounding blanks") << u" http://a.jp/ "_s << u"http://a.jp/"_s << true;
    }

    void sameAddress()
    {
        const auto [a, b] = Fetch<QString, QString>("a", "b");
        QTEST(SameAddress(a, b), "same");
    }

    // Addresses in the order visited, and the history after them, "|" between.
    void addressHistory_data()
    {
        Columns<QString, QString>("visits", "history");
        AddTextRows({
            {"newest first", "http://a.jp/|http://b.jp/", "http://b.jp/|http://a.jp/"},
            {"no duplicates, moved to the front", "http://a.jp/|http://b.jp/|HTTP://A.JP/",
             "HTTP://A.JP/|http://b.jp/"},
            {"paths differing in case are two entries", "file:///x/A.html|file:///x/a.html",
             "file:///x/a.html|file:///x/A.html"},
            {"blank not kept", "http://a.jp/|  ", "http://a.jp/"},
        });
    }

    void addressHistory()
    {
        QFETCH(QString, visits);
        QStringList history;
        for (const QString &address : visits.split(u'|'))
            RememberAddress(history, address);
        QTEST(history.join(u'|'), "history");
    }

    void navigation_data()
    {
        Columns<QString, QString, bool, int, bool>("address", "current", "noCache", "kind",
                                                   "bypassCache");
        const auto row = [](const char *name, const char *address, const char *current,
                            bool noCache, Navigation::Kind kind, bool bypassCache) {
            QTest::newRow(name) << QString::fromUtf8(address) << QString::fromUtf8(current)
                                << noCache << int(kind) << bypassCache;
        };
        using K = Navigation::Kind;
        row("blank: home page", " ", "http://a.jp/", true, K::Home, false);
        row("shown page: reload", "HTTP://A.JP/x", "http://a.jp/x", true, K::Reload, false);
        row("other page without cache", "http://a.jp/y", "http://a.jp/x", true, K::Open, true);
        row("other page with cache", "http://a.jp/y", "http://a.jp/x", false, K::Open, false);
        row("a feed shown: no flags", "http://a.jp/y", "file:///tmp/brisklettest.XML", true,
            K::Open, false);
        row("an RDF shown: no flags", "http://a.jp/y", "http://a.jp/news.rdf", true, K::Open,
            false);
    }

    void navigation()
    {
        const auto [address, current, noCache] =
            Fetch<QString, QString, bool>("address", "current", "noCache");
        const Navigation navigation = ChooseNavigation(address, current, noCache);
        QTEST(int(navigation.kind), "kind");
        QTEST(navigation.bypassCache, "bypassCache");
        if (navigation.kind == Navigation::Kind::Home)
            QCOMPARE(navigation.address, u"about:blank"_s);
    }

    void serviceAddress_data()
    {
        // address: empty: nothing is sent
        Columns<QString, QString, QString>("service", "feed", "address");
        const QString w3c = DefaultFeedCheckService();
        QTest::newRow("percent-encoded")
            << w3c << u"http://example.jp/a b/news.xml?x=1&y=2"_s
            << w3c + u"?url=http%3A%2F%2Fexample.jp%2Fa%20b%2Fnews.xml%3Fx%3D1%26y%3D2"_s;
        QTest::newRow("https") << w3c << u"https://example.jp/n.rdf"_s
                               << w3c + u"?url=https%3A%2F%2Fexample.jp%2Fn.rdf"_s;
        QTest::newRow("service with a query")
            << u"http://check.jp/?lang=ja"_s << u"http://example.jp/n.xml"_s
            << u"http://check.jp/?lang=ja&url=http%3A%2F%2Fexample.jp%2Fn.xml"_s;
        QTest::newRow("local file never sent") << w3c << u"file:///home/u/news.xml"_s << QString();
        QTest::newRow("service off") << QString() << u"http://example.jp/n.xml"_s << QString();
    }

    void serviceAddress()
    {
        const auto [service, feed] = Fetch<QString, QString>("service", "feed");
        QTEST(FeedCheckServiceAddress(service, feed).value_or(QString()), "address");
    }

    void serviceKeptInSettings()
    {
        IniFile ini;
        QCOMPARE(ReadFeedCheckService(ini), u"https://validator.w3.org/feed/check.cgi"_s);
        WriteFeedCheckService(ini, u"http://check.example.jp/"_s);
        IniFile again;
        again.parse(ini.text());
        QCOMPARE(ReadFeedCheckService(again), u"http://check.example.jp/"_s);
    }

    void feedAddresses()
    {
        FeedData feed = exampleFeed();
        feed.settings.filename = u"News"_s;
        feed.settings.ver = RssVersion::Rss1;
        QCOMPARE(PublishedFeedAddress(feed.settings), u"http://example.jp/site/news.rdf"_s);
        QCOMPARE(SitePageAddress(feed.settings), u"http://example.jp/site/news.html"_s);
        QCOMPARE(AddressPreviewTarget(u"HTTP://a.jp/"_s, &feed.settings), u"HTTP://a.jp/"_s);
        QCOMPARE(AddressPreviewTarget(u"ftp://a.jp/"_s, &feed.settings),
                 u"http://example.jp/site/news.html"_s);
        QCOMPARE(AddressPreviewTarget(u"text"_s, nullptr), QString());
        feed.settings.filename.clear();
        QCOMPARE(PublishedFeedAddress(feed.settings), QString());
    }

    // Without its sandbox the engine shows the program's own files only and
    // takes the pieces of a page from local addresses only.
    void engineLimits_data()
    {
        Columns<bool, QString, bool, bool>("sandboxed", "address", "page", "piece");
        QTest::newRow("sandboxed: anything") << true << u"http://example.jp/"_s << true << true;
        QTest::newRow("own folder") << false << u"file:///tmp/own/a.xml"_s << true << true;
        QTest::newRow("own file") << false << u"file:///opt/b/README.md"_s << true << true;
        QTest::newRow("folder beside") << false << u"file:///tmp/own2/a.xml"_s << false << true;
        QTest::newRow("out with ..") << false << u"file:///tmp/own/../x.html"_s << false << true;
        QTest::newRow("blank page") << false << u"about:blank"_s << true << true;
        QTest::newRow("web") << false << u"https://example.jp/s.css"_s << false << false;
        QTest::newRow("data") << false << u"data:text/css,a"_s << false << true;
    }

    void engineLimits()
    {
        const auto [sandboxed, address, page, piece] =
            Fetch<bool, QString, bool, bool>("sandboxed", "address", "page", "piece");
        const EngineLimits limits{sandboxed, {u"/tmp/own/"_s, u"/opt/b/README.md"_s, QString()}};
        QCOMPARE(limits.showsPage(QUrl(address)), page);
        QCOMPARE(limits.loadsPiece(QUrl(address)), piece);
        // The engine refuses its sandbox to root.
        if (::geteuid() == 0)
            QVERIFY(!EngineSandboxPossible());
    }

    // Preview folders of ended processes go; those of running ones and
    // anything else stay.
    void endedPreviewFoldersAreRemoved()
    {
        QTemporaryDir temp;
        QProcess ended;
        ended.start(u"sleep"_s, {u"0.1"_s});
        QVERIFY(ended.waitForStarted());
        const QString endedFolder = u"brisklet-preview-%1-abc"_s.arg(ended.processId());
        QVERIFY(ended.waitForFinished());
        for (const QString &name : {endedFolder, u"brisklet-other"_s})
            QVERIFY(QDir(temp.path()).mkpath(name + u"/inner"_s));
        // This process's own, made where the temporary folder is.
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        PreviewTestFolder running;
        QVERIFY(running.write(u"a.xml"_s, "a").error.isEmpty());
        qunsetenv("TMPDIR");
        const QString runningFolder = QFileInfo(running.path()).fileName();
        RemoveEndedPreviewFolders(temp.path());
        QCOMPARE(QDir(temp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 (QStringList{u"brisklet-other"_s, runningFolder}));
    }

    // The test files: private folder, the names, whole bytes, a failure told.
    void testFiles_data()
    {
        // pageTemplate: empty for the RSS preview
        Columns<int, QString, QString, QByteArray>("ver", "pageTemplate", "fileName", "start");
        QTest::newRow("RSS 2.0") << 1 << QString() << u"brisklettest.xml"_s
                                 << QByteArray(
                                        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<rss");
        QTest::newRow("RSS 1.0 as .xml")
            << 0 << QString() << u"brisklettest.xml"_s
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<rdf:RDF");
        // The page's own bytes, in the character set it declares.
        QTest::newRow("EUC-JP page keeps its bytes")
            << 1 << u"<meta charset=\"euc-jp\">{channel_title}"_s << u"brisklettest.html"_s
            << QByteArray("<meta charset=\"euc-jp\">\xA5\xB5\xA5\xA4\xA5\xC8");
    }

    void testFiles()
    {
        const auto [ver, pageTemplate, start] =
            Fetch<int, QString, QByteArray>("ver", "pageTemplate", "start");
        PreviewFixture f;
        f.feed.settings.ver = RssVersion(ver);
        f.feed.settings.htmlscript = pageTemplate;
        const PreviewOutcome outcome =
            pageTemplate.isEmpty() ? RssPreview(f.context) : HtmlPreview(f.context);
        QVERIFY(outcome.shown);
        QTEST(QFileInfo(outcome.fileToOpen).fileName(), "fileName");
        QVERIFY(testfiles::readAll(outcome.fileToOpen).startsWith(start));
        QVERIFY(f.ui.messages.isEmpty());
        // Only this user may read the folder, and it is not the shared one.
        const QFileInfo dir(f.folder.path());
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(dir.permissions() & others, QFile::Permissions());
        QVERIFY(
            dir.permissions().testFlags(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(dir.absoluteFilePath() != QDir::temp().absolutePath());
        QCOMPARE(outcome.text.isEmpty(), false);
    }

    void noFeedSelected()
    {
        PreviewFixture f;
        f.context.feed = nullptr;
        QVERIFY(!RssPreview(f.context).shown);
        QVERIFY(!HtmlPreview(f.context).shown);
        QCOMPARE(f.ui.messages, QStringList(2, u"項目が選択されておりません。"_s));
    }

    // A stylesheet found nowhere is asked about; Cancel ends the preview,
    // Yes previews without a stylesheet line.
    void stylesheetNote()
    {
        PreviewFixture f;
        f.feed.settings.root.clear();
        f.feed.settings.style = u"missing.xsl"_s;
        f.feed.settings.localfolder = m_local.path();
        QVERIFY(!RssPreview(f.context).shown);
        QCOMPARE(f.ui.questions.size(), 1);
        QVERIFY(f.ui.questions.first().endsWith(
            u"\r\n\r\n●スタイルシートの場所特定できませんので使用しません。"_s));
        f.ui.answers.enqueue(UserInterface::Answer::Yes);
        const PreviewOutcome outcome = RssPreview(f.context);
        QVERIFY(outcome.shown);
        QVERIFY(!testfiles::readAll(outcome.fileToOpen).contains("xml-stylesheet"));
    }

    // A file that cannot be written is told, the old one stays whole, and
    // the preview has nothing to open.
    void testFileFailure()
    {
        PreviewFixture f;
        const QString first = RssPreview(f.context).fileToOpen;
        const QByteArray before = testfiles::readAll(first);
        QVERIFY(!before.isEmpty());
        // A folder in the way of the temporary file makes the write fail,
        // even for root.
        QVERIFY(QDir(f.folder.path()).mkdir(HtmlTestFileName()));
        f.feed.settings.htmlscript = u"<meta charset=\"utf-8\">x"_s;
        const PreviewOutcome outcome = HtmlPreview(f.context);
        QVERIFY(outcome.shown);
        QVERIFY(outcome.fileToOpen.isEmpty());
        QCOMPARE(f.ui.messages.size(), 1);
        QVERIFY(f.ui.messages.first().startsWith(
            u"プレビュー用のファイル \"brisklettest.html\" が作成できません。"_s));
        QCOMPARE(testfiles::readAll(first), before);
    }
};

QTEST_GUILESS_MAIN(TestPreviewRules)
#include "tst_previewrules.moc"
