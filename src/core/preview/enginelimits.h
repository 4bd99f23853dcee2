#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The web engine keeps its pages in a sandbox, where a page cannot reach
// the system. The sandbox cannot start as root, where the engine would
// rather end the whole program, nor where the user may not make a user
// namespace. Without it the engine shows the program's own preview files
// only; every other page goes to the default browser, and pieces of a page
// come from local files only.
struct EngineLimits
{
    bool sandboxed = true;
    // The files, and folders with everything in them, the engine shows
    // without its sandbox.
    QStringList ownPaths;

    // A page of its own, as the window's main frame.
    bool showsPage(const QUrl &address) const;
    // A piece of a page: an image, a style sheet, a script, a frame.
    bool loadsPiece(const QUrl &address) const;
};

// Decided once, before the engine starts: false as root (by the effective
// user id) and where no user namespace can be made.
bool EngineSandboxPossible();

// Said once in the preview window when the engine runs without its sandbox.
QString UnsandboxedEngineNote();
// Said when an address went to the default browser instead.
QString HandedOverText(const QUrl &address);
