#pragma once

#include <QList>
#include <QString>
#include <optional>

// An INI file held in memory: loaded as a whole, changed there and written
// back in one step. Sections and keys keep their order and letter case;
// lookups ignore ASCII case, as INI readers traditionally do. The file is
// UTF-8, so Japanese values survive.
class IniFile
{
public:
    // A missing file loads as an empty one. Returns an error text when the
    // file exists but cannot be read.
    QString load(const QString &path);
    // Replaces the file atomically; a new file is readable by its owner only.
    // Returns an error text, or an empty text on success.
    QString save(const QString &path) const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    void removeSection(const QString &section);

    QString text() const;
    void parse(const QString &text);

private:
    struct Entry
    {
        QString key;
        QString value;
    };
    struct Section
    {
        QString name;
        QList<Entry> entries;
    };

    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;

    QList<Section> m_sections;
};
