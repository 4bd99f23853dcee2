#include "cli/cliuserinterface.h"

void CliUserInterface::information(const QString &text)
{
    m_err << text << Qt::endl;
}

UserInterface::Answer CliUserInterface::answer(const QString &text, Answer refusal)
{
    m_err << text << Qt::endl;
    return assumeYes ? Answer::Yes : refusal;
}

UserInterface::Answer CliUserInterface::askYesNo(const QString &text)
{
    return answer(text, Answer::No);
}

UserInterface::Answer CliUserInterface::askYesCancel(const QString &text)
{
    return answer(text, Answer::Cancel);
}

UserInterface::Answer CliUserInterface::askYesNoCancelAll(const QString &text)
{
    return answer(text, Answer::Cancel);
}

std::optional<QString> CliUserInterface::chooseOpenFile(const FileChoice &)
{
    return std::nullopt;
}

std::optional<QString> CliUserInterface::chooseSaveFile(const FileChoice &)
{
    return std::nullopt;
}

std::optional<QString> CliUserInterface::chooseFolder(const QString &, const QString &)
{
    return std::nullopt;
}

std::optional<QString> CliUserInterface::inputLine(const QString &, const QString &,
                                                   const QString &)
{
    return std::nullopt;
}
