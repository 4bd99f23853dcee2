#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace testfiles {

// A text from UTF-8 source bytes.
inline QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

QByteArray readAll(const QString &path);
void writeAll(const QString &path, const QByteArray &bytes);
// A file under tests/data.
QString dataPath(const QString &name);

struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
// Runs the real brisklet-cli with the arguments and waits for it.
CliResult runCli(const QStringList &arguments, const QByteArray &input = {});

} // namespace testfiles
