#include "editing/teditor.h"
#include "project/inifile.h"
#include "scripteduserinterface.h"
#include "search/editorsearch.h"
#include "search/editorsearchtarget.h"
#include "search/searchcommands.h"
#include "search/tformreplace.h"
#include "search/tformsearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace SearchFlag;

class TestEditorSearch : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString settingsPath() const { return m_dir.filePath(QStringLiteral("Editor Settings.ini")); }

private Q_SLOTS:
    // The core works in UTF-16 positions, the control in UTF-8 bytes.
    void searchSelectsJapaneseText()
    {
        TEditor editor;
        editor.setText(QStringLiteral("日本語のテキスト、日本"));
        EditorSearchTarget target(editor);
        ScriptedUserInterface ui;
        QVERIFY(SearchStep(target, QStringLiteral("日本"), Down, ui));
        QCOMPARE(target.selectionStart(), 0);
        QVERIFY(SearchStep(target, QStringLiteral("日本"), Down, ui));
        QCOMPARE(editor.selectedText(), QStringLiteral("日本"));
        QCOMPARE(target.selectionStart(), 9);
        QVERIFY(SearchStep(target, QStringLiteral("テキスト"), 0, ui));
        QCOMPARE(target.selectionStart(), 4);
    }

    void replaceAllIsOneUndoStep()
    {
        TEditor editor;
        const QString original = QStringLiteral("<b>太字</b>と<b>もう一つ</b>\r\n<B>大文字</B>");
        editor.setText(original);
        editor.setModified(false);
        EditorSearchTarget target(editor);
        ScriptedUserInterface ui;
        QCOMPARE(ReplaceCommand(target, u"<b>"_s, u"<strong>"_s, Down | ReplaceAll, ui), 3);
        QCOMPARE(editor.text(),
                 QStringLiteral("<strong>太字</b>と<strong>もう一つ</b>\r\n<strong>大文字</B>"));
        QVERIFY(editor.isModified());
        QCOMPARE(ui.messages, QStringList{NotFoundMessage(u"<b>"_s)});
        editor.undo();
        QCOMPARE(editor.text(), original);
    }

    void readOnlyEditorRefusesReplace()
    {
        TEditor source;
        source.setText(u"abc abc"_s);
        source.setReadOnly(true);
        EditorSearchTarget target(source);
        ScriptedUserInterface ui;
        QCOMPARE(ReplaceCommand(target, u"abc"_s, u"x"_s, Down | ReplaceAll, ui), 0);
        EditorSearch search(settingsPath(), ui);
        search.replace(&source); // opens no dialog
        QCOMPARE(source.text(), QStringLiteral("abc abc"));
        QVERIFY(!EditorSearch::menuState(&source).replace);
        QVERIFY(EditorSearch::menuState(&source).find);
        QVERIFY(!EditorSearch::menuState(nullptr).find);
    }

    void searchDialogKeepsHistoryAndOptions()
    {
        QFile::remove(settingsPath());
        {
            TFormSearch dialog(settingsPath(), QStringLiteral("選択"));
            QCOMPARE(dialog.findChild<QComboBox *>(u"ComboBox1"_s)->currentText(),
                     QStringLiteral("選択"));
            dialog.findChild<QComboBox *>(u"ComboBox1"_s)->setEditText(QStringLiteral("検索語"));
            dialog.findChild<QCheckBox *>(u"chkNoMatchZenkaku"_s)->setChecked(true);
            dialog.findChild<QPushButton *>(u"OkBtn"_s)->click();
            QVERIFY(dialog.succeeded());
            QCOMPARE(dialog.resultText(), QStringLiteral("検索語"));
            QCOMPARE(dialog.dialogOptions(), SearchOptions(Down | NoMatchZenkaku));
        }
        {
            // Opened without a selection it shows the newest entry; an empty box searches the
            // initial text.
            TFormSearch dialog(settingsPath(), {});
            QCOMPARE(dialog.findChild<QComboBox *>(u"ComboBox1"_s)->currentText(),
                     QStringLiteral("検索語"));
            QVERIFY(dialog.findChild<QCheckBox *>(u"chkNoMatchZenkaku"_s)->isChecked());
        }
        {
            TFormSearch dialog(settingsPath(), QStringLiteral("前の語"));
            dialog.findChild<QComboBox *>(u"ComboBox1"_s)->setEditText({});
            dialog.findChild<QPushButton *>(u"OkBtn"_s)->click();
            QCOMPARE(dialog.resultText(), QStringLiteral("前の語"));
        }
    }

    void replaceDialogReportsTheButton()
    {
        QFile::remove(settingsPath());
        TFormReplace dialog(settingsPath());
        QVERIFY(dialog.findChild<QCheckBox *>(u"chkReplaceConfirm"_s)->isChecked());
        dialog.findChild<QComboBox *>(u"ComboBox1"_s)->setEditText(u"a"_s);
        dialog.findChild<QComboBox *>(u"ComboBox2"_s)->setEditText(u"b"_s);
        dialog.findChild<QPushButton *>(u"AllBtn"_s)->click();
        QVERIFY(dialog.succeeded());
        QCOMPARE(dialog.options(), SearchOptions(Down | ReplaceAll | Confirm));
        IniFile ini;
        ini.load(settingsPath());
        QCOMPARE(ini.value(u"SearchItems"_s, u"Text0"_s).value_or(QString()), QStringLiteral("a"));
        QCOMPARE(ini.value(u"ReplaceItems"_s, u"Text0"_s).value_or(QString()), QStringLiteral("b"));

        TFormReplace empty(settingsPath());
        QCOMPARE(empty.findChild<QComboBox *>(u"ComboBox1"_s)->currentText(), QStringLiteral("a"));
        QVERIFY(empty.findChild<QComboBox *>(u"ComboBox2"_s)->currentText().isEmpty());
        empty.findChild<QPushButton *>(u"OkBtn"_s)->click();
        QVERIFY(!empty.succeeded()); // no replacement text
    }
};

QTEST_MAIN(TestEditorSearch)
#include "tst_editorsearch.moc"
