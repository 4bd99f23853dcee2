#include "feedcheck.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace feedcheck {

namespace {

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    result.finished = process.waitForStarted() && process.waitForFinished(60000) &&
                      process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// Title, link and date of the channel or of one item.
struct Entry
{
    QString title;
    QString link;
    QString date;
};

struct Feed
{
    Entry channel;
    QList<Entry> items;
};

// What the file itself says, read with Qt's own parser.
Feed readAsWritten(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    Feed feed;
    Entry *entry = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && (xml.name() == u"item" || xml.name() == u"channel"))
            entry = nullptr;
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.qualifiedName();
        if (name == u"channel") {
            entry = &feed.channel;
        } else if (name == u"item") {
            feed.items.append(Entry{});
            entry = &feed.items.last();
        } else if (name == u"image") {
            entry = nullptr;
        } else if (entry && name == u"title") {
            entry->title = xml.readElementText();
        } else if (entry && name == u"link") {
            entry->link = xml.readElementText();
        } else if (entry &&
                   (name == u"pubDate" || name == u"lastBuildDate" || name == u"dc:date")) {
            entry->date = xml.readElementText();
        }
    }
    return feed;
}

const char FeedparserScript[] = R"(
import calendar, json, sys, feedparser
d = feedparser.parse(sys.argv[1])
def entry(e):
    raw = e.get('published') or e.get('updated') or ''
    parsed = e.get('published_parsed') or e.get('updated_parsed')
    return {'title': e.get('title', ''), 'link': e.get('link', ''), 'date': raw,
            'epoch': calendar.timegm(parsed) if parsed else None}
print(json.dumps({'bozo': bool(d.bozo), 'problem': str(d.get('bozo_exception', '')),
                  'version': d.version, 'channel': entry(d.feed),
                  'items': [entry(e) for e in d.entries]}))
)";

// The instant a written date names, as feed readers should understand it;
// an invalid QDateTime when it names none.
QDateTime instantOf(const QString &date)
{
    const QDateTime rfc822 = QDateTime::fromString(date, Qt::RFC2822Date);
    return rfc822.isValid() ? rfc822 : QDateTime::fromString(date, Qt::ISODate);
}

void compare(QStringList &problems, const QString &what, const Entry &written,
             const QJsonObject &read)
{
    const auto mismatch = [&](const char *field, const QString &expected, const QString &actual) {
        problems << QStringLiteral("feedparser: %1 %2 reads \"%3\", the file says \"%4\"")
                        .arg(what, QLatin1String(field), actual, expected);
    };
    if (read.value(u"title").toString() != written.title)
        mismatch("title", written.title, read.value(u"title").toString());
    // feedparser resolves relative links against the file's own location.
    if (written.link.startsWith(QStringLiteral("http")) &&
        read.value(u"link").toString() != written.link)
        mismatch("link", written.link, read.value(u"link").toString());
    if (read.value(u"date").toString() != written.date)
        mismatch("date", written.date, read.value(u"date").toString());
    const QDateTime instant = instantOf(written.date);
    const QJsonValue epoch = read.value(u"epoch");
    const QString readInstant =
        epoch.isNull() ? QStringLiteral("no time")
                       : QDateTime::fromSecsSinceEpoch(qint64(epoch.toDouble()), Qt::UTC)
                             .toString(Qt::ISODate);
    const QString writtenInstant =
        instant.isValid() ? instant.toUTC().toString(Qt::ISODate) : QStringLiteral("no time");
    if (readInstant != writtenInstant)
        mismatch("time", writtenInstant, readInstant);
}

QStringList feedparserProblems(const QString &path, Format format)
{
    const Run python = run(QStringLiteral("/usr/bin/python3"),
                           {QStringLiteral("-c"), QString::fromUtf8(FeedparserScript), path});
    if (!python.finished || python.exitCode != 0)
        return {QStringLiteral("feedparser did not run: ") + QString::fromUtf8(python.err)};
    const QJsonObject read = QJsonDocument::fromJson(python.out).object();
    QStringList problems;
    if (read.value(u"bozo").toBool())
        problems << QStringLiteral("feedparser: ") + read.value(u"problem").toString();
    const QString version =
        format == Format::Rss1 ? QStringLiteral("rss10") : QStringLiteral("rss20");
    if (read.value(u"version").toString() != version)
        problems << QStringLiteral("feedparser: version %1, not %2")
                        .arg(read.value(u"version").toString(), version);
    const Feed written = readAsWritten(path);
    compare(problems, QStringLiteral("channel"), written.channel,
            read.value(u"channel").toObject());
    const QJsonArray items = read.value(u"items").toArray();
    if (items.size() != written.items.size())
        problems << QStringLiteral("feedparser: %1 items, the file has %2")
                        .arg(items.size())
                        .arg(written.items.size());
    for (qsizetype i = 0; i < qMin(items.size(), written.items.size()); ++i)
        compare(problems, QStringLiteral("item %1").arg(i + 1), written.items.at(i),
                items.at(i).toObject());
    return problems;
}

} // namespace

QString xmllintProblem(const QString &path)
{
    const Run xmllint = run(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path});
    if (xmllint.finished && xmllint.exitCode == 0 && xmllint.err.isEmpty())
        return {};
    return QStringLiteral("xmllint: ") + QString::fromUtf8(xmllint.err);
}

QString rapperProblem(const QString &path)
{
    const Run rapper =
        run(QStringLiteral("rapper"), {QStringLiteral("-q"), QStringLiteral("-i"),
                                       QStringLiteral("rdfxml"), QStringLiteral("-c"), path});
    if (rapper.finished && rapper.exitCode == 0 && rapper.err.isEmpty())
        return {};
    return QStringLiteral("rapper: ") + QString::fromUtf8(rapper.err);
}

QStringList problems(const QString &path, Format format)
{
    QStringList found;
    if (const QString problem = xmllintProblem(path); !problem.isEmpty())
        found << problem;
    if (format == Format::Rss1) {
        if (const QString problem = rapperProblem(path); !problem.isEmpty())
            found << problem;
    }
    found << feedparserProblems(path, format);
    return found;
}

QStringList problemsOfBytes(const QByteArray &bytes, Format format)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(format == Format::Rss1 ? QStringLiteral("feed.rdf")
                                                                : QStringLiteral("feed.xml"));
    QFile file(path);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {QStringLiteral("cannot write ") + path};
    file.close();
    return problems(path, format);
}

QStringList w3cFindings(const QByteArray &bytes, const QString &base, const QString &name)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {QStringLiteral("cannot write ") + path};
    file.close();
    const Run validator = run(QStringLiteral("/usr/bin/python3"),
                              {QStringLiteral(BRISKLET_SOURCE_DIR "/tools/oracles/w3c_check.py"),
                               QStringLiteral("--base"), base, path});
    QStringList findings = QString::fromUtf8(validator.out).split(u'\n', Qt::SkipEmptyParts);
    if (!findings.isEmpty())
        findings.removeLast();
    if (validator.exitCode != 0 && findings.isEmpty())
        findings << QString::fromUtf8(validator.out + validator.err);
    return findings;
}

} // namespace feedcheck
