#include "feedgeneration.h"

#include "messagerecorder.h"
#include "outputwriters.h"
#include "project.h"
#include "replacefile.h"

#include <QFile>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file whose write permissions are all off is kept as the user marked it,
// whoever runs the program.
bool isReadOnly(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    if (::stat(name.constData(), &info) != 0)
        return false;
    return (info.st_mode & 0222) == 0 || ::access(name.constData(), W_OK) != 0;
}

bool writeOutput(const std::optional<QString> &path, const QByteArray &bytes)
{
    return path && !isReadOnly(*path) && ReplaceFile(*path, bytes, Durability::Cached).isEmpty();
}

// What generating one feed left to tell: the report lines and the messages
// of its page's template.
struct FeedOutcome
{
    QStringList problems;
    MessageRecorder messages;
};

FeedOutcome generateFeed(const TEditList &feed, const QString &projectFile,
                         const OutputWriters &writers)
{
    FeedOutcome outcome;
    const ChannelSettings &settings = feed.settings;
    if (settings.filename.isEmpty() || settings.localfolder.isEmpty())
        return outcome;

    const std::optional<QString> rssPath = writers.rssPath(settings, projectFile);
    const OutputWriters::RssBytes rss =
        rssPath ? writers.rss(feed, *rssPath) : OutputWriters::RssBytes{};
    if (!writeOutput(rssPath, rss.bytes))
        outcome.problems << QStringLiteral("RSSファイルが作成できません.");
    else if (!rss.noDuplicates)
        outcome.problems << QStringLiteral("同じ日付のアドレスが重複する項目がありました.");

    if (!settings.html)
        return outcome;
    const std::optional<QString> htmlPath = writers.htmlPath(settings, projectFile);
    const QByteArray page = htmlPath ? writers.htmlPage(feed, outcome.messages) : QByteArray();
    if (!writeOutput(htmlPath, page))
        outcome.problems << QStringLiteral("HTMLファイルが作成できません.");
    return outcome;
}

// Feeds are independent of each other, so each thread takes the next feed
// not yet taken until none is left.
std::vector<FeedOutcome> generateAll(const std::vector<const ProjectNode *> &feeds,
                                     const QString &projectFile, const OutputWriters &writers)
{
    std::vector<FeedOutcome> outcomes(feeds.size());
    std::atomic<size_t> next = 0;
    const auto work = [&] {
        for (size_t i = next++; i < feeds.size(); i = next++)
            outcomes[i] = generateFeed(*feeds[i]->data(), projectFile, writers);
    };
    const size_t threads = std::min<size_t>(std::max(1, QThread::idealThreadCount()), feeds.size());
    std::vector<std::jthread> helpers;
    for (size_t k = 1; k < threads; ++k)
        helpers.emplace_back(work);
    work();
    return outcomes;
}

} // namespace

QString GenerateFeeds(const Project &project, const OutputWriters &writers, UserInterface &ui)
{
    std::vector<const ProjectNode *> feeds;
    project.root().forEachFeed([&](ProjectNode &node) { feeds.push_back(&node); });
    const std::vector<FeedOutcome> outcomes = generateAll(feeds, project.fileName(), writers);

    QString report;
    for (size_t i = 0; i < feeds.size(); ++i) {
        outcomes[i].messages.replayTo(ui);
        for (const QString &problem : outcomes[i].problems)
            report += QStringLiteral("\r\n[") + feeds[i]->text + QStringLiteral("] ") + problem;
    }
    return report;
}
