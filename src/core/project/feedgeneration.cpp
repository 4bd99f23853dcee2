#include "core/project/feedgeneration.h"

#include "core/check/checkfeed.h"
#include "core/check/outputcheck.h"
#include "core/feed/rssfile.h"
#include "core/files/replacefile.h"
#include "core/messagerecorder.h"
#include "core/project/outputwriters.h"
#include "core/project/project.h"

#include <QFile>
#include <QHash>
#include <QThread>

#include <optional>

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

// A file's new bytes waiting beside it, or why there are none.
struct Staged
{
    std::optional<StagedFile> file;
    QString reason = QStringLiteral("ファイルの場所を決められません。");
};

Staged stage(const std::optional<QString> &path, const QByteArray &bytes)
{
    if (!path)
        return {};
    if (isReadOnly(*path))
        return {std::nullopt, QStringLiteral("ファイルが読み取り専用です。")};
    return {StagedFile(*path, bytes, Durability::Cached), {}};
}

// Puts the file in place; the report's line when that fails: the problem
// and, on a line of its own, why.
std::optional<QString> commitStaged(Staged &staged, const QString &problem)
{
    const QString reason = staged.file ? staged.file->commit() : staged.reason;
    if (reason.isEmpty())
        return std::nullopt;
    return problem + QStringLiteral("\r\n") + reason;
}

} // namespace

struct FeedGeneration::Job
{
    FeedData feed;
    Outcome *outcome;
};

// What generating one feed left: its staged files and the messages of its
// page's template.
struct FeedGeneration::Outcome
{
    const ProjectNode *node = nullptr;
    bool generated = false;
    Staged rss;
    bool noDuplicates = true;
    int checkErrors = 0; // what the feed check finds in the files; they are written all the same
    bool hasPage = false;
    Staged page;
    MessageRecorder messages;
    bool finished = false; // guarded by the generation's mutex

    void generate(const FeedData &feed, const QString &projectFile, const OutputWriters &writers,
                  bool checkOutputs)
    {
        const ChannelSettings &settings = feed.settings;
        if (settings.filename.isEmpty() || settings.localfolder.isEmpty())
            return;
        generated = true;
        const std::optional<QString> rssPath = writers.rssPath(settings, projectFile);
        if (rssPath) {
            const OutputWriters::RssBytes bytes = writers.rss(feed, *rssPath);
            rss = stage(rssPath, bytes.bytes);
            noDuplicates = bytes.noDuplicates;
            if (checkOutputs)
                checkErrors += CountFindings(CheckFeed(bytes.bytes), FeedFinding::Severity::Error);
        }
        hasPage = settings.html;
        if (!hasPage)
            return;
        const std::optional<QString> htmlPath = writers.htmlPath(settings, projectFile);
        if (htmlPath) {
            const QByteArray pageBytes = writers.htmlPage(feed, messages);
            page = stage(htmlPath, pageBytes);
            if (checkOutputs)
                checkErrors +=
                    CountFindings(CheckHtmlPage(pageBytes), FeedFinding::Severity::Error);
        }
    }

    // The report lines, RSS file first, as the files go in place.
    QStringList commit()
    {
        QStringList problems;
        if (!generated)
            return problems;
        if (const std::optional<QString> failed = commitStaged(rss, RssFileFailedText()))
            problems << *failed;
        else if (!noDuplicates)
            problems << DuplicateAddressText();
        if (const std::optional<QString> failed =
                hasPage ? commitStaged(page, HtmlFileFailedText()) : std::nullopt)
            problems << *failed;
        if (checkErrors > 0)
            problems << OutputErrorsText(checkErrors);
        return problems;
    }
};

FeedGeneration::FeedGeneration(const OutputWriters &writers, const QString &projectFile,
                               bool checkOutputs)
    : m_writers(writers), m_projectFile(projectFile), m_checkOutputs(checkOutputs)
{
    // The caller's thread joins in at commit, so one core is left to it.
    const int helpers = std::max(1, QThread::idealThreadCount() - 1);
    for (int i = 0; i < helpers; ++i)
        m_threads.emplace_back([this] { work(); });
}

FeedGeneration::~FeedGeneration()
{
    {
        const std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    close();
    m_threads.clear(); // joins
}

void FeedGeneration::add(const ProjectNode &feed)
{
    const std::lock_guard lock(m_mutex);
    m_outcomes.push_back(std::make_unique<Outcome>());
    m_outcomes.back()->node = &feed;
    m_jobs.push_back({*feed.data(), m_outcomes.back().get()});
    m_queued.notify_one();
}

void FeedGeneration::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_queued.wait(lock, [this] { return !m_jobs.empty() || m_closed; });
        if (m_jobs.empty() || m_cancelled)
            return;
        runFirstJob(lock);
    }
}

void FeedGeneration::runFirstJob(std::unique_lock<std::mutex> &lock)
{
    const Job job = std::move(m_jobs.front());
    m_jobs.pop_front();
    lock.unlock();
    job.outcome->generate(job.feed, m_projectFile, m_writers, m_checkOutputs);
    lock.lock();
    job.outcome->finished = true;
    m_finished.notify_all();
}

void FeedGeneration::await(const Outcome &outcome, const std::function<void()> &whileWaiting)
{
    using namespace std::chrono_literals;
    std::unique_lock lock(m_mutex);
    while (!outcome.finished) {
        if (!m_jobs.empty()) {
            runFirstJob(lock);
        } else if (!m_finished.wait_for(lock, 40ms, [&outcome] { return outcome.finished; })) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
}

void FeedGeneration::close()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_queued.notify_all();
}

QString FeedGeneration::commit(const ProjectNode &root, UserInterface &ui)
{
    close();
    QHash<const ProjectNode *, Outcome *> byNode;
    for (const std::unique_ptr<Outcome> &outcome : m_outcomes)
        byNode.insert(outcome->node, outcome.get());
    // Each feed's files go in place as soon as it is ready, while the later
    // feeds are still being generated, so that the renaming does not wait
    // for the last feed; this thread generates too when it would wait.
    QString report;
    const int total = int(byNode.size());
    int done = 0;
    const auto tell = [&] { ui.showProgress(QStringLiteral("保存中"), done, total); };
    tell();
    root.forEachFeed([&](const ProjectNode &node) {
        Outcome *outcome = byNode.value(&node);
        if (!outcome)
            return;
        await(*outcome, tell);
        outcome->messages.replayTo(ui);
        for (const QString &problem : outcome->commit())
            report += QStringLiteral("\r\n") + FeedProblemLine(node.text, problem);
        ++done;
        tell();
    });
    m_threads.clear(); // joins
    return report;
}

QString GenerateFeeds(const Project &project, const OutputWriters &writers, UserInterface &ui)
{
    FeedGeneration generation(writers, project.fileName(), true);
    const ProjectNode &root = project.root();
    root.forEachFeed([&](const ProjectNode &feed) { generation.add(feed); });
    return generation.commit(root, ui);
}
