#pragma once

#include <QString>
#include <QStringList>

// The address rules of the preview window.

// Two addresses name the same page when they are equal with the scheme and
// host compared ignoring case; the path and the rest keep their case, so two
// local files that differ in case stay two pages.
bool SameAddress(const QString &a, const QString &b);

// Puts address first in the history and removes any other entry for the
// same page. Blank addresses are not remembered.
void RememberAddress(QStringList &history, const QString &address);

// What the browser is told to do for an address.
struct Navigation
{
    enum class Kind
    {
        Home,   // a blank address: the blank home page
        Reload, // the page already shown
        Open
    };
    Kind kind = Kind::Home;
    QString address; // for Open: the address trimmed
    bool bypassCache = false;
};
// currentAddress is the address of the last completed navigation. A feed
// file shown at the moment is opened without flags, as its viewer would
// not otherwise show the new file.
Navigation ChooseNavigation(const QString &address, const QString &currentAddress, bool noCache);

// The browser's home page for a blank address.
QString HomePageAddress();

// The address a typed or stored text stands for: a local path becomes a
// file address (spaces and "#" kept as part of the name), anything with a
// scheme stays as it is.
QString AddressFromUserText(const QString &text);
