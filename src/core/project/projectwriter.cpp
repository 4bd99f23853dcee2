#include "core/project/projectwriter.h"

#include "core/project/projectfields.h"
#include "core/text/textops.h"

#include <QBuffer>
#include <QStringEncoder>

namespace {

using namespace Qt::StringLiterals;

bool isXmlCharUnit(char16_t c)
{
    return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == u'\t' || c == u'\n' || c == u'\r';
}

// The text without what XML 1.0 forbids: controls other than TAB, LF and CR,
// U+FFFE, U+FFFF and surrogates that do not form a pair.
QString xmlCharsOnly(const QString &text)
{
    const auto forbiddenAt = [&text](qsizetype i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c))
            return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
        if (QChar::isLowSurrogate(c))
            return i == 0 || !text[i - 1].isHighSurrogate();
        return !isXmlCharUnit(c);
    };
    qsizetype i = 0;
    while (i < text.size() && !forbiddenAt(i))
        ++i;
    if (i == text.size())
        return text;
    QString kept = text.left(i);
    for (; i < text.size(); ++i) {
        if (!forbiddenAt(i))
            kept += text[i];
    }
    return kept;
}

QString flagText(bool on)
{
    return on ? u"1"_s : u"0"_s;
}

QString valueText(const ChannelField &field, const ChannelSettings &settings)
{
    switch (field.type) {
    case ChannelField::Integer:
        return QString::number(field.number(settings));
    case ChannelField::Switch:
        return flagText(settings.*field.flag);
    case ChannelField::Text:
    case ChannelField::MultiLine:
        break;
    }
    return settings.*field.text;
}

// Builds the file a block at a time and hands each block to the device.
class ProjectFileWriter
{
public:
    explicit ProjectFileWriter(QIODevice &device) : m_device(device) {}

    // Writes what has been built; the buffer keeps its memory for the next
    // block.
    bool flush()
    {
        m_failed = m_failed || m_device.write(m_out) != m_out.size();
        m_out.truncate(0);
        return !m_failed;
    }
    void flushWhenFull()
    {
        if (m_out.size() >= BlockSize)
            flush();
    }

    // A comment, when given, stands on the line after the declaration.
    void header(QByteArrayView comment)
    {
        m_out.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
        if (!comment.isEmpty())
            m_out.append("<!-- ").append(comment).append(" -->\r\n");
        m_out.append("<brisklet\r\n"
                     "  xmlns=\"http://purl.org/rss/1.0/\"\r\n"
                     "  xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"\r\n"
                     "  xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
                     "xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"\r\n"
                     "  xmlns:brisk=\"http://www.norvane.jp/brisklet/1.0/\" xml:lang=\"ja\">\r\n");
    }

    void defaults(const ProjectDefaults &defaults)
    {
        element(2, "ver"_L1, QString::number(static_cast<int>(defaults.ver)));
        element(2, "dateset"_L1, flagText(defaults.dateset));
        element(2, "addressset"_L1, flagText(defaults.addressset));
        element(2, "creatorset"_L1, flagText(defaults.creatorset));
        element(2, "rssline"_L1, QString::number(defaults.rssline));
        element(2, "language"_L1, defaults.language == u"en" ? u"en"_s : u"ja"_s);
        element(2, "descstrmax"_L1, QString::number(defaults.descstrmax));
        element(2, "content"_L1, flagText(defaults.content));
        element(2, "memo"_L1, defaults.memo, true);
        element(2, "ftptemplate"_L1, defaults.ftptemplate);
        if (defaults.selflink)
            element(2, "selflink"_L1, flagText(true));
        if (defaults.itemguid)
            element(2, "itemguid"_L1, flagText(true));
    }

    // Lines without an element name are written as they are.
    void line(int level, QLatin1StringView text)
    {
        indent(level);
        m_out.append(text.data(), text.size());
        m_out.append("\r\n");
    }

    // A CDATA value is escaped too, keeping numeric character references, so
    // that it never holds "]]>"; a plain value is escaped and trimmed. An
    // empty value leaves the element out.
    void element(int level, QLatin1StringView name, const QString &value, bool asCData = false)
    {
        QString escaped = EscapeXmlText(xmlCharsOnly(value), asCData);
        if (!asCData)
            escaped = TrimWide(escaped);
        if (escaped.isEmpty())
            return;
        indent(level);
        m_out.append('<').append(name.data(), name.size()).append('>');
        if (asCData)
            m_out.append("<![CDATA[");
        append(escaped);
        if (asCData)
            m_out.append("]]>");
        m_out.append("</").append(name.data(), name.size()).append(">\r\n");
    }

    void node(int level, const ProjectNode &node)
    {
        if (node.kind == ProjectNode::FolderKind) {
            startNode(level, node);
            element(level + 1, "disp"_L1, node.text);
            for (int row = 0; row < node.childCount(); ++row) {
                this->node(level + 1, *node.child(row));
                flushWhenFull();
            }
            line(level, "</node>"_L1);
        } else if (node.isFeed()) {
            startNode(level, node);
            for (const ChannelField &field : ChannelFields()) {
                const ChannelSettings &settings = node.data()->settings;
                if (field.leftOutWhenOff && !(settings.*field.flag))
                    continue;
                if (field.writtenForFeed) {
                    element(level + 1, field.name, valueText(field, settings),
                            field.type == ChannelField::MultiLine);
                }
            }
            for (const FeedItem &item : node.data()->items)
                this->item(level + 1, item);
            line(level, "</node>"_L1);
        }
    }

private:
    void startNode(int level, const ProjectNode &node)
    {
        indent(level);
        m_out.append("<node flag=\"").append(char('0' + node.kind)).append("\" disp=\"");
        append(EscapeXmlAttr(xmlCharsOnly(node.text)));
        m_out.append("\">\r\n");
    }

    // An item none of whose fields is written leaves nothing.
    void item(int level, const FeedItem &item)
    {
        const qsizetype start = m_out.size();
        line(level, "<item>"_L1);
        const qsizetype fieldsStart = m_out.size();
        for (const ItemField &field : ItemFields())
            element(level + 1, field.name, item.*field.text, field.multiLine);
        if (m_out.size() == fieldsStart)
            m_out.truncate(start);
        else
            line(level, "</item>"_L1);
    }

    void indent(int level) { m_out.append(2 * level, ' '); }

    void append(QStringView text)
    {
        const qsizetype used = m_out.size();
        m_out.resize(used + m_encoder.requiredSpace(text.size()));
        char *end = m_encoder.appendToBuffer(m_out.data() + used, text);
        m_out.truncate(end - m_out.constData());
    }

    static constexpr qsizetype BlockSize = 1 << 20;

    QIODevice &m_device;
    QByteArray m_out;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    bool m_failed = false;
};

} // namespace

bool WriteProjectFile(const ProjectDefaults &defaults, const ProjectNode &top, QIODevice &device,
                      QByteArrayView comment)
{
    ProjectFileWriter writer(device);
    writer.header(comment);
    writer.line(1, "<project>"_L1);
    writer.defaults(defaults);
    if (top.parent()) {
        writer.node(2, top);
    } else {
        for (int row = 0; row < top.childCount(); ++row) {
            writer.node(2, *top.child(row));
            writer.flushWhenFull();
        }
    }
    writer.line(1, "</project>"_L1);
    writer.line(0, "</brisklet>"_L1);
    return writer.flush();
}

QByteArray WriteProjectFile(const ProjectDefaults &defaults, const ProjectNode &top)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteProjectFile(defaults, top, buffer);
    return bytes;
}
