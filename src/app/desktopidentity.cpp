#include "app/desktopidentity.h"

#include "app/toolicons.h"

#include "core/files/recentlyused.h"

#include <QApplication>

namespace {

// The desktop entry, the icon and the metadata are all named by this id.
const QString desktopId = QStringLiteral("org.example.brisklet");

} // namespace

void ApplyDesktopIdentity()
{
    QGuiApplication::setDesktopFileName(desktopId);
    QApplication::setWindowIcon(ThemedIcon(desktopId));
}

void RememberInDesktopRecentFiles(const QString &path)
{
    // A list the desktop cannot take is its own business: the project was
    // opened or saved all the same.
    AddRecentlyUsed(RecentlyUsedFilePath(),
                    {path, QStringLiteral("application/x-brisklet-project"),
                     QStringLiteral("Brisklet"), QStringLiteral("brisklet %u")},
                    QDateTime::currentDateTime());
}
