#include "feedpagefixture.h"

ChannelSettings everyFieldSet()
{
    ChannelSettings s;
    s.filename = QStringLiteral("news");
    s.root = QStringLiteral("http://example.jp/");
    s.src = QStringLiteral("http://example.jp/rss/");
    s.title = QString(45, u'題'); // longer than the typing limit
    s.creator = QStringLiteral("広報");
    s.link = QStringLiteral("http://example.jp/news/");
    s.description = QStringLiteral("概要 \U0001F600 ").repeated(130); // 650 characters
    s.logotitle = QStringLiteral("ロゴ");
    s.logosrc = QStringLiteral("http://example.jp/logo.png");
    s.logolink = QStringLiteral("http://example.jp/top/");
    s.style = QStringLiteral("rss.xsl");
    s.dateset = false;
    s.addressset = false;
    s.creatorset = false;
    s.ver = RssVersion::Rss1;
    s.localfolder = QStringLiteral("/home/user/www/news");
    s.rssline = 42;
    s.language = QStringLiteral("en");
    s.descstrmax = 120;
    s.content = true;
    s.html = true;
    s.htmlext = PageExtension::Htm;
    s.htmlmark = Markup::Html;
    s.htmlscript = QStringLiteral("<html>\r\n  {channel_title}\r\n</html>\r\n");
    s.htmllabel = true;
    s.ftptemplate = FixtureTemplateName;
    s.ftpfolder = QStringLiteral("public/news");
    s.podcast = true;
    s.itunesimage = QStringLiteral("http://example.jp/cover.png");
    s.itunescategory = QStringLiteral("Arts/Books");
    s.itunesexplicit = true;
    s.itunesauthor = QStringLiteral("広報");
    s.itunesowner = QStringLiteral("山田");
    s.itunesemail = QStringLiteral("cast@example.jp");
    s.itunestype = QStringLiteral("serial");
    s.selflink = true;
    s.itemguid = true;
    s.uploadmedia = true;
    return s;
}
