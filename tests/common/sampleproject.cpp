#include "sampleproject.h"

namespace sampleproject {

ProjectDefaults defaults()
{
    ProjectDefaults d;
    d.ver = 0;
    d.addressset = false;
    d.rssline = 20;
    d.language = QStringLiteral("en");
    d.descstrmax = 0;
    d.content = true;
    d.memo = QStringLiteral("配信メモ\r\n<b>&amp;</b> 2行目");
    d.ftptemplate = QStringLiteral("サーバー");
    return d;
}

ChannelSettings newsSettings()
{
    ChannelSettings s;
    s.filename = QStringLiteral("news");
    s.root = QStringLiteral("http://example.jp/");
    s.title = QStringLiteral("  お知らせ  ");
    s.creator = QStringLiteral("広報");
    s.link = QStringLiteral("http://example.jp/news/");
    s.description = QStringLiteral("x < y & z\r\n&#9733; ]]> end");
    s.creatorset = false;
    s.rssline = 20;
    s.descstrmax = 0;
    s.content = true;
    s.localfolder = QStringLiteral("/home/user/www/news");
    s.logolink = QStringLiteral("http://example.jp/");
    s.ftpfolder = QStringLiteral("news");
    s.ftptemplate = QStringLiteral("サーバー");
    s.html = true;
    s.htmlext = 1;
    s.htmlmark = 2;
    s.htmllabel = true;
    s.htmlscript = QStringLiteral("<html>\r\n  {channel_title}\r\n</html>");
    s.memo = QStringLiteral("never written for a feed");
    return s;
}

std::unique_ptr<ProjectNode> tree()
{
    auto root = std::make_unique<ProjectNode>(QStringLiteral("sample"), ProjectNode::RootKind);
    ProjectNode *folder = root->appendChild(
        std::make_unique<ProjectNode>(QStringLiteral("A&B"), ProjectNode::FolderKind));

    auto news = std::make_unique<TEditList>();
    news->settings = newsSettings();
    news->addItem({QStringLiteral("記事 1"), QStringLiteral("2024-01-02 03:04:05"),
                   QStringLiteral("http://example.jp/1.html"),
                   QStringLiteral("<p>A &amp; B</p>\r\n2行目"), QStringLiteral("お知らせ"),
                   QStringLiteral("広報")});
    news->addItem({QStringLiteral("  "), {}, QStringLiteral("　"), {}, {}, {}});
    news->addItem({{}, QStringLiteral("2024-02-03"), {}, {}, {}, {}});
    folder->appendChild(std::make_unique<ProjectNode>(QStringLiteral("ニュース \"速報\""),
                                                      ProjectNode::FeedKind, std::move(news)));

    auto empty = std::make_unique<TEditList>();
    empty->settings = ChannelSettings::allEmpty();
    root->appendChild(std::make_unique<ProjectNode>(QStringLiteral("空"), ProjectNode::FeedKind,
                                                    std::move(empty)));

    ProjectNode *other =
        root->appendChild(std::make_unique<ProjectNode>(QStringLiteral("other kind"), 3));
    other->appendChild(
        std::make_unique<ProjectNode>(QStringLiteral("hidden"), ProjectNode::FolderKind));
    return root;
}

} // namespace sampleproject
