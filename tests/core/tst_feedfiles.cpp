#include "feed/feedfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Paths in the rows use "LOCAL" for an existing folder with capitals and a
// space in its name, "PROJECT" for the folder of the project file and
// "SHORT" for a relative folder of two letters.
class TestFeedFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_top;
    QString m_previousCurrent;

    QString expand(QString text) const
    {
        return text.replace(QStringLiteral("LOCAL"), m_top.filePath(QStringLiteral("Site Out")))
            .replace(QStringLiteral("PROJECT"), m_top.filePath(QStringLiteral("Projects")));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_top.isValid());
        QVERIFY(QDir(m_top.path()).mkpath(QStringLiteral("Site Out")));
        QVERIFY(QDir(m_top.path()).mkpath(QStringLiteral("Projects")));
        QVERIFY(QDir(m_top.path()).mkpath(QStringLiteral("ab")));
        QFile file(m_top.filePath(QStringLiteral("a file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        // A relative localfolder is taken from the current folder.
        m_previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_top.path()));
    }

    void cleanupTestCase() { QDir::setCurrent(m_previousCurrent); }

    void paths_data()
    {
        QTest::addColumn<QString>("localfolder");
        QTest::addColumn<QString>("projectFile");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<int>("ver");
        QTest::addColumn<int>("htmlext");
        QTest::addColumn<QString>("rssPath");  // empty: no path
        QTest::addColumn<QString>("htmlPath"); // empty: no path

        const auto row = [](const char *name, const char *localfolder, const char *projectFile,
                            const char *filename, int ver, int htmlext, const char *rssPath,
                            const char *htmlPath) {
            QTest::newRow(name) << QString::fromUtf8(localfolder) << QString::fromUtf8(projectFile)
                                << QString::fromUtf8(filename) << ver << htmlext
                                << QString::fromUtf8(rssPath) << QString::fromUtf8(htmlPath);
        };
        const char *project = "PROJECT/my.dta";

        row("RSS 2.0 and .html", "LOCAL", project, "news", 1, 0, "LOCAL/news.xml",
            "LOCAL/news.html");
        row("RSS 1.0 and .htm", "LOCAL", project, "news", 0, 1, "LOCAL/news.rdf", "LOCAL/news.htm");
        row("any other ver is RSS 2.0", "LOCAL", project, "news", 5, 3, "LOCAL/news.xml",
            "LOCAL/news.htm");
        row("only the file name is lower-cased", "LOCAL", project, "News_FEED", 1, 0,
            "LOCAL/news_feed.xml", "LOCAL/news_feed.html");
        row("double-byte characters keep their form", "LOCAL", project, "ニュースＡB", 1, 0,
            "LOCAL/ニュースＡb.xml", "LOCAL/ニュースＡb.html");
        row("extension replaced", "LOCAL", project, "news.TXT", 1, 0, "LOCAL/news.xml",
            "LOCAL/news.html");
        row("only the last extension", "LOCAL", project, "news.v2.txt", 0, 0, "LOCAL/news.v2.rdf",
            "LOCAL/news.v2.html");
        row("dot at the end", "LOCAL", project, "news.", 1, 0, "LOCAL/news.xml", "LOCAL/news.html");
        row("colon after the last dot", "LOCAL", project, "a.b:c", 1, 0, "LOCAL/a.b:c.xml",
            "LOCAL/a.b:c.html");
        row("spaces inside the name stay", "LOCAL", project, "my news", 1, 0, "LOCAL/my news.xml",
            "LOCAL/my news.html");
        row("folder with trailing slash", "LOCAL/", project, "news", 1, 0, "LOCAL/news.xml",
            "LOCAL/news.html");
        row("short folder still gets its separator", "ab", project, "news", 1, 0, "ab/news.xml",
            "ab/news.html");
        row("missing folder falls back to the project's", "LOCAL/missing", project, "news", 1, 0,
            "PROJECT/news.xml", "PROJECT/news.html");
        row("empty folder falls back to the project's", "", project, "news", 1, 0,
            "PROJECT/news.xml", "PROJECT/news.html");
        row("a file is no folder", "a file", project, "news", 1, 0, "PROJECT/news.xml",
            "PROJECT/news.html");
        row("no folder at all", "LOCAL/missing", "", "news", 1, 0, "", "");
        row("parent folder", "LOCAL", project, "..", 1, 0, "", "");
        row("same folder", "LOCAL", project, ".", 1, 0, "", "");
        row("slash leaves the folder", "LOCAL", project, "../evil", 1, 0, "", "");
        row("slash inside", "LOCAL", project, "sub/news", 1, 0, "", "");
        row("backslash", "LOCAL", project, "..\\news", 1, 0, "", "");
        row("empty name", "LOCAL", project, "", 1, 0, "", "");
        row("blank name", "LOCAL", project, " \u3000", 1, 0, "", "");
        QTest::newRow("NUL in the name")
            << QStringLiteral("LOCAL") << QString::fromUtf8(project)
            << QStringLiteral("news%1x").arg(QChar(u'\0')) << 1 << 0 << QString() << QString();
    }

    void paths()
    {
        QFETCH(QString, localfolder);
        QFETCH(QString, projectFile);
        QFETCH(QString, filename);
        QFETCH(int, ver);
        QFETCH(int, htmlext);
        QFETCH(QString, rssPath);
        QFETCH(QString, htmlPath);
        ChannelSettings settings;
        settings.localfolder = expand(localfolder);
        settings.filename = filename;
        settings.ver = ver;
        settings.htmlext = htmlext;

        QCOMPARE(RssFilePath(settings, expand(projectFile)).value_or(QString()), expand(rssPath));
        QCOMPARE(HtmlFilePath(settings, expand(projectFile)).value_or(QString()), expand(htmlPath));
    }
};

QTEST_GUILESS_MAIN(TestFeedFiles)
#include "tst_feedfiles.moc"
