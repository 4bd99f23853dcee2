#include "feedparserfields.h"

#include "testfiles.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

QJsonObject ReadWithFeedparser(const QString &path)
{
    QProcess process;
    process.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral(BRISKLET_SOURCE_DIR "/tools/oracles/feedparser_fields.py"), path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

QJsonObject ReadBytesWithFeedparser(const QByteArray &bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("feed.xml"));
    testfiles::writeAll(path, bytes);
    return ReadWithFeedparser(path);
}
