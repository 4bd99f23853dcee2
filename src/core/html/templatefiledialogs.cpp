#include "core/html/templatefiledialogs.h"

#include "core/files/replacefile.h"

#include <QDir>
#include <QFile>

namespace {

UserInterface::FileChoice templateChoice(const QString &title, const QString &templateFolder,
                                         const QString &proposedName)
{
    const QString extension = TemplateFileExtension.toString();
    // The folder may not exist yet on a fresh data folder.
    QDir().mkpath(templateFolder);
    return {title,
            QStringLiteral("テンプレートファイル(*.") + extension + QStringLiteral(")|*.") +
                extension,
            extension, templateFolder, proposedName};
}

QString quoted(const QString &path)
{
    return u'"' + path + u'"';
}

} // namespace

QString ProposedTemplateName(const std::optional<QString> &nodeCaption)
{
    if (!nodeCaption)
        return QStringLiteral("新しいテンプレート");
    QString name = *nodeCaption;
    name.removeIf([](QChar c) { return QStringView(u"?*\\\",.;:|<>/").contains(c); });
    return name;
}

bool SaveTemplateFile(UserInterface &ui, const QString &templateFolder,
                      const std::optional<QString> &nodeCaption,
                      const HtmlTemplateSettings &settings, const QString &script)
{
    const std::optional<QString> path =
        ui.chooseSaveFile(templateChoice(QStringLiteral("名前を付けてテンプレートの保存"),
                                         templateFolder, ProposedTemplateName(nodeCaption)));
    if (!path)
        return false;
    if (ReplaceFile(*path, EncodeTemplateFile(settings, script), Durability::Synced).isEmpty())
        return true;
    ui.information(QStringLiteral("テンプレートファイル") + quoted(*path) +
                   QStringLiteral("が保存できません。"));
    return false;
}

std::optional<HtmlTemplateFile> LoadTemplateFile(UserInterface &ui, const QString &templateFolder)
{
    const std::optional<QString> path = ui.chooseOpenFile(
        templateChoice(QStringLiteral("テンプレートの読み込み"), templateFolder, QString()));
    if (!path)
        return std::nullopt;
    const auto refuse = [&](const QString &reason) {
        ui.information(QStringLiteral("テンプレートファイル") + quoted(*path) + reason);
        return std::nullopt;
    };
    const QString unreadable = QStringLiteral("が読み込めません。");
    const QString tooLarge = QStringLiteral("が大きすぎるため読み込めません（16 MB まで）。");
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(unreadable);
    if (file.size() > MaxTemplateFileSize)
        return refuse(tooLarge);
    // Reading stops one byte past the limit, so that a file that grows
    // meanwhile, or a device that has no size, is refused as well.
    const QByteArray bytes = file.read(MaxTemplateFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(unreadable);
    if (bytes.size() > MaxTemplateFileSize)
        return refuse(tooLarge);
    return DecodeTemplateFile(bytes);
}
