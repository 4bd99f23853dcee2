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

CliResult runCli(const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(QStringLiteral(BRISKLET_CLI_PATH), arguments);
    if (!process.waitForStarted())
        qFatal("cannot start brisklet-cli");
    if (!input.isEmpty())
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
