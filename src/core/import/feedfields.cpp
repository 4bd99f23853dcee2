#include "core/import/feedfields.h"

#include "core/import/feedinstant.h"
#include "core/text/textops.h"

#include <algorithm>
#include <span>

using namespace Qt::StringLiterals;

namespace {

QString valueOf(const XmlElement &element)
{
    return (element.text.isEmpty() ? element.cdata : element.text).trimmed();
}

std::optional<QString> attributeOf(const XmlElement &element, QLatin1StringView name)
{
    for (const XmlAttribute &attribute : element.attributes) {
        if (SameXmlName(attribute.name, name))
            return attribute.value;
    }
    return std::nullopt;
}

const XmlElement *childOf(const XmlElement &element, QLatin1StringView name)
{
    for (const XmlElement &child : element.children) {
        if (SameXmlName(child.name, name))
            return &child;
    }
    return nullptr;
}

QString childValue(const XmlElement &element, QLatin1StringView name)
{
    const XmlElement *child = childOf(element, name);
    return child ? valueOf(*child) : QString();
}

// A field of one line: line breaks inside a title or an address become
// spaces, as a reader shows them.
QString oneLine(QString text)
{
    return text.replace(u'\n', u' ');
}

void setOnce(QString &field, const QString &value)
{
    if (field.isEmpty())
        field = value;
}

QString withCrLf(QString text)
{
    return text.replace(u'\n', "\r\n"_L1);
}

QString textType(const XmlElement &element)
{
    return attributeOf(element, "type"_L1).value_or(u"text"_s).toLower();
}

// An Atom text construct as HTML. The reader keeps xhtml content as markup,
// wrapped in the div the construct requires.
QString atomHtml(const XmlElement &element)
{
    const QString type = textType(element);
    const QString value = valueOf(element);
    if (type == "xhtml"_L1) {
        if (value.startsWith("<div"_L1) && value.endsWith("</div>"_L1)) {
            const qsizetype open = value.indexOf(u'>');
            return value.sliced(open + 1, value.size() - open - 1 - 6).trimmed();
        }
        return value;
    }
    if (type == "html"_L1 || type == "text/html"_L1)
        return value;
    return EscapeMarkup(value);
}

// An Atom text construct as plain text, for titles.
QString atomPlain(const XmlElement &element)
{
    const QString type = textType(element);
    return type == "text"_L1 || type == "text/plain"_L1 ? valueOf(element)
                                                        : StripTags(atomHtml(element)).trimmed();
}

QString titleOf(FeedFormat format, const XmlElement &element)
{
    return format == FeedFormat::Atom ? atomPlain(element) : valueOf(element);
}

// RSS gives a link as text; Atom (and atom:link inside RSS) as an href, of
// which the alternate one is the page.
QString linkOf(const XmlElement &element)
{
    if (const std::optional<QString> href = attributeOf(element, "href"_L1)) {
        const QString rel = attributeOf(element, "rel"_L1).value_or(u"alternate"_s);
        return rel == "alternate"_L1 ? href->trimmed() : QString();
    }
    return valueOf(element);
}

// An Atom person's name; an RSS author is a text.
QString personOf(const XmlElement &element)
{
    return element.children.empty() ? valueOf(element) : childValue(element, "name"_L1);
}

QString categoryOf(const XmlElement &element)
{
    return attributeOf(element, "term"_L1).value_or(valueOf(element)).trimmed();
}

using Draft = FeedFields::ItemDraft;

struct ItemField
{
    QLatin1StringView name;
    void (*take)(FeedFormat, Draft &, const XmlElement &);
};

// The elements of an item that the feed keeps, by local name. Enclosures
// and the podcast tags have no row yet: they are counted as not taken.
constexpr ItemField ItemFields[] = {
    {"title"_L1,
     [](FeedFormat f, Draft &d, const XmlElement &e) { setOnce(d.item.title, titleOf(f, e)); }},
    {"link"_L1, [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.item.url, linkOf(e)); }},
    {"guid"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) {
         // A permanent guid is the item's address where no link is given.
         if (attributeOf(e, "ispermalink"_L1).value_or(u"true"_s) != "false"_L1 &&
             d.item.url.isEmpty())
             d.item.url = valueOf(e);
     }},
    {"description"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.description, valueOf(e)); }},
    {"encoded"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.encoded, valueOf(e)); }},
    {"content"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.content, atomHtml(e)); }},
    {"summary"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.summary, atomHtml(e)); }},
    {"pubdate"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.published, valueOf(e)); }},
    {"date"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.published, valueOf(e)); }},
    {"published"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.published, valueOf(e)); }},
    {"issued"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.published, valueOf(e)); }},
    {"updated"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.updated, valueOf(e)); }},
    {"modified"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.updated, valueOf(e)); }},
    {"category"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.item.subject, categoryOf(e)); }},
    {"subject"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.item.subject, valueOf(e)); }},
    {"creator"_L1, [](FeedFormat, Draft &d, const XmlElement &e) { d.item.creator = valueOf(e); }},
    {"author"_L1,
     [](FeedFormat, Draft &d, const XmlElement &e) { setOnce(d.item.creator, personOf(e)); }},
};

struct ChannelField
{
    QLatin1StringView name;
    void (*take)(FeedFormat, ChannelSettings &, const XmlElement &);
};

void takeImage(ChannelSettings &s, const XmlElement &e)
{
    setOnce(s.logosrc, childValue(e, "url"_L1));
    setOnce(s.logotitle, childValue(e, "title"_L1));
    setOnce(s.logolink, childValue(e, "link"_L1));
}

// The channel's elements that the feed keeps, by local name. RSS 1.0's
// list of items and the channel's pointer to its image say nothing of
// their own.
constexpr ChannelField ChannelFields[] = {
    {"title"_L1, [](FeedFormat f, ChannelSettings &s,
                    const XmlElement &e) { setOnce(s.title, titleOf(f, e)); }},
    {"link"_L1,
     [](FeedFormat, ChannelSettings &s, const XmlElement &e) { setOnce(s.link, linkOf(e)); }},
    {"description"_L1, [](FeedFormat, ChannelSettings &s,
                          const XmlElement &e) { setOnce(s.description, withCrLf(valueOf(e))); }},
    {"subtitle"_L1, [](FeedFormat f, ChannelSettings &s,
                       const XmlElement &e) { setOnce(s.description, withCrLf(titleOf(f, e))); }},
    {"tagline"_L1, [](FeedFormat f, ChannelSettings &s,
                      const XmlElement &e) { setOnce(s.description, withCrLf(titleOf(f, e))); }},
    {"language"_L1,
     [](FeedFormat, ChannelSettings &s, const XmlElement &e) { setOnce(s.language, valueOf(e)); }},
    {"creator"_L1,
     [](FeedFormat, ChannelSettings &s, const XmlElement &e) { s.creator = valueOf(e); }},
    {"author"_L1,
     [](FeedFormat, ChannelSettings &s, const XmlElement &e) { setOnce(s.creator, personOf(e)); }},
    {"managingeditor"_L1,
     [](FeedFormat, ChannelSettings &s, const XmlElement &e) { setOnce(s.creator, valueOf(e)); }},
    {"image"_L1, [](FeedFormat, ChannelSettings &s, const XmlElement &e) { takeImage(s, e); }},
    {"logo"_L1,
     [](FeedFormat, ChannelSettings &s, const XmlElement &e) { s.logosrc = valueOf(e); }},
    {"icon"_L1,
     [](FeedFormat, ChannelSettings &s, const XmlElement &e) { setOnce(s.logosrc, valueOf(e)); }},
    {"items"_L1, [](FeedFormat, ChannelSettings &, const XmlElement &) {}},
};

template <typename Field>
const Field *fieldNamed(std::span<const Field> fields, const QString &name)
{
    const auto found = std::find_if(fields.begin(), fields.end(), [&](const Field &field) {
        return SameXmlName(name, field.name);
    });
    return found == fields.end() ? nullptr : &*found;
}

QString firstOf(std::initializer_list<const QString *> texts)
{
    for (const QString *text : texts) {
        if (!text->isEmpty())
            return *text;
    }
    return {};
}

} // namespace

FeedFields::FeedFields(FeedFormat format)
    : m_format(format), m_settings(ChannelSettings::allEmpty())
{
}

void FeedFields::takeLanguage(const QString &language)
{
    m_settings.language = language.trimmed();
}

void FeedFields::takeChannelElement(const XmlElement &element)
{
    if (const ChannelField *field = fieldNamed<ChannelField>(ChannelFields, element.name))
        field->take(m_format, m_settings, element);
    else
        ++m_report.unknownElements;
}

void FeedFields::takeItem(const XmlElement &element)
{
    Draft draft;
    for (const XmlElement &child : element.children) {
        if (const ItemField *field = fieldNamed<ItemField>(ItemFields, child.name))
            field->take(m_format, draft, child);
        else
            ++m_report.unknownElements;
    }
    for (QString *field :
         {&draft.item.title, &draft.item.url, &draft.item.subject, &draft.item.creator})
        *field = oneLine(*field);
    m_hasContent = m_hasContent || !draft.encoded.isEmpty() || !draft.content.isEmpty();
    draft.item.desc =
        withCrLf(firstOf({&draft.encoded, &draft.description, &draft.content, &draft.summary}));

    DatedItem dated{std::move(draft.item), std::nullopt};
    const QString dateText = firstOf({&draft.published, &draft.updated});
    if (!dateText.isEmpty()) {
        dated.instant = ReadFeedInstant(dateText);
        if (dated.instant)
            dated.item.date = ItemDateOfInstant(*dated.instant);
        else
            m_report.unreadableDates.append(dateText);
    }
    m_items.push_back(std::move(dated));
}

FeedData FeedFields::finish(FeedImportReport &report)
{
    // Feeds list their newest item first. When every item is dated the dates
    // say which are newest, whatever the order of the document.
    const bool allDated = std::all_of(m_items.begin(), m_items.end(), [](const DatedItem &item) {
        return item.instant.has_value();
    });
    if (allDated) {
        std::stable_sort(
            m_items.begin(), m_items.end(),
            [](const DatedItem &a, const DatedItem &b) { return *a.instant > *b.instant; });
    }
    const qsizetype kept = std::min<qsizetype>(qsizetype(m_items.size()), FeedData::MaxItems);
    m_report.omittedItems = int(m_items.size() - kept);

    FeedData feed;
    for (qsizetype i = kept - 1; i >= 0; --i)
        feed.addItem(m_items[size_t(i)].item);

    ChannelSettings &s = m_settings;
    s.ver = m_format == FeedFormat::Rdf ? RssVersion::Rss1 : RssVersion::Rss2;
    for (QString *field : {&s.title, &s.link, &s.creator, &s.logosrc, &s.logotitle, &s.logolink})
        *field = oneLine(*field);
    s.root = s.link;
    // The image of RSS needs a title; Atom's logo has none.
    if (!s.logosrc.isEmpty())
        setOnce(s.logotitle, s.title);
    s.language = s.language.startsWith("en"_L1, Qt::CaseInsensitive) ? u"en"_s : u"ja"_s;
    s.dateset = s.addressset = s.creatorset = true;
    // Every item kept is written again, each body whole.
    s.rssline = std::clamp(int(kept), 15, FeedData::MaxItems);
    s.descstrmax = 0;
    s.content = m_hasContent;
    feed.settings = s;
    report = m_report;
    return feed;
}
