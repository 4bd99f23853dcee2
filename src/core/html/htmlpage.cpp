#include "core/html/htmlpage.h"

#include "core/feed/feedaddresses.h"
#include "core/files/replacefile.h"
#include "core/html/templateengine.h"
#include "core/text/charsets.h"
#include "core/text/textops.h"

QString GenerateHtmlPage(const FeedData &feed, const Clock &clock, UserInterface &ui)
{
    const TemplateContext context{feed.settings, clock.now(), ui};
    return ProcessTemplate(feed.settings.htmlscript, context, feed.items);
}

QByteArray HtmlPageBytes(const QString &page)
{
    return EncodePage(page, ChoosePageCharset(page));
}

bool WriteHtmlFile(const QString &path, const QString &page)
{
    return ReplaceFile(path, HtmlPageBytes(page), Durability::Cached).isEmpty();
}

HtmlPageAddressLabel PageAddressLabel(const ChannelSettings &settings)
{
    if (SiteBaseAddress(settings).isEmpty() || settings.filename.isEmpty())
        return {QStringLiteral("( パス名 : 不明 )"), false};
    return {QStringLiteral("( パス名 : ") + HtmlPageAddress(settings) + QStringLiteral(" )"), true};
}
