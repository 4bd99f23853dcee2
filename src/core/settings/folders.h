#pragma once

#include <QString>

// The folders the program works in. Every path ends with "/".
struct Folders
{
    QString settings;     // the settings file lives here
    QString data;         // "My RSS Data/" in the documents folder
    QString project;      // data + "Project/": where project dialogs start
    QString backup;       // project + "Backup/": made by the first backup
    QString ftpTemplate;  // data + "Template/Ftp/"
    QString htmlTemplate; // data + "Template/Html/"
    QString styleSheet;   // data + "Template/StyleSheet/"

    // The user's folders: the config location + "Norvane/Brisklet/" and the
    // documents folder + "My RSS Data/", each falling back to the program's own
    // folder when the platform cannot name it. A non-empty override replaces
    // the computed settings or data folder (the command line's --data-dir,
    // tests).
    static Folders locate(const QString &dataOverride = {}, const QString &settingsOverride = {});
    // The folders below the given data and settings folders.
    static Folders at(const QString &dataFolder, const QString &settingsFolder);

    // Creates the settings folder (readable by its owner only) and the
    // project and template folders. Returns an error text naming the first
    // folder that could not be made, or an empty text.
    QString create() const;
};

// Joins a parent folder and a name, adding "/" between them when needed.
QString JoinFolder(const QString &parent, const QString &name);
