// Expands arbitrary text as an HTML template over a few items, and reads
// the same bytes as a template file. Neither may crash, a text without a
// brace must come back unchanged, and every message must be one of the
// template language's three.

#include "../tests/common/scripteduserinterface.h"
#include "core/html/templateengine.h"
#include "core/html/templatefile.h"

#include <cstdlib>

namespace {

QList<FeedItem> fuzzItems()
{
    QList<FeedItem> items;
    for (const char16_t *date : {u"2004-12-30 10:00:00", u"", u"2005-02-30", u"xxxx-1x-0"}) {
        FeedItem item;
        item.title = QStringLiteral("{item_title}%s%n");
        item.date = QString::fromUtf16(date);
        item.desc = QStringLiteral("<p>a &amp; b</p>");
        items << item;
    }
    return items;
}

bool knownMessage(const QString &message)
{
    return message.endsWith(QStringLiteral("変数が不正です。")) ||
           message == QStringLiteral("{item_loop_end}変数が見つかりません。");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString templateText = QString::fromUtf8(bytes);

    static const QList<FeedItem> items = fuzzItems();
    ChannelSettings settings;
    settings.title = QStringLiteral("%s%d");
    settings.root = QStringLiteral("http://example.jp/");
    settings.filename = QStringLiteral("news");
    ScriptedUserInterface ui;
    const TemplateContext context{settings, QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)), ui};
    const QString page = ProcessTemplate(templateText, context, items);
    if (!templateText.contains(u'{') && page != templateText)
        std::abort();
    for (const QString &message : ui.messages) {
        if (!knownMessage(message))
            std::abort();
    }

    const HtmlTemplateFile file = DecodeTemplateFile(bytes);
    if (file.settings) {
        const HtmlTemplateFile again =
            DecodeTemplateFile(EncodeTemplateFile(*file.settings, file.script));
        if (again.settings != file.settings)
            std::abort();
    }
    return 0;
}
