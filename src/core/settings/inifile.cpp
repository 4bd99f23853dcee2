#include "core/settings/inifile.h"

#include <QFile>
#include <QSaveFile>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line break inside a value would start a new key or section.
QString singleLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

QString IniFile::load(const QString &path)
{
    m_sections.clear();
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    parse(QString::fromUtf8(file.readAll()));
    return {};
}

void IniFile::parse(const QString &text)
{
    m_sections.clear();
    Section *current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line = line.mid(1).trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = findSection(name);
            if (!current) {
                m_sections.append(Section{name, {}});
                current = &m_sections.last();
            }
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!current || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        bool found = false;
        for (Entry &entry : current->entries) {
            if (sameName(entry.key, key)) {
                entry.value = value;
                found = true;
                break;
            }
        }
        if (!found)
            current->entries.append(Entry{key, value});
    }
}

QString IniFile::text() const
{
    QString out;
    for (const Section &section : m_sections) {
        out += u'[' + section.name + QStringLiteral("]\n");
        for (const Entry &entry : section.entries)
            out += entry.key + u'=' + entry.value + u'\n';
        out += u'\n';
    }
    return out;
}

QString IniFile::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // QSaveFile keeps the permissions of a file it replaces; a new one gets
    // the owner's read and write only.
    if (!QFile::exists(path))
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(text().toUtf8());
    if (!file.commit())
        return file.errorString();
    return {};
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return std::nullopt;
    for (const Entry &entry : s->entries) {
        if (sameName(entry.key, key))
            return entry.value;
    }
    return std::nullopt;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    Section *s = findSection(section);
    if (!s) {
        m_sections.append(Section{section, {}});
        s = &m_sections.last();
    }
    for (Entry &entry : s->entries) {
        if (sameName(entry.key, key)) {
            entry.value = singleLine(value);
            return;
        }
    }
    s->entries.append(Entry{key, singleLine(value)});
}

void IniFile::removeSection(const QString &section)
{
    m_sections.removeIf([&](const Section &s) { return sameName(s.name, section); });
}

IniFile::Section *IniFile::findSection(const QString &name)
{
    for (Section &section : m_sections) {
        if (sameName(section.name, name))
            return &section;
    }
    return nullptr;
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    return const_cast<IniFile *>(this)->findSection(name);
}
