// Draws every registered shot (or the named ones) into a folder:
//   brisklet-screenshots OUTPUT_FOLDER [NAME...]
#include "app/startup.h"
#include "shot.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <vector>

namespace {

std::vector<Shot> &shots()
{
    static std::vector<Shot> all;
    return all;
}

} // namespace

ShotRegistration::ShotRegistration(Shot shot)
{
    shots().push_back(std::move(shot));
}

int main(int argc, char *argv[])
{
    // The preview shots start the web engine, which shares the contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Brisklet"));
    LoadQtTranslation(app);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs("usage: brisklet-screenshots OUTPUT_FOLDER [NAME...]\n", stderr);
        return 2;
    }
    const QDir output(args.first());
    output.mkpath(QStringLiteral("."));
    const QStringList wanted = args.mid(1);
    int failures = 0;
    for (const Shot &shot : shots()) {
        if (!wanted.isEmpty() && !wanted.contains(shot.name))
            continue;
        QTemporaryDir scratch;
        std::unique_ptr<QWidget> widget = shot.make(scratch.path());
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget.get()))
            ++failures;
        QTest::qWait(300); // let layouts and fonts settle
        const QString file = output.filePath(shot.name + QStringLiteral(".png"));
        if (!widget->grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
