#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// The private folder the previews write their test files into: made on
// first use, readable by this user only (0700), removed when the program
// ends. A fixed name in the shared temporary folder would let another user
// plant a page that then runs with access to local files. Its name holds
// the process id, so that a later start can tell the folders of programs
// that ended without removing theirs.
class PreviewTestFolder
{
public:
    struct Written
    {
        QString path;  // the file written; empty on failure
        QString error; // the message to show on failure
    };

    // Writes the file whole (through a temporary file renamed into place),
    // so a half-written file is never shown; an old file of that name stays
    // until the new one is complete.
    Written write(const QString &fileName, const QByteArray &bytes);
    // The folder, empty before the first write.
    QString path() const;

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

// Removes the preview folders in the temporary folder that belong to this
// user and to a process that no longer runs.
void RemoveEndedPreviewFolders(const QString &temporaryFolder);

inline QString TestFileFailedText(const QString &fileName)
{
    return QStringLiteral("プレビュー用のファイル \"%1\" が作成できません。").arg(fileName);
}
