// Times uploads to the test servers on 127.0.0.1, login included:
// - one feed (an RSS file and its page, 200 KB together) over SFTP to the
//   paramiko server, and over plain FTP to pyftpdlib for comparison
//   (goal for SFTP: 0.5 s);
// - one 1 MB file over FTPS and over plain FTP, both to pyftpdlib with the
//   libcurl client (goal: FTPS within twice the FTP time).
//
//   build/bench/bench_secureupload [runs]
//
// Prints the best and median wall time of the runs (10 by default) of one
// session each: connect, log in, send the files under temporary names and
// rename them, close.
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
#include <utility>
#include <vector>

namespace {

using Files = std::vector<std::pair<QString, QByteArray>>;

bool upload(const FtpTemplate &t, const SessionContext &context, const Files &files, QString *error)
{
    std::unique_ptr<FtpSession> session = CreateFtpSession(t, context);
    bool sent = session->open(t, QStringLiteral("/pub"));
    for (const auto &[name, bytes] : files)
        sent = sent && session->send(bytes, name);
    *error = session->errorText();
    session->close();
    return sent;
}

// The median of the runs' times in seconds, printed with the best; a failed
// run ends it with a negative time.
double timeRuns(const char *name, int runs, const std::function<bool(QString *)> &once)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        if (!once(&error)) {
            std::fprintf(stderr, "%s: %s\n", name, qPrintable(error));
            return -1;
        }
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%s: best %.3f s, median %.3f s over %d runs\n", name, times.front(), median, runs);
    return median;
}

// The first contact learns the server's host key or certificate, as a
// user's はい does; later sessions find it remembered.
SessionContext trusting(const FtpTemplate &t, const TrustFiles &trust)
{
    std::unique_ptr<FtpSession> first = CreateFtpSession(t, {trust});
    first->open(t, QStringLiteral("/pub"));
    const TrustQuestion question = first->trustQuestion();
    first->close();
    if (question.kind == TrustQuestion::Kind::UntrustedCertificate)
        RememberCertificate(trust, question);
    return {trust, question.kind == TrustQuestion::Kind::UnknownHostKey ? question.fingerprint
                                                                        : QString()};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir root;
    QTemporaryDir settings;
    QDir(root.path()).mkpath(QStringLiteral("pub"));
    const Files feed{{QStringLiteral("news.html"), QByteArray(50 * 1024, 'p')},
                     {QStringLiteral("news.xml"), QByteArray(150 * 1024, 'r')}};
    const Files large{{QStringLiteral("large.bin"), QByteArray(1024 * 1024, 'm')}};
    const QString user = QStringLiteral("brisk");
    const QString password = QStringLiteral("bench pass");
    const TrustFiles trust = TrustFiles::in(settings.path());

    ScriptServer sftp(ScriptServer::Kind::Sftp, root.path(), user, password);
    ScriptServer ftps(ScriptServer::Kind::Ftps, root.path(), user, password);
    PyFtpdServer ftp;
    for (ScriptServer *server : {&sftp, &ftps}) {
        if (!server->start()) {
            std::fprintf(stderr, "test server: %s\n", qPrintable(server->failure()));
            return 1;
        }
    }
    if (!ftp.start(root.path(), user, password)) {
        std::fprintf(stderr, "FTP server: %s\n", qPrintable(ftp.failure()));
        return 1;
    }
    FtpTemplate plain = ftp.ftpTemplate();
    plain.useCurlClient = true; // the libcurl client, as SFTP and FTPS use

    const auto timed = [&](const char *name, const FtpTemplate &t, const Files &files) {
        const SessionContext context = trusting(t, trust);
        return timeRuns(name, runs,
                        [&](QString *error) { return upload(t, context, files, error); });
    };
    const double sftpFeed = timed("SFTP, RSS + page (200 KB)", sftp.ftpTemplate(), feed);
    const double ftpFeed = timed("FTP, RSS + page (200 KB)", plain, feed);
    const double ftpsLarge = timed("FTPS, 1 MB", ftps.ftpTemplate(), large);
    const double ftpLarge = timed("FTP, 1 MB", plain, large);
    if (sftpFeed < 0 || ftpFeed < 0 || ftpsLarge < 0 || ftpLarge < 0)
        return 1;
    std::printf("FTPS / FTP for 1 MB (medians): %.2f\n", ftpsLarge / ftpLarge);
    return 0;
}
