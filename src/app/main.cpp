#include "editorform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Brisklet"));
    TEditorForm window;
    window.show();
    return app.exec();
}
