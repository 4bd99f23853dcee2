#include "editing/contentcommands.h"
#include "project/channelsettings.h"

#include <QTest>

Q_DECLARE_METATYPE(ContentInsertion)

namespace {

UrlDialogValues link(const QString &address, bool newWindow)
{
    UrlDialogValues values;
    values.linkAddress = address;
    values.newWindow = newWindow;
    return values;
}

UrlDialogValues image(const QString &address, const QString &alt, int border, int align)
{
    UrlDialogValues values;
    values.imageAddress = address;
    values.altText = alt;
    values.border = border;
    values.align = align;
    return values;
}

} // namespace

class TestContentCommands : public QObject
{
    Q_OBJECT

private slots:
    void insertion_data()
    {
        QTest::addColumn<ContentInsertion>("insertion");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caretBack");
        const auto row = [](const char *name, const ContentInsertion &insertion,
                            const QString &text, int caretBack) {
            QTest::newRow(name) << insertion << text << caretBack;
        };
        row("bold empty", WrapInTag("b", {}), "<b></b>", 4);
        row("bold selection", WrapInTag("b", "abc"), "<b>abc</b>", 0);
        row("italic", WrapInTag("i", {}), "<i></i>", 4);
        row("quote", WrapInTag("blockquote", "引用"), "<blockquote>引用</blockquote>", 0);
        row("center", AlignBlock("center", {}), "<div align=\"center\"></div>", 6);
        row("right", AlignBlock("right", "x"), "<div align=\"right\">x</div>", 0);
        row("list xhtml", ListBlock(Markup::Xhtml, {}), "<ul>\r\n<li></li>\r\n</ul>", 12);
        row("list html", ListBlock(Markup::Html, "a"), "<ul>\r\n<li>a\r\n</ul>", 0);
        row("link new window", LinkInsertion(link("http://a.jp/", true), {}),
            "<a href=\"http://a.jp/\" target=\"_blank\"></a>", 4);
        row("link same window", LinkInsertion(link("http://a.jp/", false), "ここ"),
            "<a href=\"http://a.jp/\">ここ</a>", 0);
        row("link quote escaped", LinkInsertion(link("a\"b", false), {}),
            "<a href=\"a&quot;b\"></a>", 4);
        row("image xhtml", ImageInsertion(image("p.png", {}, 0, 0), Markup::Xhtml),
            "<img src=\"p.png\" border=0 />", 0);
        row("image html right", ImageInsertion(image("p.png", {}, 2, 2), Markup::Html),
            "<img src=\"p.png\" border=2 align=\"right\">", 0);
        row("image alt left, quote escaped",
            ImageInsertion(image("p.png", "a \"b\"", 1, 1), Markup::Xhtml),
            "<img src=\"p.png\" border=1 alt=\"a &quot;b&quot;\" align=\"left\" />", 0);
    }
    void insertion()
    {
        QFETCH(ContentInsertion, insertion);
        QFETCH(QString, text);
        QFETCH(int, caretBack);
        QCOMPARE(insertion.text, text);
        QCOMPARE(insertion.caretBack, caretBack);
    }

    void escapeButtons_data()
    {
        QTest::addColumn<EscapeButton>("button");
        QTest::addColumn<QString>("entity");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("entityHtml");
        QTest::newRow("<") << EscapeButton::Left << "&lt;"
                           << "<"
                           << "&lt;";
        QTest::newRow(">") << EscapeButton::Right << "&gt;"
                           << ">"
                           << "&gt;";
        QTest::newRow("&") << EscapeButton::Amp << "&amp;"
                           << "&"
                           << "&amp;";
        QTest::newRow("space") << EscapeButton::Space << "&nbsp;"
                               << " "
                               << "&nbsp;";
        QTest::newRow("break") << EscapeButton::Break << "<br />"
                               << "\r\n"
                               << "<br>";
    }
    void escapeButtons()
    {
        QFETCH(EscapeButton, button);
        QFETCH(QString, entity);
        QFETCH(QString, plain);
        QFETCH(QString, entityHtml);
        QCOMPARE(EscapeText(button, false, Markup::Xhtml), entity);
        QCOMPARE(EscapeText(button, true, Markup::Xhtml), plain);
        QCOMPARE(EscapeText(button, false, Markup::Html), entityHtml);
    }

    void escapeLockKeys_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("lock");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<QString>("inserted"); // "-": typed normally
        QTest::newRow("< locked") << QChar('<') << true << false << false << "&lt;";
        QTest::newRow("space locked") << QChar(' ') << true << false << false << "&nbsp;";
        QTest::newRow("< unlocked") << QChar('<') << false << false << false << "-";
        QTest::newRow("letter locked") << QChar('a') << true << false << false << "-";
        QTest::newRow("enter unlocked") << QChar('\r') << false << false << false << "-";
        QTest::newRow("shift+enter unlocked") << QChar('\r') << false << true << false << "<br />";
        QTest::newRow("ctrl+enter unlocked") << QChar('\n') << false << false << true << "<br />";
        QTest::newRow("enter locked") << QChar('\r') << true << false << false << "<br />";
        QTest::newRow("shift+enter locked") << QChar('\r') << true << true << false << "\r\n";
    }
    void escapeLockKeys()
    {
        QFETCH(QChar, key);
        QFETCH(bool, lock);
        QFETCH(bool, shift);
        QFETCH(bool, ctrl);
        QFETCH(QString, inserted);
        QCOMPARE(EscapeLockKey(key, lock, shift, ctrl, Markup::Xhtml).value_or("-"), inserted);
    }

    void candidates()
    {
        ChannelSettings channel;
        channel.root = "http://a.jp/";
        channel.link = "http://a.jp/";
        channel.logosrc = "http://a.jp/logo.png";
        QCOMPARE(CandidateAddresses(channel),
                 (QStringList{"http://a.jp/", "http://a.jp/logo.png"}));
    }
};

QTEST_GUILESS_MAIN(TestContentCommands)
#include "tst_contentcommands.moc"
