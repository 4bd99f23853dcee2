#include "core/publish/connectiontest.h"
#include "datarows.h"
#include "pyftpdserver.h"
#include "scripteduserinterface.h"
#include "scriptserver.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString User = u"brisk"_s;
const QString Password = u"pass"_s;

} // namespace

// The template dialog's connection test against real servers on 127.0.0.1.
class TestConnectionTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(u"pub"_s));
        QVERIFY(QDir(m_root.path()).mkpath(u"www"_s));
    }

    void ftpLogsInAndLists_data()
    {
        Columns<bool, QString, QString>("curl", "password", "result");
        const QString listed =
            u"接続テストに成功しました。\r\nサーバー \"127.0.0.1\" にログインし、"
            u"フォルダ \"/\" の一覧を取得しました（2 項目）。"_s;
        QTest::newRow("libcurl") << true << Password << listed;
        QTest::newRow("socket client") << false << Password << listed;
        QTest::newRow("wrong password, libcurl")
            << true << u"wrong"_s << u"接続テストに失敗しました。\r\n指定されたホストに接続"_s;
        QTest::newRow("wrong password, socket")
            << false << u"wrong"_s << u"接続テストに失敗しました。\r\n530"_s;
    }
    void ftpLogsInAndLists()
    {
        const auto [curl, password, result] =
            Fetch<bool, QString, QString>("curl", "password", "result");
        PyFtpdServer server;
        QVERIFY2(server.start(m_root.path(), User, Password), qPrintable(server.failure()));
        FtpTemplate t = server.ftpTemplate();
        t.useCurlClient = curl;
        t.password = password;
        ScriptedUserInterface ui;
        const QString text = TestFtpConnection(ui, t, {});
        QVERIFY2(text.startsWith(result), qPrintable(text));
        QCOMPARE(ui.busyDepth, 0);
    }

    // An unknown host key is asked about once; no keeps it unknown, yes
    // remembers it.
    void sftpAsksAboutAnUnknownHostKey()
    {
        ScriptServer server(ScriptServer::Kind::Sftp, m_root.path(), User, Password);
        QVERIFY2(server.start(), qPrintable(server.failure()));
        QTemporaryDir settings;
        const TrustFiles trust = TrustFiles::in(settings.path());
        ScriptedUserInterface ui;
        QString text = TestFtpConnection(ui, server.ftpTemplate(), trust);
        QVERIFY2(text.startsWith(u"接続テストに失敗しました。"_s), qPrintable(text));
        QCOMPARE(ui.questions.size(), 1);
        QVERIFY(ui.questions.first().contains(u"SHA-256"_s));

        ui.answers << UserInterface::Answer::Yes;
        text = TestFtpConnection(ui, server.ftpTemplate(), trust);
        QVERIFY2(text.startsWith(u"接続テストに成功しました。"_s), qPrintable(text));
        QCOMPARE(ui.questions.size(), 2);
        text = TestFtpConnection(ui, server.ftpTemplate(), trust);
        QVERIFY2(text.startsWith(u"接続テストに成功しました。"_s), qPrintable(text));
        QCOMPARE(ui.questions.size(), 2);
    }

    void unreachableServerNamesTheReason()
    {
        FtpTemplate t{u"x"_s, u" 127.0.0.1 "_s, User, Password};
        t.port = 1;
        ScriptedUserInterface ui;
        const QString text = TestFtpConnection(ui, t, {});
        QVERIFY2(text.startsWith(u"接続テストに失敗しました。\r\n"_s) && text.size() > 16,
                 qPrintable(text));
        QCOMPARE(TestFtpConnection(ui, FtpTemplate{}, {}), u"FTPサーバー名を入力してください。"_s);
    }
};

QTEST_GUILESS_MAIN(TestConnectionTest)
#include "tst_connectiontest.moc"
