#pragma once

#include "core/userinterface.h"

#include <QStringList>

// What a file chooser was set up with, on one line to compare whole:
// "title|filter|extension|start folder|proposed name" (a filter holds "|"
// itself).
inline QString ChoiceLine(const UserInterface::FileChoice &choice)
{
    return QStringList{choice.title, choice.filter, choice.defaultExtension, choice.startFolder,
                       choice.proposedName}
        .join(u'|');
}
