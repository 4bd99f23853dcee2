#include "core/project/projectreader.h"

#include "core/project/projectfields.h"
#include "core/text/textops.h"
#include "core/xml/xmlelementreader.h"
#include "core/xml/xmlutf8.h"

#include <QFile>
#include <algorithm>
#include <climits>
#include <string_view>

namespace {

using namespace Qt::StringLiterals;

// The integer value of the leading decimal digits; 0 without any. Values too
// large for an int are held at the largest int.
int leadingInteger(QStringView text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min<qint64>(value * 10 + (c.unicode() - u'0'), INT_MAX);
    }
    return int(value);
}

// Lines of a multi-line field end in CR LF inside the program, whatever the
// file used; the escaping the writer adds inside CDATA ("&gt;", "&lt;",
// "&amp;") is undone, in the same pass: the search goes on behind each
// decoded character, so "&amp;lt;" stays "&lt;".
QString multiLineValue(const QString &cdata)
{
    const auto special = [](QChar c) { return c == u'\r' || c == u'\n' || c == u'&'; };
    const char16_t *const start = QStringView(cdata).utf16();
    const char16_t *const end = start + cdata.size();
    const char16_t *p = std::find_if(start, end, special);
    if (p == end)
        return cdata;
    // Only a line end grows: one more character for each LF or CR.
    const qsizetype lineEnds =
        std::count_if(p, end, [](char16_t c) { return c == u'\r' || c == u'\n'; });
    QString lines(cdata.size() + lineEnds, Qt::Uninitialized);
    char16_t *const begin = reinterpret_cast<char16_t *>(lines.data());
    char16_t *out = std::copy(start, p, begin);
    const auto follows = [&](const char16_t *at, std::u16string_view text) {
        return qsizetype(end - at) >= qsizetype(text.size()) &&
               std::equal(text.begin(), text.end(), at);
    };
    while (p != end) {
        const char16_t c = *p++;
        if (c == u'&') {
            if (follows(p, u"gt;")) {
                *out++ = u'>';
                p += 3;
            } else if (follows(p, u"lt;")) {
                *out++ = u'<';
                p += 3;
            } else if (follows(p, u"amp;")) {
                *out++ = u'&';
                p += 4;
            } else {
                *out++ = u'&';
            }
        } else {
            if (c == u'\r' && p != end && *p == u'\n')
                ++p;
            *out++ = u'\r';
            *out++ = u'\n';
        }
        const char16_t *const next = std::find_if(p, end, special);
        out = std::copy(p, next, out);
        p = next;
    }
    lines.truncate(out - begin);
    return lines;
}

// The element kinds whose children carry values.
enum class Kind
{
    None,
    Project,
    Node,
    Item
};

Kind kindOf(QByteArrayView name)
{
    if (SameXmlName(name, "project"_L1))
        return Kind::Project;
    if (SameXmlName(name, "node"_L1))
        return Kind::Node;
    if (SameXmlName(name, "item"_L1))
        return Kind::Item;
    return Kind::None;
}

// The field that an element of that name holds; nothing for other names.
template <typename Field>
const Field *fieldNamed(std::span<const Field> fields, QByteArrayView name)
{
    // Files spell the names as they are written, which needs no folding.
    auto found = std::find_if(fields.begin(), fields.end(), [&](const Field &field) {
        return name == QByteArrayView(field.name.data(), field.name.size());
    });
    if (found == fields.end())
        found = std::find_if(fields.begin(), fields.end(),
                             [&](const Field &field) { return SameXmlName(name, field.name); });
    return found == fields.end() ? nullptr : &*found;
}

// The value of a multi-line field: the usual one, a single CDATA section,
// is decoded in one pass.
QString readMultiLine(XmlElementReader &xml)
{
    if (const std::optional<QByteArrayView> cdata = xml.soleCData()) {
        if (std::optional<QString> lines = DecodeUtf8Lines(*cdata)) {
            xml.skipElement();
            return std::move(*lines);
        }
    }
    return multiLineValue(xml.readElement().cdata);
}

void readChannelValue(ChannelSettings &settings, const ChannelField &field, XmlElementReader &xml)
{
    switch (field.type) {
    case ChannelField::Text:
        settings.*field.text = xml.readText();
        break;
    case ChannelField::MultiLine:
        settings.*field.text = readMultiLine(xml);
        break;
    case ChannelField::Integer:
        field.setNumber(settings, leadingInteger(xml.readText()));
        break;
    case ChannelField::Switch:
        settings.*field.flag = leadingInteger(xml.readText()) != 0;
        break;
    }
}

ProjectDefaults defaultsFrom(const ChannelSettings &record)
{
    ProjectDefaults defaults;
    defaults.ver = record.ver;
    defaults.dateset = record.dateset;
    defaults.addressset = record.addressset;
    defaults.creatorset = record.creatorset;
    defaults.rssline = record.rssline;
    defaults.language = record.language == u"en" ? u"en"_s : u"ja"_s;
    defaults.descstrmax = record.descstrmax;
    defaults.content = record.content;
    defaults.memo = record.memo;
    defaults.ftptemplate = record.ftptemplate;
    defaults.selflink = record.selflink;
    defaults.itemguid = record.itemguid;
    return defaults;
}

// Walks the document element by element, building the nodes under a
// detached root as it goes.
class ProjectWalk
{
public:
    ProjectWalk(XmlElementReader &xml, ProjectContent &content, const FeedReadHandler &feedRead)
        : m_xml(xml), m_content(content), m_feedRead(feedRead)
    {
    }

    void walkDocument() { walkChildren(0, Kind::None, *m_content.root); }

private:
    // Reads the children of the element the reader stands in; parent is the
    // tree node that nodes found there belong to.
    void walkChildren(int level, Kind kind, ProjectNode &parent)
    {
        ChannelSettings record;
        FeedItem item;
        bool hasChildren = false;
        while (m_xml.nextChild()) {
            hasChildren = true;
            const QByteArrayView name = m_xml.localName();
            if (level < 2) {
                // Only the document element and its project element lead
                // to the nodes.
                if (SameXmlName(name, "brisklet"_L1) || SameXmlName(name, "project"_L1))
                    enter(level, level + 1 < 2 ? Kind::None : kindOf(name), parent);
                else
                    m_xml.skipElement();
            } else if (SameXmlName(name, "node"_L1)) {
                readNode(level, parent);
            } else if (SameXmlName(name, "item"_L1)) {
                enter(level, Kind::Item, parent);
            } else if (kind == Kind::Item && parent.data()) {
                // Read whatever its name: a fault inside it counts.
                const ItemField *field = fieldNamed(ItemFields(), name);
                if (!field)
                    m_xml.readText();
                else
                    item.*field->text = field->multiLine ? readMultiLine(m_xml) : m_xml.readText();
            } else if (kind == Kind::Project || kind == Kind::Node) {
                const ChannelField *field = fieldNamed(ChannelFields(), name);
                if (!field)
                    m_xml.readText();
                else
                    readChannelValue(record, *field, m_xml);
            } else {
                m_xml.skipElement();
            }
        }
        if (m_xml.hasError())
            return;
        if (kind == Kind::Project)
            m_content.defaults = defaultsFrom(record);
        else if (kind == Kind::Node)
            nodeRead(parent, record);
        else if (kind == Kind::Item && hasChildren && parent.data())
            parent.data()->addItem(item);
    }

    void nodeRead(ProjectNode &node, const ChannelSettings &record)
    {
        node.data()->settings = record;
        if (node.isFeed() && m_feedRead)
            m_feedRead(node);
    }

    // An element whose markup is kept as text has no children to walk.
    void enter(int level, Kind kind, ProjectNode &parent)
    {
        if (m_xml.isXhtml())
            m_xml.skipElement();
        else
            walkChildren(level + 1, kind, parent);
    }

    void readNode(int level, ProjectNode &parent)
    {
        const std::optional<QString> flag = m_xml.attribute("flag"_L1);
        if (!flag) {
            m_xml.skipElement();
            return;
        }
        auto created =
            std::make_unique<ProjectNode>(m_xml.attribute("disp"_L1).value_or(QString()),
                                          leadingInteger(*flag), std::make_unique<FeedData>());
        // A node written inside a feed becomes the feed's next sibling.
        ProjectNode &owner = parent.isFeed() ? *parent.parent() : parent;
        ProjectNode *node = owner.appendChild(std::move(created));
        enter(level, Kind::Node, *node);
    }

    XmlElementReader &m_xml;
    ProjectContent &m_content;
    const FeedReadHandler &m_feedRead;
};

ProjectContent unreadContent(const QString &error)
{
    ProjectContent content;
    content.root = std::make_unique<ProjectNode>(QString(), ProjectNode::RootKind);
    content.error = error;
    return content;
}

ProjectContent readContent(XmlDocument &document, const FeedReadHandler &feedRead)
{
    ProjectContent content;
    content.root = std::make_unique<ProjectNode>(QString(), ProjectNode::RootKind);
    XmlElementReader xml(document);
    ProjectWalk(xml, content, feedRead).walkDocument();
    if (xml.hasError()) {
        content.root = std::make_unique<ProjectNode>(QString(), ProjectNode::RootKind);
        content.defaults = ProjectDefaults();
        content.error = QStringLiteral("プロジェクトファイルを読み込めません（%1 行目）。\n%2")
                            .arg(xml.lineNumber())
                            .arg(xml.errorString());
    }
    return content;
}

} // namespace

ProjectContent ReadProjectContent(const QByteArray &document)
{
    XmlDocument parsed(document);
    return readContent(parsed, {});
}

ProjectContent ReadProjectFile(const QString &path, const FeedReadHandler &feedRead)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadContent(ProjectUnreadableMessage());
    if (file.size() > MaxProjectFileSize)
        return unreadContent(ProjectTooLargeMessage());
    XmlDocument document(file);
    return readContent(document, feedRead);
}
