#pragma once

#include <QByteArray>
#include <QMap>
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
// Copies a project file under tests/data into the folder as "サイト.dta",
// with its word LOCAL standing for the folder's new subfolder "www";
// returns the copy's path.
QString placeProject(const QString &folder, const QString &dataName);

struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
// Runs the real brisklet-cli with the arguments and waits for it. Each key
// of `places` (a placeholder such as "PROJECT") in an argument stands for
// its value; `input` is its whole standard input.
CliResult runCli(QStringList arguments, const QMap<QString, QString> &places = {},
                 const QByteArray &input = {});

} // namespace testfiles
