#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>

class IniFile;
struct Folders;

// The preferences kept between runs in "brisklet.ini".
struct Settings
{
    static constexpr int ColumnCount = 5;
    static constexpr int MaxAddresses = 20;
    using Columns = std::array<int, ColumnCount>;

    // Section Environ
    bool lastOpen = true;
    QString defFileName;
    int treeIndex = 0;
    bool backup = true;
    bool selectAll = false;
    bool escapeRock = false;

    // Section Grid: display position of each logical column (title, date,
    // link, category, creator) and the width at each display position.
    Columns columnPositions = defaultColumnPositions();
    Columns columnWidths = setUpColumnWidths(defaultColumnPositions());

    // Section Address: the preview window's address history, at most 20.
    QStringList addresses;

    // Section Recent: the projects of the ファイル menu, newest first.
    QStringList recentProjects;

    // Section ControlSize: the window's geometry and the states of its
    // resizable areas, each kept as text under the control's name.
    QMap<QString, QString> controlSizes;

    static Columns defaultColumnPositions() { return {0, 1, 2, 3, 4}; }
    // The width each display position has when the grid is set up with the
    // given positions: the logical columns' widths moved to their places.
    static Columns setUpColumnWidths(const Columns &positions);
};

QString SettingsFilePath(const Folders &folders);

// Reads the column positions and widths (done while the main window is made).
void ReadGridSettings(const IniFile &ini, Settings &settings);
// Reads section Environ over the values the settings already hold (the
// program sets LastOpen and Backup on first) and section Address.
// DefFileName and TreeIndex are read only when LastOpen is on. The recent
// projects come along.
void ReadEnvironSettings(const IniFile &ini, Settings &settings);
// Reads the stored sizes of the named controls; a control without one keeps
// what it has.
void ReadControlSizes(const IniFile &ini, Settings &settings, const QStringList &controls);
// Writes every key; sections Grid and Address are rewritten from scratch,
// other sections (the control sizes) stay.
void WriteSettings(IniFile &ini, const Settings &settings);
