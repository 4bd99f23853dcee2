#include "editorform.h"
#include "qtuserinterface.h"

#include "project/folders.h"
#include "project/projectlock.h"
#include "project/settings.h"
#include "project/startcheck.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Brisklet"));

    const Folders folders = Folders::locate();
    QtUserInterface startUi(nullptr);
    const QString folderError = folders.create();
    if (!folderError.isEmpty())
        startUi.information(folderError);

    {
        ProjectLock probe;
        if (CheckLastProjectAtStart(SettingsFilePath(folders), probe, startUi) == StartChoice::Quit)
            return 0;
    }

    TEditorForm window(folders);
    window.show();
    window.restoreLastSession();
    return app.exec();
}
