#include "editing/feedpagebinding.h"
#include "feedpagefixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestFeedPageBinding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showThenStoreKeepsEveryField()
    {
        TEditList feed;
        feed.settings = everyFieldSet();
        feed.items.resize(3);
        feed.items[1].title = QStringLiteral("項目");
        const TEditList before = feed;
        StoreNode(ShowNode(feed.settings, {FixtureTemplateName}), feed);
        QCOMPARE(feed.settings, before.settings);
        QCOMPARE(feed.items, before.items);
    }

    void storedChoices_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("languageBack");
        QTest::newRow("ja, first item") << "ja" << 0 << 0 << "ja";
        QTest::newRow("en, second item") << "en" << 1 << 1 << "en";
        QTest::newRow("upper-case EN") << "EN" << 2 << 1 << "ja";
        QTest::newRow("empty language, negative") << "" << -1 << 1 << "ja";
        QTest::newRow("fr") << "fr" << 7 << 1 << "ja";
    }
    void storedChoices()
    {
        QFETCH(QString, language);
        QFETCH(int, stored);
        QFETCH(int, index);
        QFETCH(QString, languageBack);
        TEditList feed;
        feed.settings.language = language;
        feed.settings.ver = feed.settings.htmlext = feed.settings.htmlmark = stored;
        const FeedPageValues shown = ShowNode(feed.settings, {});
        QCOMPARE(shown.settings.ver, index);
        QCOMPARE(shown.settings.htmlext, index);
        QCOMPARE(shown.settings.htmlmark, index);
        StoreNode(shown, feed);
        QCOMPARE(feed.settings.language, languageBack);
        QCOMPARE(feed.settings.ver, index);
        QCOMPARE(feed.settings.htmlmark, index);
    }

    void ftpTemplateEntry_data()
    {
        QTest::addColumn<QStringList>("folder");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("storedBack");
        const QString none = QStringLiteral("使用しない");
        QTest::newRow("no template")
            << QStringList{u"a"_s, u"b"_s} << "" << QStringList{none, u"a"_s, u"b"_s} << 0 << "";
        QTest::newRow("found") << QStringList{u"a"_s, u"b"_s} << "b"
                               << QStringList{none, u"a"_s, u"b"_s} << 2 << "b";
        QTest::newRow("letter case ignored, folder name kept")
            << QStringList{u"Main"_s} << "main" << QStringList{none, u"Main"_s} << 1 << "Main";
        QTest::newRow("missing here is kept")
            << QStringList{u"a"_s} << "遠方"
            << QStringList{none, u"a"_s, u"遠方 (見つかりません)"_s} << 2 << "遠方";
        QTest::newRow("missing from an empty folder")
            << QStringList{} << "x" << QStringList{none, u"x (見つかりません)"_s} << 1 << "x";
    }
    void ftpTemplateEntry()
    {
        QFETCH(QStringList, folder);
        QFETCH(QString, stored);
        QFETCH(QStringList, captions);
        QFETCH(int, index);
        QFETCH(QString, storedBack);
        TEditList feed;
        feed.settings.ftptemplate = stored;
        const FeedPageValues shown = ShowNode(feed.settings, folder);
        QStringList shownCaptions;
        for (const FtpTemplateEntry &entry : shown.ftpEntries)
            shownCaptions << FtpTemplateCaption(entry);
        QCOMPARE(shownCaptions, captions);
        QCOMPARE(FtpTemplateIndex(shown.ftpEntries, shown.settings.ftptemplate), index);
        StoreNode(shown, feed);
        QCOMPARE(feed.settings.ftptemplate, storedBack);
    }

    void newFeedStartsFromDefaults()
    {
        ProjectDefaults defaults;
        defaults.ver = 0;
        defaults.rssline = 50;
        defaults.descstrmax = 0;
        defaults.language = QStringLiteral("en");
        defaults.dateset = false;
        defaults.content = true;
        defaults.ftptemplate = QStringLiteral("a"); // a new feed still starts without one
        TEditList feed;
        feed.settings = ChannelSettings::allEmpty();
        StoreNode(ResetPages(defaults, {QStringLiteral("a")}), feed);
        ChannelSettings expected;
        expected.ver = 0;
        expected.rssline = 50;
        expected.descstrmax = 0;
        expected.language = QStringLiteral("en");
        expected.dateset = false;
        expected.content = true;
        QCOMPARE(feed.settings, expected);
    }

    void toolState_data()
    {
        QTest::addColumn<bool>("isFeed");
        QTest::addColumn<int>("ftpIndex");
        QTest::addColumn<QString>("ftpfolder");
        QTest::addColumn<bool>("html");
        QTest::addColumn<bool>("upload");
        QTest::addColumn<bool>("htmlButtons");
        QTest::addColumn<bool>("ftpPath");
        QTest::newRow("folder node") << false << 1 << "x" << true << false << false << true;
        QTest::newRow("nothing to upload to")
            << true << 0 << "" << false << false << false << false;
        QTest::newRow("upload path typed")
            << true << 0 << "C:\\pub" << true << true << true << false;
        QTest::newRow("template chosen") << true << 1 << "" << false << true << false << true;
    }
    void toolState()
    {
        QFETCH(bool, isFeed);
        QFETCH(int, ftpIndex);
        QFETCH(QString, ftpfolder);
        QFETCH(bool, html);
        QFETCH(bool, upload);
        QFETCH(bool, htmlButtons);
        QFETCH(bool, ftpPath);
        FeedPageValues live = ResetPages({}, {QStringLiteral("a")});
        live.settings.ftptemplate = ChosenFtpTemplate(live.ftpEntries, ftpIndex);
        live.settings.ftpfolder = ftpfolder;
        live.settings.html = html;
        const ToolState state = UpdateToolState(isFeed, live, false);
        QCOMPARE(state.rss, isFeed);
        QCOMPARE(state.upload, upload);
        QCOMPARE(state.html, htmlButtons);
        QCOMPARE(state.htmlLabel, html);
        QCOMPARE(state.uploadPath == UploadPathMode::FtpPath, ftpPath);
        QCOMPARE(CanUpload(live), ftpIndex > 0 || !ftpfolder.isEmpty());
    }

    void typedText_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("within") << "abc"
                                << "abcd" << true;
        QTest::newRow("at the limit") << "abcd"
                                      << "abcde" << true;
        QTest::newRow("past the limit") << "abcde"
                                        << "abcdef" << false;
        QTest::newRow("surrogate pairs count once") << "\U0001F600\U0001F600\U0001F600\U0001F600"
                                                    << "\U0001F600\U0001F600\U0001F600" << true;
        QTest::newRow("five wide characters")
            << ""
            << "\U0001F600\U0001F600\U0001F600\U0001F600a" << true;
        QTest::newRow("long loaded text shrinks") << "abcdefgh"
                                                  << "abcdefg" << true;
        QTest::newRow("long loaded text never grows") << "abcdefgh"
                                                      << "abcdefghi" << false;
    }
    void typedText()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, accepted);
        QCOMPARE(AcceptsTypedText(before, after, 5), accepted);
    }

    void pageAddressLabel_data()
    {
        QTest::addColumn<QString>("src");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<int>("ext");
        QTest::addColumn<QString>("text");
        QTest::newRow("root without slash")
            << ""
            << "http://a.jp"
            << "index" << 0 << "( パス名 : http://a.jp/index.html )";
        QTest::newRow("rss address first") << " http://b.jp/r/ "
                                           << "http://a.jp/"
                                           << "News" << 1 << "( パス名 : http://b.jp/r/news.htm )";
        QTest::newRow("short root gets no slash") << ""
                                                  << "a.j"
                                                  << "x" << 0 << "( パス名 : a.jx.html )";
        QTest::newRow("no file name") << ""
                                      << "http://a.jp/"
                                      << "" << 0 << "( パス名 : 不明 )";
        QTest::newRow("no address") << " "
                                    << ""
                                    << "x" << 0 << "( パス名 : 不明 )";
    }
    void pageAddressLabel()
    {
        QFETCH(QString, src);
        QFETCH(QString, root);
        QFETCH(QString, filename);
        QFETCH(int, ext);
        QFETCH(QString, text);
        FeedPageValues v;
        v.settings.src = src;
        v.settings.root = root;
        v.settings.filename = filename;
        v.settings.htmlext = ext;
        const PageAddressLabel label = HtmlPageAddressLabel(v);
        QCOMPARE(label.text, text);
        QCOMPARE(label.known, !text.contains(QStringLiteral("不明")));
    }
};

QTEST_GUILESS_MAIN(TestFeedPageBinding)
#include "tst_feedpagebinding.moc"
