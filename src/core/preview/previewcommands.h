#pragma once

#include "core/clock.h"
#include "core/model/feeddata.h"
#include "core/preview/previewtestfolder.h"
#include "core/userinterface.h"

#include <QString>

// The RSS and HTML previews of the selected feed, up to the file to open.
struct PreviewContext
{
    const FeedData *feed = nullptr; // the selected feed; null when there is none
    QString projectFile;            // the local paths are resolved against it
    QString dataFolder;             // where a bare stylesheet name is looked for last
    Clock clock;
    UserInterface &ui;
    PreviewTestFolder &testFolder;
};

struct PreviewOutcome
{
    bool shown = false; // false: no feed, cancelled, or nothing generated
    QString text;       // for the source view
    QString fileToOpen; // the test file; empty when it could not be written
};

inline QString NoFeedSelectedText()
{
    return QStringLiteral("項目が選択されておりません。");
}

// Asks about a stylesheet that cannot be found, writes the RSS text as
// "brisklettest.xml" in UTF-8 and tells where it is. A test file that cannot
// be written is reported; the text is shown all the same.
PreviewOutcome RssPreview(const PreviewContext &context);
// The page written as "brisklettest.html" in the character set it names.
PreviewOutcome HtmlPreview(const PreviewContext &context);
