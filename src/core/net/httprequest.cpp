#include "core/net/httprequest.h"

#include <QEventLoop>
#include <QNetworkReply>

using namespace Qt::StringLiterals;

QString HttpAddressFault(const QUrl &address)
{
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || (scheme != "http"_L1 && scheme != "https"_L1))
        return u"http または https のアドレスを指定してください。"_s;
    return {};
}

QNetworkRequest SafeHttpRequest(const QUrl &address, const HttpLimits &limits)
{
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits.maxRedirects);
    request.setTransferTimeout(limits.idleMilliseconds);
    return request;
}

QString HttpReplyFault(QNetworkReply &reply)
{
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

void WaitForReply(QNetworkReply &reply)
{
    if (reply.isFinished())
        return;
    QEventLoop loop;
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
}
