#pragma once

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class Project;
class ProjectNode;
class UserInterface;
struct OutputWriters;

// Generates feeds' RSS files and HTML pages on several threads while the
// caller goes on, for instance reading the rest of the project file. A feed
// without a file name or a local folder is left out. The new files wait
// under temporary names beside the old ones until commit puts them in place;
// files never committed are removed again, so a generation given up leaves
// every old file as it was.
class FeedGeneration
{
public:
    // projectFile is the path the feeds' local folders are relative to.
    // checkOutputs: the feed check runs over the files, and a feed whose
    // files have errors gets a line in the report (they are written all
    // the same).
    FeedGeneration(const OutputWriters &writers, const QString &projectFile,
                   bool checkOutputs = false);
    ~FeedGeneration();
    FeedGeneration(const FeedGeneration &) = delete;
    FeedGeneration &operator=(const FeedGeneration &) = delete;

    // Queues the feed. Its data is copied, so the feed may change or go away
    // afterwards; the node itself only names the feed at commit.
    void add(const ProjectNode &feed);

    // For the feeds below root in tree order, waits for each, then shows
    // the messages of its page template and puts its files in place, telling
    // the interface how many feeds are done. A file that cannot be written
    // keeps its old content. Returns the report of the feeds' problems: per
    // problem a line break, "[" + feed name + "] " and the text (for a file
    // not written, why on a line of its own); empty when there were none.
    QString commit(const ProjectNode &root, UserInterface &ui);

private:
    struct Job;
    struct Outcome;

    void work();
    // Generates the first queued feed, with the lock released meanwhile.
    void runFirstJob(std::unique_lock<std::mutex> &lock);
    // Returns once the outcome's feed is generated, generating queued feeds
    // while it waits and calling whileWaiting every few hundredths of a
    // second when there is nothing to generate.
    void await(const Outcome &outcome, const std::function<void()> &whileWaiting);
    // No more feeds come: threads end once the queue is empty.
    void close();

    const OutputWriters &m_writers;
    const QString m_projectFile;
    const bool m_checkOutputs;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_finished;
    std::deque<Job> m_jobs;
    std::vector<std::unique_ptr<Outcome>> m_outcomes;
    bool m_closed = false;
    bool m_cancelled = false;
    std::vector<std::jthread> m_threads;
};

// The problems a feed's generation reports, and the report line that names
// the feed: "[" + feed name + "] " + problem.
inline QString RssFileFailedText()
{
    return QStringLiteral("RSSファイルが作成できません.");
}
inline QString HtmlFileFailedText()
{
    return QStringLiteral("HTMLファイルが作成できません.");
}
inline QString FeedProblemLine(const QString &feedName, const QString &problem)
{
    return u'[' + feedName + QStringLiteral("] ") + problem;
}

// Writes every feed's files of the project, as FeedGeneration does with the
// feed check, and returns the report.
QString GenerateFeeds(const Project &project, const OutputWriters &writers, UserInterface &ui);
