#pragma once

#include <QString>

class UserInterface;

// The lock that marks a project as open. It is a file beside the project
// file holding the login name of the user who has the project open, with an
// advisory lock on it for as long as the project stays open. The lock goes
// with the open file description, so a file left behind by a program that
// ended counts as free.
class ProjectLock
{
public:
    ProjectLock() = default;
    ~ProjectLock();
    ProjectLock(const ProjectLock &) = delete;
    ProjectLock &operator=(const ProjectLock &) = delete;

    // The project file's folder + "." + its name with the extension replaced
    // by ".brisklet_lock" (appended when the name has none).
    static QString lockFilePath(const QString &projectPath);
    // The user's login name; "不明" when the system names none.
    static QString loginName();

    // True when the project may be used: nobody else holds its lock. When
    // ui is given, a held lock is reported with the holder's name.
    bool check(const QString &projectPath, UserInterface *ui);
    // After a failed check: a space, the holder's name in double quotes and
    // a space; empty when the lock file names nobody.
    QString ownerName() const { return m_ownerName; }

    // Releases the lock held so far and takes the project's lock. Reports
    // "プロジェクトのオープンに失敗しました。" when it cannot be taken.
    bool take(const QString &projectPath, UserInterface &ui);
    // Removes the own lock file and gives the lock up.
    void release();

    // The lock file held, or empty.
    QString path() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
    QString m_ownerName;
};

// "このプロジェクト "name" はユーザー "owner" が編集中です。"
QString ProjectBusyMessage(const QString &projectPath, const QString &ownerName);
