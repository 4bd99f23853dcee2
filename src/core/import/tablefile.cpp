#include "core/import/tablefile.h"

#include "core/text/charsets.h"
#include "core/text/textops.h"

#include <QList>
#include <optional>

// CR, LF and TAB are below 0x40 and so can never be the trail byte of a
// double-byte Shift_JIS character. Splitting the raw bytes at them finds
// exactly the characters a character-aware search would, and an invalid
// lead byte cannot swallow a separator: each line and field is decoded on
// its own, so a damaged byte spoils only itself.

namespace {

constexpr int HeaderLineCount = 22;
constexpr int UsedItemFields = 4;

// CR LF and a bare LF end a line.
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// The first count fields of an item line; the rest of the line, however
// many TABs it holds, is never looked at.
QList<QByteArray> leadingFields(const QByteArray &line, int count)
{
    QList<QByteArray> fields;
    qsizetype start = 0;
    while (fields.size() < count && start <= line.size()) {
        qsizetype tab = line.indexOf('\t', start);
        if (tab < 0)
            tab = line.size();
        fields.append(line.mid(start, tab - start));
        start = tab + 1;
    }
    return fields;
}

QString decodedAt(const QList<QByteArray> &parts, qsizetype index)
{
    return index < parts.size() ? DecodeShiftJis(parts.at(index)) : QString();
}

// Header lines 10 to 12 hold 0 or 1.
std::optional<int> zeroOrOne(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || (value != 0 && value != 1))
        return std::nullopt;
    return value;
}

ChannelSettings headerSettings(const QList<QByteArray> &lines)
{
    const auto line = [&lines](int number) { return decodedAt(lines, number - 1); };

    ChannelSettings settings = ChannelSettings::allEmpty();
    settings.creatorset = true;
    settings.rssline = 15;
    settings.language = QStringLiteral("ja");

    settings.title = line(2);
    settings.root = line(3);
    settings.link = line(3);
    settings.description = line(4);
    settings.src = line(5);
    settings.logotitle = line(6);
    settings.logosrc = line(7);
    settings.logolink = line(8);
    settings.localfolder = line(9);
    // A short or damaged header must not stop the import halfway; such a
    // switch reads as it would from a project file that does not name it.
    const ChannelSettings unnamed;
    const std::optional<int> ver = zeroOrOne(line(10));
    settings.ver = ver ? RssVersion(*ver) : unnamed.ver;
    settings.dateset = zeroOrOne(line(11)).value_or(unnamed.dateset) != 0;
    settings.addressset = zeroOrOne(line(12)).value_or(unnamed.addressset) != 0;
    settings.style = line(13);
    return settings;
}

FeedItem itemFromLine(const QByteArray &line)
{
    const QList<QByteArray> fields = leadingFields(line, UsedItemFields);
    FeedItem item;
    item.title = decodedAt(fields, 0);
    item.date = decodedAt(fields, 1);
    if (!item.date.isEmpty())
        item.date += QStringLiteral(" 00:00:00");
    item.url = decodedAt(fields, 2);
    item.desc = EscapeMarkup(decodedAt(fields, 3));
    return item;
}

bool isBlank(const FeedItem &item)
{
    return item.title.isEmpty() && item.date.isEmpty() && item.url.isEmpty() && item.desc.isEmpty();
}

} // namespace

TableContents ParseTableFile(const QByteArray &bytes)
{
    const QList<QByteArray> lines = splitLines(bytes);
    TableContents contents;
    contents.feed.settings = headerSettings(lines);
    for (qsizetype i = HeaderLineCount; i < lines.size(); ++i) {
        const FeedItem item = itemFromLine(lines.at(i));
        if (isBlank(item))
            continue;
        if (contents.feed.items.size() < FeedData::MaxItems)
            contents.feed.addItem(item);
        else
            ++contents.omittedItems;
    }
    return contents;
}
