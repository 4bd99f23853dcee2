#include "core/settings/recentprojects.h"

#include "core/settings/inifile.h"

#include <QDir>

namespace {

const QString section = QStringLiteral("Recent");
const QString countKey = QStringLiteral("RecentMax");

QString entryKey(int i)
{
    return QStringLiteral("Recent") + QString::number(i);
}

// Two spellings of one path (a "..", a double slash) name the same file.
QString samePathForm(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

} // namespace

void RecentProjects::remember(QStringList &list, const QString &path)
{
    forget(list, path);
    list.prepend(samePathForm(path));
    while (list.size() > Max)
        list.removeLast();
}

void RecentProjects::forget(QStringList &list, const QString &path)
{
    const QString form = samePathForm(path);
    list.removeIf([&form](const QString &entry) { return samePathForm(entry) == form; });
}

QStringList RecentProjects::read(const IniFile &ini)
{
    bool ok = false;
    const int count = ini.value(section, countKey).value_or(QString()).trimmed().toInt(&ok);
    QStringList list;
    for (int i = 1; ok && i <= std::min(count, Max); ++i) {
        const QString path = ini.value(section, entryKey(i)).value_or(QString());
        if (!path.isEmpty() && !list.contains(path))
            list << path;
    }
    return list;
}

void RecentProjects::write(IniFile &ini, const QStringList &list)
{
    ini.removeSection(section);
    // Nothing to keep writes nothing, so a first run's file stays as it was.
    if (list.isEmpty())
        return;
    const int count = int(std::min<qsizetype>(list.size(), Max));
    ini.setValue(section, countKey, QString::number(count));
    for (int i = 1; i <= count; ++i)
        ini.setValue(section, entryKey(i), list.at(i - 1));
}
