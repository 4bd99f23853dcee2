#include "app/common/texteditor.h"
#include "app/search/editorsearchtarget.h"
#include "app/search/finddialog.h"
#include "app/search/replacedialog.h"
#include "core/search/searchcommands.h"
#include "core/settings/inifile.h"
#include "scripteduserinterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace SearchFlag;

// The search commands on the text editor and the two search dialogs; the
// menus and the replace through them are tested with the window.
class TestEditorSearch : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString settingsPath() const { return m_dir.filePath(u"Editor Settings.ini"_s); }

    template <typename T> static T *find(QWidget &dialog, const QString &name)
    {
        return dialog.findChild<T *>(name);
    }

private Q_SLOTS:
    // The core works in UTF-16 positions, the control in UTF-8 bytes.
    void searchSelectsJapaneseText()
    {
        TextEditor editor;
        editor.setText(u"日本語のテキスト、日本"_s);
        EditorSearchTarget target(editor);
        ScriptedUserInterface ui;
        QVERIFY(SearchStep(target, u"日本"_s, Down, ui));
        QCOMPARE(target.selectionStart(), 0);
        QVERIFY(SearchStep(target, u"日本"_s, Down, ui));
        QCOMPARE(editor.selectedText(), u"日本"_s);
        QCOMPARE(target.selectionStart(), 9);
        QVERIFY(SearchStep(target, u"テキスト"_s, 0, ui));
        QCOMPARE(target.selectionStart(), 4);
    }

    void readOnlyEditorRefusesReplace()
    {
        TextEditor source;
        source.setText(u"abc abc"_s);
        source.setReadOnly(true);
        EditorSearchTarget target(source);
        ScriptedUserInterface ui;
        QCOMPARE(ReplaceCommand(target, u"abc"_s, u"x"_s, Down | ReplaceAll, ui), 0);
        QCOMPARE(source.text(), u"abc abc"_s);
    }

    void searchDialogKeepsHistoryAndOptions()
    {
        QFile::remove(settingsPath());
        {
            FindDialog dialog(settingsPath(), u"選択"_s);
            auto *text = find<QComboBox>(dialog, u"ComboBox1"_s);
            QCOMPARE(text->currentText(), u"選択"_s);
            text->setEditText(u"検索語"_s);
            find<QCheckBox>(dialog, u"chkNoMatchZenkaku"_s)->setChecked(true);
            find<QPushButton>(dialog, u"OkBtn"_s)->click();
            QVERIFY(dialog.succeeded());
            QCOMPARE(dialog.resultText(), u"検索語"_s);
            QCOMPARE(dialog.dialogOptions(), SearchOptions(Down | NoMatchZenkaku));
        }
        {
            // Opened without a selection it shows the newest entry.
            FindDialog dialog(settingsPath(), {});
            QCOMPARE(find<QComboBox>(dialog, u"ComboBox1"_s)->currentText(), u"検索語"_s);
            QVERIFY(find<QCheckBox>(dialog, u"chkNoMatchZenkaku"_s)->isChecked());
        }
        {
            // An empty box searches the initial text.
            FindDialog dialog(settingsPath(), u"前の語"_s);
            find<QComboBox>(dialog, u"ComboBox1"_s)->setEditText({});
            find<QPushButton>(dialog, u"OkBtn"_s)->click();
            QCOMPARE(dialog.resultText(), u"前の語"_s);
        }
    }

    void replaceDialogReportsTheButton()
    {
        QFile::remove(settingsPath());
        ReplaceDialog dialog(settingsPath());
        QVERIFY(find<QCheckBox>(dialog, u"chkReplaceConfirm"_s)->isChecked());
        find<QComboBox>(dialog, u"ComboBox1"_s)->setEditText(u"a"_s);
        find<QComboBox>(dialog, u"ComboBox2"_s)->setEditText(u"b"_s);
        find<QPushButton>(dialog, u"AllBtn"_s)->click();
        QVERIFY(dialog.succeeded());
        QCOMPARE(dialog.options(), SearchOptions(Down | ReplaceAll | Confirm));
        IniFile ini;
        ini.load(settingsPath());
        QCOMPARE(ini.value(u"SearchItems"_s, u"Text0"_s).value_or(QString()), u"a"_s);
        QCOMPARE(ini.value(u"ReplaceItems"_s, u"Text0"_s).value_or(QString()), u"b"_s);

        ReplaceDialog empty(settingsPath());
        QCOMPARE(find<QComboBox>(empty, u"ComboBox1"_s)->currentText(), u"a"_s);
        QVERIFY(find<QComboBox>(empty, u"ComboBox2"_s)->currentText().isEmpty());
        find<QPushButton>(empty, u"OkBtn"_s)->click();
        QVERIFY(!empty.succeeded()); // no replacement text
    }
};

QTEST_MAIN(TestEditorSearch)
#include "tst_editorsearch.moc"
