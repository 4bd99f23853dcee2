#include "core/preview/previewcontent.h"

#include "core/feed/feedaddresses.h"
#include "core/feed/feedfiles.h"
#include "core/feed/rss1writer.h"
#include "core/feed/rss2writer.h"
#include "core/html/htmlpage.h"
#include "core/text/textops.h"

#include <QFileInfo>
#include <QUrl>

PreviewStyle ChoosePreviewStyle(const ChannelSettings &settings, const QString &dataFolder)
{
    const QString style = settings.style;
    if (style.isEmpty() || style.contains(u'/'))
        return {};
    const QString base = SiteBaseAddress(settings);
    if (!base.isEmpty())
        return {AddUrlSlash(base) + style, {}};
    const QString folder =
        AddPathDelimiter(settings.localfolder.isEmpty() ? dataFolder : settings.localfolder);
    const QString path = folder + style;
    if (QFileInfo(path).isFile())
        return {QUrl::fromLocalFile(path).toString(), {}};
    return {QStringLiteral("*"),
            QStringLiteral("●スタイルシートの場所特定できませんので使用しません。")};
}

QString PreviewStyleQuestion(const QString &note)
{
    return QStringLiteral("構文のチェックを目的としますので以下の点に注意してください。\r\n\r\n") +
           note;
}

QString FeedRssText(const FeedData &feed, const QString &projectFile, const QString &styleArgument,
                    const Clock &clock)
{
    if (feed.settings.ver != RssVersion::Rss1)
        return WriteRss2(feed, styleArgument, clock).text;
    const QString path = RssFilePath(feed.settings, projectFile).value_or(UnresolvedFileName());
    return WriteRss1(feed, path, styleArgument, clock).text;
}

QString SourceViewText(const FeedData &feed, SourceView view, const QString &projectFile,
                       const Clock &clock, UserInterface &ui)
{
    return view == SourceView::Rss ? FeedRssText(feed, projectFile, QString(), clock)
                                   : GenerateHtmlPage(feed, clock, ui);
}

QString AddressPreviewTarget(const QString &focusedText, const ChannelSettings *settings)
{
    if (focusedText.left(4).compare(QLatin1String("http"), Qt::CaseInsensitive) == 0)
        return focusedText;
    if (!settings)
        return {};
    return FirstNonBlank({settings->link, settings->html ? SitePageAddress(*settings) : QString(),
                          SiteBaseAddress(*settings)});
}
