#pragma once

#include "core/userinterface.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// A user who answers from a script: every message and question is recorded,
// answers and chosen files are taken from queues in order. An empty queue
// answers No / Cancel / cancelled.
class ScriptedUserInterface : public UserInterface
{
public:
    QStringList messages;  // information texts, in order
    QStringList questions; // question texts, in order
    QList<FileChoice> fileChoices;
    int busyDepth = 0;
    QStringList progress; // "what done/total" as long work tells it

    QQueue<Answer> answers;
    QQueue<std::optional<QString>> files; // open, save and folder choosers share this queue
    QQueue<std::optional<QString>> inputs;

    void information(const QString &text) override { messages << text; }
    Answer askYesNo(const QString &text) override { return ask(text, Answer::No); }
    Answer askYesCancel(const QString &text) override { return ask(text, Answer::Cancel); }
    Answer askYesNoCancelAll(const QString &text) override { return ask(text, Answer::Cancel); }
    std::optional<QString> chooseOpenFile(const FileChoice &choice) override
    {
        fileChoices << choice;
        return next(files);
    }
    std::optional<QString> chooseSaveFile(const FileChoice &choice) override
    {
        fileChoices << choice;
        return next(files);
    }
    std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) override
    {
        fileChoices << FileChoice{title, {}, {}, startFolder, {}};
        return next(files);
    }
    std::optional<QString> inputLine(const QString &, const QString &prompt,
                                     const QString &) override
    {
        questions << prompt;
        return next(inputs);
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void showProgress(const QString &what, int done, int total) override
    {
        progress << what + u' ' + QString::number(done) + u'/' + QString::number(total);
    }

private:
    Answer ask(const QString &text, Answer fallback)
    {
        questions << text;
        return answers.isEmpty() ? fallback : answers.dequeue();
    }
    static std::optional<QString> next(QQueue<std::optional<QString>> &queue)
    {
        return queue.isEmpty() ? std::nullopt : queue.dequeue();
    }
};
