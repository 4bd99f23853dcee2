#pragma once

#include <QString>

#include <optional>

class IniFile;

// The external feed-analysis service: the second step of the feed check,
// given the published feed's address after "?url=".

inline QString DefaultFeedCheckService()
{
    return QStringLiteral("https://validator.w3.org/feed/check.cgi");
}
// Kept in the settings file (section Environ, key FeedCheckService); the
// default when the key is missing. A blank value turns the service off.
QString ReadFeedCheckService(const IniFile &ini);
void WriteFeedCheckService(IniFile &ini, const QString &service);

// service + "?url=" + the feed address percent-encoded. Only an http(s)
// feed address is sent, so a local path never leaves the machine; none
// either when the service is blank.
std::optional<QString> FeedCheckServiceAddress(const QString &service, const QString &feedAddress);
