#include "project/folders.h"
#include "publish/ftptemplate.h"
#include "publish/ftptemplatefolder.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions OwnerGroupOther = QFile::Permissions(0xF0FF);

} // namespace

class TestCliFtpTemplate : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dataDir;

    QString templateFolder() const { return Folders::at(m_dataDir.path(), {}).ftpTemplate; }

    testfiles::CliResult run(const QStringList &args)
    {
        return testfiles::runCli(QStringList{u"--data-dir"_s, m_dataDir.path(), u"ftp-template"_s} +
                                 args);
    }
    FtpTemplate load(const QString &name)
    {
        FtpTemplate t;
        LoadFtpTemplate(FtpTemplatePath(templateFolder(), name), t);
        return t;
    }

private Q_SLOTS:
    void saveWithDefaultsAndList()
    {
        const testfiles::CliResult saved =
            run({u"save"_s, u"Site"_s, u"--server"_s, u"ftp.example.jp"_s, u"--user"_s, u"taro"_s,
                 u"--password"_s, u"秘密"_s});
        QCOMPARE(saved.exitCode, 0);
        QCOMPARE(QString::fromUtf8(saved.err).trimmed(),
                 u"テンプレート \"Site\" を保存しました。"_s);

        FtpTemplate expected;
        expected.name = u"Site"_s;
        expected.server = u"ftp.example.jp"_s;
        expected.user = u"taro"_s;
        expected.password = u"秘密"_s;
        QVERIFY(load(u"Site"_s) == expected);
        const QString path = FtpTemplatePath(templateFolder(), u"Site"_s);
        QCOMPARE(QFile::permissions(path) & OwnerGroupOther, QFile::ReadOwner | QFile::WriteOwner);

        QCOMPARE(run({u"save"_s, u"another"_s, u"--server"_s, u"h"_s, u"--port"_s, u"2121"_s,
                      u"--timeout"_s, u"30"_s, u"--passive"_s, u"0"_s, u"--client"_s, u"socket"_s})
                     .exitCode,
                 0);
        const FtpTemplate other = load(u"another"_s);
        QCOMPARE(other.port, 2121);
        QCOMPARE(other.timeout, 30);
        QCOMPARE(other.passive, false);
        QCOMPARE(other.useWinInet, false);

        const testfiles::CliResult listed = run({u"list"_s});
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.out, QByteArray("another\nSite\n"));
    }

    void choosesClient_data()
    {
        QTest::addColumn<QStringList>("option");
        QTest::addColumn<bool>("useCurl");
        QTest::newRow("curl") << QStringList{u"--client"_s, u"curl"_s} << true;
        QTest::newRow("socket") << QStringList{u"--client"_s, u"socket"_s} << false;
        QTest::newRow("older name, socket") << QStringList{u"--wininet"_s, u"0"_s} << false;
        QTest::newRow("older name, curl") << QStringList{u"--wininet"_s, u"1"_s} << true;
    }
    void choosesClient()
    {
        QFETCH(QStringList, option);
        // The opposite client first, so that the option has to change it.
        QFETCH(bool, useCurl);
        const QStringList save{u"save"_s, u"Client"_s, u"--server"_s, u"h"_s, u"--yes"_s};
        QCOMPARE(run(save + QStringList{u"--client"_s, useCurl ? u"socket"_s : u"curl"_s}).exitCode,
                 0);
        QCOMPARE(run(save + option).exitCode, 0);
        QCOMPARE(load(u"Client"_s).useWinInet, useCurl);
    }

    void replacesOnlyWithYes()
    {
        const QStringList save{u"save"_s, u"Twice"_s, u"--server"_s};
        QCOMPARE(run(save + QStringList{u"first"_s}).exitCode, 0);
        const testfiles::CliResult refused = run(save + QStringList{u"second"_s});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(QString::fromUtf8(refused.err)
                    .contains(u"\"Twice\" は既に存在します 上書きしますか？"_s));
        QCOMPARE(load(u"Twice"_s).server, u"first"_s);

        QCOMPARE(run(save + QStringList{u"second"_s, u"--yes"_s}).exitCode, 0);
        QCOMPARE(load(u"Twice"_s).server, u"second"_s);
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        const QString s = u"save"_s;
        const QString n = u"Bad"_s;
        const QString server = u"--server"_s;
        const QString h = u"h"_s;
        QTest::newRow("no server") << QStringList{s, n} << 64;
        QTest::newRow("port not a number")
            << QStringList{s, n, server, h, u"--port"_s, u"x"_s} << 64;
        QTest::newRow("passive 2") << QStringList{s, n, server, h, u"--passive"_s, u"2"_s} << 64;
        QTest::newRow("unknown client")
            << QStringList{s, n, server, h, u"--client"_s, u"wininet"_s} << 64;
        QTest::newRow("unknown option") << QStringList{s, n, server, h, u"--host"_s, h} << 64;
        QTest::newRow("option without value") << QStringList{s, n, server} << 64;
        QTest::newRow("no action") << QStringList{} << 64;
        QTest::newRow("server too long")
            << QStringList{s, n, server, QString(200, QLatin1Char('s'))} << 1;
        QTest::newRow("time-out too short")
            << QStringList{s, n, server, h, u"--timeout"_s, u"1"_s} << 1;
        QTest::newRow("name with a separator") << QStringList{s, u"../x"_s, server, h} << 1;
    }
    void refusesBadInput()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        const testfiles::CliResult result = run(args);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(!result.err.isEmpty());
        QVERIFY(!QFile::exists(FtpTemplatePath(templateFolder(), u"Bad"_s)));
        QVERIFY(!QFile::exists(m_dataDir.filePath(u"Template/x.ftp"_s)));
    }
};

QTEST_GUILESS_MAIN(TestCliFtpTemplate)
#include "tst_cliftptemplate.moc"
