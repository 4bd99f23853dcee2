#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <optional>

// Waits (20 s at most) until the test server's log names the port it
// listens on, in the first capture of the pattern. None, with the log or
// why in *failure, when the server ends or says nothing in time.
std::optional<quint16> WaitForPortInLog(const QProcess &server, const QString &log,
                                        const QRegularExpression &started, QString *failure);
