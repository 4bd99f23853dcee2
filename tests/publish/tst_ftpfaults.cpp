#include "core/publish/curlftpclient.h"
#include "core/publish/ftpreplyreader.h"
#include "core/publish/ftpsession.h"
#include "core/publish/socketftpclient.h"
#include "datarows.h"
#include "scriptedftpserver.h"

#include <QElapsedTimer>
#include <QTest>

using namespace Qt::StringLiterals;

using Fault = ScriptedFtpServer::Fault;
using Replies = QMap<QByteArray, QByteArray>;

namespace {

FtpTemplate scriptedTemplate(const ScriptedFtpServer &server, bool useCurlClient, int timeout = 5)
{
    return {{}, u"127.0.0.1"_s, u"user"_s, u"pass"_s, timeout, server.port(), true, useCurlClient};
}

// Opens a session, sends one file and closes; the error text of the first
// failing step, empty when everything worked.
QString uploadOnce(const FtpTemplate &t, const QByteArray &content)
{
    std::unique_ptr<FtpSession> session = CreateFtpSession(t);
    const bool ok = session->open(t, u"/pub"_s) && session->send(content, u"feed.xml"_s);
    const QString error = ok ? QString() : session->errorText();
    session->close();
    return ok ? QString() : (error.isEmpty() ? u"failed without a text"_s : error);
}

void clientColumn()
{
    QTest::addColumn<bool>("useCurlClient");
    QTest::newRow("libcurl") << true;
    QTest::newRow("socket") << false;
}

QByteArray lines(int count, const QByteArray &code)
{
    QByteArray text = code + "-first\r\n";
    for (int i = 2; i < count; ++i)
        text += " line " + QByteArray::number(i) + "\r\n";
    return text + code + " last\r\n";
}

} // namespace

// FTP replies as the clients read them, and servers that misbehave.
class TestFtpFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dataGoesToTheControlHost_data() { clientColumn(); }
    void dataGoesToTheControlHost()
    {
        // The passive reply names 10.0.0.5; only its port may be used.
        QFETCH(bool, useCurlClient);
        ScriptedFtpServer server;
        const QByteArray content(100000, 'r');
        QCOMPARE(uploadOnce(scriptedTemplate(server, useCurlClient), content), QString());
        QCOMPARE(server.stored(), content);
        // Stored beside the live file, then renamed over it.
        const QByteArrayList commands = server.commands();
        QVERIFY(commands.contains("STOR .feed.xml.brisklet-part"));
        QVERIFY(std::any_of(commands.begin(), commands.end(), [](const QByteArray &c) {
            return c.startsWith("RNTO") && c.endsWith("feed.xml");
        }));
    }

    void silentServerEndsWithinTheTimeout_data() { clientColumn(); }
    void silentServerEndsWithinTheTimeout()
    {
        QFETCH(bool, useCurlClient);
        ScriptedFtpServer server(Fault::Silent);
        const int timeout = 2;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!uploadOnce(scriptedTemplate(server, useCurlClient, timeout), "x").isEmpty());
        // A hang check, not a measurement: the bound is generous.
        QVERIFY2(clock.elapsed() < timeout * 1000 + 15000,
                 qPrintable(QString::number(clock.elapsed())));
    }

    void droppedTransferFails_data() { clientColumn(); }
    void droppedTransferFails()
    {
        QFETCH(bool, useCurlClient);
        ScriptedFtpServer server(Fault::DropDuringTransfer);
        const QString error =
            uploadOnce(scriptedTemplate(server, useCurlClient), QByteArray(8 * 1024 * 1024, 'd'));
        QVERIFY(!error.isEmpty());
        if (useCurlClient)
            QVERIFY2(error.startsWith(u"アップロード中にエラーが発生しました。"_s),
                     qPrintable(error));
    }

    void serverReplies_data()
    {
        // error: the start of the error text
        Columns<bool, Replies, bool, QString>("useCurlClient", "replies", "succeeds", "error");

        // The error texts of libcurl and the socket client.
        const auto row = [](const char *name, const Replies &replies, const QString &curlError,
                            const QString &socketError) {
            QTest::addRow("libcurl: %s", name)
                << true << replies << curlError.isEmpty() << curlError;
            QTest::addRow("socket: %s", name)
                << false << replies << socketError.isEmpty() << socketError;
        };
        row("greeting over several lines",
            {{"GREETING", "220-Welcome\r\n to the test\r\n220 ready"}}, {}, {});
        row("refused at the greeting", {{"GREETING", "421 too many users"}},
            u"指定されたホストに接続できませんでした。"_s, u"421 too many users"_s);
        row("file refused", {{"STOR", "553 not allowed"}}, u"ファイルにアクセスできません。"_s,
            u"553 not allowed"_s);
        row("transfer reported as failed", {{"STORED", "452 disk full"}},
            u"アップロード中にエラーが発生しました。"_s, u"452 disk full"_s);
        row("passive reply without a port", {{"PASV", "227 no numbers here"}},
            u"ファイルにアクセスできません。"_s, u"227 no numbers here"_s);
        QTest::newRow("socket: greeting line over 4 KB")
            << false << Replies{{"GREETING", "220 " + QByteArray(5000, 'x')}} << false
            << u"サーバーの応答行が4096バイトを超えています。"_s;
        QByteArray longReply = "220-many lines\r\n";
        for (int i = 0; i < 600; ++i)
            longReply += " line\r\n";
        QTest::newRow("socket: greeting of 600 lines")
            << false << Replies{{"GREETING", longReply + "220 end"}} << false
            << u"サーバーの応答が500行を超えています。"_s;
        // The same bounds end the run when a later reply breaks them.
        QTest::newRow("socket: passive reply line over 4 KB")
            << false << Replies{{"PASV", "227 (127,0,0,1," + QByteArray(5000, '1') + ")"}} << false
            << u"サーバーの応答行が4096バイトを超えています。"_s;
        QTest::newRow("socket: folder reply of 600 lines")
            << false << Replies{{"CWD", longReply.replace("220", "250") + "250 end"}} << false
            << u"サーバーの応答が500行を超えています。"_s;
    }
    void serverReplies()
    {
        const auto [useCurlClient, replies, succeeds, error] =
            Fetch<bool, Replies, bool, QString>("useCurlClient", "replies", "succeeds", "error");
        ScriptedFtpServer server(Fault::None, replies);
        const QString result = uploadOnce(scriptedTemplate(server, useCurlClient), "<rss/>");
        QCOMPARE(result.isEmpty(), succeeds);
        QVERIFY2(result.startsWith(error), qPrintable(result));
        if (succeeds)
            QCOMPARE(server.stored(), QByteArray("<rss/>"));
    }

    void loginWithoutPasswordSendsNoPass()
    {
        ScriptedFtpServer server(Fault::None, Replies{{"USER", "230 no password needed"}});
        QCOMPARE(uploadOnce(scriptedTemplate(server, false), "x"), QString());
        const QByteArrayList commands = server.commands();
        QCOMPARE(commands.mid(0, 4), (QByteArrayList{"USER user", "TYPE A", "CWD /pub", "PASV"}));
        QVERIFY(!commands.contains("PASS pass"));
    }

    void curlClientChecksItsState()
    {
        CurlFtpClient ftp;
        QVERIFY(!ftp.setConnectTimeout(1000));
        QCOMPARE(ftp.errorText(), u"WinInetが初期化されていません。"_s);
        QVERIFY(!ftp.store("x", u"a.xml"_s));
        QCOMPARE(ftp.errorText(), u"WinInetが初期化されていません。"_s);
        QVERIFY(ftp.open());
        QVERIFY(ftp.setReceiveTimeout(1000));
        QVERIFY(!ftp.store("x", u"a.xml"_s));
        QCOMPARE(ftp.errorText(), u"接続されていません。"_s);
        QVERIFY(!ftp.changeDirectory(u"/pub"_s));
        QCOMPARE(ftp.errorText(), u"カレントディレクトリを設定できません"_s);
    }

    void passiveReplyPort_data()
    {
        Columns<QString, int>("reply", "port");
        QTest::newRow("usual") << u"227 Entering Passive Mode (10,0,0,5,4,1)"_s << 1025;
        QTest::newRow("no closing parenthesis") << u"227 (127,0,0,1,195,80"_s << 50000;
        QTest::newRow("spaces") << u"227 ok (1, 2, 3, 4, 0, 21)."_s << 21;
        QTest::newRow("too few fields") << u"227 (1,2,3,4)"_s << 0;
        QTest::newRow("field over 255") << u"227 (1,2,3,4,256,1)"_s << 0;
        QTest::newRow("not a number") << u"227 (1,2,3,4,x,1)"_s << 0;
    }
    void passiveReplyPort()
    {
        QFETCH(QString, reply);
        QTEST(int(PassiveReplyPort(reply)), "port");
    }

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

QTEST_GUILESS_MAIN(TestFtpFaults)
#include "tst_ftpfaults.moc"
