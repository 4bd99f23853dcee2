#include "app/mainwindow.h"
#include "core/project/projectcommands.h"
#include "core/project/projectwriter.h"
#include "core/project/workspace.h"
#include "core/userinterface.h"
#include "testfiles.h"
#include "windowfixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QToolBar>
#include <QToolButton>
#include <atomic>

using namespace Qt::StringLiterals;
using namespace windowfixture;

// The window as a desktop program: icons on its tool buttons, the recent
// projects in its ファイル menu, progress of long work in its status bar.
class TestDesktopIntegration : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void toolButtonsShowIconAndText()
    {
        MainWindow window(foldersIn(m_dir));
        auto *toolBar = window.findChild<QToolBar *>(u"ToolBar_Main"_s);
        QCOMPARE(toolBar->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        int buttons = 0;
        for (QAction *action : toolBar->actions()) {
            if (action->isSeparator())
                continue;
            ++buttons;
            QVERIFY2(!action->icon().pixmap(24).isNull(), qPrintable(action->objectName()));
            QVERIFY(!action->text().isEmpty());
        }
        QCOMPARE(buttons, 9);
    }

    void recentProjectsOpenOrLeaveTheList()
    {
        const QString kept = m_dir.filePath(u"kept.dta"_s);
        const QString gone = m_dir.filePath(u"gone.dta"_s);
        testfiles::writeAll(
            kept, WriteProjectFile(ProjectDefaults(), ProjectNode(u"x"_s, ProjectNode::RootKind)));
        MainWindow window(foldersIn(m_dir));
        window.workspace().settings.recentProjects = {gone, kept};
        auto *submenu = window.findChild<QMenu *>(u"Mn_Recent"_s);
        Q_EMIT window.findChild<QMenu *>(u"File1"_s)->aboutToShow();
        QVERIFY(submenu->menuAction()->isEnabled());
        Q_EMIT submenu->aboutToShow();
        QCOMPARE(submenu->actions().size(), 2);
        QCOMPARE(submenu->actions().at(1)->text(), u"&2 "_s + kept);

        QString told;
        answerNextMessageBox(QMessageBox::Ok, &told);
        submenu->actions().at(0)->trigger();
        QCOMPARE(told, RecentProjectMissingMessage(gone));
        QCOMPARE(window.workspace().settings.recentProjects, QStringList{kept});

        Q_EMIT submenu->aboutToShow();
        submenu->actions().at(0)->trigger();
        QCOMPARE(window.project().fileName(), kept);
        window.workspace().settings.recentProjects.clear();
        Q_EMIT window.findChild<QMenu *>(u"File1"_s)->aboutToShow();
        QVERIFY(!submenu->menuAction()->isEnabled());
    }

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

    // A cancellable run: the status bar's 中止 button or Escape cancels it,
    // once; other keys and clicks do not reach the window meanwhile.
    void cancelStopsTheWork_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("the button") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelStopsTheWork()
    {
        QFETCH(bool, escape);
        auto window = windowWith(m_dir, {});
        QVERIFY(window);
        QAction other(window.get());
        other.setShortcut(QKeySequence(u"Ctrl+T"_s));
        window->addAction(&other);
        int others = 0;
        connect(&other, &QAction::triggered, [&others] { ++others; });
        QPushButton *button = nullptr;
        QTimer::singleShot(200, window.get(), [&] {
            button = window->findChild<QPushButton *>(u"StatusBar_Cancel"_s);
            if (!button || !button->isVisible())
                return;
            QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
            if (escape) {
                QTest::keyClick(window.get(), Qt::Key_Escape);
                QTest::keyClick(window.get(), Qt::Key_Escape);
            } else {
                QTest::mouseClick(button, Qt::LeftButton);
                QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        std::atomic<bool> stop = false;
        int cancels = 0;
        QElapsedTimer clock;
        clock.start();
        window->workspace().ui.runCancellable(
            [&] {
                while (!stop && clock.elapsed() < 10000)
                    QThread::msleep(10);
            },
            [] {},
            [&] {
                ++cancels;
                stop = true;
            });
        QVERIFY(button);
        QCOMPARE(cancels, 1);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!button->isVisible());
        QCOMPARE(others, 0);
        QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(others, 1); // input reaches the window again
    }
};

QTEST_MAIN(TestDesktopIntegration)
#include "tst_desktopintegration.moc"
