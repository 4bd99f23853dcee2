// The feed check's speed on the RSS files of a generated project.
//
//   python3 /work/shared/tools/gen_project.py --size medium --out-dir /tmp/checkbench -o
//   /tmp/checkbench/p.dta cmake --build build --target bench_checkfeed &&
//   build/bench/bench_checkfeed /tmp/checkbench/p.dta
//
// Reads the project, writes every feed's RSS file bytes in memory (as
// saving would), then runs CheckFeed over all of them. Prints the bytes
// checked, the findings (there should be none) and the throughput in MB/s
// of the thread's CPU time, the best of five runs. The goal is at least
// 50 MB/s.

#include "core/check/checkfeed.h"
#include "core/feed/feedfiles.h"
#include "core/feed/rssfile.h"
#include "core/model/projectnode.h"
#include "core/project/projectreader.h"

#include <QByteArrayList>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void collect(const ProjectNode &node, const QString &projectFile, QByteArrayList &files)
{
    if (node.isFeed()) {
        const FeedData &feed = *node.data();
        const QString path = RssFilePath(feed.settings, projectFile).value_or(QStringLiteral("x"));
        files << RssFileBytes(feed, path, Clock()).bytes;
    }
    for (int row = 0; row < node.childCount(); ++row)
        collect(*node.child(row), projectFile, files);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_checkfeed PROJECT.dta\n");
        return 64;
    }
    const QString projectFile = QString::fromLocal8Bit(argv[1]);
    const ProjectContent content = ReadProjectFile(projectFile);
    if (!content.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(content.error));
        return 2;
    }
    QByteArrayList files;
    collect(*content.root, projectFile, files);
    qint64 bytes = 0;
    for (const QByteArray &file : files)
        bytes += file.size();

    double best = 1e9;
    qsizetype findings = 0;
    for (int run = 0; run < 5; ++run) {
        findings = 0;
        const double start = threadSeconds();
        for (const QByteArray &file : files)
            findings += CheckFeed(file).size();
        best = std::min(best, threadSeconds() - start);
    }
    std::printf("files %lld, bytes %lld, findings %lld\n", qlonglong(files.size()),
                qlonglong(bytes), qlonglong(findings));
    std::printf("CheckFeed: %.3f s, %.1f MB/s\n", best, double(bytes) / 1e6 / best);
    return 0;
}
