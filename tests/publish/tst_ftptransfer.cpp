#include "publish/curlftpclient.h"
#include "publish/ftpnames.h"
#include "publish/ftpsession.h"
#include "publish/socketftpclient.h"
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

    FtpTemplate ftpTemplate(bool useWinInet, bool passive) const
    {
        FtpTemplate t = m_server.ftpTemplate();
        t.passive = passive;
        t.useWinInet = useWinInet;
        return t;
    }
    QString local(const QString &path) const { return m_root.filePath(path); }

    static void clientColumns()
    {
        QTest::addColumn<bool>("useWinInet");
        QTest::addColumn<bool>("passive");
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
        QFETCH(bool, useWinInet);
        QFETCH(bool, passive);
        const QString folder = u"pub/日本語 フォルダ"_s;
        const QString name = u"feed %1 %2.xml"_s.arg(useWinInet).arg(passive);
        const QByteArray page = textWithoutCr();

        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        QVERIFY2(session->open(ftpTemplate(useWinInet, passive), RemoteUploadDirectory(folder)),
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

        CurlFtpClient curlClient;
        QVERIFY(curlClient.open());
        curlClient.Address = u"ftp://127.0.0.1"_s;
        curlClient.Port = m_server.port();
        curlClient.UserName = User;
        curlClient.Password = Password;
        curlClient.Passive = passive;
        QVERIFY2(curlClient.setActive(true), qPrintable(curlClient.errorText()));
        QVERIFY2(curlClient.setCurrentDirectory(u"/pub"_s), qPrintable(curlClient.errorText()));
        QVERIFY2(curlClient.put(bytes, u"curl.bin"_s), qPrintable(curlClient.errorText()));
        curlClient.close();
        QCOMPARE(testfiles::readAll(local(u"pub/curl.bin"_s)), bytes);

        SocketFtpClient socketClient;
        socketClient.Host = u"127.0.0.1"_s;
        socketClient.Port = m_server.port();
        socketClient.UserID = User;
        socketClient.Password = Password;
        socketClient.Passive = passive;
        QBuffer source;
        source.setData(bytes);
        QVERIFY2(socketClient.Connect(), qPrintable(socketClient.errorText()));
        QVERIFY(socketClient.Connected());
        QVERIFY2(socketClient.Mode(SocketFtpClient::TransferMode::Image),
                 qPrintable(socketClient.errorText()));
        QVERIFY2(socketClient.ChangeDir(u"/pub"_s), qPrintable(socketClient.errorText()));
        QVERIFY2(socketClient.Upload(source, u"socket.bin"_s),
                 qPrintable(socketClient.errorText()));
        QTemporaryDir localDir;
        QFile file(localDir.filePath(u"local.bin"_s));
        testfiles::writeAll(file.fileName(), bytes);
        QVERIFY2(socketClient.Upload(file, QString()), qPrintable(socketClient.errorText()));
        QVERIFY(socketClient.Disconnect());
        QVERIFY(!socketClient.Connected());
        QCOMPARE(testfiles::readAll(local(u"pub/socket.bin"_s)), bytes);
        QCOMPARE(testfiles::readAll(local(u"pub/local.bin"_s)), bytes);
    }

    void missingFolderFails_data() { clientColumns(); }
    void missingFolderFails()
    {
        QFETCH(bool, useWinInet);
        QFETCH(bool, passive);
        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        QVERIFY(!session->open(ftpTemplate(useWinInet, passive), u"/pub/missing"_s));
        if (useWinInet)
            QCOMPARE(session->errorText(), u"カレントディレクトリを設定できません"_s);
        else
            QVERIFY2(session->errorText().startsWith(u"550"_s), qPrintable(session->errorText()));
        session->close();
        QVERIFY(!QFileInfo::exists(local(u"pub/missing"_s)));
    }

    void wrongPasswordFails_data() { clientColumns(); }
    void wrongPasswordFails()
    {
        QFETCH(bool, useWinInet);
        QFETCH(bool, passive);
        FtpTemplate t = ftpTemplate(useWinInet, passive);
        t.password = u"wrong"_s;
        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        QVERIFY(!session->open(t, u"/pub"_s));
        if (useWinInet)
            QCOMPARE(session->errorText(), u"指定されたホストに接続できませんでした。"_s);
        else
            QVERIFY2(session->errorText().startsWith(u"530"_s), qPrintable(session->errorText()));
        session->close();
    }

    void lineBreaksAreNeverSent_data()
    {
        QTest::addColumn<bool>("useWinInet");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("user");
        const QString injected = u"\r\nDELE /pub/keep.txt"_s;
        for (const bool useWinInet : {true, false}) {
            const char *client = useWinInet ? "libcurl" : "socket";
            QTest::addRow("%s, name", client)
                << useWinInet << u"/pub"_s << (u"a.xml"_s + injected) << User;
            QTest::addRow("%s, name with LF only", client)
                << useWinInet << u"/pub"_s << u"a.xml\nDELE /pub/keep.txt"_s << User;
            QTest::addRow("%s, folder", client)
                << useWinInet << (u"/pub"_s + injected) << u"a.xml"_s << User;
            QTest::addRow("%s, user", client)
                << useWinInet << u"/pub"_s << u"a.xml"_s << (User + injected);
        }
    }
    void lineBreaksAreNeverSent()
    {
        QFETCH(bool, useWinInet);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, user);
        FtpTemplate t = ftpTemplate(useWinInet, true);
        t.user = user;
        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        const bool sent = session->open(t, folder) && session->send("x", name);
        session->close();
        QVERIFY(!sent);
        QVERIFY(!session->errorText().isEmpty());
        QCOMPARE(testfiles::readAll(local(u"pub/keep.txt"_s)), QByteArray("keep"));
        QVERIFY(!QFileInfo::exists(local(u"pub/a.xml"_s)));
    }

    void connectionRefusedFails_data() { clientColumns(); }
    void connectionRefusedFails()
    {
        QFETCH(bool, useWinInet);
        QFETCH(bool, passive);
        FtpTemplate t = ftpTemplate(useWinInet, passive);
        t.port = 1; // nothing listens there
        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        QVERIFY(!session->open(t, u"/pub"_s));
        QVERIFY(!session->errorText().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFtpTransfer)
#include "tst_ftptransfer.moc"
