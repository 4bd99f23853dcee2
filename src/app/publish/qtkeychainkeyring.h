#pragma once

#include "core/publish/passwordkeyring.h"

#include <optional>

// The desktop's keyring (Secret Service, KWallet) through QtKeychain.
// Each call waits for the keyring's answer, letting the window paint; the
// first call finds out whether a keyring answers at all, and the answer is
// kept for the program's run.
class QtKeychainKeyring : public PasswordKeyring
{
public:
    QString unavailableReason() override;
    std::optional<QString> read(const QString &key) override;
    bool write(const QString &key, const QString &password) override;

private:
    std::optional<QString> m_unavailableReason;
};
