#include "app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void LoadQtTranslation(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}
