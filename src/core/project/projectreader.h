#pragma once

#include "channelsettings.h"
#include "projectnode.h"

#include <QByteArray>
#include <QString>
#include <memory>

// What a project file holds, read without touching any open project.
struct ProjectContent
{
    // A detached kind-0 root whose children are the file's top-level nodes.
    std::unique_ptr<ProjectNode> root;
    // The values of the file's project element; defaults where it names none.
    ProjectDefaults defaults;
    // Why the file could not be read (with the line); empty when it was read.
    QString error;

    bool isRead() const { return error.isEmpty(); }
};

// Shown when the project file is missing or cannot be opened.
inline QString ProjectUnreadableMessage()
{
    return QStringLiteral("プロジェクトを読み込むことができません。");
}

// Reads the text of a project file. A document that the XML parser rejects
// gives an error with the parser's reason and line, and no nodes.
ProjectContent ReadProjectContent(const QByteArray &document);
// Reads the project file at path.
ProjectContent ReadProjectFile(const QString &path);
