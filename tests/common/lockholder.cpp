#include "lockholder.h"

#include "core/project/projectlock.h"
#include "scripteduserinterface.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <cstring>

namespace {
const char *const holdOption = "--hold-lock";
}

std::optional<int> LockHolder::runIfAsked(int argc, char *argv[])
{
    if (argc != 3 || std::strcmp(argv[1], holdOption) != 0)
        return std::nullopt;
    ScriptedUserInterface ui;
    ProjectLock lock;
    if (!lock.take(QFile::decodeName(argv[2]), ui))
        return 1;
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}

LockHolder::LockHolder(const QString &projectPath)
{
    m_process.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(holdOption), projectPath});
    if (!m_process.waitForReadyRead(30000) || m_process.readLine() != "held\n")
        qFatal("the lock holder did not take the lock");
}

LockHolder::~LockHolder()
{
    kill();
}

void LockHolder::kill()
{
    m_process.kill();
    m_process.waitForFinished();
}
