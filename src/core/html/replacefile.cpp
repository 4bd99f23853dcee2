#include "replacefile.h"

#include <QSaveFile>

bool ReplaceFile(const QString &path, const QByteArray &bytes)
{
    // An uncommitted QSaveFile removes its temporary file.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
