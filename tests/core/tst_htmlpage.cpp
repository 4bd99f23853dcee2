#include "datarows.h"
#include "filechoice.h"
#include "html/htmlpage.h"
#include "html/templatefiledialogs.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Settings = std::optional<HtmlTemplateSettings>;

namespace {

const Clock pageClock = Clock::fixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
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
        TEditList feed;
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
    // themselves are tst_charsets' part.
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
        Columns<QString, QString, QString, QString, bool>("src", "root", "filename", "text",
                                                          "enabled");
        QTest::newRow("root") << QString() << u"http://ex.jp"_s << u"news"_s
                              << u"( パス名 : http://ex.jp/news.html )"_s << true;
        QTest::newRow("no file name")
            << QString() << u"http://ex.jp/"_s << QString() << u"( パス名 : 不明 )"_s << false;
        QTest::newRow("blank addresses")
            << u" "_s << u"　"_s << u"news"_s << u"( パス名 : 不明 )"_s << false;
    }
    void pageAddressLabel()
    {
        ChannelSettings settings;
        std::tie(settings.src, settings.root, settings.filename) =
            Fetch<QString, QString, QString>("src", "root", "filename");
        const HtmlPageAddressLabel label = PageAddressLabel(settings);
        QTEST(label.text, "text");
        QTEST(label.enabled, "enabled");
    }

    void templateFileBytes()
    {
        QCOMPARE(EncodeTemplateFile({1, 1, true}, u"<p>日本</p>\r\n"_s),
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
            << HtmlTemplateSettings{1, 1, true}
            << u"<h1>{channel_title}</h1>\r\n{item_loop_start}ｱ〜{item_loop_end}"_s
            << u"<h1>{channel_title}</h1>\r\n{item_loop_start}ｱ～{item_loop_end}"_s;
        QTest::newRow("blank lines kept") << HtmlTemplateSettings{0, 1, false}
                                          << u"\r\n\r\nx\r\n\r\n"_s << u"\r\n\r\nx\r\n\r\n"_s;
        QTest::newRow("no shift_jis form")
            << HtmlTemplateSettings{0, 0, true} << u"<p>😀 and 한</p>"_s
            << u"<p>&#128512; and &#54620;</p>"_s;
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
        row("ordinary html first line", "<html>\r\n<body>\r\n", {{0, 0, false}}, "<body>\r\n");
        row("letter case ignored", ".HTM\tHTML\t1\r\nx", {{1, 1, true}}, "x");
        row("any number but 0 is on", ".html\txhtml\t-7\r\n", {{0, 0, true}}, "");
        row("label not a number", ".htm\thtml\ton\r\n", {{1, 1, false}}, "");
        row("missing fields", ".htm\r\n", {{1, 0, false}}, "");
        row("line feeds only", ".htm\thtml\t1\nline\n", {{1, 1, true}}, "line\n");
        row("no line break", ".htm\thtml\t1", {{1, 1, true}}, "");
        row("empty file", "", {}, "");
        row("shift_jis text", ".html\txhtml\t0\r\n\x93\xfa\x96\x7b", {{0, 0, false}}, "日本");
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
            QCOMPARE(file->settings, Settings({1, 1, true}));
            QCOMPARE(file->script.size(), size - 13);
        }
        QCOMPARE(ui.messages.join(QString()),
                 message.isEmpty() ? QString() : u"テンプレートファイル\""_s + path + message);
    }
};

QTEST_GUILESS_MAIN(TestHtmlPage)
#include "tst_htmlpage.moc"
