#include "core/html/templatereplacement.h"

#include "core/html/stringformat.h"
#include "core/html/templateattribute.h"
#include "core/text/textops.h"

#include <algorithm>

namespace {

struct ReplaceResult
{
    // False when an occurrence lacks its "}".
    bool complete = true;
    // True when a replacement may have put together a head that the text
    // did not hold: a value holding "{", or a "{" shortly before a value.
    bool mayFormHeads = false;
};

// True when a "{" stands close enough before the end of the text to begin a
// head that runs on into what is appended next.
bool braceJustBefore(const QString &out)
{
    return QStringView(out).right(LongestHead() - 1).contains(u'{');
}

// Replaces every occurrence of one variable in a single pass. The search
// goes on behind each inserted value, so a value holding the variable's own
// head is not expanded again.
ReplaceResult replaceVariable(QString &text, const TemplateVariable &variable,
                              const VariableRequest &request)
{
    ReplaceResult result;
    qsizetype found = FindHead(text, variable.head, 0);
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
        const QStringView attributeText = QStringView(text).sliced(attributes, close - attributes);
        const QString value = VariableValue(variable, {request.context, request.item, request.dates,
                                                       FormatAttribute(attributeText)});
        result.mayFormHeads = result.mayFormHeads || value.contains(u'{') || braceJustBefore(out);
        out += value;
        done = close + 1;
        found = FindHead(text, variable.head, done);
    }
    out += QStringView(text).sliced(done);
    text = std::move(out);
    return result;
}

} // namespace

std::optional<QStringView> FormatAttribute(QStringView attributeText)
{
    AttributeReader reader(attributeText);
    while (!reader.atEnd()) {
        const AttributeReader::Attribute attribute = reader.next();
        if (attribute.name.compare(u"format", Qt::CaseInsensitive) == 0)
            return attribute.value;
    }
    return std::nullopt;
}

QString VariableValue(const TemplateVariable &variable, const VariableRequest &request)
{
    const VariableText text = variable.text(request);
    QString formatted = TrimWide(text.formatted);
    if (!formatted.isEmpty())
        return formatted;
    QString value = TrimWide(text.plain);
    if (value.isEmpty() || !request.format)
        return value;
    return ApplyStringFormat(*request.format, value);
}

// Every head starts with "{", which is searched for much faster than the
// whole head, and braces are rare outside heads.
qsizetype FindHead(QStringView text, QStringView head, qsizetype from)
{
    for (qsizetype found = text.indexOf(u'{', from); found >= 0;
         found = text.indexOf(u'{', found + 1)) {
        if (text.size() - found >= head.size() &&
            std::equal(head.begin(), head.end(), text.begin() + found))
            return found;
    }
    return -1;
}

qsizetype LongestHead()
{
    static const qsizetype longest = [] {
        qsizetype length = 0;
        for (const TemplateVariable &variable : TemplateVariables())
            length = std::max(length, variable.head.size());
        return length;
    }();
    return longest;
}

void ReplaceVariablesInTurn(QString &text, const std::bitset<TemplateVariableCount> &named,
                            const VariableRequest &request)
{
    const std::span<const TemplateVariable> variables = TemplateVariables();
    bool mayFormHeads = false;
    for (size_t i = 0; i < variables.size(); ++i) {
        if (!named[i] && !mayFormHeads)
            continue;
        const ReplaceResult result = replaceVariable(text, variables[i], request);
        if (!result.complete)
            return;
        mayFormHeads = mayFormHeads || result.mayFormHeads;
    }
}
