#include "core/html/templatevariables.h"

#include "core/feed/feedaddresses.h"
#include "core/feed/feedfiles.h"
#include "core/html/datepattern.h"
#include "core/text/textops.h"

#include <array>

namespace {

VariableText plain(const QString &value)
{
    return {QString(), value};
}

// The RSS file is written and uploaded under its lower-case name, so the
// address must name it so too: servers tell names apart by case.
QString feedAddress(const ChannelSettings &s)
{
    return AddUrlSlash(SiteBaseAddress(s)) + AsciiLower(s.filename) + RssExtension(s);
}

VariableText channelDate(const VariableRequest &r)
{
    const QDate date = r.context.now.date();
    const QTime time = r.context.now.time();
    return {r.format ? FormatDatePattern(*r.format, date, time) : QString(),
            FormatDatePattern(DefaultDatePattern, date, time)};
}

VariableText itemDate(const VariableRequest &r)
{
    const QString &date = r.item.date;
    if (!r.format || date.isEmpty())
        return plain(date);
    // A date text that is no valid date is inserted as typed rather than
    // pushed through the format.
    const std::optional<DateAndTime> read = ReadItemDate(date);
    return {read ? FormatDatePattern(*r.format, read->date, read->time) : date, date};
}

const std::array<TemplateVariable, TemplateVariableCount> variables{{
    {u"{common_root", [](const VariableRequest &r) { return plain(r.context.settings.root); }},
    {u"{common_target",
     [](const VariableRequest &r) { return plain(SiteBaseAddress(r.context.settings)); }},
    {u"{common_html",
     [](const VariableRequest &r) { return plain(HtmlPageAddress(r.context.settings)); }},
    {u"{channel_feed",
     [](const VariableRequest &r) { return plain(feedAddress(r.context.settings)); }},
    {u"{channel_title", [](const VariableRequest &r) { return plain(r.context.settings.title); }},
    {u"{channel_link",
     [](const VariableRequest &r) { return plain(ChannelLink(r.context.settings)); }},
    {u"{channel_desc",
     [](const VariableRequest &r) { return plain(r.context.settings.description); }},
    {u"{channel_creator",
     [](const VariableRequest &r) { return plain(r.context.settings.creator); }},
    {u"{channel_date", channelDate},
    {u"{image_url", [](const VariableRequest &r) { return plain(r.context.settings.logosrc); }},
    {u"{image_title", [](const VariableRequest &r) { return plain(r.context.settings.logotitle); }},
    {u"{image_link", [](const VariableRequest &r) { return plain(LogoLink(r.context.settings)); }},
    {u"{item_title", [](const VariableRequest &r) { return plain(r.item.title); }},
    {u"{item_link", [](const VariableRequest &r) { return plain(r.item.url); }},
    {u"{item_desc",
     [](const VariableRequest &r) {
         return plain(ShapeDescription(r.item.desc, r.context.settings.descstrmax));
     }},
    {u"{item_content", [](const VariableRequest &r) { return plain(r.item.desc); }},
    {u"{item_subject", [](const VariableRequest &r) { return plain(r.item.subject); }},
    {u"{item_creator", [](const VariableRequest &r) { return plain(r.item.creator); }},
    {u"{item_date", itemDate},
    {u"{item_guid", [](const VariableRequest &r) { return plain(ItemAnchor(r.item.date)); }},
    {u"{if_month_change",
     [](const VariableRequest &r) { return plain(r.dates.monthChange(r.item.date)); }},
    {u"{if_year_change",
     [](const VariableRequest &r) { return plain(r.dates.yearChange(r.item.date)); }},
    {u"{common_generator", [](const VariableRequest &) { return plain(GeneratorText()); }},
    // The item's media file, so that a page can offer it.
    {u"{item_enclosure_url", [](const VariableRequest &r) { return plain(r.item.enclosure); }},
    {u"{item_enclosure_length",
     [](const VariableRequest &r) { return plain(r.item.enclosurelength); }},
    {u"{item_enclosure_type", [](const VariableRequest &r) { return plain(r.item.enclosuretype); }},
    {u"{item_duration", [](const VariableRequest &r) { return plain(r.item.itunesduration); }},
}};

} // namespace

std::span<const TemplateVariable, TemplateVariableCount> TemplateVariables()
{
    return variables;
}

QString GeneratorText()
{
    return QStringLiteral("Brisklet (https://brisklet.example/)");
}
