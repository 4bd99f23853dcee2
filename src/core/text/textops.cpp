#include "core/text/textops.h"

#include <algorithm>

namespace {

const QChar IdeographicSpace(0x3000);

// "&#" followed by decimal digits that end with ";" or with the text.
bool StartsDecimalCharRef(const QString &text, qsizetype amp)
{
    qsizetype pos = amp + 1;
    if (pos >= text.size() || text.at(pos) != u'#')
        return false;
    const qsizetype firstDigit = ++pos;
    while (pos < text.size() && text.at(pos).isDigit() && text.at(pos).unicode() < 0x80)
        ++pos;
    if (pos == firstDigit)
        return false;
    return pos == text.size() || text.at(pos) == u';';
}

// One pass over the text gives the same result as handling the entity table
// character by character with "&" first: an inserted entity is never scanned
// again, and the look-ahead for a kept reference only reads the original text.
// The runs between special characters are copied whole; a text without any
// is given back as it is.
QString EscapeMarkupChars(const QString &text, bool escapeQuote, bool keepCharRefs)
{
    const auto entityFor = [&](qsizetype i) -> QLatin1StringView {
        switch (text.at(i).unicode()) {
        case u'&':
            return keepCharRefs && StartsDecimalCharRef(text, i) ? QLatin1StringView()
                                                                 : QLatin1StringView("&amp;");
        case u'<':
            return QLatin1StringView("&lt;");
        case u'>':
            return QLatin1StringView("&gt;");
        case u'"':
            return escapeQuote ? QLatin1StringView("&quot;") : QLatin1StringView();
        default:
            return {};
        }
    };
    const char16_t *const begin = QStringView(text).utf16();
    const char16_t *const end = begin + text.size();
    const auto isSpecial = [](char16_t c) {
        return c == u'&' || c == u'<' || c == u'>' || c == u'"';
    };
    QString out;
    qsizetype done = 0;
    for (const char16_t *p = std::find_if(begin, end, isSpecial); p != end;
         p = std::find_if(p + 1, end, isSpecial)) {
        const qsizetype i = p - begin;
        const QLatin1StringView entity = entityFor(i);
        if (entity.isEmpty())
            continue;
        if (out.isNull())
            out.reserve(text.size() + text.size() / 8);
        out.append(QStringView(text).sliced(done, i - done));
        out.append(entity);
        done = i + 1;
    }
    if (out.isNull())
        return text;
    out.append(QStringView(text).sliced(done));
    return out;
}

bool IsTrimmedSpace(QChar c)
{
    return c == u' ' || c == IdeographicSpace;
}

QString AppendSeparator(const QString &text, QChar separator)
{
    if (CharCount(text) <= 3 || text.endsWith(separator))
        return text;
    return text + separator;
}

// The UTF-16 index reached by stepping the given number of characters
// forward from index, or the text's size when there are fewer characters.
qsizetype StepChars(const QString &text, qsizetype index, qsizetype steps)
{
    while (steps > 0 && index < text.size()) {
        if (text.at(index).isHighSurrogate() && index + 1 < text.size() &&
            text.at(index + 1).isLowSurrogate())
            ++index;
        ++index;
        --steps;
    }
    return index;
}

} // namespace

QString EscapeXmlText(const QString &text, bool keepCharRefs)
{
    return EscapeMarkupChars(text, false, keepCharRefs);
}

QString EscapeXmlAttr(const QString &text)
{
    return EscapeMarkupChars(text, true, false);
}

QString EscapeMarkup(const QString &text)
{
    return EscapeXmlAttr(text);
}

QString UnescapeXmlText(const QString &text)
{
    qsizetype at = text.indexOf(u'&');
    if (at < 0)
        return text;
    struct Entity
    {
        QLatin1StringView name;
        QChar character;
    };
    static constexpr Entity entities[] = {
        {QLatin1StringView("&gt;"), u'>'},
        {QLatin1StringView("&lt;"), u'<'},
        {QLatin1StringView("&amp;"), u'&'},
    };
    // The search goes on behind each decoded character, so "&amp;lt;" stays
    // "&lt;".
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    while (at >= 0) {
        const QStringView rest = QStringView(text).sliced(at);
        qsizetype next = at + 1;
        for (const Entity &entity : entities) {
            if (rest.startsWith(entity.name)) {
                out += QStringView(text).sliced(done, at - done);
                out += entity.character;
                done = next = at + entity.name.size();
                break;
            }
        }
        at = text.indexOf(u'&', next);
    }
    out += QStringView(text).sliced(done);
    return out;
}

// The escapes are undone as if each were replaced again and again until
// none is left, "&amp;" first, then "&lt;", "&gt;", "&quot;", "&hellip;"
// and "&nbsp;". A run of "amp;" after "&" so comes down to one "&", which
// may then start one of the others; and as only "&amp;" produces an "&",
// one pass from the start gives the same text.
QString UnescapeMarkup(const QString &text)
{
    struct Entity
    {
        QLatin1StringView tail;
        QChar character;
    };
    static constexpr Entity others[] = {
        {QLatin1StringView("lt;"), u'<'},   {QLatin1StringView("gt;"), u'>'},
        {QLatin1StringView("quot;"), u'"'}, {QLatin1StringView("hellip;"), QChar(0x2026)},
        {QLatin1StringView("nbsp;"), u' '},
    };
    const QStringView view(text);
    qsizetype at = view.indexOf(u'&');
    if (at < 0)
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (; at >= 0; at = view.indexOf(u'&', at)) {
        qsizetype after = at + 1;
        while (view.sliced(after).startsWith(QLatin1StringView("amp;")))
            after += 4;
        QChar character = u'&';
        for (const Entity &entity : others) {
            if (view.sliced(after).startsWith(entity.tail)) {
                character = entity.character;
                after += entity.tail.size();
                break;
            }
        }
        if (after == at + 1) {
            ++at; // an "&" of its own
            continue;
        }
        out.append(view.sliced(done, at - done));
        out.append(character);
        done = at = after;
    }
    out.append(view.sliced(done));
    return out;
}

QString StripTags(const QString &text)
{
    if (!text.contains(u'<'))
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype rest = 0;
    while (rest < text.size()) {
        const qsizetype open = text.indexOf(u'<', rest);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'>', open + 1);
        if (close < 0) {
            out += QStringView(text).mid(rest);
            break;
        }
        out += QStringView(text).mid(rest, open - rest);
        rest = close + 1;
    }
    return UnescapeMarkup(out);
}

QString ShapeDescription(const QString &text, int limit)
{
    QString shaped = StripTags(text);
    if (limit > 0 && CharCount(shaped) > limit)
        shaped = CopyChars(shaped, 1, limit) + QLatin1String(" ...");
    return shaped;
}

QString TrimWide(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    while (begin < end && IsTrimmedSpace(text.at(begin)))
        ++begin;
    while (end > begin && IsTrimmedSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString FirstNonBlank(const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString trimmed = TrimWide(entry);
        if (!trimmed.isEmpty())
            return trimmed;
    }
    return QString();
}

QString AddUrlSlash(const QString &text)
{
    return AppendSeparator(text, u'/');
}

QString AddPathDelimiter(const QString &text)
{
    // Folder paths on this platform use "/", the same separator as addresses.
    return AppendSeparator(text, u'/');
}

QString ItemAnchor(const QString &date)
{
    QString anchor = QStringLiteral("bk");
    anchor.reserve(2 + date.size());
    for (const QChar c : date) {
        if (c != u' ' && c != u'-' && c != u':')
            anchor += c;
    }
    return anchor;
}

QString AsciiLower(const QString &text)
{
    QString lower = text;
    for (QChar &c : lower) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return lower;
}

void AppendDecimal(QString &out, int value, int digits)
{
    char16_t reversed[10];
    int count = 0;
    for (unsigned rest = unsigned(std::max(value, 0)); rest > 0 || count < digits; rest /= 10)
        reversed[count++] = char16_t(u'0' + rest % 10);
    while (count > 0)
        out += QChar(reversed[--count]);
}

int CharCount(const QString &text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A low surrogate that completes a pair was counted with its high half.
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++count;
    }
    return count;
}

QString CopyChars(const QString &text, int first, int count)
{
    return CharsView(text, first, count).toString();
}

QStringView CharsView(const QString &text, int first, int count)
{
    if (count <= 0)
        return {};
    const qsizetype begin = StepChars(text, 0, qMax(first, 1) - 1);
    const qsizetype end = StepChars(text, begin, count);
    return QStringView(text).sliced(begin, end - begin);
}

void WriteElementLine(QString &out, int level, const QString &name, const QString &value,
                      bool asCData)
{
    const QString content = asCData ? value : TrimWide(EscapeXmlText(value));
    if (content.isEmpty())
        return;
    out.append(QString(2 * qMax(level, 0), u' '));
    out.append(u'<');
    out.append(name);
    out.append(u'>');
    if (asCData) {
        // A "]]>" inside the value would end the section early and leave the
        // file malformed, so it is split across two sections.
        out.append(QLatin1StringView("<![CDATA["));
        const QStringView section(content);
        qsizetype done = 0;
        for (qsizetype at = section.indexOf(u']'); at >= 0; at = section.indexOf(u']', at + 1)) {
            if (!section.sliced(at).startsWith(u"]]>"))
                continue;
            out.append(section.sliced(done, at + 2 - done));
            out.append(QLatin1StringView("]]><![CDATA["));
            done = at + 2;
        }
        out.append(section.sliced(done));
        out.append(QLatin1StringView("]]>"));
    } else {
        out.append(content);
    }
    out.append(QLatin1StringView("</"));
    out.append(name);
    out.append(QLatin1StringView(">\r\n"));
}

void WriteLine(QString &out, const QString &line)
{
    if (TrimWide(line).isEmpty())
        return;
    out += line;
    out += QLatin1String("\r\n");
}
