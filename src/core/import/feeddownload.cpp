#include "feeddownload.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace Qt::StringLiterals;

namespace {

QString replyFault(QNetworkReply &reply, bool tooLong)
{
    if (tooLong)
        return u"フィードが大きすぎます（%1 MB まで）。"_s.arg(MaxFeedBytes / 1024 / 1024);
    switch (reply.error()) {
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return u"サーバーから応答がありません。"_s;
    case QNetworkReply::TooManyRedirectsError:
        return u"転送先への案内（リダイレクト）が多すぎます。"_s;
    case QNetworkReply::InsecureRedirectError:
        return u"https から http への転送は受け付けません。"_s;
    default:
        break;
    }
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return u"サーバーがエラーを返しました（HTTP %1）。"_s.arg(status);
    return reply.errorString();
}

} // namespace

bool IsFeedAddress(const QString &text)
{
    return text.startsWith("http://"_L1, Qt::CaseInsensitive) ||
           text.startsWith("https://"_L1, Qt::CaseInsensitive);
}

FeedDownload DownloadFeed(const QUrl &address, const FeedDownloadLimits &limits)
{
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || (scheme != "http"_L1 && scheme != "https"_L1))
        return {{}, u"http または https のアドレスを指定してください。"_s};

    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits.maxRedirects);
    request.setTransferTimeout(limits.idleMilliseconds);
    QNetworkReply *reply = manager.get(request);

    FeedDownload download;
    bool tooLong = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        download.bytes += reply->readAll();
        if (download.bytes.size() > MaxFeedBytes) {
            tooLong = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    if (!tooLong && reply->isOpen())
        download.bytes += reply->readAll();
    if (tooLong || reply->error() != QNetworkReply::NoError) {
        download.bytes.clear();
        download.error = replyFault(*reply, tooLong);
    }
    reply->deleteLater();
    return download;
}
