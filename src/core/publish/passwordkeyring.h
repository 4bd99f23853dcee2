#pragma once

#include "core/publish/ftptemplate.h"

#include <QString>
#include <optional>

// The desktop's keyring, where a template's password can live instead of
// its file. The desktop program and the command line bring one; without it
// passwords stay in the template files.
class PasswordKeyring
{
public:
    virtual ~PasswordKeyring() = default;

    // Why no keyring can be used here; empty when one answers.
    virtual QString unavailableReason() = 0;
    // The password stored under the key; none when there is none or the
    // keyring does not answer.
    virtual std::optional<QString> read(const QString &key) = 0;
    virtual bool write(const QString &key, const QString &password) = 0;
};

// The key of a template's password: its protocol, account, server and port,
// so that renaming the template keeps the password.
QString KeyringKey(const FtpTemplate &ftpTemplate);

// The template ready to connect: a password from the keyring when the file
// has none. False (with the reason) when the keyring has no password for it.
bool FillKeyringPassword(PasswordKeyring *keyring, FtpTemplate &ftpTemplate, QString *reason);

// The template as the template dialog shows it for editing: the one saved at
// the path with its password from the keyring, or, when the path is empty or
// cannot be read, the defaults, which keep a new password in the keyring
// when one answers.
FtpTemplate TemplateForEditing(const QString &path, PasswordKeyring *keyring);
