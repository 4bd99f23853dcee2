#include "previewtestfolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

PreviewTestFolder::Written PreviewTestFolder::write(const QString &fileName,
                                                    const QByteArray &bytes)
{
    if (!m_folder || !m_folder->isValid()) {
        // QTemporaryDir makes the folder with mode 0700.
        m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                   QStringLiteral("/brisklet-preview-XXXXXX"));
        if (!m_folder->isValid())
            return {{},
                    TestFileFailedText(fileName) + QStringLiteral("\r\n") +
                        m_folder->errorString()};
    }
    const QString path = m_folder->filePath(fileName);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {{}, TestFileFailedText(fileName) + QStringLiteral("\r\n") + file.errorString()};
    return {path, {}};
}

QString PreviewTestFolder::path() const
{
    return m_folder && m_folder->isValid() ? m_folder->path() : QString();
}
