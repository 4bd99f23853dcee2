#include "core/project/feedimport.h"

#include "core/files/boundedread.h"
#include "core/import/feeddownload.h"
#include "core/import/feedreader.h"
#include "core/project/project.h"
#include "core/project/tableimport.h"
#include "core/userinterface.h"

#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The output file's name: the source's last part without its extension.
QString filenameOf(const QString &source)
{
    const QString path = IsFeedAddress(source) ? QUrl(source).path() : source;
    const QString name = QFileInfo(path).completeBaseName();
    return name.isEmpty() ? u"feed"_s : name;
}

struct SourceBytes
{
    QByteArray bytes;
    QString error;
};

SourceBytes readSource(UserInterface &ui, const QString &fileOrAddress)
{
    if (IsFeedAddress(fileOrAddress)) {
        BusyCursor busy(ui);
        const FeedDownload download = DownloadFeed(QUrl(fileOrAddress));
        if (!download.error.isEmpty())
            return {{}, u"フィードを取得できません。\n%1"_s.arg(download.error)};
        return {download.bytes, {}};
    }
    const BoundedRead read = ReadFileUpTo(fileOrAddress, MaxFeedBytes);
    if (read.tooLong)
        return {{}, u"フィードが大きすぎます（%1 MB まで）。"_s.arg(MaxFeedBytes / 1024 / 1024)};
    if (!read.bytes)
        return {{}, u"フィードのファイルを読み込むことができません。"_s};
    return {*read.bytes, {}};
}

} // namespace

QString FeedImportReportText(const FeedImportReport &report)
{
    QStringList lines;
    if (report.omittedItems > 0)
        lines << u"フィードに登録できる項目は%1件までです。古い%2件は読み込みませんでした。"_s
                     .arg(FeedData::MaxItems)
                     .arg(report.omittedItems);
    if (!report.unreadableDates.isEmpty())
        lines << u"日付を読み取れない項目が%1件あり、日付なしで読み込みました（%2）。"_s
                     .arg(report.unreadableDates.size())
                     .arg(report.unreadableDates.join(u"、"_s));
    if (report.unknownElements > 0)
        lines << u"読み込まなかった要素：%1個"_s.arg(report.unknownElements);
    return lines.join(u'\n');
}

ProjectNode *InsertFeedDocument(Project &project, UserInterface &ui, ProjectNode *selected,
                                const QByteArray &document, const QString &source)
{
    ImportedFeed imported = ReadFeedDocument(document);
    if (!imported.feed) {
        ui.information(imported.error);
        return nullptr;
    }
    FeedData &feed = *imported.feed;
    feed.settings.filename = filenameOf(source);
    if (IsFeedAddress(source))
        feed.settings.src = source;
    const QString name =
        feed.settings.title.isEmpty() ? u"読み込んだフィード"_s : feed.settings.title;

    auto node = std::make_unique<ProjectNode>(name, ProjectNode::FeedKind,
                                              std::make_unique<FeedData>(std::move(feed)));
    ProjectNode *added = node.get();
    std::vector<std::unique_ptr<ProjectNode>> nodes;
    nodes.push_back(std::move(node));
    project.appendNodes(ImportedFeedParent(project, selected), std::move(nodes));
    project.setModified(true);
    if (const QString report = FeedImportReportText(imported.report); !report.isEmpty())
        ui.information(report);
    return added;
}

ProjectNode *InsertFeedFrom(Project &project, UserInterface &ui, ProjectNode *selected,
                            const QString &fileOrAddress)
{
    const SourceBytes source = readSource(ui, fileOrAddress);
    if (!source.error.isEmpty()) {
        ui.information(source.error);
        return nullptr;
    }
    return InsertFeedDocument(project, ui, selected, source.bytes, fileOrAddress);
}
