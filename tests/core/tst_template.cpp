#include "html/datepattern.h"
#include "html/stringformat.h"
#include "html/templateattribute.h"
#include "html/templateengine.h"
#include "html/templatevariables.h"
#include "html/variablelist.h"
#include "scripteduserinterface.h"
#include "textrows.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime pageTime(QDate(2026, 12, 6), QTime(9, 5, 7));

ChannelSettings siteSettings()
{
    ChannelSettings s;
    s.filename = QStringLiteral("news");
    s.root = QStringLiteral("http://example.jp/");
    s.title = QStringLiteral("お知らせ");
    s.description = QStringLiteral("サイトの更新情報");
    s.logosrc = QStringLiteral(" http://example.jp/logo.png ");
    s.logotitle = QStringLiteral("ロゴ");
    s.descstrmax = 5;
    s.html = true;
    return s;
}

FeedItem item(const QString &title, const QString &date)
{
    FeedItem i;
    i.title = title;
    i.date = date;
    return i;
}

// Oldest first, as the grid holds them.
QList<FeedItem> fiveItems()
{
    QList<FeedItem> items{item(QStringLiteral("A1"), QStringLiteral("2004-12-30 10:00:00")),
                          item(QStringLiteral("A2"), QStringLiteral("2005-01-02 09:05:00")),
                          item(QStringLiteral("A3"), QStringLiteral("2005-01-15 12:00:00")),
                          item(QStringLiteral("A4"), QStringLiteral("2005-02-01 00:00:00")),
                          item(QStringLiteral("A5"), QStringLiteral("2005-02-03 08:00:00"))};
    FeedItem &newest = items.last();
    newest.url = QStringLiteral(" http://example.jp/a5 ");
    newest.desc = QStringLiteral("<p>第一の記事です。</p>");
    newest.subject = QStringLiteral("日記");
    newest.creator = QStringLiteral("太郎");
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
    return QStringLiteral("{item_loop_start count=\"1\"}") + body +
           QStringLiteral("{item_loop_end}");
}

} // namespace

class TestTemplate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void variables_data()
    {
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<QString>("expected");
        AddTextRows({
            {"common_root", "{common_root}", "http://example.jp/"},
            {"channel_title", "{channel_title}", "お知らせ"},
            {"channel_desc", "{channel_desc}", "サイトの更新情報"},
            {"channel_date", "{channel_date}", "2026-12-06 09:05:07"},
            {"channel_date format", "{channel_date format=\"yyyy年m月d日 h時\"}",
             "2026年12月6日 9時"},
            {"image_url trimmed", "[{image_url}]", "[http://example.jp/logo.png]"},
            {"image_title", "{image_title}", "ロゴ"},
        });
        QTest::newRow("item_title") << newestOnly(u"{item_title}"_s) << u"A5"_s;
        QTest::newRow("item_link trimmed")
            << newestOnly(u"[{item_link}]"_s) << u"[http://example.jp/a5]"_s;
        QTest::newRow("item_desc shaped") << newestOnly(u"{item_desc}"_s) << u"第一の記事 ..."_s;
        QTest::newRow("item_content as typed")
            << newestOnly(u"{item_content}"_s) << u"<p>第一の記事です。</p>"_s;
        QTest::newRow("item_subject") << newestOnly(u"{item_subject}"_s) << u"日記"_s;
        QTest::newRow("item_creator") << newestOnly(u"{item_creator}"_s) << u"太郎"_s;
        QTest::newRow("item_date as typed")
            << newestOnly(u"{item_date}"_s) << u"2005-02-03 08:00:00"_s;
        QTest::newRow("item_guid") << newestOnly(u"{item_guid}"_s) << u"bk20050203080000"_s;
        QTest::newRow("if_month_change") << newestOnly(u"{if_month_change}"_s) << u"2"_s;
        QTest::newRow("if_year_change") << newestOnly(u"{if_year_change}"_s) << u"2005"_s;
        AddTextRows({
            {"common_generator", "{common_generator}", "Brisklet (https://brisklet.example/)"},
            {"item outside a loop is empty", "[{item_title}][{item_date}]", "[][]"},
            {"guid outside a loop", "{item_guid}", "bk"},
            {"no braces", "<p>plain & simple</p>", "<p>plain & simple</p>"},
            {"empty template", "", ""},
            {"unknown variable stays", "{item_name}", "{item_name}"},
            {"head is a prefix", "{channel_titles}", "お知らせ"},
            {"stray braces", "}{{channel_title}}{", "}{お知らせ}{"},
            {"case matters", "{Channel_Title}", "{Channel_Title}"},
            {"repeated", "{channel_title}/{channel_title}", "お知らせ/お知らせ"},
        });
    }
    void variables()
    {
        QFETCH(QString, templateText);
        QFETCH(QString, expected);
        const Expansion result = expand(templateText);
        QCOMPARE(result.page, expected);
        QCOMPARE(result.messages, QStringList());
    }

    void addressFallbacks_data()
    {
        QTest::addColumn<QString>("src");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<int>("htmlext");
        QTest::addColumn<int>("ver");
        QTest::addColumn<bool>("html");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("logolink");
        QTest::addColumn<QString>("expected");
        QTest::newRow("root only")
            << u""_s << u"http://ex.jp"_s << u"news"_s << 0 << 1 << true << u""_s << u""_s
            << u"http://ex.jp|http://ex.jp/news.html|http://ex.jp/news.xml|"
               "http://ex.jp/news.html|http://ex.jp"_s;
        QTest::newRow("rss address first, page off")
            << u" http://cdn.jp/rss/ "_s << u"http://ex.jp/"_s << u"news"_s << 1 << 0 << false
            << u""_s << u"http://ex.jp/about"_s
            << u"http://cdn.jp/rss/|http://cdn.jp/rss/news.htm|http://cdn.jp/rss/news.rdf|"
               "http://cdn.jp/rss/|http://ex.jp/about"_s;
        QTest::newRow("channel link given")
            << u""_s << u"http://ex.jp/"_s << u"news"_s << 0 << 1 << true << u" http://ex.jp/top "_s
            << u""_s
            << u"http://ex.jp/|http://ex.jp/news.html|http://ex.jp/news.xml|"
               "http://ex.jp/top|http://ex.jp/"_s;
        QTest::newRow("file name in capitals is published lower-case")
            << u""_s << u"http://ex.jp/"_s << u"News"_s << 0 << 0 << true << u""_s << u""_s
            << u"http://ex.jp/|http://ex.jp/news.html|http://ex.jp/news.rdf|"
               "http://ex.jp/news.html|http://ex.jp/"_s;
        QTest::newRow("no addresses") << u""_s << u"　"_s << u"index"_s << 0 << 1 << true << u""_s
                                      << u""_s << u"|index.html|index.xml|index.html|"_s;
    }
    void addressFallbacks()
    {
        QFETCH(QString, src);
        QFETCH(QString, root);
        QFETCH(QString, filename);
        QFETCH(int, htmlext);
        QFETCH(int, ver);
        QFETCH(bool, html);
        QFETCH(QString, link);
        QFETCH(QString, logolink);
        QFETCH(QString, expected);
        ChannelSettings s;
        s.src = src;
        s.root = root;
        s.filename = filename;
        s.htmlext = htmlext;
        s.ver = ver;
        s.html = html;
        s.link = link;
        s.logolink = logolink;
        QCOMPARE(expand(QStringLiteral("{common_target}|{common_html}|{channel_feed}|"
                                       "{channel_link}|{image_link}"),
                        s, {})
                     .page,
                 expected);
    }

    void formats_data()
    {
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<QString>("expected");
        AddTextRows({
            {"heading", "{channel_title format=\"<h1>%s</h1>\"}", "<h1>お知らせ</h1>"},
            {"empty value gives no heading", "[{channel_creator format=\"<h1>%s</h1>\"}]", "[]"},
            {"name in any case", "{channel_title FORMAT=\"[%s]\"}", "[お知らせ]"},
            {"later attribute", "{channel_title class=\"x\" format=\"[%s]\"}", "[お知らせ]"},
            {"first format wins", "{channel_title format=\"<%s>\" format=\"[%s]\"}", "<お知らせ>"},
            {"no %s gives the format", "{channel_title format=\"title\"}", "title"},
            {"value not escaped", "{image_title format=\"<a title='%s'>\"}", "<a title='ロゴ'>"},
        });
    }
    void formats()
    {
        QFETCH(QString, templateText);
        QFETCH(QString, expected);
        QCOMPARE(expand(templateText).page, expected);
    }

    void itemDates_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("expected");
        AddTextRows({
            {"japanese", "2005-01-02 09:05:00", "{item_date format=\"yyyy年mm月dd日\"}",
             "2005年01月02日"},
            {"empty date", "", "[{item_date format=\"yyyy年mm月dd日\"}]", "[]"},
            {"date only is midnight", "2005-01-02", "{item_date format=\"yyyy/mm/dd hh:nn:ss\"}",
             "2005/01/02 00:00:00"},
            {"separators not looked at", "2005/01/02T09:05:00",
             "{item_date format=\"yy.m.d h:n:s\"}", "05.1.2 9:5:0"},
            {"no such day gives raw text", "2005-02-30 00:00:00", "{item_date format=\"yyyy年\"}",
             "2005-02-30 00:00:00"},
            {"not a date gives raw text", "いつか", "{item_date format=\"<b>%s</b>\"}", "いつか"},
            {"year zero gives raw text", "0000-01-01", "{item_date format=\"yyyy\"}", "0000-01-01"},
            {"raw text trimmed", " 2005-01-02 ", "[{item_date}]", "[2005-01-02]"},
            {"anchor", "2005-01-02 03:04:05", "{item_guid}", "bk20050102030405"},
            {"anchor format", "2005-01-02", "{item_guid format=\"#%s\"}", "#bk20050102"},
        });
    }
    void itemDates()
    {
        QFETCH(QString, date);
        QFETCH(QString, variable);
        QFETCH(QString, expected);
        QCOMPARE(
            expand(newestOnly(variable), siteSettings(), {item(QStringLiteral("x"), date)}).page,
            expected);
    }

    void datePatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
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
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        QCOMPARE(FormatDatePattern(pattern, QDate(2005, 1, 2), QTime(9, 5, 0)), expected);
    }

    void readItemDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime none;
        QTest::newRow("full") << u"2005-01-02 03:04:05"_s
                              << QDateTime(QDate(2005, 1, 2), QTime(3, 4, 5));
        QTest::newRow("hour 24") << u"2005-01-02 24:00:00"_s << none;
        QTest::newRow("february 29th 2005") << u"2005-02-29"_s << none;
        QTest::newRow("february 29th 2004")
            << u"2004-02-29"_s << QDateTime(QDate(2004, 2, 29), QTime(0, 0));
        QTest::newRow("no month") << u"2005"_s << none;
        QTest::newRow("negative year") << u"-005-01-01"_s << none;
        QTest::newRow("empty") << u""_s << none;
    }
    void readItemDate()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const std::optional<DateAndTime> read = ReadItemDate(text);
        QCOMPARE(read.has_value(), expected.isValid());
        if (read)
            QCOMPARE(QDateTime(read->date, read->time), expected);
    }

    void loops_data()
    {
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<QString>("expected");
        AddTextRows({
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
        });
    }
    void loops()
    {
        QFETCH(QString, templateText);
        QFETCH(QString, expected);
        const Expansion result = expand(templateText);
        QCOMPARE(result.page, expected);
        QCOMPARE(result.messages, QStringList());
    }

    void loopWithoutItems()
    {
        QCOMPARE(expand(QStringLiteral("a{item_loop_start}{item_title}{item_loop_end}b"),
                        siteSettings(), {})
                     .page,
                 QStringLiteral("ab"));
    }

    void insertedValues_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("expected");
        AddTextRows({
            {"own head not expanded again", "x{item_title}y", "x{item_title}y"},
            {"later head expanded", "x{item_guid}", "xbk20050102"},
            {"earlier head stays", "{channel_title}", "{channel_title}"},
            {"markup not escaped", "<b>&amp;</b>", "<b>&amp;</b>"},
            {"broken head in a value", "{common_generator", "{common_generator"},
        });
    }
    void insertedValues()
    {
        QFETCH(QString, title);
        QFETCH(QString, expected);
        const Expansion result =
            expand(newestOnly(u"{item_title}"_s), siteSettings(), {item(title, u"2005-01-02"_s)});
        QCOMPARE(result.page, expected);
    }

    // A replacement can join text around it into the head of a later
    // variable, which is then replaced as well.
    void headsFormedByReplacing_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("expected");
        AddTextRows({
            {"value completes a head", "{item_{item_link}", "guid}", "bk20050102"},
            {"empty value joins the text", "{item_{item_link}guid}", "", "bk20050102"},
            {"value starts a head", "{item_link}_guid}", "{item", "bk20050102"},
            {"earlier head is not formed", "{item_{item_link}", "title}", "{item_title}"},
            {"brace too far away", "{ 0123456789abcdef{item_link}", "x", "{ 0123456789abcdefx"},
        });
    }
    void headsFormedByReplacing()
    {
        QFETCH(QString, body);
        QFETCH(QString, link);
        QFETCH(QString, expected);
        FeedItem entry = item(u"T"_s, u"2005-01-02"_s);
        entry.url = link;
        QCOMPARE(expand(newestOnly(body), siteSettings(), {entry}).page, expected);
    }

    void changeMarkers_data()
    {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QString>("expected");
        // Dates are listed oldest first; the loop runs newest first.
        QTest::newRow("months and years")
            << QStringList{u"2004-12-30 10:00:00"_s, u"2005-01-02 09:05:00"_s,
                           u"2005-01-15 12:00:00"_s, u"2005-02-01 00:00:00"_s,
                           u"2005-02-03 08:00:00"_s}
            << u"<h2>2005</h2><h3>2</h3>..<h3>1</h3>..<h2>2004</h2><h3>12</h3>."_s;
        QTest::newRow("undated item changes nothing")
            << QStringList{u"2005-01-01"_s, u""_s, u"2005-01-09"_s}
            << u"<h2>2005</h2><h3>1</h3>..."_s;
        QTest::newRow("same month, new year")
            << QStringList{u"2004-03-01"_s, u"2005-03-01"_s}
            << u"<h2>2005</h2><h3>3</h3>.<h2>2004</h2><h3>3</h3>."_s;
        QTest::newRow("no year, month alone")
            << QStringList{u"xxxx-04-01"_s, u"xxxx-04-02"_s, u"xxxx-05-01"_s}
            << u"<h3>5</h3>.<h3>4</h3>.."_s;
        QTest::newRow("year without month")
            << QStringList{u"2005"_s} << u"<h2>2005</h2><h3>0</h3>."_s;
        QTest::newRow("leading zeros dropped")
            << QStringList{u"0099-07-01"_s} << u"<h2>99</h2><h3>7</h3>."_s;
    }
    void changeMarkers()
    {
        QFETCH(QStringList, dates);
        QFETCH(QString, expected);
        QList<FeedItem> items;
        for (const QString &date : dates)
            items << item(QString(), date);
        const QString page =
            expand(QStringLiteral("{item_loop_start}{if_year_change format=\"<h2>%s</h2>\"}"
                                  "{if_month_change format=\"<h3>%s</h3>\"}.{item_loop_end}"),
                   siteSettings(), items)
                .page;
        QCOMPARE(page, expected);
    }

    void markersStartAfreshInEachLoop()
    {
        const QString page =
            expand(QStringLiteral("{item_loop_start}{if_year_change}{if_month_change},"
                                  "{item_loop_end}|{item_loop_start count=\"2\"}{if_year_change}"
                                  "{if_month_change},{item_loop_end}|{if_year_change}"))
                .page;
        QCOMPARE(page, QStringLiteral("20052,,1,,200412,|20052,,|"));
    }

    void errors_data()
    {
        QTest::addColumn<QString>("templateText");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("variable without brace")
            << u"a {channel_title b"_s << u"a {channel_title b"_s
            << QStringList{u"{channel_title}変数が不正です。"_s};
        QTest::newRow("earlier variables done, later ones stay")
            << u"{common_root}{channel_title}{channel_desc"_s
            << u"http://example.jp/お知らせ{channel_desc"_s
            << QStringList{u"{channel_desc}変数が不正です。"_s};
        QTest::newRow("first head stops all")
            << u"{channel_title}{common_root"_s << u"{channel_title}{common_root"_s
            << QStringList{u"{common_root}変数が不正です。"_s};
        QTest::newRow("once per item")
            << u"{item_loop_start count=\"2\"}{item_title{item_loop_end}"_s
            << u"{item_title{item_title"_s
            << QStringList{u"{item_title}変数が不正です。"_s, u"{item_title}変数が不正です。"_s};
        QTest::newRow("loop start without brace")
            << u"<h1>{channel_title}</h1>{item_loop_start count=\"2\" {channel_desc"_s
            << u"<h1>お知らせ</h1> count=\"2\" {channel_desc"_s
            << QStringList{u"{channel_desc}変数が不正です。"_s,
                           u"{item_loop_start}変数が不正です。"_s};
        QTest::newRow("loop start brace is not closing variables")
            << u"{item_loop_start count=\"1\" {channel_title}x"_s << u"x"_s
            << QStringList{u"{item_loop_end}変数が見つかりません。"_s};
        QTest::newRow("no loop end")
            << u"a{item_loop_start}[{item_title}{channel_title}]"_s << u"a[お知らせ]"_s
            << QStringList{u"{item_loop_end}変数が見つかりません。"_s};
        QTest::newRow("loop end misspelt")
            << u"{item_loop_start}{item_title}{item_loop_end }"_s << u"{item_loop_end }"_s
            << QStringList{u"{item_loop_end}変数が見つかりません。"_s};
        QTest::newRow("error in a second loop")
            << u"{item_loop_start count=\"1\"}{item_title}{item_loop_end}-{item_loop_start}"_s
            << u"A5-"_s << QStringList{u"{item_loop_end}変数が見つかりません。"_s};
        QTest::newRow("lone brace") << u"{"_s << u"{"_s << QStringList();
    }
    void errors()
    {
        QFETCH(QString, templateText);
        QFETCH(QString, expected);
        QFETCH(QStringList, messages);
        const Expansion result = expand(templateText);
        QCOMPARE(result.page, expected);
        QCOMPARE(result.messages, messages);
    }

    void parseAttribute_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("rest");
        AddTextRows({
            {"one", "count=\"3\"", "count", "3", ""},
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
        });
    }
    void parseAttribute()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, rest);
        const TemplateAttribute attribute = ParseAttribute(text);
        QCOMPARE(attribute.name, name);
        QCOMPARE(attribute.value, value);
        QCOMPARE(attribute.rest, rest);
    }

    // Reading a whole attribute text at once gives what ParseAttribute
    // gives on each rest in turn.
    void attributeReaderFollowsRests_data()
    {
        QTest::addColumn<QString>("text");
        AddTextRows({
            {"several", " a=\"1\" b = \"2\"c=\"3\""},
            {"equals far away", "\"1\" \"2\" \"3\" \"4\"   ="},
            {"equals in values", "a=\"x=y\" b=\"=\" =\"\" c=\"z\""},
            {"blanks before equals", "a     =\"1\"  \"2\"   =\"3\""},
            {"trailing junk", "a=\"1\" b=\"2"},
        });
    }
    void attributeReaderFollowsRests()
    {
        QFETCH(QString, text);
        AttributeReader reader(text);
        QString rest = text;
        while (!rest.trimmed().isEmpty()) {
            const TemplateAttribute expected = ParseAttribute(rest);
            QVERIFY(!reader.atEnd());
            const AttributeReader::Attribute read = reader.next();
            QCOMPARE(read.name.toString(), expected.name);
            QCOMPARE(read.value.toString(), expected.value);
            QCOMPARE(reader.rest().toString(), expected.rest);
            rest = expected.rest;
        }
        QVERIFY(reader.atEnd());
    }

    void stringFormat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
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
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(ApplyStringFormat(format, QStringLiteral("V")), expected);
        // The value is inserted, never read as a format itself.
        QCOMPARE(ApplyStringFormat(QStringLiteral("%s"), QStringLiteral("%s%n%%")),
                 QStringLiteral("%s%n%%"));
    }

    void variableList()
    {
        const QStringList lines = HtmlVariableListLines();
        QCOMPARE(lines.size(), 23);
        QStringList known{QStringLiteral("{item_loop_start"), QStringLiteral("{item_loop_end")};
        for (const TemplateVariable &variable : TemplateVariables())
            known << variable.head.toString();
        for (const QString &line : lines) {
            const QStringList fields = line.split(u'\t');
            QCOMPARE(fields.size(), 3);
            QVERIFY2(fields.at(1).endsWith(u'}'), qPrintable(line));
            QVERIFY2(known.contains(fields.at(1).chopped(1)), qPrintable(line));
        }
        QCOMPARE(lines.first(),
                 QStringLiteral("ルートアドレス\t{common_root}\tformat=\"%s\" が使えます。"));
        QCOMPARE(lines.at(8), QStringLiteral("チャンネルの日付\t{channel_date}\t"
                                             "format=\"yyyy-mm-dd hh:nn:ss\" が使えます。"));
        QCOMPARE(lines.at(20), QStringLiteral("アイテムの開始\t{item_loop_start}\tcount=\"50\" "
                                              "例:最新から50件などが指定できます。 省略時は全て"));
        QCOMPARE(lines.at(21), QStringLiteral("アイテムの終了\t{item_loop_end}\t"));
        QCOMPARE(lines.last(), QStringLiteral("年度の変わり目\t{if_year_change}\t"
                                              "format=\"%s\" が使えます。西暦の年度が入ります。"));
    }

    // Templates assembled from the language's own pieces, braces, quotes and
    // percent signs: nothing may crash, and every message is one of the three.
    void randomTemplatesAreSafe()
    {
        const QStringList pieces{u"{"_s,
                                 u"}"_s,
                                 u"\""_s,
                                 u"="_s,
                                 u"%"_s,
                                 u"%s"_s,
                                 u"%n"_s,
                                 u"format="_s,
                                 u"count="_s,
                                 u" "_s,
                                 u"{item_title"_s,
                                 u"{item_date"_s,
                                 u"{channel_date"_s,
                                 u"{item_loop_start"_s,
                                 u"{item_loop_end}"_s,
                                 u"{if_year_change"_s,
                                 u"yyyy"_s,
                                 u"日本"_s,
                                 u"'"_s,
                                 u"{common_generator"_s};
        QRandomGenerator random(20261206);
        for (int round = 0; round < 2000; ++round) {
            QString templateText;
            const int length = random.bounded(1, 40);
            for (int i = 0; i < length; ++i)
                templateText += pieces.at(random.bounded(qsizetype(pieces.size())));
            const Expansion result = expand(templateText);
            for (const QString &message : result.messages)
                QVERIFY2(message.endsWith(QStringLiteral("変数が不正です。")) ||
                             message == QStringLiteral("{item_loop_end}変数が見つかりません。"),
                         qPrintable(templateText));
            if (!templateText.contains(u'{'))
                QCOMPARE(result.page, templateText);
        }
    }
};

QTEST_GUILESS_MAIN(TestTemplate)
#include "tst_template.moc"
