#include "core/publish/socketftpclient.h"

#include "core/publish/ftpnames.h"

#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <memory>

namespace {

constexpr qint64 DataChunk = 16 * 1024;

const QString TransferFailedText = QStringLiteral("アップロード中にエラーが発生しました。");
const QString DataConnectionText = QStringLiteral("データ接続を開けませんでした。");

int byteField(const QString &field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    return ok && value >= 0 && value <= 255 ? value : -1;
}

} // namespace

quint16 PassiveReplyPort(const QString &reply)
{
    const qsizetype close = reply.indexOf(QLatin1Char(')'));
    const QStringList fields = (close < 0 ? reply : reply.left(close)).split(QLatin1Char(','));
    if (fields.size() < 6)
        return 0;
    const int high = byteField(fields.at(4));
    const int low = byteField(fields.at(5));
    return high < 0 || low < 0 ? 0 : quint16(high * 256 + low);
}

bool SocketFtpClient::login()
{
    if (!openControl())
        return false;
    bool ok = checkReply(readReply(), 401, 599);
    std::optional<FtpReply> user;
    if (ok)
        ok = bool(user = command(QStringLiteral("USER ") + userName, 401, 599));
    if (ok && user->code == 331)
        ok = bool(command(QStringLiteral("PASS ") + password, 401, 599));
    if (!ok)
        closeControl();
    return ok;
}

bool SocketFtpClient::setTransferMode(FtpTransferMode mode)
{
    return bool(command(mode == FtpTransferMode::Ascii ? QStringLiteral("TYPE A")
                                                       : QStringLiteral("TYPE I"),
                        400, 599));
}

bool SocketFtpClient::changeDirectory(const QString &path)
{
    return bool(command(QStringLiteral("CWD ") + path, 400, 599));
}

bool SocketFtpClient::openPassiveData(QTcpSocket &data)
{
    const std::optional<FtpReply> reply = command(QStringLiteral("PASV"), 500, 599);
    if (!reply)
        return false;
    const quint16 dataPort = PassiveReplyPort(reply->text);
    if (dataPort == 0)
        return fail(reply->text);
    data.connectToHost(m_control.peerAddress(), dataPort);
    if (!data.waitForConnected(int(deadline().remainingTime())))
        return fail(DataConnectionText);
    return true;
}

bool SocketFtpClient::announceActiveData(QTcpServer &listener)
{
    const QHostAddress local = m_control.localAddress();
    if (!listener.listen(local, 0))
        return fail(DataConnectionText);
    const quint16 dataPort = listener.serverPort();
    bool isIPv4 = false;
    const quint32 ipv4 = local.toIPv4Address(&isIPv4);
    QString line;
    if (isIPv4) {
        line = QStringLiteral("PORT %1,%2,%3,%4,%5,%6")
                   .arg(ipv4 >> 24)
                   .arg((ipv4 >> 16) & 0xFF)
                   .arg((ipv4 >> 8) & 0xFF)
                   .arg(ipv4 & 0xFF)
                   .arg(dataPort >> 8)
                   .arg(dataPort & 0xFF);
    } else {
        line = QStringLiteral("EPRT |2|%1|%2|").arg(local.toString()).arg(dataPort);
    }
    return bool(command(line, 301, 599));
}

bool SocketFtpClient::sendData(QIODevice &source, QTcpSocket &data)
{
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(DataChunk);
        if (chunk.isEmpty() && !source.atEnd())
            return fail(QStringLiteral("ファイルを読み込めません。"));
        if (data.write(chunk) != chunk.size() || !flush(data, deadline()))
            return fail(TransferFailedText);
    }
    data.disconnectFromHost();
    if (data.state() != QAbstractSocket::UnconnectedState &&
        !data.waitForDisconnected(int(deadline().remainingTime())))
        return fail(TransferFailedText);
    return true;
}

bool SocketFtpClient::store(QIODevice &source, const QString &name)
{
    const auto *file = qobject_cast<const QFile *>(&source);
    const QString remoteName =
        name.isEmpty() && file ? QFileInfo(file->fileName()).fileName() : name;
    if (!source.isOpen() && !source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("ファイルを読み込めません。"));
    if (!IsSendableFtpText(remoteName))
        return fail(UnsendableText);

    DataConnection connection;
    QTcpSocket *data = openData(QStringLiteral("STOR ") + remoteName, connection);
    if (!data)
        return false;
    if (!sendData(source, *data))
        return false;
    // A server that could not store everything says so here.
    return checkReply(readReply(), 400, 599);
}

QTcpSocket *SocketFtpClient::openData(const QString &line, DataConnection &connection)
{
    if (!(passive ? openPassiveData(connection.passive) : announceActiveData(connection.listener)))
        return nullptr;
    if (!command(line, 301, 599))
        return nullptr;
    if (passive)
        return &connection.passive;
    if (!connection.listener.waitForNewConnection(int(deadline().remainingTime()))) {
        fail(DataConnectionText);
        return nullptr;
    }
    connection.active.reset(connection.listener.nextPendingConnection());
    return connection.active.get();
}

std::optional<QStringList> SocketFtpClient::list()
{
    DataConnection connection;
    QTcpSocket *data = openData(QStringLiteral("NLST"), connection);
    if (!data)
        return std::nullopt;
    QByteArray names;
    const QDeadlineTimer until = deadline();
    // The server ends the list by closing the data connection.
    while (data->state() == QAbstractSocket::ConnectedState) {
        if (!data->waitForReadyRead(int(until.remainingTime())) &&
            data->state() == QAbstractSocket::ConnectedState) {
            fail(DataConnectionText);
            return std::nullopt;
        }
        names += data->readAll();
    }
    names += data->readAll();
    if (!checkReply(readReply(), 400, 599))
        return std::nullopt;
    QStringList result;
    for (const QString &line : QString::fromUtf8(names).split(u'\n', Qt::SkipEmptyParts)) {
        if (const QString name = line.trimmed(); !name.isEmpty())
            result.append(name);
    }
    return result;
}

bool SocketFtpClient::rename(const QString &from, const QString &to)
{
    return command(QStringLiteral("RNFR ") + from, 400, 599) &&
           command(QStringLiteral("RNTO ") + to, 400, 599);
}

bool SocketFtpClient::remove(const QString &name)
{
    return bool(command(QStringLiteral("DELE ") + name, 400, 599));
}

bool SocketFtpClient::logout()
{
    if (!isConnected())
        return true;
    const bool ok = bool(command(QStringLiteral("QUIT"), 301, 599));
    closeControl();
    return ok;
}
