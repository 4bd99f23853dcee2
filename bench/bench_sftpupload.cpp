// Uploads one feed (an RSS file and its page, 200 KB together) to the
// paramiko SFTP server of the tests on 127.0.0.1 and times it, login
// included, and the same over plain FTP to pyftpdlib for comparison.
//
//   build/bench/bench_sftpupload [runs]
//
// Prints the best and median wall time of the runs (10 by default) of one
// session: connect, log in, send both files under temporary names and
// rename them, close. The goal for SFTP: 0.5 s.
#include "core/publish/ftpsession.h"
#include "pyftpdserver.h"
#include "scriptserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool uploadFeed(const FtpTemplate &t, const SessionContext &context, const QByteArray &rss,
                const QByteArray &page, QString *error)
{
    std::unique_ptr<FtpSession> session = CreateFtpSession(t, context);
    const bool sent = session->open(t, QStringLiteral("/pub")) &&
                      session->send(page, QStringLiteral("news.html")) &&
                      session->send(rss, QStringLiteral("news.xml"));
    *error = session->errorText();
    session->close();
    return sent;
}

// Best and median of the runs' times in seconds; a failed run ends it.
bool timeRuns(const char *name, int runs, const std::function<bool(QString *)> &once)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        if (!once(&error)) {
            std::fprintf(stderr, "%s: %s\n", name, qPrintable(error));
            return false;
        }
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s: best %.3f s, median %.3f s over %d runs\n", name, times.front(),
                times[times.size() / 2], runs);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir root;
    QTemporaryDir settings;
    QDir(root.path()).mkpath(QStringLiteral("pub"));
    const QByteArray rss(150 * 1024, 'r');
    const QByteArray page(50 * 1024, 'p');
    const QString user = QStringLiteral("brisk");
    const QString password = QStringLiteral("bench pass");

    ScriptServer sftp(ScriptServer::Kind::Sftp, root.path(), user, password);
    if (!sftp.start()) {
        std::fprintf(stderr, "SFTP server: %s\n", qPrintable(sftp.failure()));
        return 1;
    }
    const TrustFiles trust = TrustFiles::in(settings.path());
    // The first contact learns the host key, as a user's はい does; the
    // next one adds it to the known hosts.
    QString key;
    {
        std::unique_ptr<FtpSession> first = CreateFtpSession(sftp.ftpTemplate(), {trust});
        first->open(sftp.ftpTemplate(), QStringLiteral("/pub"));
        key = first->trustQuestion().fingerprint;
        first->close();
    }
    QString error;
    if (!uploadFeed(sftp.ftpTemplate(), {trust, key}, rss, page, &error)) {
        std::fprintf(stderr, "SFTP: %s\n", qPrintable(error));
        return 1;
    }
    const bool sftpOk = timeRuns("SFTP, RSS + page (200 KB)", runs, [&](QString *error) {
        return uploadFeed(sftp.ftpTemplate(), {trust}, rss, page, error);
    });

    PyFtpdServer ftp;
    if (!ftp.start(root.path(), user, password)) {
        std::fprintf(stderr, "FTP server: %s\n", qPrintable(ftp.failure()));
        return 1;
    }
    FtpTemplate plain = ftp.ftpTemplate();
    plain.useWinInet = true; // the libcurl client, as SFTP uses
    const bool ftpOk = timeRuns("FTP, RSS + page (200 KB)", runs, [&](QString *error) {
        return uploadFeed(plain, {trust}, rss, page, error);
    });
    return sftpOk && ftpOk ? 0 : 1;
}
