#include "core/html/datepattern.h"
#include "core/html/stringformat.h"
#include "core/html/templateattribute.h"
#include "core/html/templateengine.h"
#include "core/html/templatevariables.h"
#include "core/html/variablelist.h"
#include "datarows.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "textrows.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime pageTime(QDate(2026, 12, 6), QTime(9, 5, 7));

ChannelSettings siteSettings()
{
    ChannelSettings s;
    s.filename = u"news"_s;
    s.root = u"http://example.jp/"_s;
    s.title = u"お知らせ"_s;
    s.description = u"サイトの更新情報"_s;
    s.logosrc = u" http://example.jp/logo.png "_s;
    s.logotitle = u"ロゴ"_s;
    s.descstrmax = 5;
    s.html = true;
    return s;
}

FeedItem item(const QString &title, const QString &date)
{
    return {title, date, {}, {}, {}, {}};
}

// Oldest first, as the grid holds them.
QList<FeedItem> fiveItems()
{
    QList<FeedItem> items{
        item(u"A1"_s, u"2004-12-30 10:00:00"_s), item(u"A2"_s, u"2005-01-02 09:05:00"_s),
        item(u"A3"_s, u"2005-01-15 12:00:00"_s), item(u"A4"_s, u"2005-02-01 00:00:00"_s),
        item(u"A5"_s, u"2005-02-03 08:00:00"_s)};
    FeedItem &newest = items.last();
    newest.url = u" http://example.jp/a5 "_s;
    newest.desc = u"<p>第一の記事です。</p>"_s;
    newest.subject = u"日記"_s;
    newest.creator = u"太郎"_s;
    newest.enclosure = u"http://example.jp/a5.mp3"_s;
    newest.enclosurelength = u"123456"_s;
    newest.enclosuretype = u"audio/mpeg"_s;
    newest.itunesduration = u"12:34"_s;
    return items;
}

struct Expansion
{
    QString page;
    QStringList messages;
};

Expansion expand(const QString &templateText, const ChannelSettings &settings,
                 const QList<FeedItem> &items)
{
    ScriptedUserInterface ui;
    const TemplateContext context{settings, pageTime, ui};
    const QString page = ProcessTemplate(templateText, context, items);
    return {page, ui.messages};
}

Expansion expand(const QString &templateText)
{
    return expand(templateText, siteSettings(), fiveItems());
}

// The newest item alone through a loop.
QString newestOnly(const QString &body)
{
    return u"{item_loop_start count=\"1\"}"_s + body + u"{item_loop_end}"_s;
}

} // namespace

class TestTemplate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void expansions_data()
    {
        Columns<QString, QString>("templateText", "expected");
        // Every variable of the page and of the newest item, "|" between them.
        QTest::newRow("page variables")
            << u"{common_root}|{channel_title}|{channel_desc}|{channel_date}|"
               u"{channel_date format=\"yyyy年m月d日 h時\"}|[{image_url}]|{image_title}"_s
            << u"http://example.jp/|お知らせ|サイトの更新情報|2026-12-06 09:05:07|"
               u"2026年12月6日 9時|[http://example.jp/logo.png]|ロゴ"_s;
        QTest::newRow("item variables")
            << newestOnly(u"{item_title}|[{item_link}]|{item_desc}|{item_content}|"
                          u"{item_subject}|{item_creator}|{item_date}|{item_guid}|"
                          u"{if_month_change}|{if_year_change}"_s)
            << u"A5|[http://example.jp/a5]|第一の記事 ...|<p>第一の記事です。</p>|日記|太郎|"
               u"2005-02-03 08:00:00|bk20050203080000|2|2005"_s;
        QTest::newRow("media variables")
            << newestOnly(u"<a href=\"{item_enclosure_url}\" type=\"{item_enclosure_type}\">"
                          u"{item_enclosure_length format=\"%s バイト\"}</a> {item_duration}"_s)
            << u"<a href=\"http://example.jp/a5.mp3\" type=\"audio/mpeg\">123456 バイト</a> 12:34"_s;
        AddTextRows({
            {"common_generator", "{common_generator}", "Brisklet (https://brisklet.example/)"},
            {"item outside a loop is empty", "[{item_title}][{item_date}]", "[][]"},
            {"no braces", "<p>plain & simple</p>", "<p>plain & simple</p>"},
            {"empty template", "", ""},
            {"unknown variable stays", "{item_name}", "{item_name}"},
            {"head is a prefix", "{channel_titles}", "お知らせ"},
            {"stray braces", "}{{channel_title}}{", "}{お知らせ}{"},
            {"case matters", "{Channel_Title}", "{Channel_Title}"},
            {"repeated", "{channel_title}/{channel_title}", "お知らせ/お知らせ"},
            {"heading", "{channel_title format=\"<h1>%s</h1>\"}", "<h1>お知らせ</h1>"},
            {"empty value gives no heading", "[{channel_creator format=\"<h1>%s</h1>\"}]", "[]"},
            {"name in any case", "{channel_title FORMAT=\"[%s]\"}", "[お知らせ]"},
            {"later attribute", "{channel_title class=\"x\" format=\"[%s]\"}", "[お知らせ]"},
            {"first format wins", "{channel_title format=\"<%s>\" format=\"[%s]\"}", "<お知らせ>"},
            {"value not escaped", "{image_title format=\"<a title='%s'>\"}", "<a title='ロゴ'>"},
            {"all, newest first", "{item_loop_start}{item_title},{item_loop_end}",
             "A5,A4,A3,A2,A1,"},
            {"count 3", "{item_loop_start count=\"3\"}{item_title},{item_loop_end}", "A5,A4,A3,"},
            {"count 10", "{item_loop_start count=\"10\"}{item_title},{item_loop_end}",
             "A5,A4,A3,A2,A1,"},
            {"count x", "{item_loop_start count=\"x\"}{item_title},{item_loop_end}", ""},
            {"count 0", "{item_loop_start count=\"0\"}{item_title}{item_loop_end}", ""},
            {"count in capitals, spaced",
             "{item_loop_start COUNT = \" 2 \"}{item_title}{item_loop_end}", "A5A4"},
            {"count not first",
             "{item_loop_start class=\"x\" count=\"1\"}{item_title}{item_loop_end}", "A5A4A3A2A1"},
            {"head, body and tail",
             "<ul>{channel_title}{item_loop_start count=\"2\"}<li>{item_title}</li>"
             "{item_loop_end}</ul>{channel_desc}",
             "<ul>お知らせ<li>A5</li><li>A4</li></ul>サイトの更新情報"},
            {"two loops",
             "{item_loop_start count=\"2\"}{item_title}{item_loop_end}|"
             "{item_loop_start count=\"1\"}{item_title}{item_loop_end}|",
             "A5A4|A5|"},
            {"no nesting",
             "{item_loop_start count=\"1\"}[{item_loop_start}{item_title}]{item_loop_end}]",
             "[{item_loop_start}A5]]"},
            {"loop end alone", "a{item_loop_end}b", "a{item_loop_end}b"},
            {"empty body", "{item_loop_start}{item_loop_end}x", "x"},
            {"change markers start afresh in each loop",
             "{item_loop_start}{if_year_change}{if_month_change},{item_loop_end}|"
             "{item_loop_start count=\"2\"}{if_year_change}{if_month_change},{item_loop_end}|"
             "{if_year_change}",
             "20052,,1,,200412,|20052,,|"},
        });
    }
    void expansions()
    {
        const auto [templateText, expected] = Fetch<QString, QString>("templateText", "expected");
        const Expansion result = expand(templateText);
        QCOMPARE(result.page, expected);
        QCOMPARE(result.messages, QStringList());
    }

    // The settings as "src|root|filename|htmlext|ver|html|link|logolink"; the
    // addresses as "common_target|common_html|channel_feed|channel_link|image_link".
    void addressFallbacks_data()
    {
        Columns<QString, QString>("settings", "expected");
        AddTextRows({
            {"root only", "|http://ex.jp|news|0|1|1||",
             "http://ex.jp|http://ex.jp/news.html|http://ex.jp/news.xml|http://ex.jp/news.html|"
             "http://ex.jp"},
            {"rss address first, page off",
             " http://cdn.jp/rss/ |http://ex.jp/|news|1|0|0||"
             "http://ex.jp/about",
             "http://cdn.jp/rss/|http://cdn.jp/rss/news.htm|http://cdn.jp/rss/news.rdf|"
             "http://cdn.jp/rss/|http://ex.jp/about"},
            {"channel link given", "|http://ex.jp/|news|0|1|1| http://ex.jp/top |",
             "http://ex.jp/|http://ex.jp/news.html|http://ex.jp/news.xml|http://ex.jp/top|"
             "http://ex.jp/"},
            {"file name in capitals is published lower-case", "|http://ex.jp/|News|0|0|1||",
             "http://ex.jp/|http://ex.jp/news.html|http://ex.jp/news.rdf|http://ex.jp/news.html|"
             "http://ex.jp/"},
            {"no addresses", "|　|index|0|1|1||", "|index.html|index.xml|index.html|"},
        });
    }
    void addressFallbacks()
    {
        QFETCH(QString, settings);
        const QStringList field = settings.split(u'|');
        ChannelSettings s;
        s.src = field[0];
        s.root = field[1];
        s.filename = field[2];
        s.htmlext = PageExtension(field[3].toInt());
        s.ver = RssVersion(field[4].toInt());
        s.html = field[5] == u"1"_s;
        s.link = field[6];
        s.logolink = field[7];
        // A feed without items: the loop gives nothing, the text goes on.
        QTEST(expand(u"{common_target}|{common_html}|{channel_feed}{item_loop_start}{item_title}"
                     u"{item_loop_end}|{channel_link}|{image_link}"_s,
                     s, {})
                  .page,
              "expected");
    }

    // One item through a loop body: its date, its values inserted as they
    // are, and heads that a replacement joins from the text around it.
    void oneItem_data()
    {
        Columns<QString, QString, QString, QString, QString>("body", "title", "date", "link",
                                                             "expected");
        const char *const ymd = "{item_date format=\"yyyy年mm月dd日\"}";
        AddTextRows({
            {"japanese date", ymd, "", "2005-01-02 09:05:00", "", "2005年01月02日"},
            {"empty date", "[{item_date format=\"yyyy\"}]", "", "", "", "[]"},
            {"separators not looked at", "{item_date format=\"yy.m.d h:n:s\"}", "",
             "2005/01/02T09:05:00", "", "05.1.2 9:5:0"},
            {"not a date gives raw text", "{item_date format=\"<b>%s</b>\"}", "", "いつか", "",
             "いつか"},
            {"raw text trimmed", "[{item_date}]", "", " 2005-01-02 ", "", "[2005-01-02]"},
            {"anchor format", "{item_guid format=\"#%s\"}", "", "2005-01-02", "", "#bk20050102"},
            {"own head not expanded again", "{item_title}", "x{item_title}y", "2005-01-02", "",
             "x{item_title}y"},
            {"later head expanded", "{item_title}", "x{item_guid}", "2005-01-02", "",
             "xbk20050102"},
            {"earlier head stays", "{item_title}", "{channel_title}", "", "", "{channel_title}"},
            {"markup not escaped", "{item_title}", "<b>&amp;</b>", "", "", "<b>&amp;</b>"},
            {"broken head in a value", "{item_title}", "{common_generator", "", "",
             "{common_generator"},
            {"value completes a head", "{item_{item_link}", "", "2005-01-02", "guid}",
             "bk20050102"},
            {"empty value joins the text", "{item_{item_link}guid}", "", "2005-01-02", "",
             "bk20050102"},
            {"value starts a head", "{item_link}_guid}", "", "2005-01-02", "{item", "bk20050102"},
            {"earlier head is not formed", "{item_{item_link}", "", "", "title}", "{item_title}"},
            {"brace too far away", "{ 0123456789abcdef{item_link}", "", "", "x",
             "{ 0123456789abcdefx"},
            {"head in a value after other values", "[{item_title}|{item_link}]", "", "2005-01-02",
             "{item_guid}", "[|bk20050102]"},
            {"brace in a value ends attributes", "{item_link format=\"[%s]{item_title}\"}", "a}b",
             "", "L", "Lb\"}"},
            {"brace of a later head ends attributes", "{item_title format=\"<{item_link}>\"}", "T",
             "", "L", "T>\"}"},
        });
    }
    void oneItem()
    {
        const auto [body, title, date, link] =
            Fetch<QString, QString, QString, QString>("body", "title", "date", "link");
        const FeedItem entry{title, date, link, {}, {}, {}};
        QTEST(expand(newestOnly(body), siteSettings(), {entry}).page, "expected");
    }

    void datePatterns_data()
    {
        Columns<QString, QString>("pattern", "expected");
        AddTextRows({
            {"default", "yyyy-mm-dd hh:nn:ss", "2005-01-02 09:05:00"},
            {"short forms", "yy/m/d h:n:s", "05/1/2 9:5:0"},
            {"three y", "yyy", "2005"},
            {"double quotes", "yyyy\"年mm\"", "2005年mm"},
            {"single quotes", "'dd:'dd", "dd:02"},
            {"unclosed quote", "yyyy 'hh", "2005 hh"},
            {"other characters", "[yyyy] %s #", "[2005] %0 #"},
            {"upper case is text", "YYYY-MM-DD", "YYYY-MM-DD"},
            {"month names", "mmm/mmmm", "1月/1月"},
            {"day names", "ddd/dddd", "日/日曜日"},
            {"long runs", "hhh", "099"},
            {"empty", "", ""},
        });
    }
    void datePatterns()
    {
        const auto [pattern, expected] = Fetch<QString, QString>("pattern", "expected");
        QCOMPARE(FormatDatePattern(pattern, QDate(2005, 1, 2), QTime(9, 5, 0)), expected);
    }

    void readItemDate_data()
    {
        Columns<QString, QDateTime>("text", "expected");
        const QDateTime none;
        QTest::newRow("full") << u"2005-01-02 03:04:05"_s
                              << QDateTime(QDate(2005, 1, 2), QTime(3, 4, 5));
        QTest::newRow("hour 24") << u"2005-01-02 24:00:00"_s << none;
        QTest::newRow("february 29th 2004")
            << u"2004-02-29"_s << QDateTime(QDate(2004, 2, 29), QTime(0, 0));
        QTest::newRow("no month") << u"2005"_s << none;
        QTest::newRow("year zero") << u"0000-01-01"_s << none;
    }
    void readItemDate()
    {
        const auto [text, expected] = Fetch<QString, QDateTime>("text", "expected");
        const std::optional<DateAndTime> read = ReadItemDate(text);
        QCOMPARE(read.has_value(), expected.isValid());
        if (read)
            QCOMPARE(QDateTime(read->date, read->time), expected);
    }

    // Dates are listed oldest first, "|" between them; the loop runs newest
    // first.
    void changeMarkers_data()
    {
        Columns<QString, QString>("dates", "expected");
        AddTextRows({
            {"months and years",
             "2004-12-30 10:00:00|2005-01-02 09:05:00|2005-01-15 12:00:00|2005-02-01 00:00:00|"
             "2005-02-03 08:00:00",
             "<h2>2005</h2><h3>2</h3>..<h3>1</h3>..<h2>2004</h2><h3>12</h3>."},
            {"undated item changes nothing", "2005-01-01||2005-01-09",
             "<h2>2005</h2><h3>1</h3>..."},
            {"same month, new year", "2004-03-01|2005-03-01",
             "<h2>2005</h2><h3>3</h3>.<h2>2004</h2><h3>3</h3>."},
            {"no year, month alone", "xxxx-04-01|xxxx-04-02|xxxx-05-01", "<h3>5</h3>.<h3>4</h3>.."},
            {"year without month", "2005", "<h2>2005</h2><h3>0</h3>."},
            {"leading zeros dropped", "0099-07-01", "<h2>99</h2><h3>7</h3>."},
        });
    }
    void changeMarkers()
    {
        QFETCH(QString, dates);
        QList<FeedItem> items;
        for (const QString &date : dates.split(u'|'))
            items << item(QString(), date);
        QTEST(expand(u"{item_loop_start}{if_year_change format=\"<h2>%s</h2>\"}"
                     u"{if_month_change format=\"<h3>%s</h3>\"}.{item_loop_end}"_s,
                     siteSettings(), items)
                  .page,
              "expected");
    }

    // messages: the texts shown, "|" between them.
    void errors_data()
    {
        Columns<QString, QString, QString>("templateText", "expected", "messages");
        const char *const noEnd = "{item_loop_end}変数が見つかりません。";
        AddTextRows({
            {"variable without brace", "a {channel_title b", "a {channel_title b",
             "{channel_title}変数が不正です。"},
            {"earlier variables done, later ones stay", "{common_root}{channel_title}{channel_desc",
             "http://example.jp/お知らせ{channel_desc", "{channel_desc}変数が不正です。"},
            {"first head stops all", "{channel_title}{common_root", "{channel_title}{common_root",
             "{common_root}変数が不正です。"},
            {"once per item", "{item_loop_start count=\"2\"}{item_title{item_loop_end}",
             "{item_title{item_title", "{item_title}変数が不正です。|{item_title}変数が不正です。"},
            {"loop start without brace",
             "<h1>{channel_title}</h1>{item_loop_start count=\"2\" {channel_desc",
             "<h1>お知らせ</h1> count=\"2\" {channel_desc",
             "{channel_desc}変数が不正です。|{item_loop_start}変数が不正です。"},
            {"loop start brace is not closing variables",
             "{item_loop_start count=\"1\" {channel_title}x", "x", noEnd},
            {"no loop end", "a{item_loop_start}[{item_title}{channel_title}]", "a[お知らせ]",
             noEnd},
            {"loop end misspelt", "{item_loop_start}{item_title}{item_loop_end }",
             "{item_loop_end }", noEnd},
            {"error in a second loop",
             "{item_loop_start count=\"1\"}{item_title}{item_loop_end}-{item_loop_start}", "A5-",
             noEnd},
            {"lone brace", "{", "{", ""},
        });
    }
    void errors()
    {
        QFETCH(QString, templateText);
        const Expansion result = expand(templateText);
        QTEST(result.page, "expected");
        QTEST(result.messages.join(u'|'), "messages");
    }

    // The first attribute of a text; reading the whole text at once gives
    // what ParseAttribute gives on each rest in turn.
    void parseAttribute_data()
    {
        Columns<QString, QString, QString, QString>("text", "name", "value", "rest");
        AddTextRows({
            {"spaced, then another", " count = \" 3 \"  format=\"x\" ", "count", "3",
             "format=\"x\""},
            {"no equals", "novalue \"x\"", "", "", ""},
            {"no quotes", "a=b", "", "", ""},
            {"one quote", "a=\"b", "", "", ""},
            {"equals in the value", "a=\"b=c\"", "a", "b=c", ""},
            {"no further equals", "a=\"b\" c", "a", "b", ""},
            {"quotes before the equals", "\"x\" b=\"c\"", "\"x\" b", "x", "b=\"c\""},
            {"empty value", "format=\"\"", "format", "", ""},
            {"empty", "", "", "", ""},
            {"ideographic space kept", "a=\"　x　\"", "a", "　x　", ""},
            {"several", " a=\"1\" b = \"2\"c=\"3\"", "a", "1", "b = \"2\"c=\"3\""},
            {"equals in values", "a=\"x=y\" b=\"=\" =\"\" c=\"z\"", "a", "x=y",
             "b=\"=\" =\"\" c=\"z\""},
            {"blanks before equals", "a     =\"1\"  \"2\"   =\"3\"", "a", "1", "\"2\"   =\"3\""},
            {"trailing junk", "a=\"1\" b=\"2", "a", "1", "b=\"2"},
        });
    }
    void parseAttribute()
    {
        const auto [text, name, value, rest] =
            Fetch<QString, QString, QString, QString>("text", "name", "value", "rest");
        const TemplateAttribute attribute = ParseAttribute(text);
        QCOMPARE(attribute.name, name);
        QCOMPARE(attribute.value, value);
        QCOMPARE(attribute.rest, rest);

        AttributeReader reader(text);
        for (QString left = text; !left.trimmed().isEmpty();) {
            const TemplateAttribute expected = ParseAttribute(left);
            QVERIFY(!reader.atEnd());
            const AttributeReader::Attribute read = reader.next();
            QCOMPARE(read.name.toString(), expected.name);
            QCOMPARE(read.value.toString(), expected.value);
            QCOMPARE(reader.rest().toString(), expected.rest);
            left = expected.rest;
        }
        QVERIFY(reader.atEnd());
    }

    void stringFormat_data()
    {
        Columns<QString, QString>("format", "expected");
        AddTextRows({
            {"plain", "<b>%s</b>", "<b>V</b>"},
            {"twice", "%s%s", "VV"},
            {"double percent", "%%%s%%", "%V%"},
            {"conversions stay", "%d%i%u%f%c%p%n%x", "%d%i%u%f%c%p%n%x"},
            {"widths stay", "%10s|%-5s|%.3s", "%10s|%-5s|%.3s"},
            {"trailing percent", "50%", "50%"},
            {"empty", "", ""},
        });
    }
    void stringFormat()
    {
        const auto [format, expected] = Fetch<QString, QString>("format", "expected");
        QCOMPARE(ApplyStringFormat(format, u"V"_s), expected);
        // The value is inserted, never read as a format itself.
        QCOMPARE(ApplyStringFormat(u"%s"_s, u"%s%n%%"_s), u"%s%n%%"_s);
    }

    // The list a user picks variables from names only what the engine knows.
    void variableList()
    {
        const QStringList lines = HtmlVariableListLines();
        QCOMPARE(lines.join(u'\n') + u'\n', QString::fromUtf8(testfiles::readAll(
                                                testfiles::dataPath(u"template/variables.txt"_s))));
        QStringList known{u"{item_loop_start"_s, u"{item_loop_end"_s};
        for (const TemplateVariable &variable : TemplateVariables())
            known << variable.head.toString();
        for (const QString &line : lines)
            QVERIFY2(known.contains(line.section(u'\t', 1, 1).chopped(1)), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestTemplate)
#include "tst_template.moc"
