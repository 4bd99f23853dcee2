#include "core/publish/passwordkeyring.h"

namespace {

QString scheme(FtpProtocol protocol)
{
    switch (protocol) {
    case FtpProtocol::Ftps:
        return QStringLiteral("ftps");
    case FtpProtocol::Sftp:
        return QStringLiteral("sftp");
    case FtpProtocol::Ftp:
        break;
    }
    return QStringLiteral("ftp");
}

} // namespace

QString KeyringKey(const FtpTemplate &t)
{
    return QStringLiteral("%1://%2@%3:%4").arg(scheme(t.protocol), t.user, t.server).arg(t.port);
}

bool FillKeyringPassword(PasswordKeyring *keyring, FtpTemplate &t, QString *reason)
{
    if (!t.passwordInKeyring || !t.password.isEmpty())
        return true;
    if (!keyring || !keyring->unavailableReason().isEmpty()) {
        *reason = QStringLiteral("パスワードはキーリングに保存されていますが、キーリングを"
                                 "利用できません。") +
                  (keyring ? keyring->unavailableReason() : QString());
        return false;
    }
    const std::optional<QString> password = keyring->read(KeyringKey(t));
    if (!password) {
        *reason = QStringLiteral("キーリングにこのテンプレートのパスワードがありません。");
        return false;
    }
    t.password = *password;
    return true;
}

FtpTemplate TemplateForEditing(const QString &path, PasswordKeyring *keyring)
{
    const bool answers = keyring && keyring->unavailableReason().isEmpty();
    FtpTemplate t;
    if (path.isEmpty() || !LoadFtpTemplate(path, t)) {
        t = FtpTemplate();
        t.passwordInKeyring = answers;
    } else if (t.passwordInKeyring && answers) {
        t.password = keyring->read(KeyringKey(t)).value_or(QString());
    }
    return t;
}
