#pragma once

#include <QProcess>
#include <QString>
#include <optional>

// Another process that holds a project's lock: the test executable started
// once more with an option. Its main calls runIfAsked first.
class LockHolder
{
public:
    // When the arguments ask for a lock holder, takes the lock, says so on
    // stdout and keeps it until killed or until stdin closes; returns the
    // exit code. Returns nothing otherwise.
    static std::optional<int> runIfAsked(int argc, char *argv[]);

    // Starts the holder and waits until it has the lock.
    explicit LockHolder(const QString &projectPath);
    ~LockHolder();
    LockHolder(const LockHolder &) = delete;
    LockHolder &operator=(const LockHolder &) = delete;

    // Ends the holder without any chance to clean up, as a crash would,
    // leaving its lock file behind.
    void kill();

private:
    QProcess m_process;
};

// The main function of a test executable whose tests start lock holders.
#define LOCK_HOLDER_TEST_MAIN(TestClass)                                                           \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        if (const std::optional<int> code = LockHolder::runIfAsked(argc, argv))                    \
            return *code;                                                                          \
        QCoreApplication app(argc, argv);                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
