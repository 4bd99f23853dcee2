#include "app/common/qtuserinterface.h"
#include "app/desktopidentity.h"
#include "app/launchoptions.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/startup.h"

#include "core/preview/previewtestfolder.h"
#include "core/project/projectlock.h"
#include "core/project/startcheck.h"
#include "core/project/workspace.h"
#include "core/settings/folders.h"
#include "core/settings/settings.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = AnswerInformationOptions(argc, argv))
        return *exitCode;
    // The preview's web engine, made later, shares the window's contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Brisklet"));
    LoadQtTranslation(app);
    ApplyDesktopIdentity();
    const QString projectFile = ProjectFileArgument(QApplication::arguments());

    QtUserInterface startUi(nullptr);
    SingleInstance instance(SingleInstance::defaultFolder());
    if (!instance.claim())
        return instance.activateFirst(projectFile) ? 0 : 1;

    // What programs that did not end normally left behind.
    RemoveEndedPreviewFolders(QDir::tempPath());

    const Folders folders = Folders::locate();
    const QString folderError = folders.create();
    if (!folderError.isEmpty())
        startUi.information(folderError);

    // A project named on the command line replaces the last one.
    if (projectFile.isEmpty()) {
        ProjectLock probe;
        if (CheckLastProjectAtStart(SettingsFilePath(folders), probe, startUi) == StartChoice::Quit)
            return 0;
    }

    MainWindow window(folders);
    window.workspace().projectFileUsed = RememberInDesktopRecentFiles;
    window.show();
    window.restoreLastSession(projectFile);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     &MainWindow::activateFromOutside);
    QObject::connect(&instance, &SingleInstance::openRequested, &window,
                     &MainWindow::openFromOutside);
    instance.listen();
    return app.exec();
}
