#include "core/html/templatefile.h"

#include "core/text/charsets.h"

#include <QStringList>

namespace {

QString settingsLine(const HtmlTemplateSettings &settings)
{
    return QStringList{
        settings.htmlext == PageExtension::Htm ? QStringLiteral(".htm") : QStringLiteral(".html"),
        settings.htmlmark == Markup::Html ? QStringLiteral("html") : QStringLiteral("xhtml"),
        settings.htmllabel ? QStringLiteral("1") : QStringLiteral("0")}
        .join(u'\t');
}

HtmlTemplateSettings readSettingsLine(QStringView line)
{
    const QList<QStringView> fields = line.split(u'\t');
    const auto field = [&](int index) {
        return index < fields.size() ? fields.at(index) : QStringView();
    };
    HtmlTemplateSettings settings;
    settings.htmlext = field(0).compare(u".htm", Qt::CaseInsensitive) == 0 ? PageExtension::Htm
                                                                           : PageExtension::Html;
    settings.htmlmark =
        field(1).compare(u"html", Qt::CaseInsensitive) == 0 ? Markup::Html : Markup::Xhtml;
    bool ok = false;
    const int label = field(2).toInt(&ok);
    settings.htmllabel = ok && label != 0;
    return settings;
}

} // namespace

QByteArray EncodeTemplateFile(const HtmlTemplateSettings &settings, const QString &script)
{
    return EncodeShiftJis(settingsLine(settings) + QStringLiteral("\r\n") + script,
                          Unencodable::NumericReference);
}

HtmlTemplateFile DecodeTemplateFile(const QByteArray &bytes)
{
    const QString text = DecodeShiftJis(bytes);
    if (text.isEmpty())
        return {};
    // A line ends at CR LF, LF or a lone CR.
    qsizetype lineEnd = 0;
    while (lineEnd < text.size() && text[lineEnd] != u'\r' && text[lineEnd] != u'\n')
        ++lineEnd;
    qsizetype next = lineEnd;
    if (next < text.size() && text[next] == u'\r')
        ++next;
    if (next < text.size() && text[next] == u'\n')
        ++next;
    return {readSettingsLine(QStringView(text).first(lineEnd)), text.sliced(next)};
}
