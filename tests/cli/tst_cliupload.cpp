#include "pyftpdserver.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testfiles::u8;

class TestCliUpload : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QTemporaryDir m_dir;
    PyFtpdServer m_server;
    QString m_project; // its feed お知らせ goes with the template "site" into "pub"

    testfiles::CliResult run(const QStringList &arguments)
    {
        return testfiles::runCli(
            QStringList{u8("--now"), u8("2026-12-06 09:05:07"), u8("--data-dir"), m_dir.path()} +
            arguments);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(u8("pub")));
        QVERIFY2(m_server.start(m_root.path(), u8("brisk"), u8("pass")),
                 qPrintable(m_server.failure()));
        m_project = testfiles::placeProject(m_dir.path(), u8("cli/project.dta"));
        QCOMPARE(run({u8("ftp-template"), u8("save"), u8("site"), u8("--server"), u8("127.0.0.1"),
                      u8("--port"), QString::number(m_server.port()), u8("--user"), u8("brisk"),
                      u8("--password"), u8("pass")})
                     .exitCode,
                 0);
    }

    void sendsOnlyWithYes()
    {
        auto result = run({u8("upload"), m_project, u8("お知らせ")});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(QString::fromUtf8(result.err)
                    .contains(u8("\"site\" の設定で \"お知らせ\" のアップロードを実行しますか？")));
        QVERIFY(QDir(m_root.filePath(u8("pub"))).isEmpty());

        result = run({u8("upload"), m_project, u8("お知らせ"), u8("--yes")});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(QString::fromUtf8(result.err).contains(u8("アップロードは完了しました。")));
        QCOMPARE(testfiles::readAll(m_root.filePath(u8("pub/news.xml"))),
                 run({u8("rss"), m_project, u8("お知らせ")}).out);
        QCOMPARE(run({u8("upload"), m_project, u8("ない"), u8("--yes")}).exitCode, 3);
    }
};

QTEST_GUILESS_MAIN(TestCliUpload)
#include "tst_cliupload.moc"
