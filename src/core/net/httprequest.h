#pragma once

#include <QNetworkRequest>
#include <QString>
#include <QUrl>

class QNetworkReply;

// What every request of the program to a web server shares: only http and
// https, redirects followed up to a limit but never from https back to
// http, and a server that stays silent given up after a time.

struct HttpLimits
{
    int idleMilliseconds = 30000;
    int maxRedirects = 5;
};

// The message for an address the program does not fetch; empty when it does.
QString HttpAddressFault(const QUrl &address);
QNetworkRequest SafeHttpRequest(const QUrl &address, const HttpLimits &limits);
// Why a finished reply failed, in the user's words.
QString HttpReplyFault(QNetworkReply &reply);
// Runs an event loop of its own until the reply finishes, so that a window
// stays painted.
void WaitForReply(QNetworkReply &reply);
