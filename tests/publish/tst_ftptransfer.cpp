#include "core/publish/curlftpclient.h"
#include "core/publish/ftpnames.h"
#include "core/publish/ftpsession.h"
#include "core/publish/socketftpclient.h"
#include "datarows.h"
#include "pyftpdserver.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString User = u"brisk"_s;
const QString Password = u"s3cret pass"_s;

// Every byte value, over several chunks of either client.
QByteArray allBytes(int repeat)
{
    QByteArray bytes;
    for (int i = 0; i < repeat; ++i) {
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
    }
    return bytes;
}

// The socket client sends text files as text, so a server may turn CR LF
// into its own line ends; without CR the bytes arrive as they are.
QByteArray textWithoutCr()
{
    QByteArray bytes = allBytes(200);
    bytes.replace('\r', "");
    return u"<title>日本語のフィード</title>\n"_s.toUtf8() + bytes;
}

} // namespace

class TestFtpTransfer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    PyFtpdServer m_server;

    FtpTemplate ftpTemplate(bool useCurlClient, bool passive) const
    {
        FtpTemplate t = m_server.ftpTemplate();
        t.passive = passive;
        t.useCurlClient = useCurlClient;
        return t;
    }
    QString local(const QString &path) const { return m_root.filePath(path); }

    static void clientColumns()
    {
        Columns<bool, bool>("useCurlClient", "passive");
        QTest::newRow("libcurl passive") << true << true;
        QTest::newRow("libcurl active") << true << false;
        QTest::newRow("socket passive") << false << true;
        QTest::newRow("socket active") << false << false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(u"pub/日本語 フォルダ"_s));
        testfiles::writeAll(local(u"pub/keep.txt"_s), "keep");
        QVERIFY2(m_server.start(m_root.path(), User, Password), qPrintable(m_server.failure()));
    }

    void uploadsIntoFolder_data() { clientColumns(); }
    void uploadsIntoFolder()
    {
        const auto [useCurlClient, passive] = Fetch<bool, bool>("useCurlClient", "passive");
        const QString folder = u"pub/日本語 フォルダ"_s;
        const QString name = u"feed %1 %2.xml"_s.arg(useCurlClient).arg(passive);
        const QByteArray page = textWithoutCr();

        std::unique_ptr<FtpSession> session =
            CreateFtpSession(FtpTemplate{.useCurlClient = useCurlClient});
        QVERIFY2(session->open(ftpTemplate(useCurlClient, passive), RemoteUploadDirectory(folder)),
                 qPrintable(session->errorText()));
        QVERIFY2(session->send(page, u"page.html"_s), qPrintable(session->errorText()));
        QVERIFY2(session->send(QByteArray(), name), qPrintable(session->errorText()));
        session->close();

        QCOMPARE(testfiles::readAll(local(folder + u"/page.html"_s)), page);
        QCOMPARE(testfiles::readAll(local(folder + QLatin1Char('/') + name)), QByteArray());
    }

    void binaryBytesArriveUnchanged_data()
    {
        QTest::addColumn<bool>("passive");
        QTest::newRow("passive") << true;
        QTest::newRow("active") << false;
    }
    void binaryBytesArriveUnchanged()
    {
        QFETCH(bool, passive);
        const QByteArray bytes = allBytes(300) + "\r\nend\r\n";

        CurlFtpClient curl;
        QVERIFY(curl.open());
        curl.host = u"ftp://127.0.0.1"_s;
        curl.port = m_server.port();
        curl.userName = User;
        curl.password = Password;
        curl.passive = passive;
        QVERIFY2(curl.login() && curl.changeDirectory(u"/pub"_s) &&
                     curl.store(bytes, u"curl.bin"_s),
                 qPrintable(curl.errorText()));
        curl.close();
        QCOMPARE(testfiles::readAll(local(u"pub/curl.bin"_s)), bytes);

        SocketFtpClient socket;
        socket.host = u"127.0.0.1"_s;
        socket.port = m_server.port();
        socket.userName = User;
        socket.password = Password;
        socket.passive = passive;
        QBuffer source;
        source.setData(bytes);
        QTemporaryDir localDir;
        QFile file(localDir.filePath(u"local.bin"_s));
        testfiles::writeAll(file.fileName(), bytes);
        QVERIFY2(socket.login() && socket.isConnected(), qPrintable(socket.errorText()));
        QVERIFY2(socket.setTransferMode(FtpTransferMode::Binary) &&
                     socket.changeDirectory(u"/pub"_s) && socket.store(source, u"socket.bin"_s) &&
                     socket.store(file, QString()),
                 qPrintable(socket.errorText()));
        QVERIFY(socket.logout());
        QVERIFY(!socket.isConnected());
        QCOMPARE(testfiles::readAll(local(u"pub/socket.bin"_s)), bytes);
        QCOMPARE(testfiles::readAll(local(u"pub/local.bin"_s)), bytes);
    }

    // A missing folder, a wrong password and a port nobody listens on each
    // end the session with the client's text and the server's reply.
    void failuresAreTold_data() { clientColumns(); }
    void failuresAreTold()
    {
        QFETCH(bool, useCurlClient);
        QFETCH(bool, passive);
        const auto openError = [useCurlClient](const FtpTemplate &t, const QString &folder) {
            std::unique_ptr<FtpSession> session =
                CreateFtpSession(FtpTemplate{.useCurlClient = useCurlClient});
            const bool opened = session->open(t, folder);
            const QString text = session->errorText();
            session->close();
            return opened ? u"opened"_s : text.isEmpty() ? u"no text"_s : text;
        };
        FtpTemplate t = ftpTemplate(useCurlClient, passive);
        const QString missing = openError(t, u"/pub/missing"_s);
        QVERIFY2(
            useCurlClient
                ? missing ==
                      u"カレントディレクトリを設定できません（550 No such file or directory.）"_s
                : missing.startsWith(u"550"_s),
            qPrintable(missing));
        QVERIFY(!QFileInfo::exists(local(u"pub/missing"_s)));
        t.password = u"wrong"_s;
        const QString refused = openError(t, u"/pub"_s);
        QVERIFY2(useCurlClient
                     ? refused.startsWith(u"指定されたホストに接続できませんでした。（530"_s)
                     : refused.startsWith(u"530"_s),
                 qPrintable(refused));
        t = ftpTemplate(useCurlClient, passive);
        t.port = 1;
        QVERIFY(openError(t, u"/pub"_s) != u"opened"_s);
    }

    void lineBreaksAreNeverSent_data()
    {
        Columns<bool, QString, QString, QString>("useCurlClient", "folder", "name", "user");
        const QString injected = u"\r\nDELE /pub/keep.txt"_s;
        for (const bool useCurlClient : {true, false}) {
            const char *client = useCurlClient ? "libcurl" : "socket";
            QTest::addRow("%s, name", client)
                << useCurlClient << u"/pub"_s << (u"a.xml"_s + injected) << User;
            QTest::addRow("%s, name with LF only", client)
                << useCurlClient << u"/pub"_s << u"a.xml\nDELE /pub/keep.txt"_s << User;
            QTest::addRow("%s, folder", client)
                << useCurlClient << (u"/pub"_s + injected) << u"a.xml"_s << User;
            QTest::addRow("%s, user", client)
                << useCurlClient << u"/pub"_s << u"a.xml"_s << (User + injected);
        }
    }
    void lineBreaksAreNeverSent()
    {
        const auto [useCurlClient, folder, name, user] =
            Fetch<bool, QString, QString, QString>("useCurlClient", "folder", "name", "user");
        FtpTemplate t = ftpTemplate(useCurlClient, true);
        t.user = user;
        std::unique_ptr<FtpSession> session =
            CreateFtpSession(FtpTemplate{.useCurlClient = useCurlClient});
        const bool sent = session->open(t, folder) && session->send("x", name);
        session->close();
        QVERIFY(!sent);
        QVERIFY(!session->errorText().isEmpty());
        QCOMPARE(testfiles::readAll(local(u"pub/keep.txt"_s)), QByteArray("keep"));
        QVERIFY(!QFileInfo::exists(local(u"pub/a.xml"_s)));
    }
};

QTEST_GUILESS_MAIN(TestFtpTransfer)
#include "tst_ftptransfer.moc"
