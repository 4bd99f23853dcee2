#include "datarows.h"
#include "editing/contentcommands.h"
#include "model/channelsettings.h"

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

class TestContentCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

QTEST_GUILESS_MAIN(TestContentCommands)
#include "tst_contentcommands.moc"
