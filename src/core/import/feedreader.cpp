#include "core/import/feedreader.h"

#include "core/import/feedencoding.h"
#include "core/import/feedfields.h"
#include "core/xml/xmlelementreader.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString faultMessage(int line, const QString &reason)
{
    return u"フィードを読み込めません（%1 行目）。\n%2"_s.arg(line).arg(reason);
}

// Walks the document element by element: the channel's own elements and
// each item are taken as records, so no more than one item is held as XML.
class FeedWalk
{
public:
    FeedWalk(XmlDocument &document, XmlElementReader &xml) : m_document(document), m_xml(xml) {}

    // False with the reason when the document element names no feed.
    bool walk(QString &notFeed)
    {
        if (!m_xml.nextChild())
            return true; // the document's own fault says why
        const QByteArrayView root = m_xml.localName();
        if (SameXmlName(root, "rss"_L1)) {
            m_fields.emplace(FeedFormat::Rss);
            walkRss();
        } else if (SameXmlName(root, "rdf"_L1)) {
            m_fields.emplace(FeedFormat::Rdf);
            walkChannelChildren();
        } else if (SameXmlName(root, "feed"_L1)) {
            m_fields.emplace(FeedFormat::Atom);
            m_fields->takeLanguage(m_xml.attribute("lang"_L1).value_or(QString()));
            walkChannelChildren();
        } else {
            m_rootLine = m_document.lineAt(m_document.offsetOf(root.data()));
            notFeed = u"RSS または Atom のフィードではありません（文書要素 <%1>）。"_s.arg(
                m_xml.name().toString());
            return false;
        }
        return true;
    }

    int rootLine() const { return m_rootLine; }
    FeedFields &fields() { return *m_fields; }

private:
    void walkRss()
    {
        while (m_xml.nextChild()) {
            if (SameXmlName(m_xml.localName(), "channel"_L1))
                walkChannelChildren();
            else
                m_fields->takeChannelElement(m_xml.readElement());
        }
    }

    // RSS 2.0 items stand in the channel, RSS 1.0 and Atom items beside it.
    void walkChannelChildren()
    {
        while (m_xml.nextChild()) {
            const QByteArrayView name = m_xml.localName();
            if (SameXmlName(name, "item"_L1) || SameXmlName(name, "entry"_L1))
                m_fields->takeItem(m_xml.readElement());
            else if (SameXmlName(name, "channel"_L1))
                walkChannelChildren();
            else
                m_fields->takeChannelElement(m_xml.readElement());
        }
    }

    XmlDocument &m_document;
    XmlElementReader &m_xml;
    std::optional<FeedFields> m_fields;
    int m_rootLine = 0;
};

} // namespace

ImportedFeed ReadFeedDocument(const QByteArray &bytes)
{
    ImportedFeed imported;
    const FeedText text = FeedDocumentAsUtf8(bytes);
    if (!text.unknownEncoding.isNull()) {
        imported.error = faultMessage(
            1, u"文字コード「%1」のフィードは読み込めません。"_s.arg(text.unknownEncoding));
        return imported;
    }
    XmlDocument document(text.utf8);
    XmlElementReader xml(document);
    FeedWalk walk(document, xml);
    QString notFeed;
    if (!walk.walk(notFeed)) {
        imported.error = faultMessage(walk.rootLine(), notFeed);
        return imported;
    }
    if (xml.hasError()) {
        imported.error = faultMessage(int(xml.lineNumber()), xml.errorString());
        return imported;
    }
    imported.feed = walk.fields().finish(imported.report);
    return imported;
}
