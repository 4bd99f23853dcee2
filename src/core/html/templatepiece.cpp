#include "core/html/templatepiece.h"

#include "core/html/templatereplacement.h"

namespace {

// True when a "{" in the literal text just before a value may begin a head
// that the value (or, for an empty value, the text behind it) completes.
// The text between that "{" and the value must then be the start of a head.
bool mayCompleteHead(QStringView literalBefore)
{
    const QStringView end = literalBefore.right(LongestHead() - 1);
    for (qsizetype brace = end.indexOf(u'{'); brace >= 0; brace = end.indexOf(u'{', brace + 1)) {
        const QStringView start = end.sliced(brace);
        for (const TemplateVariable &variable : TemplateVariables()) {
            if (variable.head.startsWith(start))
                return true;
        }
    }
    return false;
}

} // namespace

TemplatePiece::TemplatePiece(QStringView text) : m_text(text)
{
    // Every head starts with "{", so looking at the braces alone finds
    // them all, much faster than searching the text once for each head.
    const std::span<const TemplateVariable> variables = TemplateVariables();
    for (qsizetype brace = text.indexOf(u'{'); brace >= 0; brace = text.indexOf(u'{', brace + 1)) {
        for (size_t i = 0; i < variables.size(); ++i)
            m_named[i] = m_named[i] || text.sliced(brace).startsWith(variables[i].head);
    }
    m_parts = cut(text, m_named);
}

// Replaces the variables in turn as ReplaceVariablesInTurn does, with each
// value standing in as an occurrence part of unknown text. Literal parts are
// thus always slices of the piece. Whenever what the replacing does would
// depend on a value's text, there is no cut. A head that runs on into a
// value starts in the literal just before it; later replacing only shortens
// that literal, so looking at it when the value is placed is enough.
std::optional<std::vector<TemplatePiece::Part>>
TemplatePiece::cut(QStringView text, const std::bitset<TemplateVariableCount> &named)
{
    const std::span<const TemplateVariable> variables = TemplateVariables();
    std::vector<Part> parts{{text}};
    for (size_t i = 0; i < variables.size(); ++i) {
        if (!named[i])
            continue;
        const QStringView head = variables[i].head;
        std::vector<Part> next;
        next.reserve(parts.size());
        for (const Part &part : parts) {
            if (part.variable) {
                next.push_back(part);
                continue;
            }
            const QStringView literal = part.literal;
            qsizetype done = 0;
            for (qsizetype found = FindHead(literal, head, 0); found >= 0;
                 found = FindHead(literal, head, done)) {
                const qsizetype attributes = found + head.size();
                // No "}" before the next value or the end: the attributes
                // would end inside or behind a value, or the occurrence is
                // incomplete.
                const qsizetype close = literal.indexOf(u'}', attributes);
                const QStringView before = literal.sliced(done, found - done);
                if (close < 0 || mayCompleteHead(before))
                    return std::nullopt;
                if (!before.isEmpty())
                    next.push_back({before});
                next.push_back({{},
                                &variables[i],
                                FormatAttribute(literal.sliced(attributes, close - attributes))});
                done = close + 1;
            }
            if (done < literal.size())
                next.push_back({literal.sliced(done)});
        }
        parts = std::move(next);
    }
    return parts;
}

// False, with the page as it was, when a value holds "{": it may hold a
// later variable's head, which the replacing in turn expands.
bool TemplatePiece::appendParts(QString &page, const VariableRequest &request) const
{
    const qsizetype start = page.size();
    for (const Part &part : *m_parts) {
        if (!part.variable) {
            page += part.literal;
            continue;
        }
        const QString value = VariableValue(
            *part.variable, {request.context, request.item, request.dates, part.format});
        if (value.contains(u'{')) {
            page.truncate(start);
            return false;
        }
        page += value;
    }
    return true;
}

void TemplatePiece::appendExpansion(QString &page, const TemplateContext &context,
                                    const FeedItem &item, DateChangeState &dates) const
{
    const VariableRequest request{context, item, dates, std::nullopt};
    if (!m_parts || !appendParts(page, request)) {
        QString text = m_text.toString();
        ReplaceVariablesInTurn(text, m_named, request);
        page += text;
    }
    dates.advance(item.date);
}
