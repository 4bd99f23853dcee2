#include "projectreader.h"

#include "feed/textops.h"
#include "projectfields.h"
#include "xmlelementreader.h"

#include <QFile>
#include <climits>

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
// file used; the escaping the writer adds inside CDATA is undone.
QString multiLineValue(const QString &cdata)
{
    QString lines;
    lines.reserve(cdata.size() + cdata.size() / 16);
    const QStringView text(cdata);
    qsizetype done = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines += text.mid(done, i - done);
        lines += QLatin1StringView("\r\n");
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        done = i + 1;
    }
    lines += text.mid(done);
    return UnescapeXmlText(lines);
}

// The element kinds whose children carry values.
enum class Kind
{
    None,
    Project,
    Node,
    Item
};

Kind kindOf(QStringView name)
{
    if (SameXmlName(name, "project"_L1))
        return Kind::Project;
    if (SameXmlName(name, "node"_L1))
        return Kind::Node;
    if (SameXmlName(name, "item"_L1))
        return Kind::Item;
    return Kind::None;
}

void readChannelValue(ChannelSettings &settings, const XmlElement &element)
{
    for (const ChannelField &field : ChannelFields()) {
        if (!SameXmlName(element.name, field.name))
            continue;
        switch (field.type) {
        case ChannelField::Text:
            settings.*field.text = element.text;
            break;
        case ChannelField::MultiLine:
            settings.*field.text = multiLineValue(element.cdata);
            break;
        case ChannelField::Integer:
            settings.*field.integer = leadingInteger(element.text);
            break;
        case ChannelField::Switch:
            settings.*field.flag = leadingInteger(element.text) != 0;
            break;
        }
        return;
    }
}

void readItemValue(FeedItem &item, const XmlElement &element)
{
    for (const ItemField &field : ItemFields()) {
        if (SameXmlName(element.name, field.name)) {
            item.*field.text = field.multiLine ? multiLineValue(element.cdata) : element.text;
            return;
        }
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
            const QStringView name = m_xml.name();
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
                readItemValue(item, m_xml.readElement());
            } else if (kind == Kind::Project || kind == Kind::Node) {
                readChannelValue(record, m_xml.readElement());
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
                                          leadingInteger(*flag), std::make_unique<TEditList>());
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
