#include "serverlog.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

std::optional<quint16> WaitForPortInLog(const QProcess &server, const QString &log,
                                        const QRegularExpression &started, QString *failure)
{
    const QDeadlineTimer until(20000);
    QByteArray text;
    while (!until.hasExpired() && server.state() == QProcess::Running) {
        QFile file(log);
        if (file.open(QIODevice::ReadOnly)) {
            text = file.readAll();
            const QRegularExpressionMatch match = started.match(QString::fromUtf8(text));
            if (match.hasMatch())
                return quint16(match.captured(1).toUInt());
        }
        QThread::msleep(50);
    }
    *failure = QStringLiteral("the server did not start: ") + QString::fromUtf8(text);
    return std::nullopt;
}
