#pragma once

#include "core/search/searchoptions.h"

#include <QString>
#include <QStringList>

class IniFile;
struct Folders;

// What the search and replace dialogs keep between runs: their options and
// the recently used texts, newest first.
struct SearchSettings
{
    static constexpr int MaxHistory = 32;

    bool matchCase = false;
    bool wholeWord = false;
    bool noMatchZenkaku = false;
    bool includeCrlf = false; // ignore line breaks and spaces
    bool down = true;
    QStringList searchItems;
    QStringList replaceItems;

    // The option flags the check boxes and the direction stand for.
    SearchOptions options() const;
};

// The file that holds them, in the settings folder.
QString SearchSettingsFilePath(const Folders &folders);

// Sections "Options", "SearchItems" and "ReplaceItems"; each history entry
// is one value ("Text0" is the newest).
SearchSettings ReadSearchSettings(const IniFile &ini);
void WriteSearchSettings(IniFile &ini, const SearchSettings &settings);

// Puts the text in front of the history, removing an equal entry and
// dropping the oldest beyond the limit. A text holding a line break is not
// kept: the history holds one line per entry.
void RememberText(QStringList &history, const QString &text);
