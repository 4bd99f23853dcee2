// Times replacing generated files the way a build does (each new file
// written under a temporary name beside the old one and renamed over it)
// against writing the files in place, as a copy does, over existing files.
//
//   build/bench/bench_staging [FOLDERS [FILES_PER_FOLDER [BYTES]]]
//
// Defaults: 200 folders, 2 files each, 60 KB: the outputs of the medium
// benchmark project. Prints microseconds per file for both, medians of five
// rounds.
#include "core/files/replacefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

bool writeInPlace(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, bytes);
    return ::close(fd) == 0 && written;
}

bool writeStaged(const QString &path, const QByteArray &bytes)
{
    return StagedFile(path, bytes, Durability::Cached).commit().isEmpty();
}

double medianMicroseconds(const QStringList &paths, const QByteArray &bytes,
                          bool (*write)(const QString &, const QByteArray &))
{
    std::vector<double> rounds;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (const QString &path : paths) {
            if (!write(path, bytes))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        }
        rounds.push_back(double(timer.nsecsElapsed()) / 1e3 / double(paths.size()));
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    const int folders = argc > 1 ? std::atoi(argv[1]) : 200;
    const int perFolder = argc > 2 ? std::atoi(argv[2]) : 2;
    const int size = argc > 3 ? std::atoi(argv[3]) : 60000;
    QTemporaryDir top;
    QStringList paths;
    for (int f = 0; f < folders; ++f) {
        const QString folder = top.filePath(QStringLiteral("f%1").arg(f));
        QDir().mkpath(folder);
        for (int k = 0; k < perFolder; ++k)
            paths << folder + QStringLiteral("/out%1.xml").arg(k);
    }
    const QByteArray bytes(size, 'x');
    const double inPlace = medianMicroseconds(paths, bytes, writeInPlace);
    const double staged = medianMicroseconds(paths, bytes, writeStaged);
    {
        QElapsedTimer timer;
        timer.start();
        std::vector<StagedFile> files;
        for (const QString &path : paths)
            files.emplace_back(path, bytes, Durability::Cached);
        const double staging = double(timer.nsecsElapsed()) / 1e3 / double(paths.size());
        timer.restart();
        for (StagedFile &file : files)
            file.commit();
        const double renaming = double(timer.nsecsElapsed()) / 1e3 / double(paths.size());
        std::printf("staging %.1f us, renaming %.1f us per file\n", staging, renaming);
    }
    std::printf("%d files of %d bytes: in place %.1f us, staged and renamed %.1f us per file "
                "(%.1f us more)\n",
                int(paths.size()), size, inPlace, staged, staged - inPlace);
    return 0;
}
