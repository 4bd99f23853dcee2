#include "core/publish/ftptemplatecommands.h"

#include "core/publish/ftptemplatefolder.h"
#include "core/publish/passwordkeyring.h"
#include "core/text/textops.h"
#include "core/userinterface.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

std::optional<QString> askName(UserInterface &ui, const QString &initial)
{
    return ui.inputLine(QStringLiteral("テンプレートの名前"),
                        QStringLiteral("新しい名前を入力してください(拡張子は除く)"), initial);
}

// The name of an existing file differing only in letter case takes the
// place of the entered one, so one template never becomes two files.
QString nameOnDisk(const QString &existingPath)
{
    return QFileInfo(existingPath).fileName().chopped(FtpTemplateExtension.size());
}

QString nameProblem(const QString &name)
{
    FtpTemplate t;
    t.name = name;
    return FtpTemplateProblem(t);
}

} // namespace

std::optional<QString> SaveFtpTemplateAs(UserInterface &ui, const QString &folder,
                                         const FtpTemplate &values, bool askForName,
                                         PasswordKeyring *keyring)
{
    FtpTemplate t = values;
    t.server = TrimWide(t.server);
    t.user = TrimWide(t.user);
    bool ask = askForName || t.name.isEmpty();
    for (;;) {
        if (ask) {
            const std::optional<QString> entered = askName(ui, t.name);
            if (!entered)
                return std::nullopt;
            t.name = *entered;
        }
        ask = true;
        if (t.name.isEmpty())
            return std::nullopt;
        if (!IsValidFtpTemplateName(t.name)) {
            ui.information(nameProblem(t.name));
            continue;
        }
        const QString existing = ExistingFtpTemplatePath(folder, t.name);
        if (existing.isEmpty())
            break;
        if (ui.askYesNo(quoted(t.name) + QStringLiteral(" は既に存在します 上書きしますか？")) ==
            UserInterface::Answer::Yes) {
            t.name = nameOnDisk(existing);
            break;
        }
    }

    // The file without the password would be of no use without it.
    if (t.passwordInKeyring && !(keyring && keyring->write(KeyringKey(t), t.password))) {
        ui.information(QStringLiteral("パスワードをキーリングに保存できませんでした。"
                                      "テンプレートは保存していません。"));
        return std::nullopt;
    }
    switch (SaveFtpTemplate(folder, t)) {
    case FtpTemplateSaveResult::Saved:
        ui.information(QStringLiteral("テンプレート ") + quoted(t.name) +
                       QStringLiteral(" を保存しました。"));
        return t.name;
    case FtpTemplateSaveResult::CannotCreate:
        ui.information(QStringLiteral("テンプレート ") + quoted(t.name) +
                       QStringLiteral(" を作成できません。"));
        return std::nullopt;
    case FtpTemplateSaveResult::WriteFailed:
        ui.information(QStringLiteral("テンプレートの書き込みに失敗しました。"));
        return std::nullopt;
    case FtpTemplateSaveResult::Refused:
        ui.information(FtpTemplateProblem(t));
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QString> RenameFtpTemplate(UserInterface &ui, const QString &folder,
                                         const QString &oldName)
{
    QString oldPath = ExistingFtpTemplatePath(folder, oldName);
    if (oldPath.isEmpty())
        oldPath = FtpTemplatePath(folder, oldName);
    QString name = oldName;
    for (;;) {
        const std::optional<QString> entered = askName(ui, name);
        if (!entered || entered->isEmpty())
            return std::nullopt;
        name = *entered;
        if (!IsValidFtpTemplateName(name)) {
            ui.information(nameProblem(name));
            continue;
        }
        if (!ExistingFtpTemplatePath(folder, name).isEmpty()) {
            ui.information(quoted(name) + QStringLiteral(" は既に存在しますので使用できません"));
            continue;
        }
        if (QFile::rename(oldPath, FtpTemplatePath(folder, name)))
            return name;
        ui.information(quoted(oldName) + QStringLiteral(" の名前を変更できません。"));
    }
}

bool DeleteFtpTemplate(UserInterface &ui, const QString &folder, const QString &name)
{
    if (ui.askYesCancel(QStringLiteral("選択されているテンプレート ") + quoted(name) +
                        QStringLiteral(" を削除しますか？")) != UserInterface::Answer::Yes)
        return false;
    const QString path = ExistingFtpTemplatePath(folder, name);
    if (!path.isEmpty() && QFile::remove(path))
        return true;
    ui.information(QStringLiteral("テンプレート ") + quoted(name) +
                   QStringLiteral(" を削除できません。"));
    return false;
}
