#include "datarows.h"
#include "publish/ftpreplyreader.h"

#include <QTest>

namespace {

QByteArray lines(int count, const QByteArray &code)
{
    QByteArray text = code + "-first\r\n";
    for (int i = 2; i < count; ++i)
        text += " line " + QByteArray::number(i) + "\r\n";
    return text + code + " last\r\n";
}

} // namespace

class TestFtpReplyReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replies_data()
    {
        Columns<QByteArray, QList<int>, QString, bool>("input", "codes", "firstText", "failed");

        // A failed reading gives no code; firstText is the text of the first reply.
        const auto row = [](const char *name, const QByteArray &input, const QList<int> &codes,
                            const QByteArray &firstText = {}, bool failed = false) {
            QTest::newRow(name) << input << codes << QString::fromLatin1(firstText) << failed;
        };
        row("one line", "220 ready\r\n", {220}, "220 ready");
        row("code only", "200\r\n", {200}, "200");
        row("LF only", "230 in\n", {230}, "230 in");
        row("multi-line", "220-Welcome\r\n to the server\r\n220-still\r\n220 ready\r\n", {220},
            "220-Welcome\n to the server\n220-still\n220 ready");
        row("other code inside a multi-line reply",
            "211-Features\r\n230 not the end\r\n211 End\r\n", {211},
            "211-Features\n230 not the end\n211 End");
        row("two replies and a partial one", "331 pass\r\n230 ok\r\n250 cw", {331, 230},
            "331 pass");
        row("blank lines between replies", "\r\n331 pass\r\n\r\n230 ok\r\n", {331, 230},
            "331 pass");
        row("incomplete multi-line", "220-a\r\n b\r\n", {});
        row("longest line", "200 " + QByteArray(4092, 'x') + "\r\n", {200},
            "200 " + QByteArray(4092, 'x'));
        row("line over 4 KB", "200 " + QByteArray(4093, 'x') + "\r\n", {}, {}, true);
        row("4 KB without line end", "200 " + QByteArray(4094, 'x'), {}, {}, true);
        row("500 lines", lines(500, "220"), {220},
            lines(500, "220").replace("\r\n", "\n").chopped(1));
        row("501 lines", lines(501, "220"), {}, {}, true);
        row("no code", "hello\r\n", {}, {}, true);
        row("code out of range", "600 what\r\n", {}, {}, true);
        row("code glued to text", "220ready\r\n", {}, {}, true);
        row("a good reply before a bad one", "200 ok\r\nbad\r\n", {200}, "200 ok", true);
    }
    void replies()
    {
        const auto [input, failed] = Fetch<QByteArray, bool>("input", "failed");

        // Byte by byte and all at once must read alike.
        for (const bool byteByByte : {false, true}) {
            FtpReplyReader reader;
            QList<int> seen;
            QString text;
            const auto drain = [&] {
                while (std::optional<FtpReply> reply = reader.takeReply()) {
                    if (seen.isEmpty())
                        text = reply->text;
                    seen << reply->code;
                }
            };
            if (byteByByte) {
                for (char c : input) {
                    reader.append(QByteArray(1, c));
                    drain();
                }
            } else {
                reader.append(input);
                drain();
            }
            QTEST(seen, "codes");
            QTEST(text, "firstText");
            QCOMPARE(reader.hasFailed(), failed);
            QCOMPARE(reader.failure().isEmpty(), !failed);
        }
    }

    void failureIsFinal()
    {
        FtpReplyReader reader;
        reader.append("bad\r\n");
        reader.append("200 ok\r\n");
        QVERIFY(!reader.takeReply());
        QVERIFY(reader.hasFailed());
    }
};

QTEST_GUILESS_MAIN(TestFtpReplyReader)
#include "tst_ftpreplyreader.moc"
