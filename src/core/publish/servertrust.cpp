#include "core/publish/servertrust.h"

#include "core/files/replacefile.h"
#include "core/userinterface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// One line a server: "host:port", the fingerprint shown, the pin.
constexpr QChar Field = u'\t';

QStringList certificateLines(const TrustFiles &files)
{
    QFile file(files.certificates);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

bool TrustFiles::makeFolder() const
{
    const QString folder = QFileInfo(certificates).absolutePath();
    if (QFileInfo::exists(folder))
        return true;
    // The settings folder: nobody else needs to read whom the user trusts.
    return QDir().mkpath(folder) &&
           QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TrustFiles TrustFiles::in(const QString &settingsFolder)
{
    const QDir folder(settingsFolder);
    return {folder.filePath(QStringLiteral("known_hosts")),
            folder.filePath(QStringLiteral("trusted_certificates"))};
}

QString TrustQuestionText(const TrustQuestion &q)
{
    switch (q.kind) {
    case TrustQuestion::Kind::UnknownHostKey:
        return QStringLiteral("サーバー \"%1\" に初めて接続します。\r\n"
                              "ホスト鍵のフィンガープリント (SHA-256):\r\n%2\r\n"
                              "このサーバーを信頼して接続しますか？")
            .arg(q.server, q.fingerprint);
    case TrustQuestion::Kind::ChangedHostKey:
        return QStringLiteral("サーバー \"%1\" のホスト鍵が以前と変わっています。"
                              "なりすましの恐れがあるため接続しません。\r\n"
                              "新しいフィンガープリント (SHA-256): %2\r\n"
                              "鍵の変更が正しい場合は、設定フォルダの known_hosts から"
                              "このサーバーの行を削除してください。")
            .arg(q.server, q.fingerprint);
    case TrustQuestion::Kind::UntrustedCertificate:
        return QStringLiteral("サーバー \"%1\" の証明書を確認できませんでした。\r\n"
                              "理由: %2\r\n"
                              "証明書のフィンガープリント (SHA-256):\r\n%3\r\n"
                              "この証明書を信頼して接続しますか？")
            .arg(q.server, q.reason, q.fingerprint);
    case TrustQuestion::Kind::None:
        break;
    }
    return {};
}

QString AcceptedCertificatePin(const TrustFiles &files, const QString &server)
{
    for (const QString &line : certificateLines(files)) {
        const QStringList fields = line.split(Field);
        if (fields.size() == 3 && fields.at(0) == server)
            return fields.at(2);
    }
    return {};
}

bool RememberCertificate(const TrustFiles &files, const TrustQuestion &q)
{
    QStringList lines;
    for (const QString &line : certificateLines(files)) {
        if (line.section(Field, 0, 0) != q.server)
            lines.append(line);
    }
    lines.append(QStringList{q.server, q.fingerprint, q.pin}.join(Field));
    return files.makeFolder() &&
           ReplaceFile(files.certificates, (lines.join(u'\n') + u'\n').toUtf8(), Durability::Cached)
               .isEmpty();
}

bool AcceptServer(UserInterface &ui, const TrustFiles &files, const TrustQuestion &question,
                  QString &acceptedHostKey)
{
    if (ui.askYesNo(TrustQuestionText(question)) != UserInterface::Answer::Yes)
        return false;
    if (question.kind == TrustQuestion::Kind::UnknownHostKey) {
        acceptedHostKey = question.fingerprint;
        return true;
    }
    return RememberCertificate(files, question);
}
