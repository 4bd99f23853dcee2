#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

// One Brisklet per user. The first start holds a lock file in the user's
// runtime folder (a lock left by a crashed process counts as free) and
// listens on a local socket beside it; a later start asks the first one to
// come to the front, or to open a project file, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // folder: where the lock and the socket live (the runtime folder).
    explicit SingleInstance(const QString &folder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first one and holds the lock.
    bool claim();
    // Asks the first process to come to the front, and to open the project
    // file when one is named; waits up to 10 s for it to listen. True when it
    // was reached.
    bool activateFirst(const QString &projectFile = {}) const;
    // Starts answering later starts (once the window is shown).
    bool listen();

    // The runtime folder of the user, else the temporary folder.
    static QString defaultFolder();

Q_SIGNALS:
    void activationRequested();
    void openRequested(const QString &projectFile);

private:
    void answer(const QByteArray &request);

    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};
