#pragma once

#include "core/editing/contentcommands.h"
#include "core/editing/feedpagevalues.h"
#include "core/model/feeddata.h"

#include <QString>
#include <QStringList>

// The rules that tie the feed pages to a feed node. The pages hold a
// FeedPageValues; these functions decide what the pages show for a node,
// what a node keeps from the pages and what the tool buttons may do.

inline constexpr int MinFeedRssLine = 5;
inline constexpr int MaxFeedRssLine = 100;
inline constexpr int MinDefaultsRssLine = 15;
inline constexpr int MinDescStrMax = 0;
inline constexpr int MaxDescStrMax = 9999;

inline const QStringList LanguageEntries = {QStringLiteral("ja"), QStringLiteral("en")};

// Exactly "en" chooses English; anything else (EN, empty, fr) Japanese.
int LanguageIndex(const QString &language);
QString LanguageText(int index);

// A stored choice (RssVersion, PageExtension, Markup) as the writers read
// it: 0 is the first choice, any other number the second. A radio group
// thus never shows or stores -1.
template <typename Choice> Choice ShownChoice(Choice stored)
{
    return stored == Choice(0) ? Choice(0) : Choice(1);
}

// The template list for a feed: "使用しない", the names in the folder and,
// when the stored name is in neither, that name marked missing.
QList<FtpTemplateEntry> FtpTemplateEntries(const QStringList &folderNames, const QString &stored);
// The entry that the stored name chooses: a case-blind file-name match from
// entry 1 on; entry 0 when none matches.
int FtpTemplateIndex(const QList<FtpTemplateEntry> &entries, const QString &stored);
// The text a list shows for the entry.
QString FtpTemplateCaption(const FtpTemplateEntry &entry);
// The name a chosen entry stores; empty for entry 0.
QString ChosenFtpTemplate(const QList<FtpTemplateEntry> &entries, int index);

// The pages of a new feed: every text empty, the listed settings from the
// project defaults, the HTML page off and no template.
FeedPageValues ResetPages(const ProjectDefaults &defaults, const QStringList &folderNames);
// The pages showing the feed's settings.
FeedPageValues ShowNode(const ChannelSettings &settings, const QStringList &folderNames);
// Writes the pages back into the feed's settings. The items are the grid's
// to store and are left as they are.
void StoreNode(const FeedPageValues &values, FeedData &feed);

// The feed can be uploaded: a template is chosen, or none is and an upload
// path is given. Decides the upload button and whether an edit marks the
// feed as changed.
bool CanUpload(const FeedPageValues &values);

enum class UploadPathMode
{
    FtpPath, // "FTPパス名(必須)", "/" before the field, no browse button
    LocalFolder, // "アップロードするドライブ/サーバー名とパス(任意)" and the browse button
};
UploadPathMode UploadPathModeFor(const FeedPageValues &values);
QString UploadPathLabel(UploadPathMode mode);

struct ToolState
{
    bool rss = false;       // TB_Rss
    bool html = false;      // TB_Html and TB_ChannelHomePage
    bool upload = false;    // TB_Upload
    bool htmlLabel = false; // CB_HtmlLabel_Sub
    bool treeHint = false;  // Memo_Tree
    bool feedCheck = false; // Mn_FeedCheck: a site address and a file name
    UploadPathMode uploadPath = UploadPathMode::LocalFolder;
    // What the content editors write: the markup chosen for the page.
    Markup markup = Markup::Xhtml;

    bool operator==(const ToolState &) const = default;
};

// The tool state for the live page values (the stored node is stale while
// the user types). values is ignored when the current node is no feed.
ToolState UpdateToolState(bool currentIsFeed, const FeedPageValues &values, bool treeIsEmpty);

// Typing refuses a text longer than the limit in characters (code points),
// but a longer text from a file stays editable: it may shrink, never grow.
bool AcceptsTypedText(const QString &before, const QString &after, int limit);
