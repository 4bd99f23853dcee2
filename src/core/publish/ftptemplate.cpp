#include "core/publish/ftptemplate.h"

#include "core/publish/templatescramble.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

namespace {

const QByteArray ServerLabel = QByteArrayLiteral("server:");
const QByteArray UserLabel = QByteArrayLiteral("user:");
const QByteArray OthersLabel = QByteArrayLiteral("others:");
// Settings that came after the first three lines. Readers that know only
// those skip a line with a label they do not know, so old programs still
// read the file, as plain FTP.
const QByteArray SecureLabel = QByteArrayLiteral("secure:");
constexpr char Separator = '\0';

bool startsWithLabel(const QByteArray &line, const QByteArray &label)
{
    return line.left(label.size()).compare(label, Qt::CaseInsensitive) == 0;
}

QString text(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

// A number field written by hand may be anything; only a plain decimal
// number within the range replaces the current value.
void readNumber(const QByteArray &field, int min, int max, int &value)
{
    bool ok = false;
    const int number = field.toInt(&ok, 10);
    if (ok && number >= min && number <= max)
        value = number;
}

void readFlag(const QByteArray &field, bool &flag)
{
    bool ok = false;
    const qlonglong number = field.toLongLong(&ok, 10);
    if (ok)
        flag = number != 0;
}

void readOthers(const QByteArray &rest, FtpTemplate &t)
{
    const QList<QByteArray> fields = rest.split(Separator);
    if (fields.size() > 0)
        readNumber(fields.at(0), FtpTemplate::MinTimeout, FtpTemplate::MaxTimeout, t.timeout);
    if (fields.size() > 1)
        readNumber(fields.at(1), 1, 65535, t.port);
    if (fields.size() > 2)
        readFlag(fields.at(2), t.passive);
    if (fields.size() > 3)
        readFlag(fields.at(3), t.useCurlClient);
}

void readSecure(const QByteArray &rest, FtpTemplate &t)
{
    const QList<QByteArray> fields = rest.split(Separator);
    int protocol = int(t.protocol);
    readNumber(fields.at(0), int(FtpProtocol::Ftp), int(FtpProtocol::Sftp), protocol);
    t.protocol = FtpProtocol(protocol);
    if (fields.size() > 1)
        readFlag(fields.at(1), t.passwordInKeyring);
}

void readLine(const QByteArray &plain, FtpTemplate &t)
{
    if (startsWithLabel(plain, ServerLabel)) {
        t.server = text(plain.mid(ServerLabel.size()));
    } else if (startsWithLabel(plain, UserLabel)) {
        const QByteArray rest = plain.mid(UserLabel.size());
        const qsizetype separator = rest.indexOf(Separator);
        t.user = text(separator < 0 ? rest : rest.left(separator));
        t.password = separator < 0 ? QString() : text(rest.mid(separator + 1));
    } else if (startsWithLabel(plain, OthersLabel)) {
        readOthers(plain.mid(OthersLabel.size()), t);
    } else if (startsWithLabel(plain, SecureLabel)) {
        readSecure(plain.mid(SecureLabel.size()), t);
    }
}

QByteArray flag(bool on)
{
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

QByteArray serverLine(const FtpTemplate &t)
{
    return ServerLabel + t.server.toUtf8();
}

QByteArray userLine(const FtpTemplate &t)
{
    // A password kept in the keyring never reaches the file.
    const QString password = t.passwordInKeyring ? QString() : t.password;
    return UserLabel + t.user.toUtf8() + Separator + password.toUtf8();
}

QByteArray othersLine(const FtpTemplate &t)
{
    return OthersLabel + QByteArray::number(t.timeout) + Separator + QByteArray::number(t.port) +
           Separator + flag(t.passive) + Separator + flag(t.useCurlClient);
}

QByteArray secureLine(const FtpTemplate &t)
{
    return SecureLabel + QByteArray::number(int(t.protocol)) + Separator +
           flag(t.passwordInKeyring);
}

// A plain FTP template keeps the three lines it always had.
QList<QByteArray> templateLines(const FtpTemplate &t)
{
    QList<QByteArray> lines{serverLine(t), userLine(t), othersLine(t)};
    if (t.protocol != FtpProtocol::Ftp || t.passwordInKeyring)
        lines.append(secureLine(t));
    return lines;
}

} // namespace

int DefaultFtpPort(FtpProtocol protocol)
{
    return protocol == FtpProtocol::Sftp ? 22 : FtpTemplate::DefaultPort;
}

int PortAfterProtocolChange(int port, FtpProtocol from, FtpProtocol to)
{
    return port == DefaultFtpPort(from) ? DefaultFtpPort(to) : port;
}

bool LoadFtpTemplate(const QString &path, FtpTemplate &result)
{
    result = FtpTemplate{};
    result.name = QFileInfo(path).fileName();
    if (result.name.endsWith(FtpTemplateExtension, Qt::CaseInsensitive))
        result.name.chop(FtpTemplateExtension.size());

    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        readLine(UnscrambleTemplateLine(line), result);
    }
    return result.isUsable();
}

bool IsValidFtpTemplateName(const QString &name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString FtpTemplateProblem(const FtpTemplate &t)
{
    if (!IsValidFtpTemplateName(t.name))
        return QStringLiteral("テンプレートの名前に使えない文字が含まれています。");
    if (t.server.contains(QChar(0)) || t.user.contains(QChar(0)) || t.password.contains(QChar(0)))
        return QStringLiteral("サーバー名、アカウント、パスワードに使えない文字が含まれています。");
    if (serverLine(t).size() > MaxPlainTemplateLine)
        return QStringLiteral("サーバー名が長すぎます。%1バイト(UTF-8)までにしてください。")
            .arg(MaxPlainTemplateLine - ServerLabel.size());
    if (userLine(t).size() > MaxPlainTemplateLine)
        return QStringLiteral("アカウントとパスワードが長すぎます。合わせて%1バイト(UTF-8)"
                              "までにしてください。")
            .arg(MaxPlainTemplateLine - UserLabel.size() - 1);
    if (t.timeout < FtpTemplate::MinTimeout || t.timeout > FtpTemplate::MaxTimeout)
        return QStringLiteral("タイムアウトは%1から%2秒の間で指定してください。")
            .arg(FtpTemplate::MinTimeout)
            .arg(FtpTemplate::MaxTimeout);
    if (t.port < 1 || t.port > 65535)
        return QStringLiteral("ポート番号は1から65535の間で指定してください。");
    return {};
}

FtpTemplateSaveResult SaveFtpTemplate(const QString &folder, const FtpTemplate &t)
{
    if (!FtpTemplateProblem(t).isEmpty())
        return FtpTemplateSaveResult::Refused;

    QSaveFile file(folder + QLatin1Char('/') + t.name + FtpTemplateExtension);
    if (!file.open(QIODevice::WriteOnly))
        return FtpTemplateSaveResult::CannotCreate;
    // Before the first byte of the password is written.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return FtpTemplateSaveResult::CannotCreate;
    for (const QByteArray &line : templateLines(t)) {
        if (file.write(ScrambleTemplateLine(line) + "\r\n") < 0)
            return FtpTemplateSaveResult::WriteFailed;
    }
    return file.commit() ? FtpTemplateSaveResult::Saved : FtpTemplateSaveResult::WriteFailed;
}
