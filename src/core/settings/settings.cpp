#include "core/settings/settings.h"

#include "core/settings/folders.h"
#include "core/settings/inifile.h"
#include "core/settings/recentprojects.h"

#include <algorithm>

namespace {

const QString environSection = QStringLiteral("Environ");
const QString gridSection = QStringLiteral("Grid");
const QString addressSection = QStringLiteral("Address");
const QString controlSizeSection = QStringLiteral("ControlSize");

const std::array<QString, Settings::ColumnCount> columnKeys = {
    QStringLiteral("Col_Title"), QStringLiteral("Col_Date"), QStringLiteral("Col_Url"),
    QStringLiteral("Col_Subject"), QStringLiteral("Col_Creator")};

// Title, date, link, category, creator.
constexpr Settings::Columns logicalWidths = {400, 150, 400, 120, 120};

// An integer that cannot be read falls back to the default.
int readInt(const IniFile &ini, const QString &section, const QString &key, int fallback)
{
    const std::optional<QString> text = ini.value(section, key);
    if (!text)
        return fallback;
    bool ok = false;
    const int value = text->trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool readBool(const IniFile &ini, const QString &section, const QString &key, bool fallback)
{
    return readInt(ini, section, key, fallback ? 1 : 0) != 0;
}

QString boolText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

bool isPermutation(Settings::Columns positions)
{
    std::sort(positions.begin(), positions.end());
    return positions == Settings::defaultColumnPositions();
}

} // namespace

Settings::Columns Settings::setUpColumnWidths(const Columns &positions)
{
    Columns widths{};
    for (int column = 0; column < ColumnCount; ++column)
        widths[size_t(positions[size_t(column)])] = logicalWidths[size_t(column)];
    return widths;
}

QString SettingsFilePath(const Folders &folders)
{
    return folders.settings + QStringLiteral("brisklet.ini");
}

void ReadGridSettings(const IniFile &ini, Settings &settings)
{
    Settings::Columns positions{};
    for (int column = 0; column < Settings::ColumnCount; ++column)
        positions[size_t(column)] = readInt(ini, gridSection, columnKeys[size_t(column)], column);
    // Two columns at one place (or a place outside the grid) would lose a
    // column; such a file is read as the standard order.
    settings.columnPositions =
        isPermutation(positions) ? positions : Settings::defaultColumnPositions();
    const Settings::Columns setUp = Settings::setUpColumnWidths(settings.columnPositions);
    for (int position = 0; position < Settings::ColumnCount; ++position) {
        settings.columnWidths[size_t(position)] =
            readInt(ini, gridSection, QStringLiteral("Wid_") + QString::number(position),
                    setUp[size_t(position)]);
    }
}

void ReadEnvironSettings(const IniFile &ini, Settings &settings)
{
    settings.lastOpen =
        readBool(ini, environSection, QStringLiteral("LastOpen"), settings.lastOpen);
    if (settings.lastOpen) {
        settings.defFileName =
            ini.value(environSection, QStringLiteral("DefFileName")).value_or(settings.defFileName);
        settings.treeIndex =
            readInt(ini, environSection, QStringLiteral("TreeIndex"), settings.treeIndex);
    }
    settings.backup = readBool(ini, environSection, QStringLiteral("Backup"), settings.backup);
    settings.selectAll =
        readBool(ini, environSection, QStringLiteral("SelectAll"), settings.selectAll);
    settings.escapeRock =
        readBool(ini, environSection, QStringLiteral("EscapeRock"), settings.escapeRock);

    const int count = std::clamp(readInt(ini, addressSection, QStringLiteral("AddressMax"), 0), 0,
                                 Settings::MaxAddresses);
    settings.addresses.clear();
    for (int i = 1; i <= count; ++i) {
        settings.addresses << ini.value(addressSection,
                                        QStringLiteral("Address") + QString::number(i))
                                  .value_or(QString());
    }
    settings.recentProjects = RecentProjects::read(ini);
}

void ReadControlSizes(const IniFile &ini, Settings &settings, const QStringList &controls)
{
    for (const QString &control : controls) {
        if (const std::optional<QString> size = ini.value(controlSizeSection, control))
            settings.controlSizes.insert(control, *size);
    }
}

void WriteSettings(IniFile &ini, const Settings &settings)
{
    ini.setValue(environSection, QStringLiteral("Backup"), boolText(settings.backup));
    ini.setValue(environSection, QStringLiteral("LastOpen"), boolText(settings.lastOpen));
    ini.setValue(environSection, QStringLiteral("DefFileName"), settings.defFileName);
    ini.setValue(environSection, QStringLiteral("TreeIndex"), QString::number(settings.treeIndex));
    ini.setValue(environSection, QStringLiteral("SelectAll"), boolText(settings.selectAll));
    ini.setValue(environSection, QStringLiteral("EscapeRock"), boolText(settings.escapeRock));

    ini.removeSection(gridSection);
    for (int column = 0; column < Settings::ColumnCount; ++column) {
        ini.setValue(gridSection, columnKeys[size_t(column)],
                     QString::number(settings.columnPositions[size_t(column)]));
    }
    for (int position = 0; position < Settings::ColumnCount; ++position) {
        ini.setValue(gridSection, QStringLiteral("Wid_") + QString::number(position),
                     QString::number(settings.columnWidths[size_t(position)]));
    }

    ini.removeSection(addressSection);
    const int count = int(std::min<qsizetype>(settings.addresses.size(), Settings::MaxAddresses));
    ini.setValue(addressSection, QStringLiteral("AddressMax"), QString::number(count));
    for (int i = 1; i <= count; ++i)
        ini.setValue(addressSection, QStringLiteral("Address") + QString::number(i),
                     settings.addresses.at(i - 1));
    RecentProjects::write(ini, settings.recentProjects);

    ini.removeSection(controlSizeSection);
    for (auto it = settings.controlSizes.cbegin(); it != settings.controlSizes.cend(); ++it)
        ini.setValue(controlSizeSection, it.key(), it.value());
}
