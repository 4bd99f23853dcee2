#pragma once

#include "core/userinterface.h"

// Keeps the messages of work done away from the user's thread, to be shown
// later in the order that work belongs in. That work only informs: a
// question gets the answer that changes nothing, and a chooser is cancelled.
class MessageRecorder : public UserInterface
{
public:
    void information(const QString &text) override { m_messages.append(text); }
    Answer askYesNo(const QString &) override { return Answer::No; }
    Answer askYesCancel(const QString &) override { return Answer::Cancel; }
    Answer askYesNoCancelAll(const QString &) override { return Answer::Cancel; }
    std::optional<QString> chooseOpenFile(const FileChoice &) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(const FileChoice &) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QString> inputLine(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void setBusy(bool) override {}

    // Shows the kept messages, oldest first.
    void replayTo(UserInterface &ui) const
    {
        for (const QString &text : m_messages)
            ui.information(text);
    }

private:
    QStringList m_messages;
};
