// The main window with a project of a few folders and feeds: the tree with
// its images (a feed waiting for upload in bold, one being uploaded).
#include "shot.h"

#include "app/mainwindow.h"
#include "app/project/projecttreeview.h"
#include "core/project/project.h"
#include "core/settings/folders.h"

#include <QWidget>

namespace {

ProjectNode *add(ProjectNode &parent, const QString &text, int kind)
{
    auto data = kind == ProjectNode::FeedKind ? std::make_unique<FeedData>() : nullptr;
    if (data)
        data->settings.ftpfolder = QStringLiteral("news");
    return parent.appendChild(std::make_unique<ProjectNode>(text, kind, std::move(data)));
}

std::unique_ptr<QWidget> mainWindow(const QString &folder)
{
    auto window = std::make_unique<MainWindow>(
        Folders::at(folder + QStringLiteral("/data"), folder + QStringLiteral("/settings")));
    Project &project = window->project();
    auto root = std::make_unique<ProjectNode>(QStringLiteral("サイト"), ProjectNode::RootKind);
    ProjectNode *news = add(*root, QStringLiteral("お知らせ"), ProjectNode::FolderKind);
    add(*news, QStringLiteral("新着情報"), ProjectNode::FeedKind);
    ProjectNode *events = add(*news, QStringLiteral("イベント"), ProjectNode::FeedKind);
    ProjectNode *blog = add(*root, QStringLiteral("ブログ"), ProjectNode::FolderKind);
    ProjectNode *diary = add(*blog, QStringLiteral("日記"), ProjectNode::FeedKind);
    add(*blog, QStringLiteral("技術メモ"), ProjectNode::FeedKind);
    add(*root, QStringLiteral("製品情報"), ProjectNode::FeedKind);
    project.defaults.memo =
        QStringLiteral("毎週金曜日に新着情報を更新\r\nイベントは月末にまとめて配信");
    project.replaceTree(std::move(root));
    project.setChanged(*events, true);
    project.setUploadingNode(diary);
    window->resize(900, 560);
    return window;
}

const ShotRegistration registration({QStringLiteral("mainwindow"), mainWindow});

} // namespace
