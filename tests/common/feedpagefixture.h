#pragma once

#include "core/model/channelsettings.h"

#include <QString>

// A feed whose every channel field differs from the default of a new feed.
// The description is longer than its 500-character limit and the title
// longer than 40, as a file from elsewhere may hold them; the FTP template
// is "main" (templateName).
ChannelSettings everyFieldSet();

inline const QString FixtureTemplateName = QStringLiteral("main");
