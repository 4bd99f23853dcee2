#include "pyftpdserver.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testfiles::u8;

namespace {

// One feed published with the template "site" into "pub"; LOCAL stands for
// its local folder.
const char Project[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<brisklet>
  <project>
    <node flag="2" disp="お知らせ">
      <filename>News</filename>
      <root>http://example.jp/</root>
      <title>お知らせ</title>
      <ver>1</ver>
      <localfolder>LOCAL</localfolder>
      <ftptemplate>site</ftptemplate>
      <ftpfolder>pub</ftpfolder>
      <item>
        <title>記事 1</title>
        <date>2024-01-02 03:04:05</date>
        <url>http://example.jp/1.html</url>
      </item>
    </node>
  </project>
</brisklet>
)";

const QString Now = QStringLiteral("2026-12-06 09:05:07");

} // namespace

class TestCliUpload : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QTemporaryDir m_dir;
    PyFtpdServer m_server;
    QString m_project;

    testfiles::CliResult upload(const QStringList &extra)
    {
        return testfiles::runCli(QStringList{u8("--now"), Now, u8("--data-dir"), m_dir.path(),
                                             u8("upload"), m_project, u8("お知らせ")} +
                                 extra);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(u8("pub")));
        QVERIFY2(m_server.start(m_root.path(), u8("brisk"), u8("pass")),
                 qPrintable(m_server.failure()));
        const QString local = m_dir.filePath(u8("www"));
        QVERIFY(QDir().mkpath(local));
        m_project = m_dir.filePath(u8("サイト.dta"));
        testfiles::writeAll(m_project, QByteArray(Project).replace("LOCAL", local.toUtf8()));
        const auto saved = testfiles::runCli(
            {u8("--data-dir"), m_dir.path(), u8("ftp-template"), u8("save"), u8("site"),
             u8("--server"), u8("127.0.0.1"), u8("--port"), QString::number(m_server.port()),
             u8("--user"), u8("brisk"), u8("--password"), u8("pass")});
        QCOMPARE(saved.exitCode, 0);
    }

    void withoutYesNothingIsSent()
    {
        const auto result = upload({});
        QCOMPARE(result.exitCode, 1);
        QVERIFY(QString::fromUtf8(result.err)
                    .contains(u8("\"site\" の設定で \"お知らせ\" のアップロードを実行しますか？")));
        QVERIFY(QDir(m_root.filePath(u8("pub"))).isEmpty());
    }

    void sendsTheRssFile()
    {
        const auto result = upload({u8("--yes")});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(QString::fromUtf8(result.err).contains(u8("アップロードは完了しました。")));
        const auto rss =
            testfiles::runCli({u8("--now"), Now, u8("rss"), m_project, u8("お知らせ")});
        QCOMPARE(rss.exitCode, 0);
        QCOMPARE(testfiles::readAll(m_root.filePath(u8("pub/news.xml"))), rss.out);
    }

    void unknownFeed()
    {
        const auto result = testfiles::runCli(
            {u8("--data-dir"), m_dir.path(), u8("upload"), m_project, u8("ない"), u8("--yes")});
        QCOMPARE(result.exitCode, 3);
    }
};

QTEST_GUILESS_MAIN(TestCliUpload)
#include "tst_cliupload.moc"
