#include "core/check/checkfeed.h"

#include "core/check/bytescan.h"
#include "core/check/feedrules.h"
#include "core/check/xmloutline.h"
#include "core/feed/rsscommon.h"

namespace {

bool startsWithBom(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

} // namespace

FeedFindings CheckFeed(const QByteArray &bytes)
{
    FeedFindings findings;
    if (startsWithBom(bytes))
        AddError(findings, 1, QStringLiteral("先頭にバイト順マーク(BOM)があります。"));
    const qsizetype invalid = InvalidUtf8Offset(bytes);
    if (invalid >= 0) {
        AddError(findings, LineAt(bytes, invalid),
                 QStringLiteral("UTF-8 として正しくないバイトがあります。"));
        return findings;
    }
    FindLocalPaths(bytes, findings);
    const std::optional<XmlOutline> root = ReadXmlOutline(bytes, findings);
    if (root) {
        if (root->ns.isEmpty() && root->name == u"rss")
            CheckRss2Rules(*root, findings);
        else if (root->ns == QStringView(rssnamespace::Rdf) && root->name == u"RDF")
            CheckRss1Rules(*root, findings);
        else
            AddError(
                findings, root->line,
                QStringLiteral("RSS 1.0 の <rdf:RDF> でも RSS 2.0 の <rss> でもありません: <") +
                    root->name + u'>');
    }
    SortByLine(findings);
    return findings;
}
