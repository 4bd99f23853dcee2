#include "core/project/projectfields.h"

#include <array>
#include <type_traits>
#include <utility>

namespace {

using namespace Qt::StringLiterals;

ChannelField text(QLatin1StringView name, QString ChannelSettings::*field)
{
    return {name, ChannelField::Text, field};
}

ChannelField multiLine(QLatin1StringView name, QString ChannelSettings::*field)
{
    return {name, ChannelField::MultiLine, field};
}

// An int or a choice (an enum stored as its number). A number that names
// no choice is kept as read, so that the file keeps it.
template <auto field> ChannelField integer(QLatin1StringView name)
{
    using Value = std::remove_cvref_t<decltype(std::declval<ChannelSettings &>().*field)>;
    ChannelField made{name, ChannelField::Integer};
    made.number = [](const ChannelSettings &s) { return static_cast<int>(s.*field); };
    made.setNumber = [](ChannelSettings &s, int number) { s.*field = static_cast<Value>(number); };
    return made;
}

ChannelField flag(QLatin1StringView name, bool ChannelSettings::*field)
{
    return {.name = name, .type = ChannelField::Switch, .flag = field};
}

ChannelField extraFlag(QLatin1StringView name, bool ChannelSettings::*field)
{
    ChannelField made = flag(name, field);
    made.leftOutWhenOff = true;
    return made;
}

} // namespace

std::span<const ChannelField> ChannelFields()
{
    using S = ChannelSettings;
    static const std::array fields = {
        text("filename"_L1, &S::filename),
        text("root"_L1, &S::root),
        text("src"_L1, &S::src),
        text("title"_L1, &S::title),
        text("creator"_L1, &S::creator),
        text("link"_L1, &S::link),
        multiLine("description"_L1, &S::description),
        text("style"_L1, &S::style),
        integer<&S::ver>("ver"_L1),
        flag("dateset"_L1, &S::dateset),
        flag("addressset"_L1, &S::addressset),
        flag("creatorset"_L1, &S::creatorset),
        integer<&S::rssline>("rssline"_L1),
        text("language"_L1, &S::language),
        integer<&S::descstrmax>("descstrmax"_L1),
        flag("content"_L1, &S::content),
        text("localfolder"_L1, &S::localfolder),
        text("logotitle"_L1, &S::logotitle),
        text("logolink"_L1, &S::logolink),
        text("logosrc"_L1, &S::logosrc),
        text("ftpfolder"_L1, &S::ftpfolder),
        text("ftptemplate"_L1, &S::ftptemplate),
        flag("html"_L1, &S::html),
        integer<&S::htmlext>("htmlext"_L1),
        integer<&S::htmlmark>("htmlmark"_L1),
        flag("htmllabel"_L1, &S::htmllabel),
        multiLine("htmlscript"_L1, &S::htmlscript),
        ChannelField{.name = "memo"_L1,
                     .type = ChannelField::MultiLine,
                     .text = &S::memo,
                     .writtenForFeed = false},
        extraFlag("podcast"_L1, &S::podcast),
        text("itunesimage"_L1, &S::itunesimage),
        text("itunescategory"_L1, &S::itunescategory),
        extraFlag("itunesexplicit"_L1, &S::itunesexplicit),
        text("itunesauthor"_L1, &S::itunesauthor),
        text("itunesowner"_L1, &S::itunesowner),
        text("itunesemail"_L1, &S::itunesemail),
        text("itunestype"_L1, &S::itunestype),
        extraFlag("selflink"_L1, &S::selflink),
        extraFlag("itemguid"_L1, &S::itemguid),
        extraFlag("uploadmedia"_L1, &S::uploadmedia),
    };
    return fields;
}

std::span<const ItemField> ItemFields()
{
    static const std::array fields = {
        ItemField{"title"_L1, &FeedItem::title},
        ItemField{"date"_L1, &FeedItem::date},
        ItemField{"url"_L1, &FeedItem::url},
        ItemField{"subject"_L1, &FeedItem::subject},
        ItemField{"creator"_L1, &FeedItem::creator},
        ItemField{"desc"_L1, &FeedItem::desc, true},
        ItemField{"enclosure"_L1, &FeedItem::enclosure},
        ItemField{"enclosurelength"_L1, &FeedItem::enclosurelength},
        ItemField{"enclosuretype"_L1, &FeedItem::enclosuretype},
        ItemField{"enclosurefile"_L1, &FeedItem::enclosurefile},
        ItemField{"itunesduration"_L1, &FeedItem::itunesduration},
        ItemField{"itunesepisode"_L1, &FeedItem::itunesepisode},
        ItemField{"itunesexplicit"_L1, &FeedItem::itunesexplicit},
        ItemField{"guid"_L1, &FeedItem::guid},
    };
    return fields;
}
