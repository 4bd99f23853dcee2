#include "html/htmlpage.h"
#include "html/templatefiledialogs.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const Clock pageClock = Clock::fixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));

TEditList feed(const QString &script)
{
    TEditList list;
    list.settings.filename = u"news"_s;
    list.settings.root = u"http://example.jp/"_s;
    list.settings.title = u"お知らせ"_s;
    list.settings.html = true;
    list.settings.htmlscript = script;
    FeedItem first;
    first.title = u"一つ目"_s;
    first.date = u"2005-01-02 09:05:00"_s;
    FeedItem second;
    second.title = u"二つ目"_s;
    second.date = u"2005-02-03 10:00:00"_s;
    list.items = {first, second};
    return list;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestHtmlPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatePage()
    {
        ScriptedUserInterface ui;
        const QString page = GenerateHtmlPage(
            feed(u"<h1>{channel_title}</h1>{item_loop_start}<p id=\"{item_guid}\">{item_title}"
                 u" {item_date format=\"m/d\"}</p>{item_loop_end}{channel_date}"_s),
            pageClock, ui);
        QCOMPARE(page, u"<h1>お知らせ</h1><p id=\"bk20050203100000\">二つ目 2/3</p>"
                       u"<p id=\"bk20050102090500\">一つ目 1/2</p>2026-12-06 09:05:07"_s);
        QCOMPARE(ui.messages, QStringList());
    }

    void generatePageShowsTemplateErrors()
    {
        ScriptedUserInterface ui;
        const QString page = GenerateHtmlPage(feed(u"<p>{channel_title"_s), pageClock, ui);
        QCOMPARE(page, u"<p>{channel_title"_s);
        QCOMPARE(ui.messages, QStringList{u"{channel_title}変数が不正です。"_s});
    }

    void pageBytes_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("utf-8 named")
            << u"<meta charset=\"UTF-8\">日本"_s
            << QByteArray("<meta charset=\"UTF-8\">\xe6\x97\xa5\xe6\x9c\xac");
        QTest::newRow("shift_jis before utf-8")
            << u"charset=Shift_JIS 日本 utf-8"_s
            << QByteArray("charset=Shift_JIS \x93\xfa\x96\x7b utf-8");
        QTest::newRow("euc-jp") << u"charset=EUC-JP 亜ｱa"_s
                                << QByteArray("charset=EUC-JP \xb0\xa1\x8e\xb1"
                                              "a");
        QTest::newRow("no name is shift_jis") << u"日本"_s << QByteArray("\x93\xfa\x96\x7b");
        QTest::newRow("no shift_jis form") << u"a😀b"_s << QByteArray("a&#128512;b");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void pageBytes()
    {
        QFETCH(QString, page);
        QFETCH(QByteArray, bytes);
        QCOMPARE(HtmlPageBytes(page), bytes);
    }

    // The page replaces a larger file whole, and an empty page still gives
    // a file.
    void writeHtmlFile_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("page") << u"<meta charset=\"utf-8\">日本"_s
                              << QByteArray("<meta charset=\"utf-8\">\xe6\x97\xa5\xe6\x9c\xac");
        QTest::newRow("empty page") << QString() << QByteArray();
    }
    void writeHtmlFile()
    {
        QFETCH(QString, page);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"news.html"_s);
        testfiles::writeAll(path, QByteArray(100000, 'x'));
        QVERIFY(WriteHtmlFile(path, page));
        QTEST(testfiles::readAll(path), "bytes");
        QCOMPARE(filesIn(dir.path()), QStringList{u"news.html"_s});
    }

    void writeHtmlFileFailure_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("missing folder") << u"missing/news.html"_s;
        QTest::newRow("path is a folder") << u"folder"_s;
    }
    void writeHtmlFileFailure()
    {
        QFETCH(QString, relativePath);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        QVERIFY(!WriteHtmlFile(dir.filePath(relativePath), u"page"_s));
        QCOMPARE(filesIn(dir.path()), QStringList());
        QVERIFY(QFileInfo(dir.filePath(u"folder"_s)).isDir());
    }

    void pageAddressLabel_data()
    {
        QTest::addColumn<QString>("src");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<int>("htmlext");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("root") << u""_s << u"http://ex.jp"_s << u"news"_s << 0
                              << u"( パス名 : http://ex.jp/news.html )"_s << true;
        QTest::newRow("no file name")
            << u""_s << u"http://ex.jp/"_s << u""_s << 0 << u"( パス名 : 不明 )"_s << false;
        QTest::newRow("blank addresses")
            << u" "_s << u"　"_s << u"news"_s << 0 << u"( パス名 : 不明 )"_s << false;
    }
    void pageAddressLabel()
    {
        QFETCH(QString, src);
        QFETCH(QString, root);
        QFETCH(QString, filename);
        QFETCH(int, htmlext);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        ChannelSettings settings;
        settings.src = src;
        settings.root = root;
        settings.filename = filename;
        settings.htmlext = htmlext;
        const HtmlPageAddressLabel label = PageAddressLabel(settings);
        QCOMPARE(label.text, text);
        QCOMPARE(label.enabled, enabled);
    }

    void templateFileBytes()
    {
        QCOMPARE(EncodeTemplateFile({1, 1, true}, u"<p>日本</p>\r\n"_s),
                 QByteArray(".htm\thtml\t1\r\n<p>\x93\xfa\x96\x7b</p>\r\n"));
        QCOMPARE(EncodeTemplateFile({}, QString()), QByteArray(".html\txhtml\t0\r\n"));
    }

    void templateRoundTrip_data()
    {
        QTest::addColumn<int>("htmlext");
        QTest::addColumn<int>("htmlmark");
        QTest::addColumn<bool>("htmllabel");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("defaults, empty") << 0 << 0 << false << QString() << QString();
        // The wave dash comes back as the full-width tilde, the character
        // Windows gives the same Shift_JIS bytes.
        QTest::newRow("htm, html, label")
            << 1 << 1 << true
            << u"<h1>{channel_title}</h1>\r\n{item_loop_start}ｱ〜{item_loop_end}"_s
            << u"<h1>{channel_title}</h1>\r\n{item_loop_start}ｱ～{item_loop_end}"_s;
        QTest::newRow("blank lines kept")
            << 0 << 1 << false << u"\r\n\r\nx\r\n\r\n"_s << u"\r\n\r\nx\r\n\r\n"_s;
        QTest::newRow("no shift_jis form")
            << 0 << 0 << true << u"<p>😀 and 한</p>"_s << u"<p>&#128512; and &#54620;</p>"_s;
    }
    void templateRoundTrip()
    {
        QFETCH(int, htmlext);
        QFETCH(int, htmlmark);
        QFETCH(bool, htmllabel);
        QFETCH(QString, script);
        QFETCH(QString, loaded);
        const HtmlTemplateSettings settings{htmlext, htmlmark, htmllabel};
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"Template/Html"_s);
        const QString path = QDir(folder).filePath(u"mine.dht"_s);
        ScriptedUserInterface ui;
        ui.files << path << path;
        QVERIFY(SaveTemplateFile(ui, folder, u"mine"_s, settings, script));
        const std::optional<HtmlTemplateFile> file = LoadTemplateFile(ui, folder);
        QVERIFY(file.has_value());
        QCOMPARE(file->settings, std::optional(settings));
        QCOMPARE(file->script, loaded);
        QCOMPARE(ui.messages, QStringList());
        // A page made from the loaded template shows the same characters.
        QCOMPARE(HtmlPageBytes(file->script), HtmlPageBytes(script));
    }

    void decodeTemplateFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("hasSettings");
        QTest::addColumn<int>("htmlext");
        QTest::addColumn<int>("htmlmark");
        QTest::addColumn<bool>("htmllabel");
        QTest::addColumn<QString>("script");
        QTest::newRow("ordinary html first line")
            << QByteArray("<html>\r\n<body>\r\n") << true << 0 << 0 << false << u"<body>\r\n"_s;
        QTest::newRow("letter case ignored")
            << QByteArray(".HTM\tHTML\t1\r\nx") << true << 1 << 1 << true << u"x"_s;
        QTest::newRow("any number but 0 is on")
            << QByteArray(".html\txhtml\t-7\r\n") << true << 0 << 0 << true << QString();
        QTest::newRow("label not a number")
            << QByteArray(".htm\thtml\ton\r\n") << true << 1 << 1 << false << QString();
        QTest::newRow("missing fields")
            << QByteArray(".htm\r\n") << true << 1 << 0 << false << QString();
        QTest::newRow("line feeds only")
            << QByteArray(".htm\thtml\t1\nline\n") << true << 1 << 1 << true << u"line\n"_s;
        QTest::newRow("no line break")
            << QByteArray(".htm\thtml\t1") << true << 1 << 1 << true << QString();
        QTest::newRow("empty file") << QByteArray() << false << 0 << 0 << false << QString();
        QTest::newRow("shift_jis text") << QByteArray(".html\txhtml\t0\r\n\x93\xfa\x96\x7b") << true
                                        << 0 << 0 << false << u"日本"_s;
    }
    void decodeTemplateFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, hasSettings);
        QFETCH(int, htmlext);
        QFETCH(int, htmlmark);
        QFETCH(bool, htmllabel);
        QFETCH(QString, script);
        const HtmlTemplateFile file = DecodeTemplateFile(bytes);
        QCOMPARE(file.settings.has_value(), hasSettings);
        if (hasSettings)
            QCOMPARE(*file.settings, (HtmlTemplateSettings{htmlext, htmlmark, htmllabel}));
        QCOMPARE(file.script, script);
    }

    void proposedTemplateName_data()
    {
        QTest::addColumn<std::optional<QString>>("caption");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << std::optional(u"日記"_s) << u"日記"_s;
        QTest::newRow("forbidden characters")
            << std::optional(u"a?b*c\\d\"e,f.g;h:i|j<k>l/m"_s) << u"abcdefghijklm"_s;
        QTest::newRow("wide forms kept") << std::optional(u"a？b／c"_s) << u"a？b／c"_s;
        QTest::newRow("no node") << std::optional<QString>() << u"新しいテンプレート"_s;
    }
    void proposedTemplateName()
    {
        QFETCH(std::optional<QString>, caption);
        QFETCH(QString, name);
        QCOMPARE(ProposedTemplateName(caption), name);
    }

    void saveDialogChoice()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"Template/Html"_s);
        ScriptedUserInterface ui;
        QVERIFY(!SaveTemplateFile(ui, folder, u"news/2005"_s, {}, u"x"_s));
        QCOMPARE(ui.fileChoices.size(), 1);
        const UserInterface::FileChoice &choice = ui.fileChoices.first();
        QCOMPARE(choice.title, u"名前を付けてテンプレートの保存"_s);
        QCOMPARE(choice.filter, u"テンプレートファイル(*.dht)|*.dht"_s);
        QCOMPARE(choice.defaultExtension, u"dht"_s);
        QCOMPARE(choice.startFolder, folder);
        QCOMPARE(choice.proposedName, u"news2005"_s);
        // The folder exists for the chooser to start in; nothing is written.
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(filesIn(folder), QStringList());
    }

    void loadDialogChoice()
    {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        QVERIFY(!LoadTemplateFile(ui, dir.path()).has_value());
        const UserInterface::FileChoice &choice = ui.fileChoices.first();
        QCOMPARE(choice.title, u"テンプレートの読み込み"_s);
        QCOMPARE(choice.filter, u"テンプレートファイル(*.dht)|*.dht"_s);
        QCOMPARE(choice.defaultExtension, u"dht"_s);
        QCOMPARE(choice.proposedName, QString());
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

    void loadFailureIsShown()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"none.dht"_s);
        ScriptedUserInterface ui;
        ui.files << path;
        QVERIFY(!LoadTemplateFile(ui, dir.path()).has_value());
        QCOMPARE(ui.messages,
                 QStringList{u"テンプレートファイル\""_s + path + u"\"が読み込めません。"_s});
    }

    // Sparse files: the size is what is judged, not the disk use.
    void oversizedTemplateRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("at the limit") << QString() << MaxTemplateFileSize << true;
        QTest::newRow("one byte over") << QString() << MaxTemplateFileSize + 1 << false;
        QTest::newRow("endless device") << u"/dev/zero"_s << qint64(0) << false;
    }
    void oversizedTemplateRefused()
    {
        QFETCH(QString, path);
        QFETCH(qint64, size);
        QFETCH(bool, loaded);
        QTemporaryDir dir;
        if (path.isEmpty()) {
            path = dir.filePath(u"large.dht"_s);
            testfiles::writeAll(path, ".htm\thtml\t1\r\n");
            QVERIFY(QFile::resize(path, size));
        }
        ScriptedUserInterface ui;
        ui.files << path;
        const std::optional<HtmlTemplateFile> file = LoadTemplateFile(ui, dir.path());
        QCOMPARE(file.has_value(), loaded);
        if (loaded) {
            QCOMPARE(file->settings, std::optional(HtmlTemplateSettings{1, 1, true}));
            QCOMPARE(file->script.size(), size - 13);
            QCOMPARE(ui.messages, QStringList());
        } else {
            QCOMPARE(ui.messages,
                     QStringList{u"テンプレートファイル\""_s + path +
                                 u"\"が大きすぎるため読み込めません（16 MB まで）。"_s});
        }
    }

    void saveReplacesWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"mine.dht"_s);
        testfiles::writeAll(path, QByteArray(5000, 'z'));
        ScriptedUserInterface ui;
        ui.files << path;
        QVERIFY(SaveTemplateFile(ui, dir.path(), std::nullopt, {}, u"short"_s));
        QCOMPARE(testfiles::readAll(path), QByteArray(".html\txhtml\t0\r\nshort"));
        QCOMPARE(filesIn(dir.path()), QStringList{u"mine.dht"_s});
    }
};

QTEST_GUILESS_MAIN(TestHtmlPage)
#include "tst_htmlpage.moc"
