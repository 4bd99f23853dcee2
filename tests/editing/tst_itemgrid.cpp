#include "core/editing/gridclipboard.h"
#include "core/editing/gridcommand.h"
#include "core/editing/gridrowcommands.h"
#include "core/editing/itemtablemodel.h"
#include "datarows.h"
#include "scripteduserinterface.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using Kind = FocusFacts::Kind;

namespace {

FeedItem titled(const QString &title, const QString &desc = {})
{
    FeedItem item;
    item.title = title;
    item.desc = desc;
    return item;
}

QList<FeedItem> titledItems(int count)
{
    QList<FeedItem> items;
    for (int i = 1; i <= count; ++i)
        items << titled(QString::number(i));
    return items;
}

const ColumnPositions standardOrder = {0, 1, 2, 3, 4};
// The date column dragged to the front.
const ColumnPositions dateFirst = {1, 0, 2, 3, 4};

FocusFacts facts(Kind kind, bool lineMode = false, bool clipboardHasTab = false)
{
    FocusFacts f;
    f.kind = kind;
    f.lineMode = lineMode;
    f.clipboardHasTab = clipboardHasTab;
    f.clipboardHasText = clipboardHasTab;
    return f;
}

} // namespace

class TestItemGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storeKeepsRowsUpToTheLastUsedOne_data()
    {
        Columns<QList<FeedItem>, QList<FeedItem>>("items", "stored");

        const FeedItem empty;
        const auto kept = [](const char *name, const QList<FeedItem> &items) {
            QTest::newRow(name) << items << items;
        };
        kept("no items", {});
        kept("empty row between used rows", {titled(u"a"_s), empty, titled(u"c"_s)});
        QTest::newRow("trailing empty rows dropped")
            << QList<FeedItem>{titled(u"a"_s), empty, empty} << QList<FeedItem>{titled(u"a"_s)};
        kept("a description alone is used", {empty, titled({}, u"body"_s)});
        kept("items past the grid come back unchanged", titledItems(103));
        QList<FeedItem> lastRowEmpty = titledItems(103);
        lastRowEmpty[99] = empty;
        kept("an empty last row stays before the items past the grid", lastRowEmpty);
    }
    void storeKeepsRowsUpToTheLastUsedOne()
    {
        const auto [items, stored] = Fetch<QList<FeedItem>, QList<FeedItem>>("items", "stored");
        ItemTableModel model;
        model.load(items);
        QCOMPARE(model.store(), stored);
        QCOMPARE(model.hiddenItemCount(), std::max<int>(0, int(items.size()) - 100));
    }

    void insertNeedsEmptyRowsAtTheEnd_data()
    {
        Columns<QList<FeedItem>, int, int, bool>("items", "first", "count", "done");

        QTest::newRow("full grid") << titledItems(100) << 0 << 1 << false;
        QTest::newRow("3 rows, only 2 empty") << titledItems(98) << 0 << 3 << false;
        QTest::newRow("2 rows, 2 empty") << titledItems(98) << 0 << 2 << true;
        QList<FeedItem> lastDescription(100);
        lastDescription[99].desc = u"only a body"_s;
        QTest::newRow("a description alone in the last row") << lastDescription << 0 << 1 << false;
        QTest::newRow("rows would reach past row 100") << QList<FeedItem>{} << 98 << 3 << false;
        QTest::newRow("rows end at row 100") << QList<FeedItem>{} << 97 << 3 << true;
    }
    void insertNeedsEmptyRowsAtTheEnd()
    {
        const auto [items, first, count, done] =
            Fetch<QList<FeedItem>, int, int, bool>("items", "first", "count", "done");
        ItemTableModel model;
        model.load(items);
        QSignalSpy edited(&model, &ItemTableModel::edited);
        ScriptedUserInterface ui;

        QCOMPARE(InsertGridRows(model, ui, first, count), done);
        QCOMPARE(ui.messages, done ? QStringList() : QStringList{InsertRefusedMessage()});
        QCOMPARE(edited.size(), done ? 1 : 0);
        if (!done)
            QCOMPARE(model.store(), items);
        else
            QVERIFY(model.gridRow(first).isEmpty());
    }

    void pasteFillsRowsOrIsRefusedWhole()
    {
        ItemTableModel model;
        model.load(titledItems(2));
        ScriptedUserInterface ui;
        const QString text = u"x\t2005/1/2\t\t\t\tline{\\r}two\r\ny\t\t\t\t\t\r\n"_s;

        QVERIFY(PasteGridRows(model, ui, 1, text, standardOrder));
        QList<FeedItem> expected = titledItems(2);
        FeedItem x = titled(u"x"_s, u"line\r\ntwo"_s);
        x.date = u"2005-01-02 00:00:00"_s;
        expected.insert(1, x);
        expected.insert(2, titled(u"y"_s));
        QCOMPARE(model.store(), expected);

        model.load(titledItems(99));
        QVERIFY(!PasteGridRows(model, ui, 0, text, standardOrder));
        QCOMPARE(ui.messages, QStringList{InsertRefusedMessage()});
        QCOMPARE(model.store(), titledItems(99));
    }

    void deleteAndMoveShiftRows()
    {
        ItemTableModel model;
        model.load(titledItems(5));
        QVERIFY(model.deleteRows(1, 2));
        QCOMPARE(model.store(), (QList<FeedItem>{titled(u"1"_s), titled(u"4"_s), titled(u"5"_s)}));
        QVERIFY(model.moveRowDown(0));
        QVERIFY(model.moveRowUp(2));
        QCOMPARE(model.store(), (QList<FeedItem>{titled(u"4"_s), titled(u"5"_s), titled(u"1"_s)}));
        QVERIFY(!model.moveRowUp(0));
        QVERIFY(!model.moveRowDown(99));
    }

    // A save gives items identifiers behind the grid's back; the next store
    // from the grid must not drop them, whether the item is shown or hidden.
    void guidsGivenBySaveAreKept_data()
    {
        Columns<int>("count");
        QTest::newRow("shown rows") << 3;
        QTest::newRow("with hidden items") << 130;
    }
    void guidsGivenBySaveAreKept()
    {
        const auto [count] = Fetch<int>("count");
        ItemTableModel model;
        model.load(titledItems(count));
        QList<FeedItem> saved = model.store();
        for (qsizetype i = 0; i < saved.size(); ++i)
            saved[i].guid = u"tag:example.jp,2026-12-08:/news.xml/"_s + QString::number(i);
        model.adoptGuids(saved);
        QCOMPARE(model.store(), saved);

        // An item edited between the store and the save is not given one.
        model.load(titledItems(count));
        saved = model.store();
        saved[1].title = u"changed"_s;
        saved[1].guid = saved[2].guid = u"tag:x"_s;
        model.adoptGuids(saved);
        QVERIFY(model.store().at(1).guid.isEmpty());
        QCOMPARE(model.store().at(2).guid, u"tag:x"_s);
    }

    void typingFillsEmptyCellsOfTheRow_data()
    {
        Columns<int, QString, QStringList, QStringList, bool>("column", "text", "before", "after",
                                                              "edited");

        const QString now = u"2026-12-07 09:05:03"_s;
        const QString link = u"http://example.jp/news/"_s;
        QTest::newRow("title fills date, link and creator")
            << int(TitleColumn) << u"t"_s << QStringList(5)
            << QStringList{u"t"_s, now, link, {}, u"花子"_s} << true;
        QTest::newRow("date fills only link and creator")
            << int(DateColumn) << u"x"_s << QStringList(5)
            << QStringList{{}, u"x"_s, link, {}, u"花子"_s} << true;
        QTest::newRow("filled cells stay")
            << int(CategoryColumn) << u"c"_s << QStringList{{}, u"d"_s, u"l"_s, {}, u"me"_s}
            << QStringList{{}, u"d"_s, u"l"_s, u"c"_s, u"me"_s} << true;
        QTest::newRow("the same text again changes nothing")
            << int(TitleColumn) << u"t"_s << QStringList{u"t"_s, {}, {}, {}, {}}
            << QStringList{u"t"_s, {}, {}, {}, {}} << false;
        QTest::newRow("clearing a cell is an edit without fill")
            << int(TitleColumn) << QString() << QStringList{u"t"_s, {}, {}, {}, {}}
            << QStringList(5) << true;
    }
    void typingFillsEmptyCellsOfTheRow()
    {
        const auto [column, text, before, after, edited] =
            Fetch<int, QString, QStringList, QStringList, bool>("column", "text", "before", "after",
                                                                "edited");

        ItemTableModel model;
        model.setClock(Clock::fixed(QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3))));
        model.setChannelValues([] {
            ChannelSettings channel;
            channel.root = u"http://example.jp/"_s;
            channel.src = u"http://example.jp/news/"_s;
            channel.creator = u"花子"_s;
            return channel;
        });
        GridCells cells;
        std::copy(before.begin(), before.end(), cells.begin());
        model.load({ItemOf(cells, {})});
        QSignalSpy spy(&model, &ItemTableModel::edited);

        QVERIFY(model.setData(model.index(0, column), text));
        QStringList shown;
        for (int c = 0; c < GridColumnCount; ++c)
            shown << model.index(0, c).data().toString();
        QCOMPARE(shown, after);
        QCOMPARE(spy.size(), edited ? 1 : 0);
    }

    void pickListHoldsDistinctTrimmedTexts()
    {
        ItemTableModel model;
        QCOMPARE(model.pickList(CategoryColumn), QStringList{QString()});
        QList<FeedItem> items(4);
        items[0].subject = u" 日記 "_s;
        items[2].subject = u"日記"_s;
        items[3].subject = u"旅"_s;
        model.load(items);
        QCOMPARE(model.pickList(CategoryColumn), (QStringList{u"日記"_s, u"旅"_s}));
    }

    void rowsBecomeClipboardTextAndBack_data()
    {
        Columns<ColumnPositions, GridRow, QString, GridRow>("positions", "row", "text", "back");

        const GridCells cells{u"t"_s, u"d"_s, u"l"_s, u"c"_s, u"w"_s};
        const GridRow row{cells, u"a\r\nb\tc"_s};
        const GridRow rowBack{cells, u"a\r\nbc"_s};
        QTest::newRow("display order")
            << standardOrder << row << u"t\td\tl\tc\tw\ta{\\r}bc\r\n"_s << rowBack;
        QTest::newRow("date dragged first")
            << dateFirst << row << u"d\tt\tl\tc\tw\ta{\\r}bc\r\n"_s << rowBack;
        QTest::newRow("line breaks of every kind")
            << standardOrder << GridRow{{}, u"1\r2\n3\r\n"_s}
            << u"\t\t\t\t\t1{\\r}2{\\r}3{\\r}\r\n"_s << GridRow{{}, u"1\r\n2\r\n3\r\n"_s};
        QTest::newRow("separators inside a cell become spaces")
            << standardOrder << GridRow{{u"a\tb\r\nc"_s}, {}} << u"a b  c\t\t\t\t\t\r\n"_s
            << GridRow{{u"a b  c"_s}, {}};
    }
    void rowsBecomeClipboardTextAndBack()
    {
        const auto [positions, row, text, back] =
            Fetch<ColumnPositions, GridRow, QString, GridRow>("positions", "row", "text", "back");
        QCOMPARE(RowsToClipboardText({row}, positions), text);
        QCOMPARE(RowsFromClipboardText(text, positions), QList<GridRow>{back});
    }

    void clipboardTextBecomesRows()
    {
        // Eight fields keep six; the first field stands in the date column.
        const QList<GridRow> rows = RowsFromClipboardText(
            u"05-12-24 9:5\tt\tl\tc\tw\tx{\\r}y\tmore\tmore\nonly"_s, dateFirst);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0), (GridRow{{u"t"_s, u"2005-12-24 09:05:00"_s, u"l"_s, u"c"_s, u"w"_s},
                                      u"x\r\ny"_s}));
        QCOMPARE(rows.at(1), (GridRow{GridCells{QString(), u"only"_s}, {}}));
    }

    void pastedDatesAreNormalised_data()
    {
        Columns<QString, QString>("pasted", "stored");

        QTest::newRow("slashes") << u"2005/1/2"_s << u"2005-01-02 00:00:00"_s;
        QTest::newRow("short year and time") << u"05-12-24 9:5"_s << u"2005-12-24 09:05:00"_s;
        QTest::newRow("two-digit year") << u"99-1-2"_s << u"2099-01-02 00:00:00"_s;
        QTest::newRow("one-digit year") << u"5/1/2"_s << u"0205-01-02 00:00:00"_s;
        QTest::newRow("a word") << u"tomorrow"_s << u"tomorrow"_s;
        QTest::newRow("month 0") << u"2005/0/2"_s << u"2005-0-2"_s;
        QTest::newRow("full time") << u"2006-03-04 10:20:30"_s << u"2006-03-04 10:20:30"_s;
        QTest::newRow("long parts keep their last digits")
            << u"12345-123-456 789:61:99"_s << u"2345-23-45 00:61:99"_s;
        QTest::newRow("long time parts") << u"2005/1/2 123:456:789"_s << u"2005-01-02 23:56:78"_s;
        QTest::newRow("wide digits are no number") << u"２００５/1/2"_s << u"２００５-1-2"_s;
        QTest::newRow("many dashes") << u"1-2-3-4-5-6-7-8-9-10-11-12"_s << u"0201-02-03 00:00:00"_s;
        QTest::newRow("only separators") << u"--::"_s << u"--::"_s;
        QTest::newRow("trailing dash") << u"2005-1-"_s << u"2005-1-"_s;
        QTest::newRow("huge year") << u"99999999999-1-2"_s << u"99999999999-1-2"_s;
    }
    void pastedDatesAreNormalised()
    {
        const auto [pasted, stored] = Fetch<QString, QString>("pasted", "stored");
        QCOMPARE(NormalisePastedDate(pasted), stored);
    }

    void commandsActOnTheFocusedControl_data()
    {
        Columns<GridCommand, FocusFacts, GridAction>("command", "focus", "action");

        const auto row = [](const char *name, GridCommand command, const FocusFacts &focus,
                            GridAction action) {
            QTest::newRow(name) << command << focus << action;
        };
        row("A box", GridCommand::SelectAll, facts(Kind::TextBox), GridAction::BoxSelectAll);
        row("A grid", GridCommand::SelectAll, facts(Kind::Grid), GridAction::None);
        row("C single cell", GridCommand::Copy, facts(Kind::Grid), GridAction::None);
        row("C rows", GridCommand::Copy, facts(Kind::Grid, true), GridAction::CopyRows);
        row("C cell editor", GridCommand::Copy, facts(Kind::CellEditor), GridAction::BoxCopy);
        row("D rows", GridCommand::Delete, facts(Kind::Grid, true), GridAction::DeleteRows);
        row("X rows", GridCommand::Cut, facts(Kind::Grid, true), GridAction::CutRows);
        row("X box", GridCommand::Cut, facts(Kind::TextBox, true), GridAction::BoxCut);
        row("X text editor", GridCommand::Cut, facts(Kind::TextEditor, true), GridAction::None);
        row("P rows", GridCommand::Paste, facts(Kind::CellEditor, false, true),
            GridAction::PasteRows);
        FocusFacts plainText = facts(Kind::CellEditor);
        plainText.clipboardHasText = true;
        row("P text", GridCommand::Paste, plainText, GridAction::BoxPaste);
        row("P nothing", GridCommand::Paste, facts(Kind::TextBox), GridAction::None);
        row("U grid", GridCommand::Undo, facts(Kind::Grid), GridAction::None);
    }
    void commandsActOnTheFocusedControl()
    {
        const auto [command, focus, action] =
            Fetch<GridCommand, FocusFacts, GridAction>("command", "focus", "action");
        QCOMPARE(GridCommandAction(command, focus), action);
    }

    void rowQueriesFollowTheFocus_data()
    {
        // B: can the clipboard's rows be pasted; T: are rows selected.
        Columns<bool, FocusFacts, bool>("pasteQuery", "focus", "answer");

        QTest::newRow("B cell, TAB") << true << facts(Kind::CellEditor, false, true) << true;
        QTest::newRow("B box, TAB") << true << facts(Kind::TextBox, false, true) << false;
        QTest::newRow("B rows selected") << true << facts(Kind::Grid, true, true) << false;
        QTest::newRow("T") << false << facts(Kind::Other, true) << true;
    }
    void rowQueriesFollowTheFocus()
    {
        const auto [pasteQuery, focus, answer] =
            Fetch<bool, FocusFacts, bool>("pasteQuery", "focus", "answer");
        QCOMPARE(pasteQuery ? RowsCanBePasted(focus) : RowsAreSelected(focus), answer);
    }

    void editMenuFollowsTheFocus()
    {
        // Rows selected: only cut, copy and delete.
        EditCommandState rows = EditMenuState(facts(Kind::Grid, true, true));
        QVERIFY(rows.cut && rows.copy && rows.deleteSelection);
        QVERIFY(!rows.paste && !rows.undo && !rows.selectAll && !rows.editorCommandsVisible);

        FocusFacts box = facts(Kind::TextBox);
        box.canUndo = box.hasSelection = box.textLongerThanSelection = true;
        const EditCommandState boxState = EditMenuState(box);
        QVERIFY(boxState.undo && boxState.cut && boxState.copy && boxState.selectAll);
        QVERIFY(!boxState.paste);

        FocusFacts editor = facts(Kind::TextEditor, false, true);
        editor.readOnly = true;
        editor.hasSelection = editor.hasText = editor.canUndo = true;
        const EditCommandState editorState = EditMenuState(editor);
        QVERIFY(editorState.editorCommandsVisible && editorState.copy && editorState.selectAll);
        QVERIFY(!editorState.cut && !editorState.undo && !editorState.paste);
        editor.readOnly = false;
        editor.clipboardHasBoxText = true;
        QVERIFY(EditMenuState(editor).boxPaste);

        FocusFacts other = facts(Kind::Other, false, true);
        other.hasSelection = true;
        QCOMPARE(EditMenuState(other).paste, false);
        QCOMPARE(PopupMenuState(other).paste, true);
    }

    void buttonsFollowLineModeAndRow()
    {
        const GridButtonState cell = GridButtonsState(false, 1, true);
        QCOMPARE(cell.lineInsCaption, u"１行挿入"_s);
        QCOMPARE(cell.lineDeleteHint, u"現在の行を削除します"_s);
        QVERIFY(cell.pasteEnabled && cell.downEnabled && !cell.upEnabled);
        const GridButtonState last = GridButtonsState(false, 100, false);
        QVERIFY(!last.pasteEnabled && !last.downEnabled && last.upEnabled);
        const GridButtonState rows = GridButtonsState(true, 50, false);
        QCOMPARE(rows.lineInsCaption, u"コピー"_s);
        QCOMPARE(rows.lineDeleteCaption, u"切り取り"_s);
        QVERIFY(!rows.downEnabled && !rows.upEnabled);
    }

    void lineModeReturnsToTheSavedColumn()
    {
        LineMode mode;
        QVERIFY(!mode.leave(LineMode::Exit::Current, 0, 0, {3, 1}));
        QVERIFY(mode.enter(2));
        QVERIFY(!mode.enter(4));
        QCOMPARE(mode.leave(LineMode::Exit::Bottom, 3, 7, {5, 0}), (LineMode::Cell{7, 2}));
        QVERIFY(!mode.isOn());
        QVERIFY(mode.enter(-1));
        QCOMPARE(mode.leave(LineMode::Exit::Top, 3, 7, {5, 4}), (LineMode::Cell{3, 4}));
    }
};

QTEST_GUILESS_MAIN(TestItemGrid)
#include "tst_itemgrid.moc"
