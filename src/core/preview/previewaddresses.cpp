#include "core/preview/previewaddresses.h"

#include <QDir>
#include <QUrl>

namespace {

// Scheme and host in lower case, the rest as written.
QString comparable(const QString &address)
{
    const QString trimmed = address.trimmed();
    const qsizetype schemeEnd = trimmed.indexOf(QLatin1String("://"));
    if (schemeEnd <= 0)
        return trimmed;
    const qsizetype hostStart = schemeEnd + 3;
    qsizetype hostEnd = trimmed.indexOf(u'/', hostStart);
    if (hostEnd < 0)
        hostEnd = trimmed.size();
    return trimmed.left(hostEnd).toLower() + trimmed.mid(hostEnd);
}

} // namespace

bool SameAddress(const QString &a, const QString &b)
{
    return comparable(a) == comparable(b);
}

void RememberAddress(QStringList &history, const QString &address)
{
    if (address.trimmed().isEmpty())
        return;
    history.removeIf([&](const QString &entry) { return SameAddress(entry, address); });
    history.prepend(address);
}

Navigation ChooseNavigation(const QString &address, const QString &currentAddress, bool noCache)
{
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return {Navigation::Kind::Home, HomePageAddress(), false};
    if (!currentAddress.isEmpty() && SameAddress(trimmed, currentAddress))
        return {Navigation::Kind::Reload, trimmed, false};
    const QString shown = currentAddress.toLower();
    const bool feedShown =
        shown.endsWith(QLatin1String(".xml")) || shown.endsWith(QLatin1String(".rdf"));
    return {Navigation::Kind::Open, trimmed, noCache && !feedShown};
}

QString HomePageAddress()
{
    return QStringLiteral("about:blank");
}

QString AddressFromUserText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (QDir::isAbsolutePath(trimmed) && !trimmed.contains(QLatin1String("://")))
        return QUrl::fromLocalFile(trimmed).toString();
    return trimmed;
}
