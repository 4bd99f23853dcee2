#pragma once

#include "core/publish/ftptemplate.h"

#include <QString>
#include <optional>

class PasswordKeyring;
class UserInterface;

// The template operations that talk to the user. Each takes the FTP
// template folder, asks and reports through the user interface, and returns
// what changed so the caller can rebuild its lists and select the result.

// Saves the values under the name (the template dialog's "保存(&S)"), asking
// for a name first when askForName is set ("新規登録(&N)...") or the name is
// empty, and before replacing an existing template. Server and account lose
// blanks and control characters at both ends; the password is kept as typed,
// since blanks can be part of it. A password kept in the keyring goes there
// first; when the keyring does not take it, nothing is saved. Returns the
// name saved under; empty when nothing was saved.
std::optional<QString> SaveFtpTemplateAs(UserInterface &ui, const QString &folder,
                                         const FtpTemplate &values, bool askForName,
                                         PasswordKeyring *keyring = nullptr);

// Asks for a new name until one is free or the user cancels; a name in use
// and a failed rename are reported apart. Returns the new name; empty when
// nothing was renamed.
std::optional<QString> RenameFtpTemplate(UserInterface &ui, const QString &folder,
                                         const QString &oldName);

// Asks for confirmation and deletes the template's file. True when the file
// is gone; a failed deletion is reported.
bool DeleteFtpTemplate(UserInterface &ui, const QString &folder, const QString &name);
