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
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<bool>("failed");

        QTest::newRow("one line") << QByteArray("220 ready\r\n") << QList<int>{220}
                                  << QStringLiteral("220 ready") << false;
        QTest::newRow("code only")
            << QByteArray("200\r\n") << QList<int>{200} << QStringLiteral("200") << false;
        QTest::newRow("LF only") << QByteArray("230 in\n") << QList<int>{230}
                                 << QStringLiteral("230 in") << false;
        QTest::newRow("multi-line")
            << QByteArray("220-Welcome\r\n to the server\r\n220-still\r\n220 ready\r\n")
            << QList<int>{220}
            << QStringLiteral("220-Welcome\n to the server\n220-still\n220 ready") << false;
        QTest::newRow("other code inside a multi-line reply")
            << QByteArray("211-Features\r\n230 not the end\r\n211 End\r\n") << QList<int>{211}
            << QStringLiteral("211-Features\n230 not the end\n211 End") << false;
        QTest::newRow("two replies and a partial one")
            << QByteArray("331 pass\r\n230 ok\r\n250 cw") << QList<int>{331, 230}
            << QStringLiteral("331 pass") << false;
        QTest::newRow("blank lines between replies")
            << QByteArray("\r\n331 pass\r\n\r\n230 ok\r\n") << QList<int>{331, 230}
            << QStringLiteral("331 pass") << false;
        QTest::newRow("incomplete multi-line")
            << QByteArray("220-a\r\n b\r\n") << QList<int>{} << QString() << false;
        QTest::newRow("longest line")
            << (QByteArray("200 ") + QByteArray(4092, 'x') + "\r\n") << QList<int>{200}
            << (QStringLiteral("200 ") + QString(4092, QLatin1Char('x'))) << false;
        QTest::newRow("line over 4 KB") << (QByteArray("200 ") + QByteArray(4093, 'x') + "\r\n")
                                        << QList<int>{} << QString() << true;
        QTest::newRow("4 KB without line end")
            << (QByteArray("200 ") + QByteArray(4094, 'x')) << QList<int>{} << QString() << true;
        QTest::newRow("500 lines")
            << lines(500, "220") << QList<int>{220}
            << QString::fromLatin1(lines(500, "220").replace("\r\n", "\n").chopped(1)) << false;
        QTest::newRow("501 lines") << lines(501, "220") << QList<int>{} << QString() << true;
        QTest::newRow("no code") << QByteArray("hello\r\n") << QList<int>{} << QString() << true;
        QTest::newRow("code out of range")
            << QByteArray("600 what\r\n") << QList<int>{} << QString() << true;
        QTest::newRow("code glued to text")
            << QByteArray("220ready\r\n") << QList<int>{} << QString() << true;
        QTest::newRow("a good reply before a bad one")
            << QByteArray("200 ok\r\nbad\r\n") << QList<int>{200} << QStringLiteral("200 ok")
            << true;
    }
    void replies()
    {
        QFETCH(QByteArray, input);
        QFETCH(bool, failed);

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
