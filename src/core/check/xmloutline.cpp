#include "core/check/xmloutline.h"

#include "core/feed/rsscommon.h"

#include <QXmlStreamReader>

const XmlOutline *XmlOutline::child(QStringView childNs, QStringView childName) const
{
    for (const XmlOutline &element : children)
        if (element.name == childName && element.ns == childNs)
            return &element;
    return nullptr;
}

QString XmlOutline::childText(QStringView childNs, QStringView childName) const
{
    const XmlOutline *element = child(childNs, childName);
    return element ? element->text : QString();
}

namespace {

void addError(FeedFindings &findings, int line, const QString &message)
{
    findings.append({FeedFinding::Severity::Error, line, message});
}

XmlOutline startElement(const QXmlStreamReader &reader)
{
    XmlOutline element;
    element.ns = reader.namespaceUri().toString();
    element.name = reader.name().toString();
    element.line = int(reader.lineNumber());
    const QXmlStreamAttributes attributes = reader.attributes();
    const QString rdf = QString::fromUtf16(rssnamespace::Rdf);
    if (attributes.hasAttribute(rdf, QStringLiteral("about"))) {
        element.hasAbout = true;
        element.about = attributes.value(rdf, QStringLiteral("about")).toString();
    }
    element.resource = attributes.value(rdf, QStringLiteral("resource")).toString();
    element.version = attributes.value(QString(), QStringLiteral("version")).toString();
    return element;
}

} // namespace

std::optional<XmlOutline> ReadXmlOutline(const QByteArray &bytes, FeedFindings &findings)
{
    QXmlStreamReader reader(bytes);
    std::vector<XmlOutline> open; // the elements not yet closed, root first
    std::optional<XmlOutline> root;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument: {
            const QString encoding = reader.documentEncoding().toString();
            if (!encoding.isEmpty() && encoding.compare(u"UTF-8", Qt::CaseInsensitive) != 0) {
                addError(findings, int(reader.lineNumber()),
                         QStringLiteral("XML宣言の文字コードが UTF-8 ではありません: ") + encoding);
                return std::nullopt;
            }
            break;
        }
        case QXmlStreamReader::DTD:
            addError(findings, int(reader.lineNumber()),
                     QStringLiteral("文書型宣言(DOCTYPE)は使えません。"));
            return std::nullopt;
        case QXmlStreamReader::StartElement:
            open.push_back(startElement(reader));
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty() && open.back().children.empty())
                open.back().text += reader.text();
            break;
        case QXmlStreamReader::EndElement: {
            XmlOutline element = std::move(open.back());
            open.pop_back();
            if (element.children.empty())
                element.text = element.text.trimmed();
            else
                element.text.clear();
            if (open.empty())
                root = std::move(element);
            else
                open.back().children.push_back(std::move(element));
            break;
        }
        default:
            break;
        }
    }
    if (reader.hasError()) {
        addError(findings, int(reader.lineNumber()),
                 QStringLiteral("XMLとして正しくありません: ") + reader.errorString());
        return std::nullopt;
    }
    return root;
}
