#pragma once

class QString;
class UserInterface;

// Opens a page of the user guide installed with the program ("index.html")
// in the default browser; says so when the guide or a browser is missing.
void OpenGuidePage(UserInterface &ui, const QString &page);
