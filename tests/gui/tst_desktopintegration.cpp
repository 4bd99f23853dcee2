#include "editorform.h"
#include "project/workspace.h"
#include "userinterface.h"
#include "windowfixture.h"

#include <QProgressBar>
#include <QThread>

using namespace Qt::StringLiterals;
using namespace windowfixture;

// The window as a desktop program: progress of long work in its status bar.
class TestDesktopIntegration : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    // Work on another thread: the window goes on with its events, and past
    // half a second the bar tells the count until the work ends.
    void longWorkShowsProgressAndPaints()
    {
        auto window = windowWith(m_dir, {});
        QVERIFY(window);
        UserInterface &ui = window->workspace().ui;
        QTimer ticking;
        int ticks = 0;
        connect(&ticking, &QTimer::timeout, [&ticks] { ++ticks; });
        ticking.start(10);
        QProgressBar *shown = nullptr;
        QString format;
        ui.runAside([] { QThread::msleep(800); },
                    [&] {
                        ui.showProgress(u"保存中"_s, 1, 3);
                        shown = window->findChild<QProgressBar *>(u"StatusBar_Progress"_s);
                        if (shown && shown->isVisible())
                            format = shown->text();
                    });
        QVERIFY(ticks > 20);
        QCOMPARE(format, u"保存中 1 / 3"_s);
        ui.showProgress(u"保存中"_s, 3, 3);
        QVERIFY(!shown->isVisible());
    }
};

QTEST_MAIN(TestDesktopIntegration)
#include "tst_desktopintegration.moc"
