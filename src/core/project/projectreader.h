#pragma once

#include "core/model/channelsettings.h"
#include "core/model/projectnode.h"

#include <QByteArray>
#include <QString>
#include <functional>
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

// The largest project file that is read. A larger file is refused before
// any of it is read: its tree would not fit in memory, and a file that size
// is far more likely damaged than a real project.
inline constexpr qint64 MaxProjectFileSize = qint64(1) << 30;

// Shown when the project file is larger than MaxProjectFileSize.
inline QString ProjectTooLargeMessage()
{
    return QStringLiteral("プロジェクトファイルが大きすぎるため読み込めません（1 GB まで）。");
}

// Called with each feed as soon as its settings and items are read, while
// the rest of the file is still being read. The feed stays where it is
// only if the whole file reads.
using FeedReadHandler = std::function<void(const ProjectNode &feed)>;

// Reads the text of a project file. A document that the XML parser rejects
// gives an error with the parser's reason and line, and no nodes.
ProjectContent ReadProjectContent(const QByteArray &document);
// Reads the project file at path; a file larger than MaxProjectFileSize
// gives ProjectTooLargeMessage without being read.
ProjectContent ReadProjectFile(const QString &path, const FeedReadHandler &feedRead = {});
