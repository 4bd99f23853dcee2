#include "core/editing/contentcommands.h"
#include "core/editing/feedpagebinding.h"
#include "core/model/channelsettings.h"
#include "datarows.h"
#include "feedpagefixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ContentInsertion)

namespace {

UrlDialogValues link(const QString &address, bool newWindow)
{
    return {.linkAddress = address, .newWindow = newWindow};
}

UrlDialogValues image(const QString &address, const QString &alt, int border, int align)
{
    return {.imageAddress = address, .altText = alt, .border = border, .align = align};
}

} // namespace

// The feed pages without widgets: showing and storing a feed, and the
// commands that insert into its texts.
class TestFeedPageBinding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showThenStoreKeepsEveryField()
    {
        FeedData feed;
        feed.settings = everyFieldSet();
        feed.items.resize(3);
        feed.items[1].title = u"項目"_s;
        const FeedData before = feed;
        StoreNode(ShowNode(feed.settings, {FixtureTemplateName}), feed);
        QCOMPARE(feed.settings, before.settings);
        QCOMPARE(feed.items, before.items);
    }

    void storedChoices_data()
    {
        Columns<QString, int, int, QString>("language", "stored", "index", "languageBack");
        QTest::newRow("ja, first item") << u"ja"_s << 0 << 0 << u"ja"_s;
        QTest::newRow("en, second item") << u"en"_s << 1 << 1 << u"en"_s;
        QTest::newRow("upper-case EN") << u"EN"_s << 2 << 1 << u"ja"_s;
        QTest::newRow("empty language, negative") << QString() << -1 << 1 << u"ja"_s;
        QTest::newRow("fr") << u"fr"_s << 7 << 1 << u"ja"_s;
    }
    void storedChoices()
    {
        const auto [language, stored, index, languageBack] =
            Fetch<QString, int, int, QString>("language", "stored", "index", "languageBack");
        FeedData feed;
        feed.settings.language = language;
        feed.settings.ver = RssVersion(stored);
        feed.settings.htmlext = PageExtension(stored);
        feed.settings.htmlmark = Markup(stored);
        const FeedPageValues shown = ShowNode(feed.settings, {});
        QCOMPARE(shown.settings.ver, RssVersion(index));
        QCOMPARE(shown.settings.htmlext, PageExtension(index));
        QCOMPARE(shown.settings.htmlmark, Markup(index));
        StoreNode(shown, feed);
        QCOMPARE(feed.settings.language, languageBack);
        QCOMPARE(feed.settings.ver, RssVersion(index));
        QCOMPARE(feed.settings.htmlmark, Markup(index));
    }

    void ftpTemplateEntry_data()
    {
        Columns<QStringList, QString, QStringList, int, QString>("folder", "stored", "captions",
                                                                 "index", "storedBack");
        const QString none = u"使用しない"_s;
        const QStringList ab{u"a"_s, u"b"_s};
        QTest::newRow("no template")
            << ab << QString() << (QStringList{none} + ab) << 0 << QString();
        QTest::newRow("found") << ab << u"b"_s << (QStringList{none} + ab) << 2 << u"b"_s;
        QTest::newRow("letter case ignored, folder name kept")
            << QStringList{u"Main"_s} << u"main"_s << QStringList{none, u"Main"_s} << 1
            << u"Main"_s;
        QTest::newRow("missing here is kept")
            << QStringList{u"a"_s} << u"遠方"_s
            << QStringList{none, u"a"_s, u"遠方 (見つかりません)"_s} << 2 << u"遠方"_s;
        QTest::newRow("missing from an empty folder")
            << QStringList{} << u"x"_s << QStringList{none, u"x (見つかりません)"_s} << 1 << u"x"_s;
    }
    void ftpTemplateEntry()
    {
        const auto [folder, stored, captions, index, storedBack] =
            Fetch<QStringList, QString, QStringList, int, QString>("folder", "stored", "captions",
                                                                   "index", "storedBack");
        FeedData feed;
        feed.settings.ftptemplate = stored;
        const FeedPageValues shown = ShowNode(feed.settings, folder);
        QStringList shownCaptions;
        for (const FtpTemplateEntry &entry : shown.ftpEntries)
            shownCaptions << FtpTemplateCaption(entry);
        QCOMPARE(shownCaptions, captions);
        QCOMPARE(FtpTemplateIndex(shown.ftpEntries, shown.settings.ftptemplate), index);
        StoreNode(shown, feed);
        QCOMPARE(feed.settings.ftptemplate, storedBack);
    }

    void newFeedStartsFromDefaults()
    {
        ProjectDefaults defaults;
        defaults.ver = RssVersion::Rss1;
        defaults.rssline = 50;
        defaults.descstrmax = 0;
        defaults.language = u"en"_s;
        defaults.dateset = false;
        defaults.content = true;
        defaults.ftptemplate = u"a"_s; // a new feed still starts without one
        FeedData feed;
        feed.settings = ChannelSettings::allEmpty();
        StoreNode(ResetPages(defaults, {u"a"_s}), feed);
        ChannelSettings expected;
        expected.ver = RssVersion::Rss1;
        expected.rssline = 50;
        expected.descstrmax = 0;
        expected.language = u"en"_s;
        expected.dateset = false;
        expected.content = true;
        QCOMPARE(feed.settings, expected);
    }

    void toolState_data()
    {
        // htmlmark: the markup chosen for the page (any number but 0 is HTML)
        Columns<bool, int, QString, bool, int, bool, bool, bool, bool>(
            "isFeed", "ftpIndex", "ftpfolder", "html", "htmlmark", "upload", "htmlButtons",
            "ftpPath", "htmlMarkup");
        QTest::newRow("folder node")
            << false << 1 << u"x"_s << true << 1 << false << false << true << true;
        QTest::newRow("nothing to upload to")
            << true << 0 << QString() << false << 0 << false << false << false << false;
        QTest::newRow("upload path typed")
            << true << 0 << u"C:\\pub"_s << true << 2 << true << true << false << true;
        QTest::newRow("template chosen")
            << true << 1 << QString() << false << 0 << true << false << true << false;
    }
    void toolState()
    {
        const auto [isFeed, ftpIndex, ftpfolder, html, htmlmark, upload, htmlButtons, ftpPath,
                    htmlMarkup] =
            Fetch<bool, int, QString, bool, int, bool, bool, bool, bool>(
                "isFeed", "ftpIndex", "ftpfolder", "html", "htmlmark", "upload", "htmlButtons",
                "ftpPath", "htmlMarkup");
        FeedPageValues live = ResetPages({}, {u"a"_s});
        live.settings.ftptemplate = ChosenFtpTemplate(live.ftpEntries, ftpIndex);
        live.settings.ftpfolder = ftpfolder;
        live.settings.html = html;
        live.settings.htmlmark = Markup(htmlmark);
        const ToolState state = UpdateToolState(isFeed, live, false);
        QCOMPARE(state.markup == Markup::Html, htmlMarkup);
        QCOMPARE(state.rss, isFeed);
        QCOMPARE(state.upload, upload);
        QCOMPARE(state.html, htmlButtons);
        QCOMPARE(state.htmlLabel, html);
        QCOMPARE(state.uploadPath == UploadPathMode::FtpPath, ftpPath);
        QCOMPARE(CanUpload(live), ftpIndex > 0 || !ftpfolder.isEmpty());
    }

    void typedText_data()
    {
        Columns<QString, QString, bool>("before", "after", "accepted");
        const auto row = [](const char *name, const char *before, const char *after,
                            bool accepted) {
            QTest::newRow(name) << QString::fromUtf8(before) << QString::fromUtf8(after)
                                << accepted;
        };
        row("within", "abc", "abcd", true);
        row("at the limit", "abcd", "abcde", true);
        row("past the limit", "abcde", "abcdef", false);
        row("surrogate pairs count once", "😀😀😀😀", "😀😀😀", true);
        row("five wide characters", "", "😀😀😀😀a", true);
        row("long loaded text shrinks", "abcdefgh", "abcdefg", true);
        row("long loaded text never grows", "abcdefgh", "abcdefghi", false);
    }
    void typedText()
    {
        const auto [before, after, accepted] =
            Fetch<QString, QString, bool>("before", "after", "accepted");
        QCOMPARE(AcceptsTypedText(before, after, 5), accepted);
    }

    void insertion_data()
    {
        Columns<ContentInsertion, QString, int>("insertion", "text", "caretBack");
        const auto row = [](const char *name, const ContentInsertion &insertion,
                            const QString &text, int caretBack) {
            QTest::newRow(name) << insertion << text << caretBack;
        };
        row("bold empty", WrapInTag(u"b"_s, {}), u"<b></b>"_s, 4);
        row("bold selection", WrapInTag(u"b"_s, u"abc"_s), u"<b>abc</b>"_s, 0);
        row("italic", WrapInTag(u"i"_s, {}), u"<i></i>"_s, 4);
        row("quote", WrapInTag(u"blockquote"_s, u"引用"_s), u"<blockquote>引用</blockquote>"_s, 0);
        row("center", AlignBlock(u"center"_s, {}), u"<div align=\"center\"></div>"_s, 6);
        row("right", AlignBlock(u"right"_s, u"x"_s), u"<div align=\"right\">x</div>"_s, 0);
        row("list xhtml", ListBlock(Markup::Xhtml, {}), u"<ul>\r\n<li></li>\r\n</ul>"_s, 12);
        row("list html", ListBlock(Markup::Html, u"a"_s), u"<ul>\r\n<li>a\r\n</ul>"_s, 0);
        row("link new window", LinkInsertion(link(u"http://a.jp/"_s, true), {}),
            u"<a href=\"http://a.jp/\" target=\"_blank\"></a>"_s, 4);
        row("link same window", LinkInsertion(link(u"http://a.jp/"_s, false), u"ここ"_s),
            u"<a href=\"http://a.jp/\">ここ</a>"_s, 0);
        row("link quote escaped", LinkInsertion(link(u"a\"b"_s, false), {}),
            u"<a href=\"a&quot;b\"></a>"_s, 4);
        row("image xhtml", ImageInsertion(image(u"p.png"_s, {}, 0, 0), Markup::Xhtml),
            u"<img src=\"p.png\" border=0 />"_s, 0);
        row("image html right", ImageInsertion(image(u"p.png"_s, {}, 2, 2), Markup::Html),
            u"<img src=\"p.png\" border=2 align=\"right\">"_s, 0);
        row("image alt left, quote escaped",
            ImageInsertion(image(u"p.png"_s, u"a \"b\""_s, 1, 1), Markup::Xhtml),
            u"<img src=\"p.png\" border=1 alt=\"a &quot;b&quot;\" align=\"left\" />"_s, 0);
    }
    void insertion()
    {
        QFETCH(ContentInsertion, insertion);
        QTEST(insertion.text, "text");
        QTEST(int(insertion.caretBack), "caretBack");
    }

    void escapeButtons_data()
    {
        Columns<EscapeButton, QString, QString, QString>("button", "entity", "plain", "entityHtml");
        QTest::newRow("<") << EscapeButton::Left << u"&lt;"_s << u"<"_s << u"&lt;"_s;
        QTest::newRow(">") << EscapeButton::Right << u"&gt;"_s << u">"_s << u"&gt;"_s;
        QTest::newRow("&") << EscapeButton::Amp << u"&amp;"_s << u"&"_s << u"&amp;"_s;
        QTest::newRow("space") << EscapeButton::Space << u"&nbsp;"_s << u" "_s << u"&nbsp;"_s;
        QTest::newRow("break") << EscapeButton::Break << u"<br />"_s << u"\r\n"_s << u"<br>"_s;
    }
    void escapeButtons()
    {
        QFETCH(EscapeButton, button);
        QTEST(EscapeText(button, false, Markup::Xhtml), "entity");
        QTEST(EscapeText(button, true, Markup::Xhtml), "plain");
        QTEST(EscapeText(button, false, Markup::Html), "entityHtml");
    }

    void escapeLockKeys_data()
    {
        // inserted: "-": typed normally
        Columns<QChar, bool, bool, bool, QString>("key", "lock", "shift", "ctrl", "inserted");
        QTest::newRow("< locked") << QChar(u'<') << true << false << false << "&lt;";
        QTest::newRow("space locked") << QChar(u' ') << true << false << false << "&nbsp;";
        QTest::newRow("< unlocked") << QChar(u'<') << false << false << false << "-";
        QTest::newRow("letter locked") << QChar(u'a') << true << false << false << "-";
        QTest::newRow("enter unlocked") << QChar(u'\r') << false << false << false << "-";
        QTest::newRow("shift+enter unlocked") << QChar(u'\r') << false << true << false << "<br />";
        QTest::newRow("ctrl+enter unlocked") << QChar(u'\n') << false << false << true << "<br />";
        QTest::newRow("enter locked") << QChar(u'\r') << true << false << false << "<br />";
        QTest::newRow("shift+enter locked") << QChar(u'\r') << true << true << false << "\r\n";
    }
    void escapeLockKeys()
    {
        const auto [key, lock, shift, ctrl] =
            Fetch<QChar, bool, bool, bool>("key", "lock", "shift", "ctrl");
        QTEST(EscapeLockKey(key, lock, shift, ctrl, Markup::Xhtml).value_or(u"-"_s), "inserted");
    }

    void candidates()
    {
        ChannelSettings channel;
        channel.root = u"http://a.jp/"_s;
        channel.link = u"http://a.jp/"_s;
        channel.logosrc = u"http://a.jp/logo.png"_s;
        QCOMPARE(CandidateAddresses(channel),
                 (QStringList{u"http://a.jp/"_s, u"http://a.jp/logo.png"_s}));
    }
};

QTEST_GUILESS_MAIN(TestFeedPageBinding)
#include "tst_feedpagebinding.moc"
