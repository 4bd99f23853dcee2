#include "core/project/uploadfeed.h"

#include "core/feed/rsscommon.h"
#include "core/feed/rssfile.h"
#include "core/project/feedoutputcheck.h"
#include "core/project/project.h"
#include "core/project/saveproject.h"
#include "core/project/workspace.h"
#include "core/publish/ftptemplate.h"
#include "core/publish/ftptemplatefolder.h"
#include "core/publish/passwordkeyring.h"
#include "core/publish/uploaddestination.h"
#include "core/text/textops.h"
#include "core/userinterface.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <atomic>
#include <optional>

namespace {

const QString FailedText = QStringLiteral("アップロードに失敗しました。");

// The failure and, on a line of its own, why the destination refused.
QString failedText(const UploadDestination &destination)
{
    const QString reason = destination.errorText();
    return reason.isEmpty() ? FailedText : FailedText + QStringLiteral("\r\n") + reason;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The feed's destination, or none when it has neither a folder nor a usable
// template.
std::optional<UploadDestination> destinationOf(const ChannelSettings &settings,
                                               const Workspace &workspace,
                                               const SessionContext &context, QString *problem)
{
    const QString &ftpTemplateFolder = workspace.folders.ftpTemplate;
    if (settings.ftptemplate.isEmpty()) {
        if (settings.ftpfolder.isEmpty())
            return std::nullopt;
        return UploadDestination::folder(settings.ftpfolder);
    }
    // The lists match names without regard to case, so may the feed.
    const QString path = ExistingFtpTemplatePath(ftpTemplateFolder, settings.ftptemplate);
    FtpTemplate ftpTemplate;
    if (path.isEmpty() || !LoadFtpTemplate(path, ftpTemplate))
        return std::nullopt;
    if (workspace.ftpPassword)
        ftpTemplate.password = *workspace.ftpPassword;
    else if (!FillKeyringPassword(workspace.keyring, ftpTemplate, problem))
        return std::nullopt;
    return UploadDestination::ftp(ftpTemplate, settings.ftpfolder, context);
}

QString confirmation(const Project &project, const ProjectNode &feed)
{
    const ChannelSettings &settings = feed.data()->settings;
    QString text;
    if (project.isModified())
        text =
            QStringLiteral("プロジェクトが変更されました プロジェクトの保存をおこなった後に\r\n");
    if (settings.ftptemplate.isEmpty())
        text += quoted(settings.ftpfolder) + QStringLiteral(" に");
    else
        text += quoted(settings.ftptemplate) + QStringLiteral(" の設定で");
    return text + QLatin1Char(' ') + quoted(feed.text) +
           QStringLiteral(" のアップロードを実行しますか？");
}

struct Result
{
    bool sent = false;
    QString message;
    TrustQuestion trust; // the run stopped because the server is not trusted
};

// What a run sends, made before the connection so that the page's template
// may still ask the user, in the order of sending; then what is told.
struct Delivery
{
    QList<std::pair<QString, QByteArray>> files; // name at the destination, bytes
    QString stopText; // the run cannot go on after the files: told instead of success
    QString doneText;
};

// The local media files of the items the feed lists, named as the end of
// their addresses names them: they arrive before the feed that points to
// them. Empty with the reason in stopText when one cannot be read.
void prepareMedia(const FeedData &data, Delivery &delivery)
{
    const QList<FeedItem> &items = data.items;
    for (const qsizetype index : ItemIndexesToWrite(data)) {
        const FeedItem &item = items.at(index);
        if (item.enclosurefile.isEmpty() || TrimWide(item.enclosure).isEmpty())
            continue;
        QFile file(item.enclosurefile);
        if (!file.open(QIODevice::ReadOnly)) {
            delivery.files.clear(); // nothing goes when one is missing
            delivery.stopText = QStringLiteral("メディアファイルを読み込めません：") +
                                item.enclosurefile + QStringLiteral("\r\n") + file.errorString();
            return;
        }
        const QString name = QUrl(TrimWide(item.enclosure)).fileName();
        delivery.files.append({name.isEmpty() ? QFileInfo(file).fileName() : name, file.readAll()});
    }
}

// The media files when asked, the page, then the feed. Only the file-name
// part of the local paths names the files at the destination.
Delivery prepareFiles(const Workspace &workspace, const FeedData &data)
{
    const ChannelSettings &settings = data.settings;
    const OutputWriters &writers = workspace.writers;
    const QString projectFile = workspace.project.fileName();
    Delivery delivery;
    if (settings.filename.isEmpty()) {
        delivery.stopText = QStringLiteral("ファイル名が指定されておりません.");
        return delivery;
    }
    if (settings.uploadmedia) {
        prepareMedia(data, delivery);
        if (!delivery.stopText.isEmpty())
            return delivery;
    }
    if (settings.html) {
        const std::optional<QString> htmlPath = writers.htmlPath(settings, projectFile);
        if (!htmlPath) {
            delivery.stopText = FailedText;
            return delivery;
        }
        delivery.files.append(
            {QFileInfo(*htmlPath).fileName(), writers.htmlPage(data, workspace.ui)});
    }
    const std::optional<QString> rssPath = writers.rssPath(settings, projectFile);
    if (!rssPath) {
        delivery.stopText = settings.ver == RssVersion::Rss1
                                ? QStringLiteral("RSSを設置するアドレスの指定が不正です.")
                                : FailedText;
        return delivery;
    }
    const OutputWriters::RssBytes rss = writers.rss(data, *rssPath);
    delivery.files.append({QFileInfo(*rssPath).fileName(), rss.bytes});
    const QString done = QStringLiteral("アップロードは完了しました。");
    delivery.doneText =
        rss.noDuplicates ? done : DuplicateAddressText() + QStringLiteral("\r\n") + done;
    return delivery;
}

// Connects, sends and disconnects, counting the files that arrived; runs
// away from the window, so it talks to nobody.
Result transfer(UploadDestination &destination, const Delivery &delivery,
                std::atomic<int> &sentFiles)
{
    const auto failed = [&] {
        return Result{false, failedText(destination), destination.trustQuestion()};
    };
    const auto sendAll = [&]() -> Result {
        if (!destination.open())
            return failed();
        for (const auto &[name, bytes] : delivery.files) {
            if (!destination.send(bytes, name))
                return failed();
            ++sentFiles;
        }
        if (!delivery.stopText.isEmpty())
            return {false, delivery.stopText};
        return {true, destination.notes() + delivery.doneText};
    };
    const Result result = sendAll();
    destination.close();
    return result;
}

} // namespace

UploadOutcome UploadFeed(Workspace &workspace, const UploadImage &showUploading)
{
    Project &project = workspace.project;
    UserInterface &ui = workspace.ui;
    const auto showImage = [&](ProjectNode &feed, bool uploading) {
        if (showUploading)
            showUploading(feed, uploading);
    };

    ProjectNode *feed = project.currentNode();
    if (!feed || !feed->isFeed()) {
        ui.information(QStringLiteral("項目が選択されておりません。"));
        return UploadOutcome::NotStarted;
    }
    std::atomic<bool> cancelled = false;
    const TrustFiles trust = TrustFiles::in(workspace.folders.settings);
    QString problem;
    std::optional<UploadDestination> destination =
        destinationOf(feed->data()->settings, workspace, {trust, {}, &cancelled}, &problem);
    if (!destination) {
        ui.information(problem.isEmpty() ? QStringLiteral("アップロードの設定がありません。")
                                         : FailedText + QStringLiteral("\r\n") + problem);
        return UploadOutcome::NotStarted;
    }
    // Errors in the files are told before the question, without stopping the run.
    const int checkErrors =
        CheckFeedOutputs(workspace.writers, *feed->data(), project.fileName()).errorCount();
    const QString warning =
        checkErrors > 0 ? OutputErrorsText(checkErrors) + QStringLiteral("\r\n") : QString();
    if (ui.askYesCancel(warning + confirmation(project, *feed)) != UserInterface::Answer::Yes)
        return UploadOutcome::NotStarted;

    showImage(*feed, true);
    // The run goes on whatever the save's outcome.
    if (project.isModified())
        SaveProject(workspace, project.fileName().isEmpty(), false, nullptr);

    Result result;
    {
        BusyCursor busy(ui);
        const Delivery delivery = prepareFiles(workspace, *feed->data());
        // A slow server holds up the transfer only; the window stays painted.
        std::atomic<int> sentFiles = 0;
        const int total = int(delivery.files.size());
        // A server met for the first time is asked about once, then the
        // run starts over with the user's answer.
        for (bool asked = false;; asked = true) {
            sentFiles = 0;
            ui.runCancellable(
                [&] { result = transfer(*destination, delivery, sentFiles); },
                [&] { ui.showProgress(QStringLiteral("アップロード中"), sentFiles, total); },
                [&] { cancelled = true; });
            QString hostKey;
            if (asked || !result.trust.isAsked() || !AcceptServer(ui, trust, result.trust, hostKey))
                break;
            destination->trustHostKey(hostKey);
        }
        if (result.sent)
            project.setChanged(*feed, false);
        showImage(*feed, false);
    }
    ui.information(result.message);
    return result.sent ? UploadOutcome::Uploaded : UploadOutcome::Failed;
}
