#include "core/preview/feedcheckservice.h"

#include "core/settings/inifile.h"

#include <QUrl>

namespace {
const QString section = QStringLiteral("Environ");
const QString key = QStringLiteral("FeedCheckService");
} // namespace

QString ReadFeedCheckService(const IniFile &ini)
{
    return ini.value(section, key).value_or(DefaultFeedCheckService()).trimmed();
}

void WriteFeedCheckService(IniFile &ini, const QString &service)
{
    ini.setValue(section, key, service.trimmed());
}

std::optional<QString> FeedCheckServiceAddress(const QString &service, const QString &feedAddress)
{
    const QUrl feed(feedAddress.trimmed());
    const QString scheme = feed.scheme().toLower();
    if (service.trimmed().isEmpty() || !feed.isValid() || feed.host().isEmpty() ||
        (scheme != u"http" && scheme != u"https"))
        return std::nullopt;
    const QString separator =
        service.contains(u'?') ? QStringLiteral("&url=") : QStringLiteral("?url=");
    return service.trimmed() + separator +
           QString::fromLatin1(QUrl::toPercentEncoding(feedAddress.trimmed()));
}
