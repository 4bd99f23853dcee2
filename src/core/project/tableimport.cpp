#include "core/project/tableimport.h"

#include "core/files/boundedread.h"
#include "core/import/tablefile.h"
#include "core/project/project.h"
#include "core/userinterface.h"

#include <QFileInfo>
#include <optional>

namespace {

// Far more than 100 items of any length the light edition writes.
constexpr qint64 MaxTableBytes = 64 * 1024 * 1024;

QString omittedItemsMessage(int omitted)
{
    return QStringLiteral("フィードに登録できる項目は%1件までです。\n"
                          "先頭の%1件を読み込み、残りの%2件は読み込みませんでした。")
        .arg(FeedData::MaxItems)
        .arg(omitted);
}

} // namespace

ProjectNode &ImportedFeedParent(Project &project, ProjectNode *selected)
{
    if (!selected)
        return project.root();
    if (selected->kind == ProjectNode::RootKind || selected->kind == ProjectNode::FolderKind ||
        !selected->parent())
        return *selected;
    return *selected->parent();
}

ProjectNode *InsertTableFile(Project &project, UserInterface &ui, ProjectNode *selected,
                             const QString &tablePath)
{
    const std::optional<QByteArray> bytes = ReadFileUpTo(tablePath, MaxTableBytes).bytes;
    if (!bytes) {
        ui.information(QStringLiteral("テーブルファイルを読み込むことができません。"));
        return nullptr;
    }
    TableContents contents = ParseTableFile(*bytes);
    contents.feed.settings.filename = QFileInfo(tablePath).completeBaseName();

    auto feed =
        std::make_unique<ProjectNode>(QStringLiteral("Minnow版のフィード"), ProjectNode::FeedKind,
                                      std::make_unique<FeedData>(std::move(contents.feed)));
    ProjectNode *added = feed.get();
    std::vector<std::unique_ptr<ProjectNode>> nodes;
    nodes.push_back(std::move(feed));
    project.appendNodes(ImportedFeedParent(project, selected), std::move(nodes));
    project.setModified(true);
    if (contents.omittedItems > 0)
        ui.information(omittedItemsMessage(contents.omittedItems));
    return added;
}

ProjectNode *ImportTableFile(Project &project, UserInterface &ui, ProjectNode *selected,
                             const QString &dataFolder)
{
    const std::optional<QString> path = ui.chooseOpenFile(
        {QStringLiteral("Minnow版のデータを追加"), QStringLiteral("Minnow版ファイル(*.tbl)|*.tbl"),
         QStringLiteral("tbl"), dataFolder, QString()});
    if (!path)
        return nullptr;
    return InsertTableFile(project, ui, selected, *path);
}
