#include "app/import/feedimportform.h"
#include "datarows.h"
#include "feedhttpserver.h"
#include "testfiles.h"
#include "treeoutline.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace windowfixture;

// "フィードの読み込み(&F)..." in the window: the dialog, where the feed goes,
// and what the user is told.
class TestFeedImportForm : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FeedHttpServer m_server;

private Q_SLOTS:
    void initTestCase()
    {
        QFile::copy(testfiles::dataPath(u"feedimport/rss20.xml"_s), m_dir.filePath(u"rss.xml"_s));
        QVERIFY(m_server.start(m_dir.path()));
    }

    void importsBesideTheSelectedFeed_data()
    {
        // field: where the source is typed; message: told after the import
        Columns<QString, QString, QString, QString>("field", "source", "outline", "message");
        const QString imported = u"News(a 新着情報) b"_s;
        QTest::newRow("a file") << u"ED_FeedFile"_s << m_dir.filePath(u"rss.xml"_s) << imported
                                << u"読み込まなかった要素：1個"_s;
        QTest::newRow("an address, redirected")
            << u"ED_FeedAddress"_s << m_server.address(u"moved/rss.xml"_s) << imported
            << u"読み込まなかった要素：1個"_s;
        QTest::newRow("a redirect loop")
            << u"ED_FeedAddress"_s << m_server.address(u"loop"_s) << u"News(a) b"_s
            << u"フィードを取得できません。\n転送先への案内（リダイレクト）が多すぎます。"_s;
        QTest::newRow("not a feed")
            << u"ED_FeedFile"_s << testfiles::dataPath(u"feedimport/nofeed.html"_s)
            << u"News(a) b"_s
            << u"フィードを読み込めません（2 行目）。\n"
               u"RSS または Atom のフィードではありません（文書要素 <html>）。"_s;
    }
    void importsBesideTheSelectedFeed()
    {
        const auto [field, source, outline, message] =
            Fetch<QString, QString, QString, QString>("field", "source", "outline", "message");
        const std::unique_ptr<MainWindow> window = windowWith(m_dir, u"News(a) b"_s);
        QVERIFY(window);
        window->selectNode(nodeOf(*window, u"a"_s));

        bool okAtFirst = true;
        QString told;
        handleNextDialog<FeedImportForm>([&](FeedImportForm &form) {
            auto *ok = form.findChild<QPushButton *>(u"OkBtn"_s);
            okAtFirst = ok->isEnabled();
            typeInto(form.findChild<QLineEdit *>(field), source);
            answerNextMessageBox(QMessageBox::Ok, &told);
            ok->click();
        });
        window->findChild<QAction *>(u"Mn_FeedImport"_s)->trigger();
        QVERIFY(!okAtFirst);
        QCOMPARE(told, message);
        QCOMPARE(treeoutline::of(window->project().root()), outline);
        const bool added = outline.contains(u"新着情報"_s);
        QCOMPARE(window->project().isModified(), added);
        if (added)
            QCOMPARE(window->project().currentNode()->text, u"新着情報"_s);
    }
};

QTEST_MAIN(TestFeedImportForm)
#include "tst_feedimportform.moc"
