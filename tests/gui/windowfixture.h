#pragma once

#include "app/mainwindow.h"
#include "core/project/project.h"
#include "core/settings/folders.h"
#include "treeoutline.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// What the window tests share: a main window over a tree of nodes, typing
// as a keyboard does, and answering the dialogs the window opens.
namespace windowfixture {

// The data and settings folders of the window, inside dir.
inline Folders foldersIn(const QTemporaryDir &dir)
{
    return Folders::at(dir.filePath(QStringLiteral("data")),
                       dir.filePath(QStringLiteral("settings")));
}

// A window over the outline's tree (see treeoutline.h), unmodified; shown
// and exposed unless asked otherwise.
inline std::unique_ptr<MainWindow> windowWith(const QTemporaryDir &dir, const QString &outline,
                                              bool show = true)
{
    auto window = std::make_unique<MainWindow>(foldersIn(dir));
    auto root = std::make_unique<ProjectNode>(Project::defaultRootName(), ProjectNode::RootKind);
    treeoutline::build(*root, outline);
    window->project().replaceTree(std::move(root));
    if (show) {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
    }
    return window;
}

inline ProjectNode *nodeOf(MainWindow &window, const QString &text)
{
    return treeoutline::find(window.project().root(), text);
}

// Types the text one character at a time, as a keyboard or an input
// method delivers it (QTest::keyClicks takes ASCII only).
inline void typeInto(QWidget *widget, const QString &text)
{
    widget->setFocus();
    for (char32_t c : text.toUcs4()) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QString::fromUcs4(&c, 1));
        QApplication::sendEvent(widget, &press);
    }
}

// Runs `handle` on the next modal dialog of type Dialog once it shows.
template <typename Dialog> void handleNextDialog(std::function<void(Dialog &)> handle)
{
    QTimer::singleShot(10, [handle] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget()))
            handle(*dialog);
        else
            handleNextDialog(handle);
    });
}

// Answers the next message box with the button; its text goes to `text`.
inline void answerNextMessageBox(QMessageBox::StandardButton button, QString *text = nullptr)
{
    handleNextDialog<QMessageBox>([=](QMessageBox &box) {
        if (text)
            *text = box.text();
        box.button(button)->click();
    });
}

} // namespace windowfixture
