#pragma once

#include "core/model/feedformats.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The page settings that a template file carries besides the template.
struct HtmlTemplateSettings
{
    PageExtension htmlext = PageExtension::Html;
    Markup htmlmark = Markup::Xhtml;
    bool htmllabel = false;

    bool operator==(const HtmlTemplateSettings &) const = default;
};

struct HtmlTemplateFile
{
    // Empty when the file had no line at all: the choices stay as they were.
    std::optional<HtmlTemplateSettings> settings;
    QString script;
};

inline constexpr QStringView TemplateFileExtension = u"dht";

// The largest template file that is read. A template is a hand-written page;
// a larger file is not one, and is refused before it fills the memory.
inline constexpr qint64 MaxTemplateFileSize = qint64(16) << 20;

// A template file in Shift_JIS: the settings line (extension, TAB, markup,
// TAB, label switch as "1" or "0", CR LF), then the template as it stands.
// Characters without a Shift_JIS form are kept as numeric character
// references, which a page shows as the same characters.
QByteArray EncodeTemplateFile(const HtmlTemplateSettings &settings, const QString &script);
// The first line of a file is always taken as its settings line, whatever
// it holds; fields that do not read as a choice give the first choice.
HtmlTemplateFile DecodeTemplateFile(const QByteArray &bytes);
