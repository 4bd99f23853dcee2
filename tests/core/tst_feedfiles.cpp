#include "datarows.h"
#include "feed/feedfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
        return text.replace(u"LOCAL"_s, m_top.filePath(u"Site Out"_s))
            .replace(u"PROJECT"_s, m_top.filePath(u"Projects"_s));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_top.isValid());
        QVERIFY(QDir(m_top.path()).mkpath(u"Site Out"_s));
        QVERIFY(QDir(m_top.path()).mkpath(u"Projects"_s));
        QVERIFY(QDir(m_top.path()).mkpath(u"ab"_s));
        QFile file(m_top.filePath(u"a file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        // A relative localfolder is taken from the current folder.
        m_previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_top.path()));
    }

    void cleanupTestCase() { QDir::setCurrent(m_previousCurrent); }

    // paths: the RSS file's and the page's, "|" between; empty when there
    // are none.
    void paths_data()
    {
        Columns<QString, QString, QString, int, int, QString>(
            "localfolder", "projectFile", "filename", "ver", "htmlext", "paths");
        const auto row = [](const char *name, const char *localfolder, const QString &filename,
                            int ver, int htmlext, const char *paths) {
            QTest::newRow(name) << QString::fromUtf8(localfolder) << u"PROJECT/my.dta"_s << filename
                                << ver << htmlext << QString::fromUtf8(paths);
        };
        row("RSS 2.0 and .html", "LOCAL", u"news"_s, 1, 0, "LOCAL/news.xml|LOCAL/news.html");
        row("RSS 1.0 and .htm", "LOCAL", u"news"_s, 0, 1, "LOCAL/news.rdf|LOCAL/news.htm");
        row("any other ver is RSS 2.0", "LOCAL", u"news"_s, 5, 3, "LOCAL/news.xml|LOCAL/news.htm");
        row("only the file name is lower-cased", "LOCAL", u"News_FEED"_s, 1, 0,
            "LOCAL/news_feed.xml|LOCAL/news_feed.html");
        row("double-byte characters keep their form", "LOCAL", u"ニュースＡB"_s, 1, 0,
            "LOCAL/ニュースＡb.xml|LOCAL/ニュースＡb.html");
        row("extension replaced", "LOCAL", u"news.TXT"_s, 1, 0, "LOCAL/news.xml|LOCAL/news.html");
        row("only the last extension", "LOCAL", u"news.v2.txt"_s, 0, 0,
            "LOCAL/news.v2.rdf|LOCAL/news.v2.html");
        row("dot at the end", "LOCAL", u"news."_s, 1, 0, "LOCAL/news.xml|LOCAL/news.html");
        row("colon after the last dot", "LOCAL", u"a.b:c"_s, 1, 0,
            "LOCAL/a.b:c.xml|LOCAL/a.b:c.html");
        row("spaces inside the name stay", "LOCAL", u"my news"_s, 1, 0,
            "LOCAL/my news.xml|LOCAL/my news.html");
        row("folder with trailing slash", "LOCAL/", u"news"_s, 1, 0,
            "LOCAL/news.xml|LOCAL/news.html");
        row("short folder still gets its separator", "ab", u"news"_s, 1, 0,
            "ab/news.xml|ab/news.html");
        row("missing folder falls back to the project's", "LOCAL/missing", u"news"_s, 1, 0,
            "PROJECT/news.xml|PROJECT/news.html");
        row("empty folder falls back to the project's", "", u"news"_s, 1, 0,
            "PROJECT/news.xml|PROJECT/news.html");
        row("a file is no folder", "a file", u"news"_s, 1, 0, "PROJECT/news.xml|PROJECT/news.html");
        QTest::newRow("no folder at all")
            << u"LOCAL/missing"_s << QString() << u"news"_s << 1 << 0 << QString();
        for (const QString &name : {u".."_s, u"."_s, u"../evil"_s, u"sub/news"_s, u"..\\news"_s,
                                    QString(), u" \u3000"_s, u"news%1x"_s.arg(QChar(u'\0'))})
            QTest::addRow("refused name \"%s\"", qPrintable(name))
                << u"LOCAL"_s << u"PROJECT/my.dta"_s << name << 1 << 0 << QString();
    }

    void paths()
    {
        const auto [localfolder, projectFile, filename, ver, htmlext] =
            Fetch<QString, QString, QString, int, int>("localfolder", "projectFile", "filename",
                                                       "ver", "htmlext");
        ChannelSettings settings;
        settings.localfolder = expand(localfolder);
        settings.filename = filename;
        settings.ver = ver;
        settings.htmlext = htmlext;
        const QString rss = RssFilePath(settings, expand(projectFile)).value_or(QString());
        const QString html = HtmlFilePath(settings, expand(projectFile)).value_or(QString());
        QFETCH(QString, paths);
        QCOMPARE(rss.isEmpty() && html.isEmpty() ? QString() : rss + u'|' + html, expand(paths));
    }
};

QTEST_GUILESS_MAIN(TestFeedFiles)
#include "tst_feedfiles.moc"
