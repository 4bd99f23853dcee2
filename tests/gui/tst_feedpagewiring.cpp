#include "app/common/commandset.h"
#include "app/common/texteditor.h"
#include "app/editing/feedpagewiring.h"
#include "app/editing/itemgridview.h"
#include "app/editing/itemspage.h"
#include "app/project/pageframe.h"
#include "core/editing/itemtablemodel.h"
#include "datarows.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace windowfixture;

// The feed pages inside the main window: what switching nodes, typing and
// the Edit menu do to the project.
class TestFeedPageWiring : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;

    // A shown window holding the feeds a and b; a has the upload folder.
    void openWindow(const QString &uploadFolder)
    {
        m_window = windowWith(m_dir, u"a b"_s);
        QVERIFY(m_window);
        feed(0)->data()->settings.ftpfolder = uploadFolder;
        feed(0)->data()->items = {{.title = u"最初の項目"_s}};
        m_window->selectNode(feed(0));
    }

    ProjectNode *feed(int index) const { return m_window->project().root().child(index); }

    template <typename T> T *find(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }

private Q_SLOTS:
    void cleanup() { m_window.reset(); }

    void switchingNodesStoresAndShows()
    {
        openWindow({});
        ItemsPage *items = m_window->feedPages().itemsPage();
        QCOMPARE(items->grid()->itemModel()->index(0, 0).data().toString(), u"最初の項目"_s);
        typeInto(find<QLineEdit>(u"ED_Informer_Title_Sub"_s), u"ニュース"_s);
        items->grid()->itemModel()->setData(items->grid()->itemModel()->index(1, 0), u"次"_s);

        m_window->selectNode(feed(1));
        QCOMPARE(feed(0)->data()->settings.title, u"ニュース"_s);
        QCOMPARE(feed(0)->data()->items.size(), 2);
        QCOMPARE(feed(0)->data()->items[1].title, u"次"_s);
        QCOMPARE(find<QLineEdit>(u"ED_Informer_Title_Sub"_s)->text(), QString());
        QCOMPARE(items->grid()->itemModel()->index(0, 0).data().toString(), QString());

        m_window->selectNode(feed(0));
        QCOMPARE(find<QLineEdit>(u"ED_Informer_Title_Sub"_s)->text(), u"ニュース"_s);
        QCOMPARE(items->grid()->itemModel()->index(1, 0).data().toString(), u"次"_s);
    }

    void typingMarksOnlyAnUploadableFeed_data()
    {
        Columns<QString, bool>("uploadFolder", "marked");
        QTest::newRow("upload folder") << m_dir.filePath(u"up"_s) << true;
        QTest::newRow("nowhere to go") << QString() << false;
    }
    void typingMarksOnlyAnUploadableFeed()
    {
        const auto [uploadFolder, marked] = Fetch<QString, bool>("uploadFolder", "marked");
        openWindow(uploadFolder);
        QVERIFY(!m_window->project().isModified());

        ItemTableModel *model = m_window->feedPages().itemsPage()->grid()->itemModel();
        model->setData(model->index(2, 0), u"追加"_s);
        QVERIFY(m_window->project().isModified());
        QCOMPARE(feed(0)->data()->changed, marked);
        QCOMPARE(m_window->commands().isEnabled(u"file.upload"_s), marked);
    }

    // An assistive tool checks a box or a radio button through the
    // accessibility layer, without a click: the program follows the state.
    void switchesFollowTheirState_data()
    {
        Columns<QString, int, QString>("control", "radio", "enables");
        QTest::newRow("HTML switch") << u"CB_Html_Sub"_s << -1 << u"preview.htmlButton"_s;
        QTest::newRow("content module") << u"CB_Content_Sub"_s << -1 << QString();
        QTest::newRow("defaults' date switch") << u"CB_AutoData"_s << -1 << QString();
        QTest::newRow("page extension") << u"RG_HtmlExt_Sub"_s << 1 << QString();
        QTest::newRow("RSS version") << u"RadioGroup_Ext_Sub"_s << 0 << QString();
    }
    void switchesFollowTheirState()
    {
        const auto [control, radio, enables] =
            Fetch<QString, int, QString>("control", "radio", "enables");
        openWindow({});
        auto *button = radio < 0 ? find<QAbstractButton>(control)
                                 : find<QWidget>(control)->findChildren<QRadioButton *>().at(radio);
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        QVERIFY(m_window->project().isModified());
        if (!enables.isEmpty())
            QVERIFY(m_window->commands().isEnabled(enables));
    }

    // A date the feed cannot carry is told when it is typed, not found
    // missing in the file later.
    void unreadableDateIsToldInTheStatusBar()
    {
        openWindow({});
        ItemTableModel *model = m_window->feedPages().itemsPage()->grid()->itemModel();
        model->setData(model->index(0, DateColumn), u"2026/13/45"_s);
        QVERIFY(find<QLabel>(u"StatusBar_Panel2"_s)->text().startsWith(u" 項目 1: 警告: 日付"_s));
    }

    void channelTabFitsTheFirstWindowSize()
    {
        openWindow({});
        m_window->pages().tabs()->setCurrentIndex(PageFrame::ChannelTab);
        // Long labels and notes wrap rather than widen the page.
        auto *scroll = find<QWidget>(u"Channel_Page"_s)->findChild<QScrollArea *>();
        QVERIFY(scroll->isVisible());
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    }

    void editMenuRoutesToTheFocusedControl()
    {
        openWindow({});
        ItemsPage *items = m_window->feedPages().itemsPage();
        QApplication::clipboard()->clear();
        items->grid()->setFocus();
        items->grid()->setCurrentIndex(items->grid()->itemModel()->index(0, 0));
        QTest::keyClick(items->grid(), Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(items->isLineMode());
        QVERIFY(m_window->commands().trigger(u"edit.copy"_s));
        QVERIFY(QApplication::clipboard()->text().startsWith(u"最初の項目\t"_s));
        QVERIFY(!m_window->commands().isEnabled(u"edit.redo"_s));

        TextEditor *content = items->contentEditor();
        content->setFocus();
        content->setText(u"本文"_s);
        QVERIFY(m_window->commands().trigger(u"edit.selectAll"_s));
        QCOMPARE(content->selectedText(), u"本文"_s);
        QVERIFY(m_window->commands().trigger(u"edit.cut"_s));
        QCOMPARE(content->text(), QString());
        QCOMPARE(QApplication::clipboard()->text(), u"本文"_s);
        QVERIFY(m_window->commands().trigger(u"edit.undo"_s));
        QCOMPARE(content->text(), u"本文"_s);
    }
};

QTEST_MAIN(TestFeedPageWiring)
#include "tst_feedpagewiring.moc"
