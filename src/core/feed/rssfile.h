#pragma once

#include "core/clock.h"
#include "core/model/feeddata.h"

#include <QByteArray>
#include <QString>

// The exact bytes that saving and uploading write into a feed's RSS file:
// the RSS 1.0 text when the feed's ver is 0, the RSS 2.0 text otherwise, in
// UTF-8 without a byte order mark. rssFilePath is the file's local path
// (RssFilePath); RSS 1.0 names the feed by its file name. The clock gives
// the feed's own date. styleArgument as for the writers: empty (what saving
// and uploading pass) uses the channel's style.
//
// noDuplicates is false when two written items would name the same RSS 1.0
// resource; the file is complete all the same, and saving reports it with
// DuplicateAddressText.
struct RssFileContent
{
    QByteArray bytes;
    bool noDuplicates = true;
};

// What saving and uploading tell when noDuplicates is false.
inline QString DuplicateAddressText()
{
    return QStringLiteral("同じ日付のアドレスが重複する項目がありました.");
}

RssFileContent RssFileBytes(const FeedData &feed, const QString &rssFilePath, const Clock &clock,
                            const QString &styleArgument = {});
