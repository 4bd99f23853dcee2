#include "templateengine.h"

#include "feed/textops.h"
#include "stringformat.h"
#include "templateattribute.h"
#include "templatevariables.h"

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

// Replaces every occurrence of one variable in a single pass. The search
// goes on behind each inserted value, so a value holding the variable's own
// head is not expanded again. False when an occurrence lacks its "}".
bool replaceVariable(QString &text, const TemplateVariable &variable,
                     const VariableRequest &request)
{
    qsizetype found = text.indexOf(variable.head);
    if (found < 0)
        return true;
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
            return false;
        }
        out += QStringView(text).sliced(done, found - done);
        out += replacement(variable, request,
                           QStringView(text).sliced(attributes, close - attributes));
        done = close + 1;
        found = text.indexOf(variable.head, done);
    }
    out += QStringView(text).sliced(done);
    text = std::move(out);
    return true;
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

QString ExpandVariables(QStringView piece, const TemplateContext &context, const FeedItem &item,
                        DateChangeState &dates)
{
    QString text = piece.toString();
    const VariableRequest request{context, item, dates, std::nullopt};
    for (const TemplateVariable &variable : TemplateVariables()) {
        if (!replaceVariable(text, variable, request))
            break;
    }
    dates.advance(item.date);
    return text;
}

QString ProcessTemplate(QStringView templateText, const TemplateContext &context,
                        const QList<FeedItem> &items)
{
    const FeedItem noItem;
    QString page;
    QStringView rest = templateText;
    // One round per loop; each loop starts with a fresh date-change state.
    for (;;) {
        DateChangeState dates;
        const qsizetype start = rest.indexOf(LoopStart);
        if (start < 0) {
            page += ExpandVariables(rest, context, noItem, dates);
            return page;
        }
        page += ExpandVariables(rest.first(start), context, noItem, dates);
        const QStringView afterStart = rest.sliced(start + LoopStart.size());
        const qsizetype close = afterStart.indexOf(u'}');
        if (close < 0) {
            page += ExpandVariables(afterStart, context, noItem, dates);
            context.ui.information(QStringLiteral("{item_loop_start}変数が不正です。"));
            return page;
        }
        const QStringView afterLoopStart = afterStart.sliced(close + 1);
        const qsizetype end = afterLoopStart.indexOf(LoopEnd);
        if (end < 0) {
            page += ExpandVariables(afterLoopStart, context, noItem, dates);
            context.ui.information(QStringLiteral("{item_loop_end}変数が見つかりません。"));
            return page;
        }
        const QStringView body = afterLoopStart.first(end);
        qsizetype remaining = loopCount(afterStart.first(close), items.size());
        for (qsizetype index = items.size() - 1; remaining > 0; --index, --remaining)
            page += ExpandVariables(body, context, items.at(index), dates);
        rest = afterLoopStart.sliced(end + LoopEnd.size());
    }
}
