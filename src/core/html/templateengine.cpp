#include "templateengine.h"

#include "feed/textops.h"
#include "stringformat.h"
#include "templateattribute.h"
#include "templatevariables.h"

#include <algorithm>
#include <bitset>

namespace {

constexpr QStringView LoopStart = u"{item_loop_start";
constexpr QStringView LoopEnd = u"{item_loop_end}";

std::optional<QStringView> formatAttribute(QStringView attributeText)
{
    AttributeReader reader(attributeText);
    while (!reader.atEnd()) {
        const AttributeReader::Attribute attribute = reader.next();
        if (attribute.name.compare(u"format", Qt::CaseInsensitive) == 0)
            return attribute.value;
    }
    return std::nullopt;
}

QString replacement(const TemplateVariable &variable, VariableRequest request,
                    QStringView attributeText)
{
    request.format = formatAttribute(attributeText);
    const VariableText text = variable.text(request);
    QString formatted = TrimWide(text.formatted);
    if (!formatted.isEmpty())
        return formatted;
    QString value = TrimWide(text.plain);
    if (value.isEmpty() || !request.format)
        return value;
    return ApplyStringFormat(*request.format, value);
}

struct ReplaceResult
{
    // False when an occurrence lacks its "}".
    bool complete = true;
    // True when a replacement may have put together a head that the piece
    // did not hold: a value holding "{", or a "{" shortly before a value.
    bool mayFormHeads = false;
};

// True when a "{" stands close enough before the end of the text to begin a
// head that runs on into what is appended next.
bool braceJustBefore(const QString &out)
{
    static const qsizetype longestHead = [] {
        qsizetype longest = 0;
        for (const TemplateVariable &variable : TemplateVariables())
            longest = std::max(longest, variable.head.size());
        return longest;
    }();
    return QStringView(out).right(longestHead - 1).contains(u'{');
}

// The first occurrence of the head from the position on. Every head starts
// with "{", which is searched for much faster than the whole head, and
// braces are rare outside heads.
qsizetype findHead(QStringView text, QStringView head, qsizetype from)
{
    for (qsizetype found = text.indexOf(u'{', from); found >= 0;
         found = text.indexOf(u'{', found + 1)) {
        if (text.size() - found >= head.size() &&
            std::equal(head.begin(), head.end(), text.begin() + found))
            return found;
    }
    return -1;
}

// Replaces every occurrence of one variable in a single pass. The search
// goes on behind each inserted value, so a value holding the variable's own
// head is not expanded again.
ReplaceResult replaceVariable(QString &text, const TemplateVariable &variable,
                              const VariableRequest &request)
{
    ReplaceResult result;
    qsizetype found = findHead(text, variable.head, 0);
    if (found < 0)
        return result;
    QString out;
    out.reserve(text.size());
    qsizetype done = 0;
    while (found >= 0) {
        const qsizetype attributes = found + variable.head.size();
        const qsizetype close = text.indexOf(u'}', attributes);
        if (close < 0) {
            request.context.ui.information(variable.head.toString() +
                                           QStringLiteral("}変数が不正です。"));
            out += QStringView(text).sliced(done);
            text = std::move(out);
            result.complete = false;
            return result;
        }
        out += QStringView(text).sliced(done, found - done);
        const QString value = replacement(variable, request,
                                          QStringView(text).sliced(attributes, close - attributes));
        result.mayFormHeads = result.mayFormHeads || value.contains(u'{') || braceJustBefore(out);
        out += value;
        done = close + 1;
        found = findHead(text, variable.head, done);
    }
    out += QStringView(text).sliced(done);
    text = std::move(out);
    return result;
}

// A piece of template text with the variables it names, so that a loop body
// expanded for a hundred items is searched for the other variables only
// once.
class TemplatePiece
{
public:
    explicit TemplatePiece(QStringView text) : m_text(text)
    {
        const std::span<const TemplateVariable> variables = TemplateVariables();
        for (size_t i = 0; i < variables.size(); ++i)
            m_named[i] = text.contains(variables[i].head);
    }

    // Replaces the variables in order for one item (an empty item outside
    // loops), then takes the item's date into the date-change state. A
    // variable without a closing brace stops the replacing: the rest of the
    // piece stays as typed.
    QString expand(const TemplateContext &context, const FeedItem &item,
                   DateChangeState &dates) const
    {
        QString text = m_text.toString();
        const VariableRequest request{context, item, dates, std::nullopt};
        const std::span<const TemplateVariable> variables = TemplateVariables();
        bool mayFormHeads = false;
        for (size_t i = 0; i < variables.size(); ++i) {
            if (!m_named[i] && !mayFormHeads)
                continue;
            const ReplaceResult result = replaceVariable(text, variables[i], request);
            if (!result.complete)
                break;
            mayFormHeads = mayFormHeads || result.mayFormHeads;
        }
        dates.advance(item.date);
        return text;
    }

private:
    QStringView m_text;
    std::bitset<TemplateVariableCount> m_named;
};

QString expandOnce(QStringView text, const TemplateContext &context, DateChangeState &dates)
{
    return TemplatePiece(text).expand(context, FeedItem(), dates);
}

qsizetype loopCount(QStringView attributeText, qsizetype itemCount)
{
    const TemplateAttribute first = ParseAttribute(attributeText.toString());
    if (first.name.compare(u"count", Qt::CaseInsensitive) != 0)
        return itemCount;
    bool ok = false;
    const int count = first.value.toInt(&ok);
    return std::min<qsizetype>(ok ? count : 0, itemCount);
}

} // namespace

QString ProcessTemplate(QStringView templateText, const TemplateContext &context,
                        const QList<FeedItem> &items)
{
    QString page;
    QStringView rest = templateText;
    // One round per loop; each loop starts with a fresh date-change state.
    for (;;) {
        DateChangeState dates;
        const qsizetype start = rest.indexOf(LoopStart);
        if (start < 0) {
            page += expandOnce(rest, context, dates);
            return page;
        }
        page += expandOnce(rest.first(start), context, dates);
        const QStringView afterStart = rest.sliced(start + LoopStart.size());
        const qsizetype close = afterStart.indexOf(u'}');
        if (close < 0) {
            page += expandOnce(afterStart, context, dates);
            context.ui.information(QStringLiteral("{item_loop_start}変数が不正です。"));
            return page;
        }
        const QStringView afterLoopStart = afterStart.sliced(close + 1);
        const qsizetype end = afterLoopStart.indexOf(LoopEnd);
        if (end < 0) {
            page += expandOnce(afterLoopStart, context, dates);
            context.ui.information(QStringLiteral("{item_loop_end}変数が見つかりません。"));
            return page;
        }
        const TemplatePiece body(afterLoopStart.first(end));
        qsizetype remaining = loopCount(afterStart.first(close), items.size());
        for (qsizetype index = items.size() - 1; remaining > 0; --index, --remaining)
            page += body.expand(context, items.at(index), dates);
        rest = afterLoopStart.sliced(end + LoopEnd.size());
    }
}
