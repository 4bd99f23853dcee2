#include "core/project/findfeed.h"
#include "core/project/projectreader.h"
#include "core/project/projectwriter.h"
#include "core/xml/xmlelementreader.h"
#include "datarows.h"
#include "feedpagefixture.h"
#include "itemline.h"
#include "testfiles.h"
#include "treeoutline.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <climits>

using namespace Qt::StringLiterals;

using testfiles::u8;

namespace {

// A small project that touches every field and the writer's special cases:
// a folder named "A&B" holding a feed with three items (one all blank, one
// with only a date), a top-level feed started from the all-empty record, and
// a node of another kind that is never written. tests/data/sample.dta holds
// its exact bytes.
ProjectDefaults sampleDefaults()
{
    ProjectDefaults d;
    d.ver = RssVersion::Rss1;
    d.addressset = false;
    d.rssline = 20;
    d.language = QStringLiteral("en");
    d.descstrmax = 0;
    d.content = true;
    d.memo = QStringLiteral("配信メモ\r\n<b>&amp;</b> 2行目");
    d.ftptemplate = QStringLiteral("サーバー");
    return d;
}

ChannelSettings sampleNewsSettings()
{
    ChannelSettings s;
    s.filename = QStringLiteral("news");
    s.root = QStringLiteral("http://example.jp/");
    s.title = QStringLiteral("  お知らせ  ");
    s.creator = QStringLiteral("広報");
    s.link = QStringLiteral("http://example.jp/news/");
    s.description = QStringLiteral("x < y & z\r\n&#9733; ]]> end");
    s.creatorset = false;
    s.rssline = 20;
    s.descstrmax = 0;
    s.content = true;
    s.localfolder = QStringLiteral("/home/user/www/news");
    s.logolink = QStringLiteral("http://example.jp/");
    s.ftpfolder = QStringLiteral("news");
    s.ftptemplate = QStringLiteral("サーバー");
    s.html = true;
    s.htmlext = PageExtension::Htm;
    s.htmlmark = Markup(2);
    s.htmllabel = true;
    s.htmlscript = QStringLiteral("<html>\r\n  {channel_title}\r\n</html>");
    s.memo = QStringLiteral("never written for a feed");
    return s;
}

// A detached root with the sample's top-level nodes.
std::unique_ptr<ProjectNode> sampleTree()
{
    auto root = std::make_unique<ProjectNode>(QStringLiteral("sample"), ProjectNode::RootKind);
    ProjectNode *folder = root->appendChild(
        std::make_unique<ProjectNode>(QStringLiteral("A&B"), ProjectNode::FolderKind));

    auto news = std::make_unique<FeedData>();
    news->settings = sampleNewsSettings();
    news->addItem({QStringLiteral("記事 1"), QStringLiteral("2024-01-02 03:04:05"),
                   QStringLiteral("http://example.jp/1.html"),
                   QStringLiteral("<p>A &amp; B</p>\r\n2行目"), QStringLiteral("お知らせ"),
                   QStringLiteral("広報")});
    news->addItem({QStringLiteral("  "), {}, QStringLiteral("　"), {}, {}, {}});
    news->addItem({{}, QStringLiteral("2024-02-03"), {}, {}, {}, {}});
    folder->appendChild(std::make_unique<ProjectNode>(QStringLiteral("ニュース \"速報\""),
                                                      ProjectNode::FeedKind, std::move(news)));

    auto empty = std::make_unique<FeedData>();
    empty->settings = ChannelSettings::allEmpty();
    root->appendChild(std::make_unique<ProjectNode>(QStringLiteral("空"), ProjectNode::FeedKind,
                                                    std::move(empty)));

    ProjectNode *other =
        root->appendChild(std::make_unique<ProjectNode>(QStringLiteral("other kind"), 3));
    other->appendChild(
        std::make_unique<ProjectNode>(QStringLiteral("hidden"), ProjectNode::FolderKind));
    return root;
}

const QByteArray Header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                          "<brisklet xmlns=\"http://purl.org/rss/1.0/\">\r\n"
                          "<project>\r\n";
const QByteArray Footer = "</project>\r\n</brisklet>\r\n";

QByteArray inProject(const QByteArray &body)
{
    return Header + body + Footer;
}

ProjectContent readBody(const QByteArray &body)
{
    return ReadProjectContent(inProject(body));
}

QByteArray feed(const QByteArray &inner)
{
    return "<node flag=\"2\" disp=\"f\">" + inner + "</node>";
}

// The first feed of what was read; every document read here holds one.
const FeedData &firstFeed(const ProjectContent &content)
{
    const FeedData *first = nullptr;
    content.root->forEachFeed([&](ProjectNode &feedNode) {
        if (!first)
            first = feedNode.data();
    });
    return *first;
}

// The document read from memory and, after writing it, from the disk.
std::array<ProjectContent, 2> readBoth(const QByteArray &document)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u8("p.dta"));
    testfiles::writeAll(path, document);
    return {ReadProjectContent(document), ReadProjectFile(path)};
}

// The lines between <project> and </project> for the project written with
// default values and the one node.
QByteArray nodeLines(std::unique_ptr<ProjectNode> node)
{
    ProjectNode root(u"root"_s, ProjectNode::RootKind);
    root.appendChild(std::move(node));
    const QByteArray file = WriteProjectFile(ProjectDefaults(), root);
    const qsizetype start = file.indexOf("    <node");
    const qsizetype end = file.indexOf("  </project>");
    return start < 0 ? QByteArray() : file.mid(start, end - start);
}

// The lines of a feed of the all-empty record with the title, the
// description and the item given.
QByteArray feedLines(const QString &title, const QString &description,
                     const std::optional<FeedItem> &item = {})
{
    auto data = std::make_unique<FeedData>();
    data->settings = ChannelSettings::allEmpty();
    data->settings.title = title;
    data->settings.description = description;
    if (item)
        data->addItem(*item);
    return nodeLines(std::make_unique<ProjectNode>(u"f"_s, ProjectNode::FeedKind, std::move(data)));
}

} // namespace

// The project file, written and read.
class TestProjectFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeFileBytes()
    {
        const QByteArray written = WriteProjectFile(sampleDefaults(), *sampleTree());
        QCOMPARE(written, testfiles::readAll(testfiles::dataPath(u"sample.dta"_s)));
        // No byte order mark, and every line ends in CR LF.
        QVERIFY(!written.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(written.count('\n'), written.count("\r\n"));
        QCOMPARE(written.count('\r'), written.count("\r\n"));
    }

    // What one value turns into inside the node's lines, or in the project defaults.
    void values_data()
    {
        Columns<QByteArray, QByteArray, bool>("lines", "expected", "present");

        const auto row = [](const char *name, const QByteArray &bytes, const char *expected,
                            bool present = true) {
            QTest::newRow(name) << bytes << QByteArray(expected) << present;
        };
        row("description escaped inside CDATA", feedLines({}, u8("x < y & z")),
            "<description><![CDATA[x &lt; y &amp; z]]></description>");
        row("reference kept inside CDATA", feedLines({}, u8("&#9733; &amp;")),
            "<![CDATA[&#9733; &amp;amp;]]>");
        row("CDATA never closed early", feedLines({}, u8("a]]>b")), "<![CDATA[a]]&gt;b]]>");
        row("blank CDATA kept", feedLines({}, u8("  ")),
            "<description><![CDATA[  ]]></description>");
        row("empty description left out", feedLines({}, QString()), "<description>", false);
        row("ideographic spaces trimmed", feedLines(u8("　x　"), {}), "<title>x</title>");
        row("blank title left out", feedLines(u8("   "), {}), "<title>", false);
        row("plain reference escaped", feedLines(u8("&#9733;"), {}), "<title>&amp;#9733;</title>");
        row("forbidden characters dropped",
            feedLines(u"a\u0001b\u000Bc\uFFFEd"_s + QChar(0xD800) + u8("e"), {}),
            "<title>abcde</title>");
        row("only forbidden characters left out", feedLines(u"\u0002\u001F"_s, {}), "<title>",
            false);
        row("character outside the BMP kept", feedLines(QString::fromUtf8("\xF0\x9F\x98\x80"), {}),
            "<title>\xF0\x9F\x98\x80</title>");
        row("all-blank item leaves nothing",
            feedLines({}, {}, FeedItem{u8(" "), u8("　"), {}, {}, u8("\t"), {}}), "<item>", false);
        row("date-only item", feedLines({}, {}, FeedItem{{}, u8("2024-01-02"), {}, {}, {}, {}}),
            "      <item>\r\n        <date>2024-01-02</date>\r\n      </item>\r\n");
        row("item with only a blank description is written",
            feedLines({}, {}, FeedItem{{}, {}, {}, u8(" "), {}, {}}),
            "      <item>\r\n        <desc><![CDATA[ ]]></desc>\r\n      </item>\r\n");
        row("feed attribute escaped, not trimmed",
            nodeLines(std::make_unique<ProjectNode>(
                u8(" say \"hi\" & <go> "), ProjectNode::FeedKind, std::make_unique<FeedData>())),
            "<node flag=\"2\" disp=\" say &quot;hi&quot; &amp; &lt;go&gt; \">");
        row("folder name",
            nodeLines(std::make_unique<ProjectNode>(u8("A&B"), ProjectNode::FolderKind)),
            "    <node flag=\"1\" disp=\"A&amp;B\">\r\n"
            "      <disp>A&amp;B</disp>\r\n"
            "    </node>\r\n");
        row("feed without data is not written",
            nodeLines(std::make_unique<ProjectNode>(u8("f"), ProjectNode::FeedKind)), "<node",
            false);
        for (const char *language : {"ja", "en", "fr"}) {
            ProjectDefaults defaults;
            defaults.language = u8(language);
            QTest::addRow("project language %s", language)
                << WriteProjectFile(defaults, ProjectNode(u8("r"), 0))
                << (language == QByteArray("en") ? QByteArray("<language>en</language>")
                                                 : QByteArray("<language>ja</language>"))
                << true;
        }
        row("defaults without memo and template",
            WriteProjectFile(ProjectDefaults(), ProjectNode(u8("r"), 0)),
            "    <content>0</content>\r\n  </project>\r\n</brisklet>\r\n");
    }
    void values()
    {
        const auto [lines, expected, present] =
            Fetch<QByteArray, QByteArray, bool>("lines", "expected", "present");
        QVERIFY2(lines.contains(expected) == present, lines.constData());
    }

    // Exporting the root writes all its children; any other node goes alone.
    void exportNode_data()
    {
        Columns<QString, QList<QByteArray>, QList<QByteArray>>("path", "written", "absent");
        QTest::newRow("root") << QString() << QList<QByteArray>{"disp=\"A&amp;B\"", "disp=\"空\""}
                              << QList<QByteArray>{"other kind", "hidden"};
        QTest::newRow("folder") << u8("A&B")
                                << QList<QByteArray>{"disp=\"A&amp;B\"", "<filename>news"}
                                << QList<QByteArray>{"disp=\"空\""};
        QTest::newRow("feed inside folder")
            << u8("A&B/ニュース \"速報\"")
            << QList<QByteArray>{"    <node flag=\"2\" disp=\"ニュース &quot;速報&quot;\">"}
            << QList<QByteArray>{"A&amp;B", "disp=\"空\""};
        QTest::newRow("another kind writes nothing")
            << u8("other kind") << QList<QByteArray>{} << QList<QByteArray>{"<node", "hidden"};
    }
    void exportNode()
    {
        const auto [path, written, absent] =
            Fetch<QString, QList<QByteArray>, QList<QByteArray>>("path", "written", "absent");
        const auto root = sampleTree();
        const QByteArray file = WriteProjectFile(ProjectDefaults(), *FindNodeByPath(*root, path));
        for (const QByteArray &text : written)
            QVERIFY2(file.contains(text), text.constData());
        for (const QByteArray &text : absent)
            QVERIFY2(!file.contains(text), text.constData());
        QVERIFY(file.contains("  <project>\r\n    <ver>1</ver>"));
    }
    void sampleFile()
    {
        const ProjectContent content = ReadProjectFile(testfiles::dataPath(u"sample.dta"_s));
        QVERIFY2(content.isRead(), qPrintable(content.error));
        QVERIFY(content.defaults == sampleDefaults());
        QCOMPARE(treeoutline::of(*content.root), u8("A&B(ニュース \"速報\") 空"));

        const ProjectNode &news = *content.root->child(0)->child(0);
        ChannelSettings expected = sampleNewsSettings();
        expected.title = u8("お知らせ");
        expected.description = u8("x < y & z\r\n★ ]]> end");
        expected.memo.clear();
        QVERIFY(news.data()->settings == expected);

        const auto sampleItems = sampleTree()->child(0)->child(0)->data()->items;
        QCOMPARE(news.data()->items.size(), 2); // the all-blank item is gone
        QVERIFY(news.data()->items.at(0) == sampleItems.at(0));
        QVERIFY(news.data()->items.at(1) == sampleItems.at(2));

        ChannelSettings empty = ChannelSettings::allEmpty();
        empty.language = u8("ja"); // an empty language is not written
        QVERIFY(content.root->child(1)->data()->settings == empty);
    }

    void everyFieldRoundTrips()
    {
        ProjectNode root(u8("r"), ProjectNode::RootKind);
        auto data = std::make_unique<FeedData>();
        data->settings = everyFieldSet();
        data->settings.title = u8("題名 <&> \"q\"");
        data->settings.link = u8("http://link.example/?a=1&b=2");
        data->settings.description = u8("1行目 <b>&amp;</b>\r\n\r\n3行目 \t");
        data->settings.htmlscript = u8("<html>\r\n{channel_title} &lt;\r\n</html>\r\n");
        const ChannelSettings written = data->settings;
        data->addItem({u8("t <&>"), u8("2024-01-02 03:04:05"), u8("http://u.example/?a&b"),
                       u8("<p>本文 &amp;amp; ★</p>\r\n"), u8("分類"), u8("作成者")});
        root.appendChild(std::make_unique<ProjectNode>(u8("feed"), 2, std::move(data)));
        ProjectDefaults defaults = sampleDefaults();
        defaults.memo = u8("メモ <&>\r\n");

        const ProjectContent content = ReadProjectContent(WriteProjectFile(defaults, root));
        QVERIFY2(content.isRead(), qPrintable(content.error));
        QVERIFY(content.defaults == defaults);
        QVERIFY(firstFeed(content).settings == written);
        QVERIFY(content.root->child(0)->data()->items == root.child(0)->data()->items);
    }

    void channelValues_data()
    {
        Columns<QByteArray, QString, QString>("inner", "title", "description");

        // The title and the description as read; a null text for the other.
        const auto title = [](const char *name, const QByteArray &inner, const QString &text) {
            QTest::newRow(name) << inner << text << QString();
        };
        const auto description = [](const char *name, const QByteArray &inner,
                                    const QString &text) {
            QTest::newRow(name) << inner << QString() << text;
        };
        const auto cdata = [](const char *text) {
            return "<description><![CDATA[" + QByteArray(text) + "]]></description>";
        };
        description("x < y & z", cdata("x &lt; y &amp; z"), u8("x < y & z"));
        title("plain text not trimmed", "<title> x </title>", u8(" x "));
        description("black star reference", cdata("&#9733; &#x2605;"), u8("★ ★"));
        description("character without a Shift_JIS form kept", cdata("&#128512;"),
                    QString::fromUtf8("\xF0\x9F\x98\x80"));
        description("typed entities survive beside a reference",
                    cdata("&amp;amp; &amp;lt; &#9733;"), u8("&amp; &lt; ★"));
        description("reference XML forbids stays as written", cdata("&#1; &#xD800;"),
                    u8("&#1; &#xD800;"));
        description("LF becomes CR LF", cdata("a\nb\n\nc"), u8("a\r\nb\r\n\r\nc"));
        description("CR and CR LF become CR LF", cdata("a\rb\r\nc\n"), u8("a\r\nb\r\nc\r\n"));
        title("CDATA title reads empty", "<title><![CDATA[t]]></title>", QString());
        description("plain description reads empty", "<description>d</description>", QString());
        description("text and CDATA pieces joined",
                    "<description>a &amp;#9733; <![CDATA[b]]>c</description>", u8("a ★ bc"));
        QTest::newRow("names ignore case and blanks")
            << QByteArray("<TITLE >t</TITLE ><Description><![CDATA[d]]></Description>") << u8("t")
            << u8("d");
        title("comments and instructions dropped", "<title>a<!-- c -->b<?pi x?>c</title>",
              u8("abc"));
        title("xhtml keeps markup as text",
              "<title TYPE=\" xhtml \" x=\"1\"><p xmlns:m=\"urn:m\" m:a=\"&quot;\">a &amp; "
              "<![CDATA[c]]><br/></p>z</title>",
              u8("<p xmlns:m=\"urn:m\" m:a=\"&quot;\">a &amp; <![CDATA[c]]><br></br></p>z"));
        // Split literals: a hexadecimal escape would take the letter after it.
        const QByteArray controls = QByteArray("<title>a\x01"
                                               "b\x7F"
                                               "c\td</title>");
        QTest::newRow("controls removed")
            << controls + cdata("e&#127;f\x1F") << u8("abc\td") << u8("ef");
        const QByteArray invalid = QByteArray("<title>a\xFF"
                                              "b</title>");
        QTest::newRow("invalid UTF-8 marks the value only")
            << invalid + cdata("ok") << XmlElementReader::invalidText() << u8("ok");
        QTest::newRow("noncharacter in the file is no marker")
            << "<title>\xEF\xB7\x90</title>" + cdata("\xFF") << QString(QChar(0xFDD0))
            << XmlElementReader::invalidText();
        title("truncated sequence", "<title>\xE3\x81</title>", XmlElementReader::invalidText());
        title("overlong form", "<title>\xC0\xAF</title>", XmlElementReader::invalidText());
        title("overlong three-byte form", "<title>\xE0\x9F\xBF</title>",
              XmlElementReader::invalidText());
        title("encoded surrogate", "<title>\xED\xA0\x80</title>", XmlElementReader::invalidText());
        title("above U+10FFFF", "<title>\xF4\x90\x80\x80</title>", XmlElementReader::invalidText());
        title("four-byte character", "<title>\xF0\x9F\x98\x80</title>", u8("\xF0\x9F\x98\x80"));
        title("stray byte after long runs", "<title>abcdefghij\xE3\x81\x82\xE3\x81\x82\x80</title>",
              XmlElementReader::invalidText());
        title("disp element ignored", "<disp>x</disp>", QString());
    }
    void channelValues()
    {
        const auto [inner, title, description] =
            Fetch<QByteArray, QString, QString>("inner", "title", "description");
        const ProjectContent content = readBody(feed(inner));
        QVERIFY2(content.isRead(), qPrintable(content.error));
        QCOMPARE(firstFeed(content).settings.title, title);
        QCOMPARE(firstFeed(content).settings.description, description);
    }

    void numbersAndSwitches_data()
    {
        Columns<QByteArray, int, bool>("inner", "rssline", "dateset");
        const auto row = [](const char *name, const char *inner, int rssline, bool dateset) {
            QTest::newRow(name) << QByteArray(inner) << rssline << dateset;
        };
        row("absent keeps the defaults", "", 15, true);
        row("leading digits", "<rssline>20abc</rssline>", 20, true);
        row("sign is no digit", "<rssline>-5</rssline>", 0, true);
        row("too large", "<rssline>99999999999999</rssline>", INT_MAX, true);
        row("switch off", "<dateset>0</dateset>", 15, false);
        row("switch on when not 0", "<dateset>2</dateset>", 15, true);
        row("switch without digits", "<dateset>yes</dateset>", 15, false);
    }
    void numbersAndSwitches()
    {
        const auto [inner, rssline, dateset] =
            Fetch<QByteArray, int, bool>("inner", "rssline", "dateset");
        const ProjectContent content = readBody(feed(inner));
        QCOMPARE(firstFeed(content).settings.rssline, rssline);
        QCOMPARE(firstFeed(content).settings.dateset, dateset);
    }

    // Items as "title|date|url|desc|subject|creator", "/" between items.
    void items_data()
    {
        Columns<QByteArray, QString>("inner", "items");
        const auto row = [](const char *name, const char *inner, const char *items) {
            QTest::newRow(name) << QByteArray(inner) << QString::fromUtf8(items);
        };
        row("date-only item", "<item><date>2024-01-02</date></item>", "|2024-01-02||||");
        row("every field",
            "<item><title>t</title><date>d</date><url>u</url><subject>s</subject>"
            "<creator>c</creator><desc><![CDATA[&lt;p&gt;\n]]></desc></item>",
            "t|d|u|<p>\r\n|s|c");
        row("blank title kept as read", "<item><title>   </title></item>", "   |||||");
        row("unknown child gives an empty item",
            "<item><x>1</x></item><item><title>b</title></item>", "|||||/b|||||");
        row("item without children gives nothing",
            "<item/><item>text</item><item><title>b</title></item>", "b|||||");
        row("CDATA title reads empty",
            "<item><title><![CDATA[t]]></title><desc>plain</desc></item>", "|||||");
        row("item names ignore case", "<ITEM><Title>t</Title></ITEM>", "t|||||");
    }
    void items()
    {
        QFETCH(QByteArray, inner);
        const ProjectContent content = readBody(feed(inner));
        QStringList items;
        for (const FeedItem &item : firstFeed(content).items)
            items << ItemLine(item);
        QTEST(items.join(u'/'), "items");
    }

    void tree_data()
    {
        Columns<QByteArray, QString>("document", "tree");
        const auto row = [](const char *name, const QByteArray &body, const char *tree) {
            QTest::newRow(name) << inProject(body) << u8(tree);
        };
        QTest::newRow("other document element")
            << QByteArray("<rss><project><node flag=\"1\" disp=\"a\"/></project></rss>")
            << QString();
        QTest::newRow("nodes directly in brisklet are skipped")
            << QByteArray("<brisklet><node flag=\"1\" disp=\"a\"/></brisklet>") << QString();
        row("folder A&B", "<node flag=\"1\" disp=\"A&amp;B\"><disp>A&amp;B</disp></node>", "A&B()");
        row("flag 2x is a feed", "<node flag=\"2x\" disp=\"f\"/>", "f");
        row("no flag drops the node and its contents",
            "<node disp=\"gone\"><node flag=\"2\" disp=\"inner\"/></node><node flag=\"1\" "
            "disp=\"kept\"/>",
            "kept()");
        row("flag without digits", "<node flag=\"x\" disp=\"z\"/>", "z#0");
        row("no disp", "<node flag=\"1\"/>", "()");
        row("node inside a feed becomes its next sibling",
            "<node flag=\"1\" disp=\"d\"><node flag=\"2\" disp=\"f\"><node flag=\"2\" disp=\"g\"/>"
            "</node><node flag=\"2\" disp=\"h\"/></node>",
            "d(f g h)");
        row("names and attributes ignore case",
            "<NODE FLAG=\"1\" Disp=\"a\"><Node flag=\"2\" disp=\"b\"/></NODE>", "a(b)");
        row("other elements skipped",
            "<other><node flag=\"1\" disp=\"hidden\"/></other><node flag=\"1\" disp=\"shown\"/>",
            "shown()");
        QTest::newRow("invalid UTF-8 in a name attribute")
            << inProject("<node flag=\"1\" disp=\"a\xFF\"/><node flag=\"1\" disp=\"b\"/>")
            << XmlElementReader::invalidText() + u8("() b()");
    }
    void tree()
    {
        QFETCH(QByteArray, document);
        const ProjectContent content = ReadProjectContent(document);
        QVERIFY2(content.isRead(), qPrintable(content.error));
        QTEST(treeoutline::of(*content.root), "tree");
    }

    // Each feed is handed over as soon as it is complete: a node written
    // inside a feed is complete before the feed around it.
    void feedsAreHandedOverWhenRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u8("p.dta"));
        testfiles::writeAll(path, Header +
                                      "<node flag=\"1\" disp=\"d\"><node flag=\"2\" disp=\"f\">"
                                      "<title>F</title><item><title>i1</title></item>"
                                      "<node flag=\"2\" disp=\"g\"><title>G</title></node>"
                                      "<item><title>i2</title></item></node>"
                                      "<node flag=\"2\" disp=\"h\"/></node>" +
                                      Footer);
        QStringList handed;
        const ProjectContent content = ReadProjectFile(path, [&](const ProjectNode &feed) {
            handed << feed.text + u':' + feed.data()->settings.title + u':' +
                          QString::number(feed.data()->items.size());
        });
        QVERIFY2(content.isRead(), qPrintable(content.error));
        QCOMPARE(handed, (QStringList{u8("g:G:0"), u8("f:F:2"), u8("h::0")}));
    }

    void projectDefaults_data()
    {
        Columns<QByteArray, int, QString, QString>("body", "ver", "language", "memo");
        QTest::newRow("absent") << QByteArray() << 1 << u8("ja") << QString();
        QTest::newRow("read") << QByteArray("<ver>0</ver><language>en</language>"
                                            "<memo><![CDATA[a\nb &amp;]]></memo>")
                              << 0 << u8("en") << u8("a\r\nb &");
        QTest::newRow("only exactly en is English")
            << QByteArray("<language>EN</language>") << 1 << u8("ja") << QString();
    }
    void projectDefaults()
    {
        const auto [body, ver, language, memo] =
            Fetch<QByteArray, int, QString, QString>("body", "ver", "language", "memo");
        const ProjectContent content = readBody(body);
        QCOMPARE(content.defaults.ver, RssVersion(ver));
        QCOMPARE(content.defaults.language, language);
        QCOMPARE(content.defaults.memo, memo);
    }

    // Documents that must not be read, from memory or from the disk: the
    // error names the line and the reason, and nothing comes back.
    void refused_data()
    {
        Columns<QByteArray, int, QString>("document", "line", "reason");
        const auto row = [](const char *name, const QByteArray &document, int line,
                            const char *reason) {
            QTest::newRow(name) << document << line << u8(reason);
        };
        const char *const entities = "実体宣言（<!ENTITY>）を含むファイルは読み込めません。";
        const char *const deep = "要素の入れ子が深すぎます（1000 段まで）。";
        const int depth = XmlElementReader::MaxDepth;
        // The parser's reasons in Japanese.
        row("mismatched tag", "<brisklet>\n<project>\n<node flag=\"1\" disp=\"a\">\n</project>\n",
            4, "開始タグと終了タグが対応していません。");
        row("broken start tag", "<brisklet>\n<project>\n<node 1>\n</project>\n</brisklet>\n", 3,
            "開始タグを読み取れません。");
        row("premature end", Header + feed("<title>t</title>"), 4,
            "ファイルが途中で終わっています。");
        row("empty file", QByteArray(), 1, "ファイルが途中で終わっています。");
        row("undeclared entity", Header + feed("<title>&nbsp;</title>") + Footer, 4,
            "実体参照 &nbsp; は宣言されていません。");
        QByteArray bomb =
            "<?xml version=\"1.0\"?>\n<!DOCTYPE brisklet [\n<!ENTITY a \"aaaaaaaa\">\n";
        for (char c = 'b'; c <= 'j'; ++c) {
            const QByteArray previous = "&" + QByteArray(1, char(c - 1)) + ";";
            bomb += "<!ENTITY " + QByteArray(1, c) + " \"" + previous.repeated(10) + "\">\n";
        }
        bomb += "]>\n<brisklet><project><node flag=\"2\" disp=\"&j;\"/></project></brisklet>\n";
        row("entity expansion bomb", bomb, 13, entities);
        row("nodes nested too deep", Header + QByteArray("<node flag=\"1\">\n").repeated(depth),
            1002, deep);
        row("values nested too deep", Header + feed(QByteArray("<title>\n").repeated(depth)), 1001,
            deep);
        row("skipped elements nested too deep",
            "<brisklet>\n" + QByteArray("<skipped>\n").repeated(depth), 1001, deep);
        row("content after the document element", Header + Footer + "<extra/>", 6,
            "文書要素の後に余分な内容があります。");
        row("external entity",
            "<!DOCTYPE brisklet [\n<!ENTITY e SYSTEM \"file:///etc/passwd\">\n]>\n<brisklet>"
            "<project><node flag=\"2\" disp=\"&e;\"/></project></brisklet>",
            3, entities);
    }
    void refused()
    {
        const auto [document, line, reason] =
            Fetch<QByteArray, int, QString>("document", "line", "reason");
        for (const ProjectContent &content : readBoth(document)) {
            QVERIFY(!content.isRead());
            QCOMPARE(
                content.error,
                u8("プロジェクトファイルを読み込めません（%1 行目）。\n%2").arg(line).arg(reason));
            QCOMPARE(content.root->childCount(), 0);
            QVERIFY(content.defaults == ProjectDefaults());
        }
    }

    // Documents in another encoding are read as what they say they are.
    void otherEncodings_data()
    {
        QTest::addColumn<QByteArray>("document");
        const QString text = u8("<?xml version=\"1.0\" encoding=\"%1\"?>\n<brisklet><project>"
                                "<node flag=\"2\" disp=\"f\"><title>日本語</title></node>"
                                "</project></brisklet>");
        QStringEncoder shiftJis("Shift_JIS");
        QTest::newRow("Shift_JIS declared") << QByteArray(shiftJis(text.arg(u8("Shift_JIS"))));
        QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        QTest::newRow("UTF-16 with a byte order mark") << QByteArray(utf16(text.arg(u8("UTF-16"))));
    }
    void otherEncodings()
    {
        QFETCH(QByteArray, document);
        for (const ProjectContent &content : readBoth(document)) {
            QVERIFY2(content.isRead(), qPrintable(content.error));
            QCOMPARE(firstFeed(content).settings.title, u8("日本語"));
        }
    }

    void outsideDtdNeverLoaded()
    {
        QTemporaryDir dir;
        const QString dtd = dir.filePath(u8("outside.dtd"));
        testfiles::writeAll(dtd, "<!ENTITY secret \"SECRET\">\n");
        const QByteArray document = "<!DOCTYPE brisklet SYSTEM \"" + dtd.toUtf8() +
                                    "\">\n<brisklet><project>" + feed("<title>a&secret;b</title>") +
                                    "</project></brisklet>";
        const ProjectContent content = ReadProjectContent(document);
        QVERIFY2(content.isRead(), qPrintable(content.error));
        QCOMPARE(firstFeed(content).settings.title, u8("ab"));
    }

    // Files are checked a block (1 MiB) at a time before they are parsed
    // from the disk; what lies across a block end must be judged alike.
    void fileBlockEnds_data()
    {
        // offset: where the bytes start, from the block end
        // reads: null: the title is marked invalid
        Columns<int, QByteArray, QString>("offset", "bytes", "reads");
        QTest::newRow("character across, 1 byte before") << -1 << QByteArray("日") << u8("日");
        QTest::newRow("character across, 2 bytes before") << -2 << QByteArray("日") << u8("日");
        QTest::newRow("character ending at the end") << -3 << QByteArray("日") << u8("日");
        QTest::newRow("invalid byte at the end") << -1 << QByteArray("\xFF") << QString();
        QTest::newRow("cut sequence at the end") << -2 << QByteArray("\xE3\x81") << QString();
        QTest::newRow("control at the end") << -1 << QByteArray("\x01") << u8("");
        QTest::newRow("invalid byte after the end") << 0 << QByteArray("\xFF") << QString();
    }
    void fileBlockEnds()
    {
        const auto [offset, bytes, reads] =
            Fetch<int, QByteArray, QString>("offset", "bytes", "reads");
        const QByteArray start = Header + "<node flag=\"2\" disp=\"f\"><title>";
        const qsizetype before = (1 << 20) + offset - start.size();
        const qsizetype after = 1000;
        QTemporaryDir dir;
        const QString path = dir.filePath(u8("big.dta"));
        testfiles::writeAll(path, start + QByteArray(before, 'a') + bytes + QByteArray(after, 'a') +
                                      "</title></node>" + Footer);

        const ProjectContent content = ReadProjectFile(path);
        QVERIFY2(content.isRead(), qPrintable(content.error));
        const QString title = reads.isNull() ? XmlElementReader::invalidText()
                                             : QString(before, u'a') + reads + QString(after, u'a');
        QCOMPARE(firstFeed(content).settings.title, title);
    }

    // Files refused before they are parsed. A sparse file: the size is what
    // the reader judges, not the disk use.
    void fileSize_data()
    {
        // size: 0: as written; -1: no file
        Columns<qint64, QString>("size", "error");
        QTest::newRow("small valid file") << qint64(0) << QString();
        QTest::newRow("one byte over the limit")
            << MaxProjectFileSize + 1
            << u8("プロジェクトファイルが大きすぎるため読み込めません（1 GB まで）。");
        QTest::newRow("missing file")
            << qint64(-1) << u8("プロジェクトを読み込むことができません。");
    }
    void fileSize()
    {
        const auto [size, error] = Fetch<qint64, QString>("size", "error");
        QTemporaryDir dir;
        const QString path = dir.filePath(u8("large.dta"));
        if (size >= 0)
            testfiles::writeAll(path, Header + feed("<title>t</title>") + Footer);
        if (size > 0)
            QVERIFY(QFile::resize(path, size));

        const ProjectContent content = ReadProjectFile(path);
        QCOMPARE(content.error, error);
        QCOMPARE(content.root->childCount(), error.isEmpty() ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
