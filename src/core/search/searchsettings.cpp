#include "core/search/searchsettings.h"

#include "core/settings/folders.h"
#include "core/settings/inifile.h"

namespace {

const QString optionsSection = QStringLiteral("Options");
const QString searchSection = QStringLiteral("SearchItems");
const QString replaceSection = QStringLiteral("ReplaceItems");

bool readFlag(const IniFile &ini, const QString &key, bool fallback)
{
    const std::optional<QString> text = ini.value(optionsSection, key);
    return text ? text->trimmed() == QLatin1String("1") : fallback;
}

QString entryKey(int index)
{
    return QStringLiteral("Text") + QString::number(index);
}

QStringList readHistory(const IniFile &ini, const QString &section)
{
    QStringList history;
    for (int i = 0; i < SearchSettings::MaxHistory; ++i) {
        const std::optional<QString> text = ini.value(section, entryKey(i));
        if (!text)
            break;
        if (!text->isEmpty() && !history.contains(*text))
            history << *text;
    }
    return history;
}

void writeHistory(IniFile &ini, const QString &section, const QStringList &history)
{
    ini.removeSection(section);
    for (int i = 0; i < history.size() && i < SearchSettings::MaxHistory; ++i)
        ini.setValue(section, entryKey(i), history[i]);
}

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

SearchOptions SearchSettings::options() const
{
    SearchOptions options = down ? SearchFlag::Down : 0;
    if (matchCase)
        options |= SearchFlag::MatchCase;
    if (wholeWord)
        options |= SearchFlag::WholeWord;
    if (noMatchZenkaku)
        options |= SearchFlag::NoMatchZenkaku;
    if (includeCrlf)
        options |= SearchFlag::IgnoreLineBreaks | SearchFlag::IgnoreSpaces;
    return options;
}

QString SearchSettingsFilePath(const Folders &folders)
{
    return folders.settings + QStringLiteral("Editor Settings.ini");
}

SearchSettings ReadSearchSettings(const IniFile &ini)
{
    SearchSettings settings;
    settings.matchCase = readFlag(ini, QStringLiteral("MatchCase"), false);
    settings.wholeWord = readFlag(ini, QStringLiteral("WholeWord"), false);
    settings.noMatchZenkaku = readFlag(ini, QStringLiteral("NoMatchZenkaku"), false);
    settings.includeCrlf = readFlag(ini, QStringLiteral("IncludeCRLF"), false);
    settings.down = ini.value(optionsSection, QStringLiteral("Direction"))
                        .value_or(QStringLiteral("1"))
                        .trimmed() != QLatin1String("0");
    settings.searchItems = readHistory(ini, searchSection);
    settings.replaceItems = readHistory(ini, replaceSection);
    return settings;
}

void WriteSearchSettings(IniFile &ini, const SearchSettings &settings)
{
    ini.setValue(optionsSection, QStringLiteral("MatchCase"), flagText(settings.matchCase));
    ini.setValue(optionsSection, QStringLiteral("WholeWord"), flagText(settings.wholeWord));
    ini.setValue(optionsSection, QStringLiteral("NoMatchZenkaku"),
                 flagText(settings.noMatchZenkaku));
    ini.setValue(optionsSection, QStringLiteral("IncludeCRLF"), flagText(settings.includeCrlf));
    ini.setValue(optionsSection, QStringLiteral("Direction"), flagText(settings.down));
    writeHistory(ini, searchSection, settings.searchItems);
    writeHistory(ini, replaceSection, settings.replaceItems);
}

void RememberText(QStringList &history, const QString &text)
{
    if (text.isEmpty() || text.contains(u'\n') || text.contains(u'\r'))
        return;
    history.removeAll(text);
    history.prepend(text);
    while (history.size() > SearchSettings::MaxHistory)
        history.removeLast();
}
