#include "editorform.h"
#include "qtuserinterface.h"
#include "singleinstance.h"
#include "startup.h"

#include "preview/previewtestfolder.h"
#include "project/folders.h"
#include "project/projectlock.h"
#include "project/settings.h"
#include "project/startcheck.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    // The preview's web engine, made later, shares the window's contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Brisklet"));
    ApplyDefaultFont();
    LoadQtTranslation(app);

    QtUserInterface startUi(nullptr);
    if (ColourDepthTooLow()) {
        startUi.information(ColourDepthMessage());
        return 1;
    }

    SingleInstance instance(SingleInstance::defaultFolder());
    if (!instance.claim())
        return instance.activateFirst() ? 0 : 1;

    // What programs that did not end normally left behind.
    RemoveEndedPreviewFolders(QDir::tempPath());

    const Folders folders = Folders::locate();
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
    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     &TEditorForm::activateFromOutside);
    instance.listen();
    return app.exec();
}
