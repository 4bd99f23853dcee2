#include "datarows.h"
#include "editing/gridcommand.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Kind = FocusFacts::Kind;

namespace {

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

class TestGridCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lettersActOnTheFocusedControl_data()
    {
        Columns<QString, FocusFacts, GridAction>("letter", "focus", "action");

        QTest::newRow("A box") << u"A"_s << facts(Kind::TextBox) << GridAction::BoxSelectAll;
        QTest::newRow("A grid") << u"A"_s << facts(Kind::Grid) << GridAction::None;
        QTest::newRow("B cell, TAB")
            << u"B"_s << facts(Kind::CellEditor, false, true) << GridAction::Yes;
        QTest::newRow("B box, TAB")
            << u"B"_s << facts(Kind::TextBox, false, true) << GridAction::None;
        QTest::newRow("B rows selected")
            << u"B"_s << facts(Kind::Grid, true, true) << GridAction::None;
        QTest::newRow("C single cell") << u"C"_s << facts(Kind::Grid) << GridAction::None;
        QTest::newRow("C rows") << u"C"_s << facts(Kind::Grid, true) << GridAction::CopyRows;
        QTest::newRow("C cell editor") << u"C"_s << facts(Kind::CellEditor) << GridAction::BoxCopy;
        QTest::newRow("D rows") << u"D"_s << facts(Kind::Grid, true) << GridAction::DeleteRows;
        QTest::newRow("X rows") << u"X"_s << facts(Kind::Grid, true) << GridAction::CutRows;
        QTest::newRow("X box") << u"X"_s << facts(Kind::TextBox, true) << GridAction::BoxCut;
        QTest::newRow("X text editor")
            << u"X"_s << facts(Kind::TextEditor, true) << GridAction::None;
        QTest::newRow("P rows") << u"P"_s << facts(Kind::CellEditor, false, true)
                                << GridAction::PasteRows;
        FocusFacts plainText = facts(Kind::CellEditor);
        plainText.clipboardHasText = true;
        QTest::newRow("P text") << u"P"_s << plainText << GridAction::BoxPaste;
        QTest::newRow("P nothing") << u"P"_s << facts(Kind::TextBox) << GridAction::None;
        QTest::newRow("T") << u"T"_s << facts(Kind::Other, true) << GridAction::Yes;
        QTest::newRow("U grid") << u"U"_s << facts(Kind::Grid) << GridAction::None;
        QTest::newRow("unknown") << u"Q"_s << facts(Kind::TextBox) << GridAction::None;
    }
    void lettersActOnTheFocusedControl()
    {
        const auto [letter, focus, action] =
            Fetch<QString, FocusFacts, GridAction>("letter", "focus", "action");
        QCOMPARE(GridCommandAction(letter.at(0), focus), action);
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

QTEST_GUILESS_MAIN(TestGridCommand)
#include "tst_gridcommand.moc"
