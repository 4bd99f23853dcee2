#include "core/check/itemcheck.h"

#include "core/feed/feeddates.h"
#include "core/feed/rsscommon.h"
#include "core/model/feeddata.h"
#include "core/text/textops.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// Elements that have no end tag, and those whose end tag may be left out.
bool isVoidElement(const QString &name)
{
    static const QStringList names =
        QStringLiteral("area base br col embed hr img input link meta param source track wbr")
            .split(u' ');
    return names.contains(name);
}

bool endMayBeLeftOut(const QString &name)
{
    static const QStringList names =
        QStringLiteral("p li dt dd tr td th thead tbody tfoot option optgroup colgroup caption "
                       "rt rp")
            .split(u' ');
    return names.contains(name);
}

bool hasBareAmpersand(const QString &body)
{
    static const QRegularExpression bare(
        QStringLiteral("&(?!#[0-9]+;|#[xX][0-9A-Fa-f]+;|[A-Za-z][A-Za-z0-9]*;)"));
    return body.contains(bare);
}

QString notClosed(const QString &name)
{
    return QStringLiteral("タグ <%1> が閉じられていません。").arg(name);
}

// The first tag that does not pair up; empty when all do.
QString unpairedTag(const QString &body)
{
    static const QRegularExpression tag(
        QStringLiteral("<!--.*?-->|<[!?][^>]*>|<(/?)([A-Za-z][A-Za-z0-9]*)[^>]*?(/?)>"),
        QRegularExpression::DotMatchesEverythingOption);
    QStringList open;
    for (const QRegularExpressionMatch &match : tag.globalMatch(body)) {
        const QString name = match.captured(2).toLower();
        if (name.isEmpty() || isVoidElement(name) || !match.captured(3).isEmpty())
            continue;
        if (match.captured(1).isEmpty()) {
            open.append(name);
            continue;
        }
        if (!open.contains(name))
            return QStringLiteral("終了タグ </%1> に対応する開始タグがありません。").arg(name);
        while (open.last() != name && endMayBeLeftOut(open.last()))
            open.removeLast();
        if (open.last() != name)
            return notClosed(open.last());
        open.removeLast();
    }
    for (auto name = open.crbegin(); name != open.crend(); ++name) {
        if (!endMayBeLeftOut(*name))
            return notClosed(*name);
    }
    return {};
}

} // namespace

QString ItemDateWarning(const QString &date)
{
    if (TrimWide(date).isEmpty() || !Rfc822FromItemDate(date).isEmpty())
        return {};
    return QStringLiteral("日付 \"%1\" を読み取れないため出力しません (yyyy-mm-dd hh:nn:ss)。")
        .arg(date);
}

FeedFindings CheckFeedItems(const FeedData &feed)
{
    FeedFindings findings;
    const auto warn = [&](qsizetype index, const QString &message) {
        findings.append({FeedFinding::Severity::Warning, 0, message, int(index) + 1});
    };
    QList<qsizetype> indexes = ItemIndexesToWrite(feed);
    std::ranges::sort(indexes);
    for (const qsizetype index : indexes) {
        const FeedItem &item = feed.items.at(index);
        if (const QString date = ItemDateWarning(item.date); !date.isEmpty())
            warn(index, date);
        if (hasBareAmpersand(item.desc))
            warn(index, QStringLiteral("本文に単独の \"&\" があります (\"&amp;\" と書きます)。"));
        if (const QString tag = unpairedTag(item.desc); !tag.isEmpty())
            warn(index, QStringLiteral("本文の") + tag);
    }
    return findings;
}
