#include "feedgeneration.h"

#include "outputwriters.h"
#include "project.h"
#include "replacefile.h"

#include <QFile>

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

class Report
{
public:
    explicit Report(QString &text) : m_text(text) {}
    void add(const QString &feedName, const QString &problem)
    {
        m_text += QStringLiteral("\r\n[") + feedName + QStringLiteral("] ") + problem;
    }

private:
    QString &m_text;
};

void generateFeed(const ProjectNode &node, const QString &projectFile, const OutputWriters &writers,
                  Report &report)
{
    const TEditList &feed = *node.data();
    const ChannelSettings &settings = feed.settings;
    if (settings.filename.isEmpty() || settings.localfolder.isEmpty())
        return;

    const std::optional<QString> rssPath = writers.rssPath(settings, projectFile);
    const OutputWriters::RssBytes rss =
        rssPath ? writers.rss(feed, *rssPath) : OutputWriters::RssBytes{};
    if (!writeOutput(rssPath, rss.bytes))
        report.add(node.text, QStringLiteral("RSSファイルが作成できません."));
    else if (!rss.noDuplicates)
        report.add(node.text, QStringLiteral("同じ日付のアドレスが重複する項目がありました."));

    if (!settings.html)
        return;
    const std::optional<QString> htmlPath = writers.htmlPath(settings, projectFile);
    if (!writeOutput(htmlPath, htmlPath ? writers.htmlPage(feed) : QByteArray()))
        report.add(node.text, QStringLiteral("HTMLファイルが作成できません."));
}

} // namespace

QString GenerateFeeds(const Project &project, const OutputWriters &writers)
{
    QString text;
    Report report(text);
    project.root().forEachFeed(
        [&](ProjectNode &node) { generateFeed(node, project.fileName(), writers, report); });
    return text;
}
