#include "publish/ftpnames.h"
#include "publish/ftpsession.h"
#include "publish/nmftp.h"
#include "publish/winftp.h"
#include "pyftpdserver.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString User = QStringLiteral("brisk");
const QString Password = QStringLiteral("s3cret pass");

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
    return QStringLiteral("<title>日本語のフィード</title>\n").toUtf8() + bytes;
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
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("pub/日本語 フォルダ")));
        testfiles::writeAll(local(QStringLiteral("pub/keep.txt")), "keep");
        QVERIFY2(m_server.start(m_root.path(), User, Password), qPrintable(m_server.failure()));
    }

    void uploadsIntoFolder_data() { clientColumns(); }
    void uploadsIntoFolder()
    {
        QFETCH(bool, useWinInet);
        QFETCH(bool, passive);
        const QString folder = QStringLiteral("pub/日本語 フォルダ");
        const QString name = QStringLiteral("feed %1 %2.xml").arg(useWinInet).arg(passive);
        const QByteArray page = textWithoutCr();

        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        QVERIFY2(session->open(ftpTemplate(useWinInet, passive), RemoteUploadDirectory(folder)),
                 qPrintable(session->errorText()));
        QVERIFY2(session->send(page, QStringLiteral("page.html")),
                 qPrintable(session->errorText()));
        QVERIFY2(session->send(QByteArray(), name), qPrintable(session->errorText()));
        session->close();

        QCOMPARE(testfiles::readAll(local(folder + QStringLiteral("/page.html"))), page);
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

        TWinFTP curlClient;
        QVERIFY(curlClient.open());
        curlClient.Address = QStringLiteral("ftp://127.0.0.1");
        curlClient.Port = m_server.port();
        curlClient.UserName = User;
        curlClient.Password = Password;
        curlClient.Passive = passive;
        QVERIFY2(curlClient.setActive(true), qPrintable(curlClient.errorText()));
        QVERIFY2(curlClient.setCurrentDirectory(QStringLiteral("/pub")),
                 qPrintable(curlClient.errorText()));
        QVERIFY2(curlClient.put(bytes, QStringLiteral("curl.bin")),
                 qPrintable(curlClient.errorText()));
        curlClient.close();
        QCOMPARE(testfiles::readAll(local(QStringLiteral("pub/curl.bin"))), bytes);

        TNMFTP socketClient;
        socketClient.Host = QStringLiteral("127.0.0.1");
        socketClient.Port = m_server.port();
        socketClient.UserID = User;
        socketClient.Password = Password;
        socketClient.Passive = passive;
        QBuffer source;
        source.setData(bytes);
        QVERIFY2(socketClient.Connect(), qPrintable(socketClient.errorText()));
        QVERIFY(socketClient.Connected());
        QVERIFY2(socketClient.Mode(TNMFTP::TransferMode::Image),
                 qPrintable(socketClient.errorText()));
        QVERIFY2(socketClient.ChangeDir(QStringLiteral("/pub")),
                 qPrintable(socketClient.errorText()));
        QVERIFY2(socketClient.Upload(source, QStringLiteral("socket.bin")),
                 qPrintable(socketClient.errorText()));
        QTemporaryDir localDir;
        QFile file(localDir.filePath(QStringLiteral("local.bin")));
        testfiles::writeAll(file.fileName(), bytes);
        QVERIFY2(socketClient.Upload(file, QString()), qPrintable(socketClient.errorText()));
        QVERIFY(socketClient.Disconnect());
        QVERIFY(!socketClient.Connected());
        QCOMPARE(testfiles::readAll(local(QStringLiteral("pub/socket.bin"))), bytes);
        QCOMPARE(testfiles::readAll(local(QStringLiteral("pub/local.bin"))), bytes);
    }

    void missingFolderFails_data() { clientColumns(); }
    void missingFolderFails()
    {
        QFETCH(bool, useWinInet);
        QFETCH(bool, passive);
        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        QVERIFY(!session->open(ftpTemplate(useWinInet, passive), QStringLiteral("/pub/missing")));
        if (useWinInet)
            QCOMPARE(session->errorText(), QStringLiteral("カレントディレクトリを設定できません"));
        else
            QVERIFY2(session->errorText().startsWith(QStringLiteral("550")),
                     qPrintable(session->errorText()));
        session->close();
        QVERIFY(!QFileInfo::exists(local(QStringLiteral("pub/missing"))));
    }

    void wrongPasswordFails_data() { clientColumns(); }
    void wrongPasswordFails()
    {
        QFETCH(bool, useWinInet);
        QFETCH(bool, passive);
        FtpTemplate t = ftpTemplate(useWinInet, passive);
        t.password = QStringLiteral("wrong");
        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        QVERIFY(!session->open(t, QStringLiteral("/pub")));
        if (useWinInet)
            QCOMPARE(session->errorText(),
                     QStringLiteral("指定されたホストに接続できませんでした。"));
        else
            QVERIFY2(session->errorText().startsWith(QStringLiteral("530")),
                     qPrintable(session->errorText()));
        session->close();
    }

    void lineBreaksAreNeverSent_data()
    {
        QTest::addColumn<bool>("useWinInet");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("user");
        const QString injected = QStringLiteral("\r\nDELE /pub/keep.txt");
        for (const bool useWinInet : {true, false}) {
            const char *client = useWinInet ? "libcurl" : "socket";
            QTest::addRow("%s, name", client) << useWinInet << QStringLiteral("/pub")
                                              << (QStringLiteral("a.xml") + injected) << User;
            QTest::addRow("%s, name with LF only", client)
                << useWinInet << QStringLiteral("/pub")
                << QStringLiteral("a.xml\nDELE /pub/keep.txt") << User;
            QTest::addRow("%s, folder", client) << useWinInet << (QStringLiteral("/pub") + injected)
                                                << QStringLiteral("a.xml") << User;
            QTest::addRow("%s, user", client) << useWinInet << QStringLiteral("/pub")
                                              << QStringLiteral("a.xml") << (User + injected);
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
        QCOMPARE(testfiles::readAll(local(QStringLiteral("pub/keep.txt"))), QByteArray("keep"));
        QVERIFY(!QFileInfo::exists(local(QStringLiteral("pub/a.xml"))));
    }

    void connectionRefusedFails_data() { clientColumns(); }
    void connectionRefusedFails()
    {
        QFETCH(bool, useWinInet);
        QFETCH(bool, passive);
        FtpTemplate t = ftpTemplate(useWinInet, passive);
        t.port = 1; // nothing listens there
        std::unique_ptr<FtpSession> session = CreateFtpSession(useWinInet);
        QVERIFY(!session->open(t, QStringLiteral("/pub")));
        QVERIFY(!session->errorText().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFtpTransfer)
#include "tst_ftptransfer.moc"
