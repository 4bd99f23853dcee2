#include "app/common/texteditor.h"
#include "app/editing/gridcelleditors.h"
#include "app/editing/itemgridview.h"
#include "app/editing/itemspage.h"
#include "core/editing/gridrowcommands.h"
#include "core/editing/itemtablemodel.h"
#include "core/settings/settings.h"
#include "scripteduserinterface.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

QList<FeedItem> titledItems(int count)
{
    QList<FeedItem> items(count);
    for (int i = 0; i < count; ++i)
        items[i].title = QString::number(i + 1);
    return items;
}

QString caption(const ItemsPage &page, const QString &button)
{
    return page.findChild<QToolButton *>(button)->text();
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// A page on screen with its grid focused.
struct ShownPage
{
    ScriptedUserInterface ui;
    ItemsPage page{ui};

    explicit ShownPage(const QList<FeedItem> &items)
    {
        page.resize(900, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        page.showItems(items);
        focusCurrentCell();
    }

    // Keys go where a user's keys go: the editor open on the current cell.
    void focusCurrentCell()
    {
        if (QWidget *editor = page.grid()->openEditor())
            EditorTextField(editor)->setFocus();
        else
            page.grid()->setFocus();
    }
};

} // namespace

class TestItemsPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pasteButtonFollowsTheClipboard()
    {
        ShownPage shown({});
        auto *paste = shown.page.findChild<QToolButton *>(u"SB_LinePaste"_s);
        QGuiApplication::clipboard()->setText(u"a\tb\r\n"_s);
        QTRY_VERIFY(paste->isEnabled());
        QGuiApplication::clipboard()->setText(u"plain text"_s);
        QTRY_VERIFY(!paste->isEnabled());
    }

    void lineModeSwitchesTheButtonsAndCopiesRows()
    {
        ShownPage shown(titledItems(3));
        shown.page.grid()->moveTo(0, TitleColumn);
        press(Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(shown.page.isLineMode());
        QCOMPARE(caption(shown.page, u"SB_LineIns"_s), u"コピー"_s);
        QCOMPARE(caption(shown.page, u"SB_LineDelete"_s), u"切り取り"_s);
        press(Qt::Key_Down, Qt::ShiftModifier);
        press(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"1\t\t\t\t\t\r\n2\t\t\t\t\t\r\n"_s);

        press(Qt::Key_Escape);
        QVERIFY(!shown.page.isLineMode());
        QCOMPARE(caption(shown.page, u"SB_LineIns"_s), u"１行挿入"_s);
        QCOMPARE(shown.page.grid()->currentIndex().column(), int(TitleColumn));

        // Pasting the two rows at row 3 pushes the third item down.
        QSignalSpy changed(&shown.page, &ItemsPage::changed);
        shown.page.grid()->moveTo(2, TitleColumn);
        press(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(shown.page.storeItems().size(), 5);
        QCOMPARE(shown.page.storeItems().at(4).title, u"3"_s);
        QVERIFY(!changed.isEmpty());
    }

    void insertIntoAFullGridIsRefused()
    {
        ShownPage shown(titledItems(100));
        QSignalSpy changed(&shown.page, &ItemsPage::changed);
        press(Qt::Key_F5);
        QCOMPARE(shown.ui.messages, QStringList{InsertRefusedMessage()});

        // A refused row paste leaves the cell being edited alone.
        QGuiApplication::clipboard()->setText(u"x\ty\r\n"_s);
        shown.page.grid()->moveTo(4, TitleColumn);
        shown.focusCurrentCell();
        QLineEdit *field = EditorTextField(QApplication::focusWidget());
        QVERIFY(field);
        press(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(shown.ui.messages.size(), 2);
        QCOMPARE(field->text(), u"5"_s);
        QCOMPARE(shown.page.storeItems(), titledItems(100));
        QVERIFY(changed.isEmpty());
    }

    void typingFillsTheRowAndTheBodyFollowsTheRow()
    {
        ShownPage shown({});
        shown.page.setChannelValues([] {
            ChannelSettings channel;
            channel.link = u"http://example.jp/"_s;
            channel.creator = u"太郎"_s;
            return channel;
        });
        shown.page.setClock(Clock::fixed(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))));
        QTest::keyClicks(QApplication::focusWidget(), u"news"_s);
        // Looked at while typed, the cell counts as written, filled-in row
        // and all; the model and the open editor stay as they are.
        QVERIFY(shown.page.hasTypedText());
        QCOMPARE(shown.page.peekItems().value(0).url, u"http://example.jp/"_s);
        QVERIFY(shown.page.grid()->itemModel()->store().isEmpty());
        shown.page.contentEditor()->setText(u"body\r\nline"_s);
        press(Qt::Key_Down);
        QCOMPARE(shown.page.contentEditor()->text(), QString());
        press(Qt::Key_Up);
        QCOMPARE(shown.page.contentEditor()->text(), u"body\r\nline"_s);

        const QList<FeedItem> items = shown.page.storeItems();
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.at(0).title, u"news"_s);
        QCOMPARE(items.at(0).date, u"2026-01-02 03:04:05"_s);
        QCOMPARE(items.at(0).url, u"http://example.jp/"_s);
        QCOMPARE(items.at(0).creator, u"太郎"_s);
        QCOMPARE(items.at(0).desc, u"body\r\nline"_s);
    }

    // The media panel edits the current row: a chosen file fills length,
    // type and the address beside the feed; each row keeps its own values.
    void mediaPanelFollowsTheRow()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"第2回.mp3"_s);
        QFile media(file);
        QVERIFY(media.open(QIODevice::WriteOnly) && media.write(QByteArray(2048, 'a')) == 2048);
        media.close();

        ShownPage shown(titledItems(2));
        shown.page.setChannelValues([] {
            ChannelSettings channel;
            channel.filename = u"cast"_s;
            channel.ver = RssVersion::Rss2;
            channel.root = u"http://example.jp/cast/"_s;
            return channel;
        });
        QSignalSpy changed(&shown.page, &ItemsPage::changed);
        const auto field = [&](const QString &name) {
            return shown.page.findChild<QLineEdit *>(name);
        };
        QCOMPARE(field(u"ED_Enclosure"_s)->text(), QString()); // the last row is current
        shown.ui.files.enqueue(file);
        shown.page.findChild<QPushButton *>(u"BT_EnclosureBrowse"_s)->click();
        QCOMPARE(changed.size(), 1);
        QTest::keyClicks(field(u"ED_ItunesDuration"_s), u"12:34"_s);
        QTest::keyClick(shown.page.findChild<QComboBox *>(u"CB_ItemExplicit"_s), Qt::Key_End);

        shown.focusCurrentCell();
        press(Qt::Key_Up);
        QCOMPARE(field(u"ED_Enclosure"_s)->text(), QString());
        QCOMPARE(field(u"ED_ItunesDuration"_s)->text(), QString());
        press(Qt::Key_Down);
        QCOMPARE(field(u"ED_EnclosureLength"_s)->text(), u"2048"_s);

        const QList<FeedItem> items = shown.page.storeItems();
        QCOMPARE(items.at(0).enclosure, QString());
        QCOMPARE(items.at(1).enclosure, u"http://example.jp/cast/%E7%AC%AC2%E5%9B%9E.mp3"_s);
        QCOMPARE(items.at(1).enclosurelength, u"2048"_s);
        QCOMPARE(items.at(1).enclosuretype, u"audio/mpeg"_s);
        QCOMPARE(items.at(1).enclosurefile, file);
        QCOMPARE(items.at(1).enclosurefile, file);
        QCOMPARE(items.at(1).itunesduration, u"12:34"_s);
        QCOMPARE(items.at(1).itunesexplicit, u"false"_s);
        QCOMPARE(items.at(1).title, u"2"_s);

        // Asking the server needs an address first.
        shown.page.showItems({});
        shown.page.findChild<QPushButton *>(u"BT_EnclosureAsk"_s)->click();
        QCOMPARE(shown.ui.messages.value(0), u"メディアファイルのアドレスを入力してください。"_s);
    }

    void aTypedTitleIsKeptAsTyped()
    {
        FeedItem used;
        used.title = u"Hello World"_s;
        ShownPage shown({used, FeedItem()});
        // The pick list, once dropped down, holds the title of row 1.
        auto *pickList = qobject_cast<QComboBox *>(shown.page.grid()->openEditor());
        QVERIFY(pickList);
        pickList->showPopup();
        pickList->hidePopup();
        QCOMPARE(pickList->count(), 1);
        QTest::keyClicks(QApplication::focusWidget(), u"hello world"_s);
        press(Qt::Key_Return);
        QTRY_COMPARE(shown.page.storeItems().value(1).title, u"hello world"_s);
    }

    void columnOrderAndWidthsComeBack()
    {
        ItemTableModel model;
        ItemGridView moved(&model);
        moved.horizontalHeader()->moveSection(DateColumn, 0);
        moved.horizontalHeader()->resizeSection(LinkColumn, 333);
        Settings settings;
        moved.saveColumnSettings(settings);
        QCOMPARE(settings.columnPositions, (Settings::Columns{1, 0, 2, 3, 4}));

        ItemGridView restored(&model);
        restored.applyColumnSettings(settings);
        QCOMPARE(restored.columnPositions(), settings.columnPositions);
        QCOMPARE(restored.horizontalHeader()->sectionSize(LinkColumn), 333);
        QCOMPARE(restored.horizontalHeader()->sectionSize(TitleColumn), 400);
    }
};

QTEST_MAIN(TestItemsPage)
#include "tst_itemspage.moc"
