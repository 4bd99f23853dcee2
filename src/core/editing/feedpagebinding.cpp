#include "feedpagebinding.h"

#include "feed/textops.h"
#include "publish/ftptemplatefolder.h"

int LanguageIndex(const QString &language)
{
    return language == LanguageEntries.at(1) ? 1 : 0;
}

QString LanguageText(int index)
{
    return LanguageEntries.at(index == 1 ? 1 : 0);
}

int ChoiceIndex(int stored)
{
    return stored == 0 ? 0 : 1;
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
    v.verIndex = ChoiceIndex(defaults.ver);
    v.dateset = defaults.dateset;
    v.addressset = defaults.addressset;
    v.creatorset = defaults.creatorset;
    v.rssline = defaults.rssline;
    v.languageIndex = LanguageIndex(defaults.language);
    v.descstrmax = defaults.descstrmax;
    v.content = defaults.content;
    v.ftpEntries = FtpTemplateEntries(folderNames, QString());
    return v;
}

FeedPageValues ShowNode(const ChannelSettings &s, const QStringList &folderNames)
{
    FeedPageValues v;
    v.filename = s.filename;
    v.root = s.root;
    v.src = s.src;
    v.title = s.title;
    v.creator = s.creator;
    v.link = s.link;
    v.description = s.description;
    v.logotitle = s.logotitle;
    v.logosrc = s.logosrc;
    v.logolink = s.logolink;
    v.style = s.style;
    v.localfolder = s.localfolder;
    v.ftpfolder = s.ftpfolder;
    v.dateset = s.dateset;
    v.addressset = s.addressset;
    v.creatorset = s.creatorset;
    v.content = s.content;
    v.verIndex = ChoiceIndex(s.ver);
    v.rssline = s.rssline;
    v.languageIndex = LanguageIndex(s.language);
    v.descstrmax = s.descstrmax;
    v.ftpEntries = FtpTemplateEntries(folderNames, s.ftptemplate);
    v.ftpIndex = FtpTemplateIndex(v.ftpEntries, s.ftptemplate);
    v.html = s.html;
    v.htmlextIndex = ChoiceIndex(s.htmlext);
    v.htmlmarkIndex = ChoiceIndex(s.htmlmark);
    v.htmllabel = s.htmllabel;
    v.htmlscript = s.htmlscript;
    return v;
}

void StoreNode(const FeedPageValues &v, TEditList &feed)
{
    ChannelSettings &s = feed.settings;
    s.filename = v.filename;
    s.root = v.root;
    s.src = v.src;
    s.title = v.title;
    s.creator = v.creator;
    s.link = v.link;
    s.description = v.description;
    s.logotitle = v.logotitle;
    s.logosrc = v.logosrc;
    s.logolink = v.logolink;
    s.style = v.style;
    s.localfolder = v.localfolder;
    s.ftpfolder = v.ftpfolder;
    s.dateset = v.dateset;
    s.addressset = v.addressset;
    s.creatorset = v.creatorset;
    s.content = v.content;
    s.ver = v.verIndex;
    s.rssline = v.rssline;
    s.language = LanguageText(v.languageIndex);
    s.descstrmax = v.descstrmax;
    s.ftptemplate = ChosenFtpTemplate(v.ftpEntries, v.ftpIndex);
    s.html = v.html;
    s.htmlext = v.htmlextIndex;
    s.htmlmark = v.htmlmarkIndex;
    s.htmllabel = v.htmllabel;
    s.htmlscript = v.htmlscript;
}

bool CanUpload(const FeedPageValues &values)
{
    return values.ftpIndex > 0 || !values.ftpfolder.isEmpty();
}

UploadPathMode UploadPathModeFor(const FeedPageValues &values)
{
    return values.ftpIndex > 0 ? UploadPathMode::FtpPath : UploadPathMode::LocalFolder;
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
    state.htmlLabel = values.html;
    if (!currentIsFeed)
        return state;
    state.rss = true;
    state.html = values.html;
    state.upload = CanUpload(values);
    return state;
}

bool AcceptsTypedText(const QString &before, const QString &after, int limit)
{
    const int length = CharCount(after);
    return length <= limit || length < CharCount(before);
}

PageAddressLabel HtmlPageAddressLabel(const FeedPageValues &v)
{
    if (FirstNonBlank({v.src, v.root}).isEmpty() || v.filename.isEmpty())
        return {QStringLiteral("( パス名 : 不明 )"), false};
    return {QStringLiteral("( パス名 : ") +
                HtmlPageAddress(v.src, v.root, v.filename, v.htmlextIndex) + QStringLiteral(" )"),
            true};
}
