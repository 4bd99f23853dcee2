// Reads a project file and writes it back, timing each direction.
//
//   python3 gen_project.py --size large --out-dir /tmp/bench -o /tmp/bench/large.dta
//   build/bench/bench_projectfile /tmp/bench/large.dta
//
// Prints MB/s for reading (file to project tree) and writing (tree to file
// bytes, then to a file beside nothing else, in a temporary folder), by wall
// clock and by CPU time, and the peak resident memory against the file size.
// The "parse" line is the XML parser alone (XmlDocument: the file read into
// memory and parsed in place by pugixml), the floor under reading a project.
#include "core/project/projectreader.h"
#include "core/project/projectwriter.h"
#include "core/xml/xmldocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
}

struct Timing
{
    QElapsedTimer wall;
    double cpuStart = cpuSeconds();
    Timing() { wall.start(); }
    void print(const char *what, qint64 bytes) const
    {
        const double megabytes = double(bytes) / 1e6;
        const double wallSeconds = double(wall.nsecsElapsed()) / 1e9;
        const double cpu = cpuSeconds() - cpuStart;
        std::printf("%-6s %8.1f MB  wall %6.2f s = %6.1f MB/s  cpu %6.2f s = %6.1f MB/s\n", what,
                    megabytes, wallSeconds, megabytes / wallSeconds, cpu, megabytes / cpu);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_projectfile PROJECT.dta\n");
        return 64;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const qint64 fileSize = QFileInfo(path).size();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    {
        const Timing parsing;
        const XmlDocument document(file);
        parsing.print("parse", fileSize);
    }
    file.close();

    const Timing reading;
    const ProjectContent content = ReadProjectFile(path);
    if (!content.isRead()) {
        std::fprintf(stderr, "%s\n", qPrintable(content.error));
        return 2;
    }
    reading.print("read", fileSize);
    const double peakAfterReading = peakMegabytes();

    QTemporaryDir dir;
    const Timing writing;
    QSaveFile out(dir.filePath(QStringLiteral("out.dta")));
    if (!out.open(QIODevice::WriteOnly) ||
        !WriteProjectFile(content.defaults, *content.root, out) || !out.commit()) {
        std::fprintf(stderr, "%s\n", qPrintable(out.errorString()));
        return 1;
    }
    writing.print("write", QFileInfo(out.fileName()).size());

    const double fileMegabytes = double(fileSize) / (1024.0 * 1024.0);
    std::printf("peak memory %.0f MiB after reading, %.0f MiB in all = %.2f x file size\n",
                peakAfterReading, peakMegabytes(), peakMegabytes() / fileMegabytes);
    return 0;
}
