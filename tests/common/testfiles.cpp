#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace testfiles {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString dataPath(const QString &name)
{
    return QDir(QStringLiteral(BRISKLET_TEST_DATA)).filePath(name);
}

QString placeProject(const QString &folder, const QString &dataName)
{
    const QString local = QDir(folder).filePath(QStringLiteral("www"));
    QDir().mkpath(local);
    const QString path = QDir(folder).filePath(QStringLiteral("サイト.dta"));
    writeAll(path, readAll(dataPath(dataName)).replace("LOCAL", local.toUtf8()));
    return path;
}

CliResult runCli(QStringList arguments, const QMap<QString, QString> &places,
                 const QByteArray &input)
{
    for (QString &argument : arguments) {
        for (auto place = places.begin(); place != places.end(); ++place)
            argument.replace(place.key(), place.value());
    }
    QProcess process;
    process.start(QStringLiteral(BRISKLET_CLI_PATH), arguments);
    if (!process.waitForStarted())
        qFatal("cannot start brisklet-cli");
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        qFatal("brisklet-cli did not finish");
    CliResult result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace testfiles
