#include "core/html/templateengine.h"

#include "core/html/templateattribute.h"
#include "core/html/templatepiece.h"

#include <algorithm>

namespace {

constexpr QStringView LoopStart = u"{item_loop_start";
constexpr QStringView LoopEnd = u"{item_loop_end}";

void expandOnce(QString &page, QStringView text, const TemplateContext &context,
                DateChangeState &dates)
{
    TemplatePiece(text).appendExpansion(page, context, FeedItem(), dates);
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
            expandOnce(page, rest, context, dates);
            return page;
        }
        expandOnce(page, rest.first(start), context, dates);
        const QStringView afterStart = rest.sliced(start + LoopStart.size());
        const qsizetype close = afterStart.indexOf(u'}');
        if (close < 0) {
            expandOnce(page, afterStart, context, dates);
            context.ui.information(QStringLiteral("{item_loop_start}変数が不正です。"));
            return page;
        }
        const QStringView afterLoopStart = afterStart.sliced(close + 1);
        const qsizetype end = afterLoopStart.indexOf(LoopEnd);
        if (end < 0) {
            expandOnce(page, afterLoopStart, context, dates);
            context.ui.information(QStringLiteral("{item_loop_end}変数が見つかりません。"));
            return page;
        }
        const TemplatePiece body(afterLoopStart.first(end));
        qsizetype remaining = loopCount(afterStart.first(close), items.size());
        for (qsizetype index = items.size() - 1; remaining > 0; --index, --remaining)
            body.appendExpansion(page, context, items.at(index), dates);
        rest = afterLoopStart.sliced(end + LoopEnd.size());
    }
}
