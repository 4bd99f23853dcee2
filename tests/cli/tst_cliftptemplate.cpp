#include "project/folders.h"
#include "publish/ftptemplate.h"
#include "publish/ftptemplatefolder.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
        return testfiles::runCli(QStringList{QStringLiteral("--data-dir"), m_dataDir.path(),
                                             QStringLiteral("ftp-template")} +
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
            run({QStringLiteral("save"), QStringLiteral("Site"), QStringLiteral("--server"),
                 QStringLiteral("ftp.example.jp"), QStringLiteral("--user"), QStringLiteral("taro"),
                 QStringLiteral("--password"), QStringLiteral("秘密")});
        QCOMPARE(saved.exitCode, 0);
        QCOMPARE(QString::fromUtf8(saved.err).trimmed(),
                 QStringLiteral("テンプレート \"Site\" を保存しました。"));

        FtpTemplate expected;
        expected.name = QStringLiteral("Site");
        expected.server = QStringLiteral("ftp.example.jp");
        expected.user = QStringLiteral("taro");
        expected.password = QStringLiteral("秘密");
        QVERIFY(load(QStringLiteral("Site")) == expected);
        const QString path = FtpTemplatePath(templateFolder(), QStringLiteral("Site"));
        QCOMPARE(QFile::permissions(path) & OwnerGroupOther, QFile::ReadOwner | QFile::WriteOwner);

        QCOMPARE(
            run({QStringLiteral("save"), QStringLiteral("another"), QStringLiteral("--server"),
                 QStringLiteral("h"), QStringLiteral("--port"), QStringLiteral("2121"),
                 QStringLiteral("--timeout"), QStringLiteral("30"), QStringLiteral("--passive"),
                 QStringLiteral("0"), QStringLiteral("--wininet"), QStringLiteral("0")})
                .exitCode,
            0);
        const FtpTemplate other = load(QStringLiteral("another"));
        QCOMPARE(other.port, 2121);
        QCOMPARE(other.timeout, 30);
        QCOMPARE(other.passive, false);
        QCOMPARE(other.useWinInet, false);

        const testfiles::CliResult listed = run({QStringLiteral("list")});
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.out, QByteArray("another\nSite\n"));
    }

    void replacesOnlyWithYes()
    {
        const QStringList save{QStringLiteral("save"), QStringLiteral("Twice"),
                               QStringLiteral("--server")};
        QCOMPARE(run(save + QStringList{QStringLiteral("first")}).exitCode, 0);
        const testfiles::CliResult refused = run(save + QStringList{QStringLiteral("second")});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(QString::fromUtf8(refused.err)
                    .contains(QStringLiteral("\"Twice\" は既に存在します 上書きしますか？")));
        QCOMPARE(load(QStringLiteral("Twice")).server, QStringLiteral("first"));

        QCOMPARE(
            run(save + QStringList{QStringLiteral("second"), QStringLiteral("--yes")}).exitCode, 0);
        QCOMPARE(load(QStringLiteral("Twice")).server, QStringLiteral("second"));
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        const QString s = QStringLiteral("save");
        const QString n = QStringLiteral("Bad");
        const QString server = QStringLiteral("--server");
        const QString h = QStringLiteral("h");
        QTest::newRow("no server") << QStringList{s, n} << 64;
        QTest::newRow("port not a number")
            << QStringList{s, n, server, h, QStringLiteral("--port"), QStringLiteral("x")} << 64;
        QTest::newRow("passive 2")
            << QStringList{s, n, server, h, QStringLiteral("--passive"), QStringLiteral("2")} << 64;
        QTest::newRow("unknown option")
            << QStringList{s, n, server, h, QStringLiteral("--host"), h} << 64;
        QTest::newRow("option without value") << QStringList{s, n, server} << 64;
        QTest::newRow("no action") << QStringList{} << 64;
        QTest::newRow("server too long")
            << QStringList{s, n, server, QString(200, QLatin1Char('s'))} << 1;
        QTest::newRow("time-out too short")
            << QStringList{s, n, server, h, QStringLiteral("--timeout"), QStringLiteral("1")} << 1;
        QTest::newRow("name with a separator")
            << QStringList{s, QStringLiteral("../x"), server, h} << 1;
    }
    void refusesBadInput()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        const testfiles::CliResult result = run(args);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(!result.err.isEmpty());
        QVERIFY(!QFile::exists(FtpTemplatePath(templateFolder(), QStringLiteral("Bad"))));
        QVERIFY(!QFile::exists(m_dataDir.filePath(QStringLiteral("Template/x.ftp"))));
    }
};

QTEST_GUILESS_MAIN(TestCliFtpTemplate)
#include "tst_cliftptemplate.moc"
