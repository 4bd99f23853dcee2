#pragma once

#include "core/publish/passwordkeyring.h"

#include <QMap>

// A keyring in memory: it answers unless given a reason not to, and takes
// passwords unless told to refuse.
class MemoryKeyring : public PasswordKeyring
{
public:
    QString reason; // why it does not answer; empty: it does
    bool refusesWrites = false;
    QMap<QString, QString> passwords;

    QString unavailableReason() override { return reason; }
    std::optional<QString> read(const QString &key) override
    {
        if (!reason.isEmpty() || !passwords.contains(key))
            return std::nullopt;
        return passwords.value(key);
    }
    bool write(const QString &key, const QString &password) override
    {
        if (!reason.isEmpty() || refusesWrites)
            return false;
        passwords.insert(key, password);
        return true;
    }
};
