#include "core/files/recentlyused.h"

#include "core/files/replacefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString bookmarkNs = QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString mimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");

const QByteArray emptyList = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<xbel version=\"1.0\"\n"
                             "      xmlns:bookmark=\"http://www.freedesktop.org/standards/"
                             "desktop-bookmarks\"\n"
                             "      xmlns:mime=\"http://www.freedesktop.org/standards/"
                             "shared-mime-info\"\n"
                             ">\n</xbel>\n";

// Copies the list token by token and changes only the program's own parts.
class ListUpdate
{
public:
    ListUpdate(const RecentFileUse &use, const QDateTime &now)
        : m_use(use), m_url(QUrl::fromLocalFile(QDir::cleanPath(use.path))),
          m_stamp(now.toUTC().toString(Qt::ISODateWithMs))
    {
    }

    // The new list, or an error text in error.
    QByteArray run(const QByteArray &list, QString &error)
    {
        QByteArray bytes;
        QXmlStreamReader in(list);
        QXmlStreamWriter out(&bytes);
        while (!in.atEnd()) {
            switch (in.readNext()) {
            case QXmlStreamReader::StartElement:
                startElement(in, out);
                break;
            case QXmlStreamReader::EndElement:
                endElement(in, out);
                break;
            case QXmlStreamReader::Invalid:
                break;
            default:
                out.writeCurrentToken(in);
            }
        }
        if (in.hasError())
            error = in.errorString();
        return bytes;
    }

private:
    bool isBookmark(const QXmlStreamReader &in) const
    {
        return m_depth == 2 && in.name() == u"bookmark" && in.namespaceUri().isEmpty();
    }
    bool isOurs(const QXmlStreamReader &in) const
    {
        const QUrl href(in.attributes().value(QLatin1String("href")).toString());
        return href.isLocalFile() && href.toLocalFile() == m_url.toLocalFile();
    }

    void startElement(QXmlStreamReader &in, QXmlStreamWriter &out)
    {
        ++m_depth;
        if (isBookmark(in) && isOurs(in)) {
            m_inOurs = m_found = true;
            out.writeStartElement(QStringLiteral("bookmark"));
            for (const QXmlStreamNamespaceDeclaration &declaration : in.namespaceDeclarations())
                out.writeNamespace(declaration.namespaceUri().toString(),
                                   declaration.prefix().toString());
            for (const QXmlStreamAttribute &attribute : in.attributes()) {
                if (attribute.name() != u"modified" && attribute.name() != u"visited")
                    out.writeAttribute(attribute);
            }
            out.writeAttribute(QStringLiteral("modified"), m_stamp);
            out.writeAttribute(QStringLiteral("visited"), m_stamp);
            return;
        }
        if (m_inOurs && in.namespaceUri() == bookmarkNs && in.name() == u"application" &&
            in.attributes().value(QLatin1String("name")) == m_use.appName) {
            const int count = in.attributes().value(QLatin1String("count")).toInt();
            in.skipCurrentElement();
            --m_depth;
            writeApplication(out, count + 1);
            return;
        }
        out.writeCurrentToken(in);
    }

    void endElement(QXmlStreamReader &in, QXmlStreamWriter &out)
    {
        if (m_inOurs && !m_wroteApplication && in.namespaceUri() == bookmarkNs &&
            in.name() == u"applications")
            writeApplication(out, 1);
        if (m_inOurs && m_depth == 2) {
            if (!m_wroteApplication)
                writeInfo(out);
            m_inOurs = false;
        }
        if (m_depth == 1 && !m_found)
            writeBookmark(out);
        out.writeCurrentToken(in);
        --m_depth;
    }

    void writeApplication(QXmlStreamWriter &out, int count)
    {
        out.writeEmptyElement(bookmarkNs, QStringLiteral("application"));
        out.writeAttribute(QStringLiteral("name"), m_use.appName);
        out.writeAttribute(QStringLiteral("exec"), u'\'' + m_use.appExec + u'\'');
        out.writeAttribute(QStringLiteral("modified"), m_stamp);
        out.writeAttribute(QStringLiteral("count"), QString::number(count));
        m_wroteApplication = true;
    }

    void writeInfo(QXmlStreamWriter &out)
    {
        out.writeStartElement(QStringLiteral("info"));
        out.writeStartElement(QStringLiteral("metadata"));
        out.writeAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
        out.writeEmptyElement(mimeNs, QStringLiteral("mime-type"));
        out.writeAttribute(QStringLiteral("type"), m_use.mimeType);
        out.writeStartElement(bookmarkNs, QStringLiteral("applications"));
        writeApplication(out, 1);
        out.writeEndElement();
        out.writeEndElement();
        out.writeEndElement();
    }

    void writeBookmark(QXmlStreamWriter &out)
    {
        out.writeStartElement(QStringLiteral("bookmark"));
        out.writeAttribute(QStringLiteral("href"), QString::fromLatin1(m_url.toEncoded()));
        for (const char *stamp : {"added", "modified", "visited"})
            out.writeAttribute(QString::fromLatin1(stamp), m_stamp);
        writeInfo(out);
        out.writeEndElement();
        out.writeCharacters(QStringLiteral("\n"));
    }

    const RecentFileUse &m_use;
    const QUrl m_url;
    const QString m_stamp;
    int m_depth = 0;
    bool m_inOurs = false;
    bool m_found = false;
    bool m_wroteApplication = false;
};

} // namespace

QString RecentlyUsedFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("recently-used.xbel"));
}

QString AddRecentlyUsed(const QString &listPath, const RecentFileUse &use, const QDateTime &now)
{
    QByteArray list = emptyList;
    QFile file(listPath);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return file.errorString();
        list = file.readAll();
    }
    // An empty list is a new one, as the desktop's own programs take it.
    if (list.trimmed().isEmpty())
        list = emptyList;
    QString error;
    const QByteArray updated = ListUpdate(use, now).run(list, error);
    if (!error.isEmpty())
        return error;
    QDir().mkpath(QFileInfo(listPath).path());
    return ReplaceFile(listPath, updated, Durability::Cached);
}
