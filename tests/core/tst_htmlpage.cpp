#include "core/html/htmlpage.h"
#include "core/html/templatefiledialogs.h"
#include "core/text/charsets.h"
#include "datarows.h"
#include "filechoice.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Settings = std::optional<HtmlTemplateSettings>;
using testfiles::u8;

namespace {

const Clock pageClock = Clock::fixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

QString FromCodePoint(char32_t codePoint)
{
    return QString::fromUcs4(&codePoint, 1);
}

// Every lead/trail pair of the lead bytes that ICU's code page 932 decodes,
// one character to a line.
QList<QByteArray> ValidPairs(int firstLead, int lastLead)
{
    QList<QByteArray> pairs;
    for (int lead = firstLead; lead <= lastLead; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray pair = QByteArray(1, char(lead)) + char(trail);
            bool valid = true;
            DecodeShiftJis(pair, &valid);
            if (trail != 0x7F && valid)
                pairs.append(pair);
        }
    }
    return pairs;
}

QByteArray IconvToEucJpMs(const QByteArray &input)
{
    QProcess iconv;
    iconv.start(QStandardPaths::findExecutable(u"iconv"_s),
                {u"-f"_s, u"CP932"_s, u"-t"_s, u"EUC-JP-MS"_s});
    if (!iconv.waitForStarted())
        return QByteArray();
    iconv.write(input);
    iconv.closeWriteChannel();
    iconv.waitForFinished();
    if (iconv.exitStatus() != QProcess::NormalExit || iconv.exitCode() != 0)
        return "iconv failed: " + iconv.readAllStandardError();
    return iconv.readAllStandardOutput();
}

} // namespace

class TestHtmlPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Template errors reach the user, and the page holds what was expanded.
    void generatePage_data()
    {
        Columns<QString, QString, QStringList>("script", "page", "messages");
        QTest::newRow("items newest first")
            << u"<h1>{channel_title}</h1>{item_loop_start}<p id=\"{item_guid}\">{item_title}"
               u" {item_date format=\"m/d\"}</p>{item_loop_end}{channel_date}"_s
            << u"<h1>お知らせ</h1><p id=\"bk20050203100000\">二つ目 2/3</p>"
               u"<p id=\"bk20050102090500\">一つ目 1/2</p>2026-12-06 09:05:07"_s
            << QStringList();
        QTest::newRow("template error") << u"<p>{channel_title"_s << u"<p>{channel_title"_s
                                        << QStringList{u"{channel_title}変数が不正です。"_s};
    }
    void generatePage()
    {
        QFETCH(QString, script);
        FeedData feed;
        feed.settings.filename = u"news"_s;
        feed.settings.root = u"http://example.jp/"_s;
        feed.settings.title = u"お知らせ"_s;
        feed.settings.html = true;
        feed.settings.htmlscript = script;
        feed.items = {{u"一つ目"_s, u"2005-01-02 09:05:00"_s, {}, {}, {}, {}},
                      {u"二つ目"_s, u"2005-02-03 10:00:00"_s, {}, {}, {}, {}}};
        ScriptedUserInterface ui;
        QTEST(GenerateHtmlPage(feed, pageClock, ui), "page");
        QTEST(ui.messages, "messages");
    }

    // The page in the character set it names; the choice and the encoding
    // themselves have rows of their own below.
    void pageBytes()
    {
        QCOMPARE(HtmlPageBytes(u"charset=EUC-JP 亜ｱa"_s),
                 QByteArray("charset=EUC-JP \xb0\xa1\x8e\xb1"
                            "a"));
    }

    // The page replaces a larger file whole, and an empty page still gives
    // a file; a failed write leaves the old file and no other behind.
    void writeHtmlFile_data()
    {
        Columns<QString, QString, bool, QByteArray>("name", "page", "written", "bytes");
        QTest::newRow("page") << u"news.html"_s << u"<meta charset=\"utf-8\">日本"_s << true
                              << QByteArray("<meta charset=\"utf-8\">\xe6\x97\xa5\xe6\x9c\xac");
        QTest::newRow("empty page") << u"news.html"_s << QString() << true << QByteArray();
        QTest::newRow("missing folder")
            << u"missing/news.html"_s << u"page"_s << false << QByteArray(100000, 'x');
    }
    void writeHtmlFile()
    {
        const auto [name, page] = Fetch<QString, QString>("name", "page");
        QTemporaryDir dir;
        const QString path = dir.filePath(u"news.html"_s);
        testfiles::writeAll(path, QByteArray(100000, 'x'));
        QTEST(WriteHtmlFile(dir.filePath(name), page), "written");
        QTEST(testfiles::readAll(path), "bytes");
        QCOMPARE(filesIn(dir.path()), QStringList{u"news.html"_s});
    }

    void pageAddressLabel_data()
    {
        Columns<QString, QString, QString, int, QString>("src", "root", "filename", "ext", "text");
        const auto row = [](const char *name, const char *src, const char *root,
                            const char *filename, int ext, const char *text) {
            QTest::newRow(name) << QString::fromUtf8(src) << QString::fromUtf8(root)
                                << QString::fromUtf8(filename) << ext << QString::fromUtf8(text);
        };
        row("root without slash", "", "http://a.jp", "index", 0,
            "( パス名 : http://a.jp/index.html )");
        row("rss address first", " http://b.jp/r/ ", "http://a.jp/", "News", 1,
            "( パス名 : http://b.jp/r/news.htm )");
        row("short root gets no slash", "", "a.j", "x", 0, "( パス名 : a.jx.html )");
        row("no file name", "", "http://a.jp/", "", 0, "( パス名 : 不明 )");
        row("blank addresses", " ", "　", "news", 0, "( パス名 : 不明 )");
    }
    void pageAddressLabel()
    {
        ChannelSettings settings;
        int ext = 0;
        std::tie(settings.src, settings.root, settings.filename, ext) =
            Fetch<QString, QString, QString, int>("src", "root", "filename", "ext");
        settings.htmlext = PageExtension(ext);
        const HtmlPageAddressLabel label = PageAddressLabel(settings);
        QTEST(label.text, "text");
        QCOMPARE(label.enabled, !label.text.contains(u"不明"_s));
    }

    void templateFileBytes()
    {
        QCOMPARE(EncodeTemplateFile({PageExtension::Htm, Markup::Html, true}, u"<p>日本</p>\r\n"_s),
                 QByteArray(".htm\thtml\t1\r\n<p>\x93\xfa\x96\x7b</p>\r\n"));
        QCOMPARE(EncodeTemplateFile({}, QString()), QByteArray(".html\txhtml\t0\r\n"));
    }

    // Saving replaces a larger file whole; loading gives back what was saved.
    void templateRoundTrip_data()
    {
        Columns<HtmlTemplateSettings, QString, QString>("settings", "script", "loaded");
        // The wave dash comes back as the full-width tilde, the character
        // Windows gives the same Shift_JIS bytes.
        QTest::newRow("htm, html, label")
            << HtmlTemplateSettings{PageExtension::Htm, Markup::Html, true}
            << u"<h1>{channel_title}</h1>\r\n{item_loop_start}ｱ〜{item_loop_end}"_s
            << u"<h1>{channel_title}</h1>\r\n{item_loop_start}ｱ～{item_loop_end}"_s;
        QTest::newRow("blank lines kept")
            << HtmlTemplateSettings{PageExtension::Html, Markup::Html, false}
            << u"\r\n\r\nx\r\n\r\n"_s << u"\r\n\r\nx\r\n\r\n"_s;
        QTest::newRow("no shift_jis form")
            << HtmlTemplateSettings{PageExtension::Html, Markup::Xhtml, true}
            << u"<p>😀 and 한</p>"_s << u"<p>&#128512; and &#54620;</p>"_s;
    }
    void templateRoundTrip()
    {
        const auto [settings, script] = Fetch<HtmlTemplateSettings, QString>("settings", "script");
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"Template/Html"_s);
        const QString path = QDir(folder).filePath(u"mine.dht"_s);
        testfiles::writeAll(path, QByteArray(5000, 'z'));
        ScriptedUserInterface ui;
        ui.files << path << path;
        QVERIFY(SaveTemplateFile(ui, folder, u"mine"_s, settings, script));
        const std::optional<HtmlTemplateFile> file = LoadTemplateFile(ui, folder);
        QVERIFY(file.has_value());
        QCOMPARE(file->settings, std::optional(settings));
        QTEST(file->script, "loaded");
        QCOMPARE(ui.messages, QStringList());
        QCOMPARE(filesIn(folder), QStringList{u"mine.dht"_s});
        // A page made from the loaded template shows the same characters.
        QCOMPARE(HtmlPageBytes(file->script), HtmlPageBytes(script));
    }

    void decodeTemplateFile_data()
    {
        Columns<QByteArray, Settings, QString>("bytes", "settings", "script");
        const auto row = [](const char *name, const char *bytes, Settings settings,
                            const char *script) {
            QTest::newRow(name) << QByteArray(bytes) << settings << QString::fromUtf8(script);
        };
        row("ordinary html first line", "<html>\r\n<body>\r\n",
            {{PageExtension::Html, Markup::Xhtml, false}}, "<body>\r\n");
        row("letter case ignored", ".HTM\tHTML\t1\r\nx", {{PageExtension::Htm, Markup::Html, true}},
            "x");
        row("any number but 0 is on", ".html\txhtml\t-7\r\n",
            {{PageExtension::Html, Markup::Xhtml, true}}, "");
        row("label not a number", ".htm\thtml\ton\r\n", {{PageExtension::Htm, Markup::Html, false}},
            "");
        row("missing fields", ".htm\r\n", {{PageExtension::Htm, Markup::Xhtml, false}}, "");
        row("line feeds only", ".htm\thtml\t1\nline\n", {{PageExtension::Htm, Markup::Html, true}},
            "line\n");
        row("no line break", ".htm\thtml\t1", {{PageExtension::Htm, Markup::Html, true}}, "");
        row("empty file", "", {}, "");
        row("shift_jis text", ".html\txhtml\t0\r\n\x93\xfa\x96\x7b",
            {{PageExtension::Html, Markup::Xhtml, false}}, "日本");
    }
    void decodeTemplateFile()
    {
        QFETCH(QByteArray, bytes);
        const HtmlTemplateFile file = DecodeTemplateFile(bytes);
        QTEST(file.settings, "settings");
        QTEST(file.script, "script");
    }

    void proposedTemplateName_data()
    {
        Columns<std::optional<QString>, QString>("caption", "name");
        QTest::newRow("plain") << std::optional(u"日記"_s) << u"日記"_s;
        QTest::newRow("forbidden characters")
            << std::optional(u"a?b*c\\d\"e,f.g;h:i|j<k>l/m"_s) << u"abcdefghijklm"_s;
        QTest::newRow("wide forms kept") << std::optional(u"a？b／c"_s) << u"a？b／c"_s;
        QTest::newRow("no node") << std::optional<QString>() << u"新しいテンプレート"_s;
    }
    void proposedTemplateName()
    {
        QFETCH(std::optional<QString>, caption);
        QTEST(ProposedTemplateName(caption), "name");
    }

    // Both choosers start in the template folder, which exists for them;
    // cancelling writes and shows nothing.
    void cancelledChoosers()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"Template/Html"_s);
        ScriptedUserInterface ui;
        QVERIFY(!SaveTemplateFile(ui, folder, u"news/2005"_s, {}, u"x"_s));
        QVERIFY(!LoadTemplateFile(ui, folder).has_value());
        QCOMPARE(ui.fileChoices.size(), 2);
        QCOMPARE(ChoiceLine(ui.fileChoices.at(0)),
                 u"名前を付けてテンプレートの保存|テンプレートファイル(*.dht)|*.dht|dht|"_s +
                     folder + u"|news2005"_s);
        QCOMPARE(ChoiceLine(ui.fileChoices.at(1)),
                 u"テンプレートの読み込み|テンプレートファイル(*.dht)|*.dht|dht|"_s + folder +
                     u'|');
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(filesIn(folder), QStringList());
        QCOMPARE(ui.messages, QStringList());
    }

    void saveFailureIsShown()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"missing/mine.dht"_s);
        ScriptedUserInterface ui;
        ui.files << path;
        QVERIFY(!SaveTemplateFile(ui, dir.path(), std::nullopt, {}, u"x"_s));
        QCOMPARE(ui.messages,
                 QStringList{u"テンプレートファイル\""_s + path + u"\"が保存できません。"_s});
        QVERIFY(!QFileInfo::exists(path));
    }

    // Sparse files: the size is what is judged, not the disk use.
    void loadFailureIsShown_data()
    {
        // message: after the file name; empty when the file loads
        Columns<QString, qint64, QString>("path", "size", "message");
        QTest::newRow("at the limit") << QString() << MaxTemplateFileSize << QString();
        QTest::newRow("one byte over") << QString() << MaxTemplateFileSize + 1
                                       << u"\"が大きすぎるため読み込めません（16 MB まで）。"_s;
        QTest::newRow("endless device")
            << u"/dev/zero"_s << qint64(0) << u"\"が大きすぎるため読み込めません（16 MB まで）。"_s;
        QTest::newRow("missing file") << u"none.dht"_s << qint64(0) << u"\"が読み込めません。"_s;
    }
    void loadFailureIsShown()
    {
        auto [path, size, message] = Fetch<QString, qint64, QString>("path", "size", "message");
        QTemporaryDir dir;
        if (path.isEmpty()) {
            path = dir.filePath(u"large.dht"_s);
            testfiles::writeAll(path, ".htm\thtml\t1\r\n");
            QVERIFY(QFile::resize(path, size));
        } else if (QFileInfo(path).isRelative()) {
            path = dir.filePath(path);
        }
        ScriptedUserInterface ui;
        ui.files << path;
        const std::optional<HtmlTemplateFile> file = LoadTemplateFile(ui, dir.path());
        QCOMPARE(file.has_value(), message.isEmpty());
        if (file) {
            QCOMPARE(file->settings, Settings({PageExtension::Htm, Markup::Html, true}));
            QCOMPARE(file->script.size(), size - 13);
        }
        QCOMPARE(ui.messages.join(QString()),
                 message.isEmpty() ? QString() : u"テンプレートファイル\""_s + path + message);
    }

    void encodeShiftJis_data()
    {
        Columns<QString, QByteArray, QByteArray>("text", "numericReference", "questionMark");
        // questionMark: the same as numericReference when not given
        const auto row = [](const char *name, const QString &text, const char *reference,
                            const char *questionMark = nullptr) {
            QTest::newRow(name) << text << QByteArray(reference)
                                << QByteArray(questionMark ? questionMark : reference);
        };
        row("ascii", u8("a<b>\\~"), "a<b>\\~");
        row("controls", u8("\t\x1A\x1C\x7F\r\n"), "\t\x1A\x1C\x7F\r\n");
        row("kanji", u8("亜"), "\x88\x9F");
        row("half-width katakana", u8("ｱ"), "\xB1");
        row("ideographic space", u8("　"), "\x81\x40");
        const struct
        {
            char32_t codePoint;
            const char *bytes;
        } windowsForms[] = {
            {0x301C, "\x81\x60"}, {0xFF5E, "\x81\x60"}, {0x2212, "\x81\x7C"}, {0xFF0D, "\x81\x7C"},
            {0x2016, "\x81\x61"}, {0x2225, "\x81\x61"}, {0x2014, "\x81\x5C"}, {0x2015, "\x81\x5C"},
            {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x00AC, "\x81\xCA"},
        };
        for (const auto &form : windowsForms) {
            QTest::addRow("U+%04X", unsigned(form.codePoint))
                << FromCodePoint(form.codePoint) << QByteArray(form.bytes)
                << QByteArray(form.bytes);
        }
        row("yen sign", u8("\xC2\xA5"), "&#165;", "?");
        row("lone surrogate", QString(QChar(0xD800)) + u8("x"), "&#65533;x", "?x");
        row("several unencodable among text", u8("日\xC3\xA9本\xF0\x9F\x98\x80語\xC3\xA9"),
            "\x93\xFA&#233;\x96\x7B&#128512;\x8C\xEA&#233;", "\x93\xFA?\x96\x7B?\x8C\xEA?");
        row("user-defined area", FromCodePoint(0xE000), "\xF0\x40");
    }
    void encodeShiftJis()
    {
        QFETCH(QString, text);
        QTEST(EncodeShiftJis(text, Unencodable::NumericReference), "numericReference");
        QTEST(EncodeShiftJis(text, Unencodable::QuestionMark), "questionMark");
    }

    void decodeShiftJis_data()
    {
        Columns<QByteArray, QString, bool>("bytes", "text", "valid");
        QTest::newRow("empty") << QByteArray() << QString() << true;
        QTest::newRow("kanji and katakana") << QByteArray("\x88\x9F\xB1") << u8("亜ｱ") << true;
        QTest::newRow("controls as they are")
            << QByteArray("b\x1A\x1C\x7F") << u8("b\x1A\x1C\x7F") << true;
        QTest::newRow("controls beside an error")
            << QByteArray("\x1A\xFF\x7F") << u8("\x1A\xEF\xBF\xBD\x7F") << false;
        QTest::newRow("truncated lead byte") << QByteArray("a\x81") << u8("a\xEF\xBF\xBD") << false;
        QTest::newRow("lead byte before space")
            << QByteArray("\x81 z") << u8("\xEF\xBF\xBD z") << false;
        QTest::newRow("unassigned pair keeps ascii trail") << QByteArray("\x85\x41\x88\x9F")
                                                           << u8("\xEF\xBF\xBD"
                                                                 "A亜")
                                                           << false;
        QTest::newRow("invalid single bytes")
            << QByteArray("\x80x\xA0y\xFD\xFE\xFF")
            << u8("\xEF\xBF\xBDx\xEF\xBF\xBDy\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD") << false;
        QTest::newRow("error amid long text")
            << QByteArray(500, 'a') + "\xFF" + QByteArray(500, 'b')
            << QString(500, u'a') + QChar(0xFFFD) + QString(500, u'b') << false;
    }
    void decodeShiftJis()
    {
        const auto [bytes, text] = Fetch<QByteArray, QString>("bytes", "text");
        bool decodedValid = true;
        QCOMPARE(DecodeShiftJis(bytes, &decodedValid), text);
        QTEST(decodedValid, "valid");
        QCOMPARE(DecodeShiftJis(bytes), text);
    }

    // Bytes outside what the comparisons with iconv below cover: the NEC
    // special row, unassigned pairs and broken sequences.
    void sjisToEuc_data()
    {
        Columns<QByteArray, QByteArray>("sjis", "euc");
        const auto row = [](const char *name, const char *sjis, const char *euc) {
            QTest::newRow(name) << QByteArray(sjis) << QByteArray(euc);
        };
        // NEC special characters stay in their own row, even those that
        // duplicate a JIS X 0208 symbol.
        row("circled one", "\x87\x40", "\xAD\xA1");
        row("because, NEC row", "\x87\x9A", "\xAD\xFA");
        row("unassigned NEC-selected passes", "\xEE\xED", "\xEE\xED");
        row("unassigned IBM passes", "\xFC\x4C", "\xFC\x4C");
        row("lead byte at end", "a\x88", "a\x88");
        row("lead byte before newline", "\x88\n\x88\x9F", "\x88\n\xB0\xA1");
        row("trail bytes that look like katakana", "\x83\xB1\xB1", "\xA6\xB3\x8E\xB1");
    }
    void sjisToEuc()
    {
        QFETCH(QByteArray, sjis);
        QTEST(SjisToEuc(sjis), "euc");
    }

    // The NEC special row (0x87) is left out: the arithmetic keeps its
    // duplicates of JIS X 0208 symbols in that row where iconv moves them.
    void sjisToEucAgreesWithIconv_data()
    {
        Columns<int, int, int>("firstLead", "lastLead", "count");
        QTest::newRow("non-kanji rows") << 0x81 << 0x84 << 524;
        QTest::newRow("level-1 and level-2 kanji, first part") << 0x88 << 0x9F << 4375;
        QTest::newRow("level-2 kanji, second part") << 0xE0 << 0xEA << 1980;
        QTest::newRow("NEC-selected IBM extensions") << 0xED << 0xEE << 374;
        QTest::newRow("user-defined") << 0xF0 << 0xF9 << 1880;
        QTest::newRow("IBM extensions") << 0xFA << 0xFC << 388;
    }
    void sjisToEucAgreesWithIconv()
    {
        const auto [firstLead, lastLead] = Fetch<int, int>("firstLead", "lastLead");
        const QList<QByteArray> pairs = ValidPairs(firstLead, lastLead);
        QTEST(int(pairs.size()), "count");
        const QByteArray expected = IconvToEucJpMs(pairs.join('\n'));
        const QList<QByteArray> expectedLines = expected.split('\n');
        QCOMPARE(expectedLines.size(), pairs.size());
        for (qsizetype i = 0; i < pairs.size(); ++i) {
            const QByteArray actual = SjisToEuc(pairs[i]);
            QVERIFY2(actual == expectedLines[i],
                     qPrintable(u"%1: %2, iconv %3"_s.arg(
                         QString::fromLatin1(pairs[i].toHex()), QString::fromLatin1(actual.toHex()),
                         QString::fromLatin1(expectedLines[i].toHex()))));
        }
    }

    void singleBytesAgreeWithIconv()
    {
        QByteArray bytes;
        for (int byte = 0x01; byte <= 0x7F; ++byte)
            bytes += char(byte);
        for (int byte = 0xA1; byte <= 0xDF; ++byte)
            bytes += char(byte);
        QCOMPARE(SjisToEuc(bytes), IconvToEucJpMs(bytes));
    }

    void choosePageCharset_data()
    {
        Columns<QString, PageCharset>("page", "charset");
        QTest::newRow("none") << u8("<html>日本語</html>") << PageCharset::ShiftJis;
        QTest::newRow("utf-8 upper case") << u8("<meta charset=UTF-8>") << PageCharset::Utf8;
        QTest::newRow("shift_jis before utf-8")
            << u8("charset=Shift_JIS ... utf-8") << PageCharset::ShiftJis;
        QTest::newRow("utf-8 before shift_jis") << u8("utf-8 shift_jis") << PageCharset::Utf8;
        QTest::newRow("euc-jp") << u8("charset=EUC-JP") << PageCharset::EucJp;
        QTest::newRow("shift_jis before euc-jp") << u8("shift_jis euc-jp") << PageCharset::ShiftJis;
        QTest::newRow("euc-jp before shift_jis") << u8("EUC-JP shift_jis") << PageCharset::EucJp;
        QTest::newRow("euc-jp before utf-8, no shift_jis")
            << u8("euc-jp utf-8") << PageCharset::Utf8;
        QTest::newRow("shift-jis with hyphen is no name")
            << u8("shift-jis utf-8") << PageCharset::Utf8;
        QTest::newRow("utf8 without hyphen is no name") << u8("utf8") << PageCharset::ShiftJis;
        // Only A to Z fold.
        QTest::newRow("full-width letters do not count") << u8("ＵＴＦ-8") << PageCharset::ShiftJis;
    }
    void choosePageCharset()
    {
        QFETCH(QString, page);
        QTEST(ChoosePageCharset(page), "charset");
    }

    void encodePage_data()
    {
        Columns<QString, PageCharset, QByteArray>("page", "charset", "bytes");
        const QString text = u8("亜ｱ〜\xF0\x9F\x98\x80") + FromCodePoint(0xE000);
        QTest::newRow("utf-8") << text << PageCharset::Utf8
                               << QByteArray("\xE4\xBA\x9C\xEF\xBD\xB1\xE3\x80\x9C\xF0\x9F\x98\x80"
                                             "\xEE\x80\x80");
        QTest::newRow("shift_jis")
            << text << PageCharset::ShiftJis << QByteArray("\x88\x9F\xB1\x81\x60&#128512;\xF0\x40");
        QTest::newRow("euc-jp") << text << PageCharset::EucJp
                                << QByteArray("\xB0\xA1\x8E\xB1\xA1\xC1&#128512;\xF5\xA1");
    }
    void encodePage()
    {
        const auto [page, charset] = Fetch<QString, PageCharset>("page", "charset");
        const QByteArray encoded = EncodePage(page, charset);
        QTEST(encoded, "bytes");
        QVERIFY(!encoded.startsWith("\xEF\xBB\xBF"));
    }

    void decodeReversesEncode()
    {
        QString text;
        for (char32_t c = 0x20; c < 0x10000; ++c) {
            if (!QChar::isSurrogate(c))
                text += QChar(c);
        }
        const QByteArray bytes = EncodeShiftJis(text, Unencodable::NumericReference);
        bool valid = true;
        const QString decoded = DecodeShiftJis(bytes, &valid);
        QVERIFY(valid);
        QCOMPARE(EncodeShiftJis(decoded, Unencodable::NumericReference), bytes);
    }
};

QTEST_GUILESS_MAIN(TestHtmlPage)
#include "tst_htmlpage.moc"
