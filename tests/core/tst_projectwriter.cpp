#include "datarows.h"
#include "project/findfeed.h"
#include "project/projectwriter.h"
#include "sampleproject.h"
#include "testfiles.h"

#include <QTest>

using namespace Qt::StringLiterals;

using testfiles::u8;

namespace {

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
    auto data = std::make_unique<TEditList>();
    data->settings = ChannelSettings::allEmpty();
    data->settings.title = title;
    data->settings.description = description;
    if (item)
        data->addItem(*item);
    return nodeLines(std::make_unique<ProjectNode>(u"f"_s, ProjectNode::FeedKind, std::move(data)));
}

} // namespace

class TestProjectWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeFileBytes()
    {
        const QByteArray written =
            WriteProjectFile(sampleproject::defaults(), *sampleproject::tree());
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
                u8(" say \"hi\" & <go> "), ProjectNode::FeedKind, std::make_unique<TEditList>())),
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
        const auto root = sampleproject::tree();
        const QByteArray file = WriteProjectFile(ProjectDefaults(), *FindNodeByPath(*root, path));
        for (const QByteArray &text : written)
            QVERIFY2(file.contains(text), text.constData());
        for (const QByteArray &text : absent)
            QVERIFY2(!file.contains(text), text.constData());
        QVERIFY(file.contains("  <project>\r\n    <ver>1</ver>"));
    }
};

QTEST_GUILESS_MAIN(TestProjectWriter)
#include "tst_projectwriter.moc"
