#include "core/media/mediafacts.h"

#include "core/feed/feedaddresses.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace Qt::StringLiterals;

MediaFacts LocalMediaFacts(const QString &path, const ChannelSettings &settings)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return {.error = u"ファイルが見つかりません：%1"_s.arg(path)};
    MediaFacts facts;
    facts.length = QString::number(file.size());
    facts.type = QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension).name();
    // The feed's own address names the folder its files are uploaded to.
    const QString self = SelfAddress(settings);
    if (const qsizetype slash = self.lastIndexOf(u'/'); slash >= 0)
        facts.address =
            self.left(slash + 1) + QString::fromLatin1(QUrl::toPercentEncoding(file.fileName()));
    return facts;
}

MediaFacts ProbeMediaAddress(const QUrl &address, const HttpLimits &limits)
{
    if (QString fault = HttpAddressFault(address); !fault.isEmpty())
        return {.error = fault};
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.head(SafeHttpRequest(address, limits));
    WaitForReply(*reply);
    MediaFacts facts{.address = address.toString()};
    if (reply->error() != QNetworkReply::NoError) {
        facts.error = HttpReplyFault(*reply);
    } else {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid())
            facts.length = QString::number(length.toLongLong());
        facts.type = reply->header(QNetworkRequest::ContentTypeHeader)
                         .toString()
                         .section(u';', 0, 0)
                         .trimmed();
        if (facts.length.isEmpty())
            facts.error = u"サーバーがファイルの長さを返しませんでした。"_s;
    }
    reply->deleteLater();
    return facts;
}
