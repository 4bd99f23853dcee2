#include "core/check/extensioncheck.h"

#include "core/check/imagesize.h"
#include "core/feed/podcastcategories.h"
#include "core/feed/rsscommon.h"
#include "core/model/feeddata.h"
#include "core/text/textops.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

namespace {

bool isPositiveCount(const QString &text)
{
    bool ok = false;
    return text.toLongLong(&ok) > 0 && ok;
}

// The local file the image names: a path or a file:// address.
QString localImage(const QString &image)
{
    const QUrl url(image);
    const QString path = url.isLocalFile() ? url.toLocalFile() : image;
    return path.startsWith(u'/') && QFile::exists(path) ? path : QString();
}

QString imageProblem(const QString &image)
{
    const QString path = localImage(TrimWide(image));
    if (path.isEmpty())
        return {};
    QFile file(path);
    const QSize size = file.open(QIODevice::ReadOnly) ? PngOrJpegSize(file.read(65536)) : QSize();
    if (!size.isValid())
        return QStringLiteral("カバー画像が JPEG でも PNG でもありません: ") + path;
    if (size.width() != size.height() || size.width() < 1400 || size.width() > 3000)
        return QStringLiteral("カバー画像は 1400～3000 ピクセルの正方形にします (%1×%2)。")
            .arg(size.width())
            .arg(size.height());
    return {};
}

bool isEmailAddress(const QString &text)
{
    static const QRegularExpression address(
        QStringLiteral("^[A-Za-z0-9.!#$%&'*+/=?^_`{|}~-]+@[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+$"));
    return address.match(text).hasMatch();
}

void checkChannel(const ChannelSettings &s, FeedFindings &findings)
{
    const auto warn = [&](const QString &message) {
        findings.append({FeedFinding::Severity::Warning, 0, message});
    };
    if (!s.podcast)
        return;
    if (const QString problem = imageProblem(s.itunesimage); !problem.isEmpty())
        warn(problem);
    if (!IsPodcastCategory(TrimWide(s.itunescategory)))
        warn(QStringLiteral("カテゴリ \"%1\" は Apple のカテゴリの一覧にありません。")
                 .arg(s.itunescategory));
    if (const QString email = TrimWide(s.itunesemail); !email.isEmpty() && !isEmailAddress(email))
        warn(QStringLiteral("メールアドレス \"%1\" の形式が正しくありません。").arg(email));
}

} // namespace

FeedFindings CheckFeedExtensions(const FeedData &feed)
{
    FeedFindings findings;
    checkChannel(feed.settings, findings);
    const auto warn = [&](qsizetype index, const QString &message) {
        findings.append({FeedFinding::Severity::Warning, 0, message, int(index) + 1});
    };
    QHash<QString, qsizetype> guidRows;
    QList<qsizetype> indexes = ItemIndexesToWrite(feed);
    std::ranges::sort(indexes);
    for (const qsizetype index : indexes) {
        const FeedItem &item = feed.items.at(index);
        if (!TrimWide(item.enclosure).isEmpty()) {
            if (!isPositiveCount(TrimWide(item.enclosurelength)))
                warn(index,
                     QStringLiteral("メディアファイルの長さ \"%1\" がバイト数 (1 以上の整数) "
                                    "ではありません。")
                         .arg(item.enclosurelength));
            if (TrimWide(item.enclosuretype).isEmpty())
                warn(index, QStringLiteral("メディアファイルの種類 (MIME タイプ) がありません。"));
        }
        if (item.guid.isEmpty())
            continue;
        if (const auto first = guidRows.constFind(item.guid); first != guidRows.cend())
            warn(index, QStringLiteral("guid \"%1\" が項目 %2 と重複しています。")
                            .arg(item.guid)
                            .arg(*first + 1));
        else
            guidRows.insert(item.guid, index);
    }
    return findings;
}
