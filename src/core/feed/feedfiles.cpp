#include "core/feed/feedfiles.h"

#include "core/text/textops.h"

#include <QFileInfo>

namespace {

bool isSafeFileName(const QString &filename)
{
    return !TrimWide(filename).isEmpty() && filename != QStringLiteral(".") &&
           filename != QStringLiteral("..") && !filename.contains(QLatin1Char('/')) &&
           !filename.contains(QLatin1Char('\\')) && !filename.contains(QChar(u'\0'));
}

// The extension starts at the last "." unless a ":" comes after it.
QString withExtension(const QString &filename, const QString &extension)
{
    const qsizetype dot = filename.lastIndexOf(QLatin1Char('.'));
    const bool hasExtension = dot >= 0 && filename.indexOf(QLatin1Char(':'), dot) < 0;
    return (hasExtension ? filename.left(dot) : filename) + extension;
}

std::optional<QString> outputPath(const ChannelSettings &settings, const QString &projectFilePath,
                                  const QString &extension)
{
    if (!isSafeFileName(settings.filename))
        return std::nullopt;
    QString folder = settings.localfolder;
    if (!QFileInfo(folder).isDir())
        folder = projectFilePath.isEmpty() ? QString() : QFileInfo(projectFilePath).path();
    if (folder.isEmpty())
        return std::nullopt;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return TrimWide(folder + AsciiLower(withExtension(settings.filename, extension)));
}

} // namespace

QString RssExtension(const ChannelSettings &settings)
{
    return settings.ver == RssVersion::Rss1 ? QStringLiteral(".rdf") : QStringLiteral(".xml");
}

QString HtmlPageExtension(PageExtension extension)
{
    return extension != PageExtension::Html ? QStringLiteral(".htm") : QStringLiteral(".html");
}

QString RssFileName(const ChannelSettings &settings)
{
    return TrimWide(AsciiLower(withExtension(settings.filename, RssExtension(settings))));
}

std::optional<QString> RssFilePath(const ChannelSettings &settings, const QString &projectFilePath)
{
    return outputPath(settings, projectFilePath, RssExtension(settings));
}

std::optional<QString> HtmlFilePath(const ChannelSettings &settings, const QString &projectFilePath)
{
    return outputPath(settings, projectFilePath, HtmlPageExtension(settings.htmlext));
}
