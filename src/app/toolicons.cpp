#include "app/toolicons.h"

#include <QAction>
#include <QToolBar>
#include <QWidget>

namespace {

// The icon names of the freedesktop naming scheme; the program's own icons
// carry the same names.
struct ButtonIcon
{
    const char *button;
    const char *icon;
};

constexpr ButtonIcon buttonIcons[] = {
    {"Tb_New", "document-new"},
    {"TB_Open", "document-open"},
    {"TB_Save", "document-save"},
    {"TB_Add", "list-add"},
    {"TB_Upload", "document-send"},
    {"TB_Rss", "application-rss+xml"},
    {"TB_Html", "text-html"},
    {"TB_ChannelHomePage", "web-browser"},
    {"TB_Preview", "document-print-preview"},
};

} // namespace

QIcon ThemedIcon(const QString &name)
{
    return QIcon::fromTheme(name,
                            QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg")));
}

void SetToolButtonIcons(QToolBar *toolBar)
{
    for (QAction *action : toolBar->actions()) {
        const QWidget *button = toolBar->widgetForAction(action);
        for (const ButtonIcon &entry : buttonIcons) {
            if (button && button->objectName() == QLatin1String(entry.button)) {
                action->setIcon(ThemedIcon(QString::fromLatin1(entry.icon)));
                // The menus that offer the same action show no icons.
                action->setIconVisibleInMenu(false);
            }
        }
    }
}
