#include "core/check/feedrules.h"

#include <QUrl>

void AddError(FeedFindings &findings, int line, const QString &message)
{
    findings.append({FeedFinding::Severity::Error, line, message});
}

void CheckAbsoluteAddress(const QString &address, int line, const QString &what,
                          FeedFindings &findings)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty())
        return;
    AddError(findings, line,
             what + QStringLiteral(" が http:// か https:// で始まる絶対アドレスではありません: ") +
                 address);
}
