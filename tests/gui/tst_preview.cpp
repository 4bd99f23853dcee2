#include "app/common/texteditor.h"
#include "app/preview/browserview.h"
#include "app/preview/feedpreviews.h"
#include "app/preview/previewwindow.h"
#include "app/preview/sourceviewpage.h"
#include "core/preview/enginelimits.h"
#include "datarows.h"
#include "examplefeed.h"
#include "fakebrowser.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

class TestPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The previews write their test file into the private folder and open
    // it; CB_View and Memo follow the command.
    void previews_data()
    {
        Columns<int, bool, QString, int, QByteArray>("ver", "html", "fileName", "view", "start");
        const QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
        QTest::newRow("RSS 2.0") << 1 << false << u"brisklettest.xml"_s << 0 << xml + "<rss";
        QTest::newRow("RSS 1.0") << 0 << false << u"brisklettest.xml"_s << 0 << xml + "<rdf";
        QTest::newRow("EUC-JP page keeps its bytes")
            << 1 << true << u"brisklettest.html"_s << 1
            << QByteArray("<meta charset=\"euc-jp\">\xA5\xB5\xA5\xA4\xA5\xC8");
    }

    void previews()
    {
        const auto [ver, html, fileName, view, start] =
            Fetch<int, bool, QString, int, QByteArray>("ver", "html", "fileName", "view", "start");
        FeedData feed = exampleFeed();
        feed.settings.ver = RssVersion(ver);
        feed.settings.htmlscript = u"<meta charset=\"euc-jp\">{channel_title}"_s;
        ScriptedUserInterface ui;
        SourceViewPage page;
        FeedPreviews previews(ui, page, fakeFactory(), {});
        previews.setClock(exampleClock());
        auto *viewBox = page.findChild<QComboBox *>(u"CB_View"_s);
        auto *memo = page.findChild<TextEditor *>(u"Memo"_s);
        viewBox->setCurrentIndex(1 - view);
        QVERIFY(!previews.form()); // made on first use only

        const FeedPreviews::Selection selection{&feed, QString(), QString()};
        html ? previews.htmlPreview(selection) : previews.rssPreview(selection);

        QVERIFY(previews.form());
        const QString path = previews.testFolderPath() + u'/' + fileName;
        QCOMPARE(fakeOf(previews.form())->calls,
                 QStringList{u"open "_s + QUrl::fromLocalFile(path).toString()});
        QVERIFY(testfiles::readAll(path).startsWith(start));
        QCOMPARE(QFileInfo(previews.testFolderPath()).permissions() & 0x0FFF,
                 QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        QCOMPARE(viewBox->currentIndex(), view);
        QVERIFY(memo->isReadOnly());
        QVERIFY(!memo->text().isEmpty());
        QCOMPARE(previews.form()->windowTitle(), fileName + u" - [プレビュー]"_s);
        QVERIFY(ui.messages.isEmpty());
    }

    // The feed check lists its findings, the items' last; picking one
    // selects its line.
    void feedAnalysis()
    {
        FeedData feed = exampleFeed();
        feed.settings.ver = RssVersion::Rss2;
        feed.settings.description.clear(); // a required channel element
        feed.items.first().date = u"2026/13/45"_s;
        ScriptedUserInterface ui;
        SourceViewPage page;
        FeedPreviews previews(ui, page, fakeFactory(), {});
        previews.setClock(exampleClock());
        ui.answers.enqueue(UserInterface::Answer::Yes);
        previews.feedAnalysis({&feed, QString(), QString()},
                              u"https://validator.w3.org/feed/check.cgi"_s);
        auto *findings = page.findChild<QListWidget *>(u"LB_Findings"_s);
        QCOMPARE(findings->count(), 2);
        QVERIFY(findings->item(0)->text().contains(u"<description>"_s));
        QVERIFY(findings->item(1)->text().startsWith(u"項目 1: 警告: 日付"_s));
        findings->setCurrentRow(0);
        auto *memo = page.findChild<TextEditor *>(u"Memo"_s);
        int lineFrom = 0, indexFrom = 0, lineTo = 0, indexTo = 0;
        memo->getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
        QVERIFY(memo->text(lineFrom).contains(u"<channel>"_s));
        // The service gets the published address, encoded.
        QCOMPARE(fakeOf(previews.form())->calls,
                 QStringList{u"open https://validator.w3.org/feed/check.cgi"
                             u"?url=http%3A%2F%2Fexample.jp%2Fsite%2Fnews.xml"_s});
    }

    void navigationAndHistory()
    {
        QStringList loaded;
        for (int i = 1; i <= 25; ++i)
            loaded << u"http://example.jp/%1"_s.arg(i);
        PreviewWindow form(fakeFactory(), loaded);
        FakeBrowser *browser = fakeOf(&form);
        QCOMPARE(form.history().size(), 20);

        form.openPreview(u"http://example.jp/a"_s, true);
        form.openPreview(u"HTTP://EXAMPLE.JP/a"_s, true); // shown: reload
        form.openPreview(u" "_s, true);                   // blank: home page
        QCOMPARE(browser->calls, (QStringList{u"open http://example.jp/a nocache"_s, u"reload"_s,
                                              u"open about:blank"_s}));
        QCOMPARE(form.history().first(), u"http://example.jp/a"_s);
        QCOMPARE(form.history().count(u"http://example.jp/a"_s), 1);

        // SB_Seek on the shown address loads it again as a new navigation.
        auto *address = form.findChild<QComboBox *>(u"CB_Address"_s);
        address->setCurrentText(u"about:blank"_s);
        browser->calls.clear();
        form.findChild<QToolButton *>(u"SB_Seek"_s)->click();
        QCOMPARE(browser->calls, QStringList{u"open about:blank"_s});
        QTest::keyClick(address->lineEdit(), Qt::Key_Return);
        QCOMPARE(browser->calls.size(), 2);

        auto *menu = form.findChild<QMenu *>();
        menu->actions().first()->trigger();
        QVERIFY(form.history().isEmpty());
        QCOMPARE(address->count(), 0);
    }

    void rolling()
    {
        PreviewWindow form(fakeFactory(), {});
        form.show();
        auto *right = form.findChild<QToolButton *>(u"SB_Right"_s);
        auto *status = form.findChild<QStatusBar *>(u"StatusBar"_s);
        const int full = form.height();
        right->click();
        QVERIFY(form.isRolledUp());
        QVERIFY(!status->isVisible());
        QCOMPARE(right->toolTip(), u"開く"_s);
        QVERIFY(form.height() < full);
        form.close();
        QCOMPARE(form.height(), full); // comes back at its full size
        QVERIFY(!form.isRolledUp());
    }

    // An engine that cannot show pages leaves the address to the default
    // browser.
    void engineFailure()
    {
        PreviewWindow form(fakeFactory(), {});
        QUrl opened;
        form.setExternalOpener([&](const QUrl &address) { opened = address; });
        Q_EMIT fakeOf(&form)->failed(u"GPUがありません"_s);
        form.openPreview(u"http://example.jp/x"_s, false);
        auto *status = form.findChild<QStatusBar *>(u"StatusBar"_s);
        QVERIFY(status->currentMessage().contains(u"GPUがありません"_s));
        auto *external = form.findChild<QPushButton *>(u"SB_External"_s);
        QVERIFY(external->isVisibleTo(&form));
        external->click();
        QCOMPARE(opened, QUrl(u"http://example.jp/x"_s));
        QVERIFY(fakeOf(&form)->calls.isEmpty());
    }

    // Without its sandbox the engine shows the program's own files only,
    // hands every other page to the default browser and says so.
    void withoutSandbox()
    {
        PreviewWindow form(fakeFactory(false), {});
        form.setOwnPaths([] { return QStringList{u"/tmp/own"_s}; });
        QList<QUrl> opened;
        form.setExternalOpener([&](const QUrl &address) { opened << address; });
        auto *status = form.findChild<QStatusBar *>(u"StatusBar"_s);
        QCOMPARE(status->currentMessage(), UnsandboxedEngineNote());

        for (const QString &address :
             {u"/tmp/own/brisklettest.xml"_s, u"/tmp/other.html"_s, u"http://example.jp/"_s})
            form.openPreview(address, false);
        QCOMPARE(fakeOf(&form)->calls, QStringList{u"open file:///tmp/own/brisklettest.xml"_s});
        QCOMPARE(opened,
                 (QList<QUrl>{QUrl(u"file:///tmp/other.html"_s), QUrl(u"http://example.jp/"_s)}));
        QCOMPARE(status->currentMessage(), HandedOverText(QUrl(u"http://example.jp/"_s)));
    }

    // A page whose process died leaves a message and a reload button.
    void pageEndedOffersReload()
    {
        PreviewWindow form(fakeFactory(), {});
        form.openPreview(u"http://example.jp/a"_s, false);
        FakeBrowser *browser = fakeOf(&form);
        auto *bar = form.findChild<QWidget *>(u"PL_PageEnded"_s);
        QVERIFY(!bar->isVisibleTo(&form));
        Q_EMIT browser->pageEnded();
        QVERIFY(bar->isVisibleTo(&form));
        browser->calls.clear();
        form.findChild<QPushButton *>(u"SB_ReloadPage"_s)->click();
        QCOMPARE(browser->calls, QStringList{u"reload"_s});
        QVERIFY(!bar->isVisibleTo(&form));
    }

    void pasteHandsTheAddressOver()
    {
        PreviewWindow form(fakeFactory(), {});
        QString pasted;
        connect(&form, &PreviewWindow::pasteRequested, this, [&](const QString &a) { pasted = a; });
        form.openPreview(u"http://example.jp/p"_s, false);
        form.findChild<QToolButton *>(u"SB_Paste"_s)->click();
        QCOMPARE(pasted, u"http://example.jp/p"_s);
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
