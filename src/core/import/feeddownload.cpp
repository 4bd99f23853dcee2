#include "core/import/feeddownload.h"

#include "core/net/httprequest.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace Qt::StringLiterals;

bool IsFeedAddress(const QString &text)
{
    return text.startsWith("http://"_L1, Qt::CaseInsensitive) ||
           text.startsWith("https://"_L1, Qt::CaseInsensitive);
}

FeedDownload DownloadFeed(const QUrl &address, const FeedDownloadLimits &limits)
{
    if (QString fault = HttpAddressFault(address); !fault.isEmpty())
        return {{}, fault};

    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(SafeHttpRequest(address, limits));

    FeedDownload download;
    bool tooLong = false;
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        download.bytes += reply->readAll();
        if (download.bytes.size() > MaxFeedBytes) {
            tooLong = true;
            reply->abort();
        }
    });
    WaitForReply(*reply);
    if (!tooLong && reply->isOpen())
        download.bytes += reply->readAll();
    if (tooLong || reply->error() != QNetworkReply::NoError) {
        download.bytes.clear();
        download.error =
            tooLong ? u"フィードが大きすぎます（%1 MB まで）。"_s.arg(MaxFeedBytes / 1024 / 1024)
                    : HttpReplyFault(*reply);
    }
    reply->deleteLater();
    return download;
}
