#include "core/editing/contentcommands.h"

#include "core/model/channelsettings.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

QString lineBreakElement(Markup markup)
{
    return markup == Markup::Xhtml ? QStringLiteral("<br />") : QStringLiteral("<br>");
}

QString quoted(const QString &value)
{
    QString escaped = value;
    escaped.replace(u'"', QStringLiteral("&quot;"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

ContentInsertion WrapSelection(const QString &opening, const QString &closing, const QString &sel)
{
    return {opening + sel + closing, sel.isEmpty() ? closing.size() : 0};
}

ContentInsertion WrapInTag(const QString &tag, const QString &sel)
{
    return WrapSelection(QLatin1Char('<') + tag + QLatin1Char('>'),
                         QStringLiteral("</") + tag + QLatin1Char('>'), sel);
}

ContentInsertion AlignBlock(const QString &hint, const QString &sel)
{
    return WrapSelection(QStringLiteral("<div align=") + quoted(hint) + QLatin1Char('>'),
                         QStringLiteral("</div>"), sel);
}

ContentInsertion ListBlock(Markup markup, const QString &sel)
{
    return WrapSelection(QStringLiteral("<ul>\r\n<li>"),
                         markup == Markup::Xhtml ? QStringLiteral("</li>\r\n</ul>")
                                                 : QStringLiteral("\r\n</ul>"),
                         sel);
}

QString LinkOpening(const QString &address, bool newWindow)
{
    QString opening = QStringLiteral("<a href=") + quoted(address);
    if (newWindow)
        opening += QStringLiteral(" target=\"_blank\"");
    return opening + QLatin1Char('>');
}

ContentInsertion LinkInsertion(const UrlDialogValues &values, const QString &sel)
{
    return WrapSelection(LinkOpening(values.linkAddress, values.newWindow), QStringLiteral("</a>"),
                         sel);
}

ContentInsertion ImageInsertion(const UrlDialogValues &values, Markup markup)
{
    QString element = QStringLiteral("<img src=") + quoted(values.imageAddress) +
                      QStringLiteral(" border=") + QString::number(values.border);
    if (!values.altText.isEmpty())
        element += QStringLiteral(" alt=") + quoted(values.altText);
    if (values.align == 1)
        element += QStringLiteral(" align=\"left\"");
    else if (values.align == 2)
        element += QStringLiteral(" align=\"right\"");
    element += markup == Markup::Xhtml ? QStringLiteral(" />") : QStringLiteral(">");
    return {element, 0};
}

QStringList CandidateAddresses(const ChannelSettings &channel)
{
    QStringList candidates;
    for (const QString &address :
         {channel.root, channel.src, channel.link, channel.logosrc, channel.logolink}) {
        if (!address.isEmpty() && !candidates.contains(address))
            candidates << address;
    }
    return candidates;
}

QString EscapeText(EscapeButton button, bool escapeLock, Markup markup)
{
    switch (button) {
    case EscapeButton::Left:
        return escapeLock ? QStringLiteral("<") : QStringLiteral("&lt;");
    case EscapeButton::Right:
        return escapeLock ? QStringLiteral(">") : QStringLiteral("&gt;");
    case EscapeButton::Amp:
        return escapeLock ? QStringLiteral("&") : QStringLiteral("&amp;");
    case EscapeButton::Space:
        return escapeLock ? QStringLiteral(" ") : QStringLiteral("&nbsp;");
    case EscapeButton::Break:
        return escapeLock ? crlf : lineBreakElement(markup);
    }
    return {};
}

std::optional<QString> EscapeLockKey(QChar key, bool escapeLock, bool shift, bool ctrl,
                                     Markup markup)
{
    if (key == u'\r' || key == u'\n') {
        if (!escapeLock && !shift && !ctrl)
            return std::nullopt;
        const bool element = escapeLock != (shift || ctrl);
        return element ? lineBreakElement(markup) : crlf;
    }
    if (!escapeLock)
        return std::nullopt;
    switch (key.unicode()) {
    case u'<':
        return EscapeText(EscapeButton::Left, false, markup);
    case u'>':
        return EscapeText(EscapeButton::Right, false, markup);
    case u'&':
        return EscapeText(EscapeButton::Amp, false, markup);
    case u' ':
        return EscapeText(EscapeButton::Space, false, markup);
    default:
        return std::nullopt;
    }
}

bool ContentToolbarEnabled(bool editorFocused, bool hasSelection)
{
    return editorFocused || hasSelection;
}
