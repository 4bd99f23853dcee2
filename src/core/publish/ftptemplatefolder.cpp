#include "core/publish/ftptemplatefolder.h"

#include "core/publish/ftptemplate.h"

#include <QDir>

QStringList FtpTemplateNames(const QString &folder)
{
    // Hidden files and folders are left out; the name filter ignores case.
    const QStringList files = QDir(folder).entryList({QLatin1Char('*') + FtpTemplateExtension},
                                                     QDir::Files, QDir::Unsorted);
    QStringList names;
    for (const QString &file : files)
        names << file.chopped(FtpTemplateExtension.size());
    return names;
}

QStringList FtpTemplateListEntries(const QString &folder)
{
    return QStringList{NoFtpTemplateEntry} + FtpTemplateNames(folder);
}

int SelectFtpTemplate(const QStringList &entries, const QString &name)
{
    for (int i = 1; i < entries.size(); ++i) {
        if (entries.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

QString FtpTemplatePath(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + FtpTemplateExtension);
}

QString ExistingFtpTemplatePath(const QString &folder, const QString &name)
{
    // Compared by hand: the name may hold wildcard characters.
    const QString wanted = name + FtpTemplateExtension;
    const QDir dir(folder);
    for (const QString &file : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (file.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(file);
    }
    return {};
}
