#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testfiles::u8;

namespace {

// A sound feed, one whose two items share a link (a warning), one without
// a description and with a malformed page (errors). LOCAL stands for the
// local folder.
const char Project[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<brisklet>
  <project>
    <node flag="2" disp="お知らせ">
      <filename>News</filename>
      <root>http://example.jp/</root>
      <title>お知らせ</title>
      <description><![CDATA[更新情報]]></description>
      <ver>0</ver>
      <localfolder>LOCAL</localfolder>
      <item><title>記事 1</title><date>2024-01-02 03:04:05</date><url>http://example.jp/1.html</url></item>
    </node>
    <node flag="2" disp="重複">
      <filename>twins</filename>
      <root>http://example.jp/</root>
      <title>重複</title>
      <description><![CDATA[同じリンク]]></description>
      <localfolder>LOCAL</localfolder>
      <item><title>一</title><date>2024-01-02</date><url>http://example.jp/a.html</url></item>
      <item><title>二</title><date>2024-01-03</date><url>http://example.jp/a.html</url></item>
    </node>
    <node flag="2" disp="不備">
      <filename>broken</filename>
      <root>http://example.jp/</root>
      <title>不備</title>
      <html>1</html>
      <htmlscript><![CDATA[<meta charset="shift_jis">本文 C:\site\a.html]]></htmlscript>
      <localfolder>LOCAL</localfolder>
      <item><title>一</title><date>2024-01-02</date><url>http://example.jp/a.html</url></item>
    </node>
  </project>
</brisklet>
)";

} // namespace

class TestCliCheck : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_project;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString local = m_dir.filePath(u8("www"));
        QVERIFY(QDir().mkpath(local));
        m_project = m_dir.filePath(u8("サイト.dta"));
        testfiles::writeAll(m_project, QByteArray(Project).replace("LOCAL", local.toUtf8()));
    }

    void check_data()
    {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("feed");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::newRow("nothing found") << QString() << u8("お知らせ") << 0 << QString();
        QTest::newRow("warnings only")
            << QString() << u8("重複") << 1
            << u8("twins.xml 19行目: 警告: <item> の <link> が 14行目と重複しています: "
                  "http://example.jp/a.html\n");
        QTest::newRow("errors in the feed and its page")
            << QString() << u8("不備") << 2
            << u8("broken.xml 6行目: エラー: <channel> に必須の <description> がありません。\n"
                  "broken.html 1行目: エラー: ローカルのパスが含まれています: C:\\site\\a.html\n");
        QTest::newRow("no such feed") << QString() << u8("なし") << 3 << QString();
        QTest::newRow("unreadable project")
            << u8("/nonexistent/p.dta") << u8("お知らせ") << 2 << QString();
    }

    void check()
    {
        QFETCH(QString, project);
        QFETCH(QString, feed);
        const auto result = testfiles::runCli({u8("--now"), u8("2026-12-06 09:05:07"), u8("check"),
                                               project.isEmpty() ? m_project : project, feed});
        QTEST(result.exitCode, "exitCode");
        QTEST(QString::fromUtf8(result.out), "out");
    }
};

QTEST_GUILESS_MAIN(TestCliCheck)
#include "tst_cli_check.moc"
