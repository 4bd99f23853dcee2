#include "core/publish/ftpsession.h"
#include "core/publish/servertrust.h"
#include "pyftpdserver.h"
#include "scriptserver.h"
#include "testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FtpProtocol)

namespace {

const QString User = u"brisk"_s;
const QString Password = u"s3cret pass"_s;

QByteArray allBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 300; ++i)
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
    return bytes;
}

struct Attempt
{
    bool sent = false;
    QString error;
    TrustQuestion trust;
};

Attempt upload(const FtpTemplate &t, const SessionContext &context, const QByteArray &bytes)
{
    std::unique_ptr<FtpSession> session = CreateFtpSession(t, context);
    Attempt a;
    a.sent = session->open(t, u"/pub"_s) && session->send(bytes, u"feed.xml"_s);
    a.error = session->errorText();
    a.trust = session->trustQuestion();
    session->close();
    return a;
}

} // namespace

// SFTP and FTPS against real servers on 127.0.0.1: what arrives, and whom
// the client trusts.
class TestSecureTransfer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    std::unique_ptr<QTemporaryDir> m_settings; // each case trusts nobody at first
    QString live() const { return m_root.filePath(u"pub/feed.xml"_s); }
    TrustFiles trust() const { return TrustFiles::in(m_settings->path()); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(QDir(m_root.path()).mkpath(u"pub"_s)); }
    void init() { m_settings = std::make_unique<QTemporaryDir>(); }

    void sftpHostKeyIsAskedOnceAndAChangeRefused()
    {
        ScriptServer server(ScriptServer::Kind::Sftp, m_root.path(), User, Password);
        QVERIFY2(server.start(), qPrintable(server.failure()));
        const QByteArray bytes = allBytes();

        Attempt unknown = upload(server.ftpTemplate(), {trust()}, bytes);
        QVERIFY(!unknown.sent);
        QCOMPARE(unknown.trust.kind, TrustQuestion::Kind::UnknownHostKey);
        QVERIFY2(unknown.trust.fingerprint.startsWith(u"SHA256:"_s),
                 qPrintable(unknown.trust.fingerprint));
        QVERIFY(!QFile::exists(live()));

        const Attempt accepted =
            upload(server.ftpTemplate(), {trust(), unknown.trust.fingerprint}, bytes);
        QVERIFY2(accepted.sent, qPrintable(accepted.error));
        QCOMPARE(testfiles::readAll(live()), bytes);
        QVERIFY(!QFile::exists(m_root.filePath(u"pub/.feed.xml.brisklet-part"_s)));

        // Remembered: no question the next time.
        const Attempt again = upload(server.ftpTemplate(), {trust()}, "second");
        QVERIFY2(again.sent, qPrintable(again.error));
        QCOMPARE(testfiles::readAll(live()), QByteArray("second"));

        FtpTemplate wrong = server.ftpTemplate();
        wrong.password = u"wrong"_s;
        const Attempt refused = upload(wrong, {trust()}, "x");
        QVERIFY(!refused.sent);
        QVERIFY2(refused.error.startsWith(u"指定されたホストに接続できませんでした。"_s),
                 qPrintable(refused.error));

        server.forgetIdentity();
        QVERIFY2(server.start(), qPrintable(server.failure()));
        const Attempt changed = upload(server.ftpTemplate(), {trust()}, "evil");
        QVERIFY(!changed.sent);
        QCOMPARE(changed.trust.kind, TrustQuestion::Kind::ChangedHostKey);
        QVERIFY2(changed.error.contains(u"ホスト鍵が以前と変わっています"_s),
                 qPrintable(changed.error));
        QCOMPARE(testfiles::readAll(live()), QByteArray("second"));
    }

    void sftpServerThatNeverOverwritesGetsDeleteThenRename()
    {
        ScriptServer server(ScriptServer::Kind::Sftp, m_root.path(), User, Password);
        QVERIFY2(server.start({u"--no-overwrite-rename"_s}), qPrintable(server.failure()));
        FtpTemplate t = server.ftpTemplate();
        const Attempt first = upload(t, {trust()}, "x");
        QVERIFY(upload(t, {trust(), first.trust.fingerprint}, "one").sent);
        testfiles::writeAll(live(), "old");
        std::unique_ptr<FtpSession> session = CreateFtpSession(t, {trust()});
        QVERIFY(session->open(t, u"/pub"_s));
        QVERIFY2(session->send("new", u"feed.xml"_s), qPrintable(session->errorText()));
        QVERIFY(session->note().contains(u"削除してから名前を変更しました"_s));
        session->close();
        QCOMPARE(testfiles::readAll(live()), QByteArray("new"));
    }

    void ftpsSelfSignedIsRefusedThenAccepted()
    {
        ScriptServer server(ScriptServer::Kind::Ftps, m_root.path(), User, Password);
        QVERIFY2(server.start(), qPrintable(server.failure()));
        testfiles::writeAll(live(), "old");
        const Attempt refused = upload(server.ftpTemplate(), {trust()}, "new");
        QVERIFY(!refused.sent);
        QCOMPARE(refused.trust.kind, TrustQuestion::Kind::UntrustedCertificate);
        QVERIFY2(refused.trust.reason.contains(u"self"_s), qPrintable(refused.trust.reason));
        QCOMPARE(refused.trust.fingerprint.size(), 32 * 3 - 1);
        QCOMPARE(testfiles::readAll(live()), QByteArray("old"));

        // Accepted: remembered by its pin, the upload goes through the
        // protected data channel.
        QVERIFY(RememberCertificate(trust(), refused.trust));
        const QByteArray bytes = allBytes();
        const Attempt accepted = upload(server.ftpTemplate(), {trust()}, bytes);
        QVERIFY2(accepted.sent, qPrintable(accepted.error));
        QCOMPARE(testfiles::readAll(live()), bytes);
        QVERIFY(!QFile::exists(m_root.filePath(u"pub/.feed.xml.brisklet-part"_s)));

        // A new certificate on the same server is asked about again.
        server.forgetIdentity();
        QVERIFY2(server.start(), qPrintable(server.failure()));
        FtpTemplate moved = server.ftpTemplate();
        const Attempt other = upload(moved, {trust()}, "x");
        QVERIFY(!other.sent);
        QCOMPARE(other.trust.kind, TrustQuestion::Kind::UntrustedCertificate);
    }

    void stalledServerEndsWithinTheTimeoutAndLiveFileStays()
    {
        ScriptServer server(ScriptServer::Kind::Sftp, m_root.path(), User, Password);
        QVERIFY2(server.start(), qPrintable(server.failure()));
        FtpTemplate t = server.ftpTemplate();
        t.timeout = 3;
        const Attempt unknown = upload(t, {trust()}, "old");
        const Attempt first = upload(t, {trust(), unknown.trust.fingerprint}, "old");
        QVERIFY2(first.sent, qPrintable(first.error));

        std::unique_ptr<FtpSession> session = CreateFtpSession(t, {trust()});
        QVERIFY(session->open(t, u"/pub"_s));
        server.pause(true);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!session->send(QByteArray(4 * 1024 * 1024, 'n'), u"feed.xml"_s));
        // Ended by the template's time-out (3 s; about 4 s with libcurl's
        // progress calls), not by libcurl's own minute; the bound leaves
        // room for a machine busy with other builds.
        QVERIFY2(clock.elapsed() < t.timeout * 1000 + 10000,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(session->errorText().contains(u"時間内にありませんでした"_s),
                 qPrintable(session->errorText()));
        session->close();
        server.kill();
        QCOMPARE(testfiles::readAll(live()), QByteArray("old"));
        // What the stalled server kept of the new file goes with the next
        // upload, which uses the same temporary name.
        QVERIFY2(server.start(), qPrintable(server.failure()));
        const Attempt next = upload(server.ftpTemplate(), {trust()}, "new");
        QVERIFY2(next.sent, qPrintable(next.error));
        QCOMPARE(testfiles::readAll(live()), QByteArray("new"));
        QVERIFY(!QFile::exists(m_root.filePath(u"pub/.feed.xml.brisklet-part"_s)));
    }

    // A reader fetching the live file in a loop during 50 uploads sees
    // either a whole old version or a whole new one, never part of one.
    void readerNeverSeesAPartialFile_data()
    {
        QTest::addColumn<FtpProtocol>("protocol");
        QTest::addColumn<bool>("useCurlClient");
        QTest::newRow("SFTP") << FtpProtocol::Sftp << true;
        QTest::newRow("FTPS") << FtpProtocol::Ftps << true;
        QTest::newRow("FTP, libcurl") << FtpProtocol::Ftp << true;
        QTest::newRow("FTP, socket client") << FtpProtocol::Ftp << false;
    }
    void readerNeverSeesAPartialFile()
    {
        QFETCH(FtpProtocol, protocol);
        QFETCH(bool, useCurlClient);
        ScriptServer secureServer(protocol == FtpProtocol::Sftp ? ScriptServer::Kind::Sftp
                                                                : ScriptServer::Kind::Ftps,
                                  m_root.path(), User, Password);
        PyFtpdServer ftpServer;
        FtpTemplate t;
        QString key;
        if (protocol == FtpProtocol::Sftp) {
            QVERIFY2(secureServer.start(), qPrintable(secureServer.failure()));
            t = secureServer.ftpTemplate();
            key = upload(t, {trust()}, "v").trust.fingerprint;
        } else if (protocol == FtpProtocol::Ftps) {
            QVERIFY2(secureServer.start(), qPrintable(secureServer.failure()));
            t = secureServer.ftpTemplate();
            QVERIFY(RememberCertificate(trust(), upload(t, {trust()}, "v").trust));
        } else {
            QVERIFY2(ftpServer.start(m_root.path(), User, Password),
                     qPrintable(ftpServer.failure()));
            t = ftpServer.ftpTemplate();
            t.useCurlClient = useCurlClient;
        }
        // Version n: 200 KB of the letter n, so that any mix shows.
        const auto version = [](int n) { return QByteArray(200 * 1024, char('A' + n % 26)); };
        QVERIFY2(upload(t, {trust(), key}, version(0)).sent, "first upload");

        std::atomic<bool> done = false;
        std::atomic<int> reads = 0;
        std::atomic<bool> broken = false;
        QString partial; // read after the reader ends
        std::thread reader([&] {
            while (!done) {
                QFile file(live());
                if (!file.open(QIODevice::ReadOnly))
                    continue;
                const QByteArray bytes = file.readAll();
                ++reads;
                if (bytes.size() != 200 * 1024 || bytes.count(bytes.front()) != bytes.size()) {
                    partial = QString::number(bytes.size()) + u" bytes"_s;
                    broken = true;
                    return;
                }
            }
        });
        bool allSent = true;
        for (int n = 1; n <= 50 && allSent && !broken; ++n)
            allSent = upload(t, {trust()}, version(n)).sent;
        done = true;
        reader.join();
        QVERIFY(allSent);
        QVERIFY2(partial.isEmpty(), qPrintable(partial));
        QVERIFY(reads > 50);
        QCOMPARE(testfiles::readAll(live()), version(50));
    }
};

QTEST_GUILESS_MAIN(TestSecureTransfer)
#include "tst_securetransfer.moc"
