#include "core/editing/feedpagebinding.h"

#include "core/publish/ftptemplatefolder.h"
#include "core/text/textops.h"

int LanguageIndex(const QString &language)
{
    return language == LanguageEntries.at(1) ? 1 : 0;
}

QString LanguageText(int index)
{
    return LanguageEntries.at(index == 1 ? 1 : 0);
}

namespace {

QStringList entryNames(const QList<FtpTemplateEntry> &entries)
{
    QStringList names;
    for (const FtpTemplateEntry &entry : entries)
        names << entry.name;
    return names;
}

} // namespace

QList<FtpTemplateEntry> FtpTemplateEntries(const QStringList &folderNames, const QString &stored)
{
    QList<FtpTemplateEntry> entries{FtpTemplateEntry{NoFtpTemplateEntry}};
    for (const QString &name : folderNames)
        entries << FtpTemplateEntry{name};
    if (!stored.isEmpty() && FtpTemplateIndex(entries, stored) == 0)
        entries << FtpTemplateEntry{stored, true};
    return entries;
}

int FtpTemplateIndex(const QList<FtpTemplateEntry> &entries, const QString &stored)
{
    return SelectFtpTemplate(entryNames(entries), stored);
}

QString FtpTemplateCaption(const FtpTemplateEntry &entry)
{
    return entry.missing ? entry.name + QStringLiteral(" (見つかりません)") : entry.name;
}

QString ChosenFtpTemplate(const QList<FtpTemplateEntry> &entries, int index)
{
    return index > 0 && index < entries.size() ? entries.at(index).name : QString();
}

FeedPageValues ResetPages(const ProjectDefaults &defaults, const QStringList &folderNames)
{
    FeedPageValues v;
    ChannelSettings &s = v.settings;
    s.ver = ShownChoice(defaults.ver);
    s.dateset = defaults.dateset;
    s.addressset = defaults.addressset;
    s.creatorset = defaults.creatorset;
    s.rssline = defaults.rssline;
    s.language = LanguageText(LanguageIndex(defaults.language));
    s.descstrmax = defaults.descstrmax;
    s.content = defaults.content;
    s.selflink = defaults.selflink;
    s.itemguid = defaults.itemguid;
    v.ftpEntries = FtpTemplateEntries(folderNames, QString());
    return v;
}

FeedPageValues ShowNode(const ChannelSettings &settings, const QStringList &folderNames)
{
    FeedPageValues v;
    v.settings = settings;
    ChannelSettings &s = v.settings;
    s.ver = ShownChoice(s.ver);
    s.htmlext = ShownChoice(s.htmlext);
    s.htmlmark = ShownChoice(s.htmlmark);
    s.language = LanguageText(LanguageIndex(s.language));
    v.ftpEntries = FtpTemplateEntries(folderNames, s.ftptemplate);
    s.ftptemplate = ChosenFtpTemplate(v.ftpEntries, FtpTemplateIndex(v.ftpEntries, s.ftptemplate));
    return v;
}

void StoreNode(const FeedPageValues &values, FeedData &feed)
{
    const QString memo = feed.settings.memo; // not on the pages
    feed.settings = values.settings;
    feed.settings.memo = memo;
}

bool CanUpload(const FeedPageValues &values)
{
    return !values.settings.ftptemplate.isEmpty() || !values.settings.ftpfolder.isEmpty();
}

UploadPathMode UploadPathModeFor(const FeedPageValues &values)
{
    return values.settings.ftptemplate.isEmpty() ? UploadPathMode::LocalFolder
                                                 : UploadPathMode::FtpPath;
}

QString UploadPathLabel(UploadPathMode mode)
{
    return mode == UploadPathMode::FtpPath
               ? QStringLiteral("FTPパス名(必須)")
               : QStringLiteral("アップロードするドライブ/サーバー名とパス(任意)");
}

ToolState UpdateToolState(bool currentIsFeed, const FeedPageValues &values, bool treeIsEmpty)
{
    ToolState state;
    state.treeHint = treeIsEmpty;
    state.uploadPath = UploadPathModeFor(values);
    state.htmlLabel = values.settings.html;
    state.markup = ShownChoice(values.settings.htmlmark);
    if (!currentIsFeed)
        return state;
    const ChannelSettings &v = values.settings;
    state.rss = true;
    state.html = v.html;
    state.upload = CanUpload(values);
    state.feedCheck = (!v.src.isEmpty() || !v.root.isEmpty()) && !v.filename.isEmpty();
    return state;
}

bool AcceptsTypedText(const QString &before, const QString &after, int limit)
{
    const int length = CharCount(after);
    return length <= limit || length < CharCount(before);
}
