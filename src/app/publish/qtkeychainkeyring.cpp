#include "app/publish/qtkeychainkeyring.h"

#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <qt6keychain/keychain.h>

namespace {

// Every password of the program is filed under its name.
const QString Service = QStringLiteral("Brisklet");
// A keyring that has not answered by then is taken as none.
constexpr int AnswerWait = 10000; // milliseconds

struct Answer
{
    QKeychain::Error error = QKeychain::OtherError;
    QString text = QStringLiteral("キーリングが応答しません。");
};

// Starts the job and waits for it; taken sees the finished job, which
// deletes itself afterwards.
Answer finish(QKeychain::Job *job, const std::function<void(QKeychain::Job &)> &taken = {})
{
    Answer answer;
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job *done) {
        answer = {done->error(), done->errorString()};
        if (taken)
            taken(*done);
        loop.quit();
    });
    QTimer::singleShot(AnswerWait, &loop, &QEventLoop::quit);
    job->start();
    loop.exec();
    return answer;
}

} // namespace

QString QtKeychainKeyring::unavailableReason()
{
    if (!m_unavailableReason) {
        // A key nobody writes: "not found" means the keyring answers.
        auto *job = new QKeychain::ReadPasswordJob(Service);
        job->setKey(QStringLiteral("keyring-check"));
        const Answer answer = finish(job);
        const bool answers =
            answer.error == QKeychain::NoError || answer.error == QKeychain::EntryNotFound;
        m_unavailableReason = answers ? QString() : answer.text;
    }
    return *m_unavailableReason;
}

std::optional<QString> QtKeychainKeyring::read(const QString &key)
{
    auto *job = new QKeychain::ReadPasswordJob(Service);
    job->setKey(key);
    std::optional<QString> password;
    finish(job, [&](QKeychain::Job &done) {
        if (done.error() == QKeychain::NoError)
            password = static_cast<QKeychain::ReadPasswordJob &>(done).textData();
    });
    return password;
}

bool QtKeychainKeyring::write(const QString &key, const QString &password)
{
    auto *job = new QKeychain::WritePasswordJob(Service);
    job->setKey(key);
    job->setTextData(password);
    return finish(job).error == QKeychain::NoError;
}
