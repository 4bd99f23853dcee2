#include "app/common/texteditor.h"
#include "app/editing/contenttoolbar.h"
#include "app/editing/urlinputdialog.h"
#include "datarows.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

class TestContentToolBar : public QObject
{
    Q_OBJECT

private:
    QWidget m_window;
    ContentToolBar *m_toolBar = nullptr;
    TextEditor *m_editor = nullptr;
    QLineEdit *m_other = nullptr; // somewhere else to put the focus

    void click(const QString &name)
    {
        QAction *action = m_toolBar->findChild<QAction *>(name);
        QVERIFY2(action, qPrintable(name));
        QVERIFY2(action->isEnabled(), qPrintable(name));
        action->trigger();
    }

    // Answers the next URL dialog: the address it shows, then OK or cancel.
    void answerUrlDialog(const QString &address, bool ok, QString *shown = nullptr,
                         bool *newWindowShown = nullptr)
    {
        QTimer::singleShot(0, this, [=, this] {
            auto *form = qobject_cast<UrlInputDialog *>(QApplication::activeModalWidget());
            QVERIFY(form);
            auto *box = form->findChild<QComboBox *>(u"ComboBox"_s);
            if (shown)
                *shown = box->currentText();
            if (newWindowShown)
                *newWindowShown = form->findChild<QCheckBox *>(u"CB_NewWindow"_s)->isChecked();
            box->setEditText(address);
            form->findChild<QCheckBox *>(u"CB_NewWindow"_s)->setChecked(false);
            form->findChild<QPushButton *>(ok ? u"OkBtn"_s : u"CancelBtn"_s)->click();
        });
    }

    void start(const QString &text, Markup markup)
    {
        m_editor->setText(text);
        m_editor->setMarkup(markup);
        m_editor->selectAll();
        if (text.isEmpty())
            m_editor->setFocus();
        m_toolBar->updateState();
    }

private Q_SLOTS:
    void initTestCase()
    {
        auto *layout = new QVBoxLayout(&m_window);
        m_toolBar = new ContentToolBar;
        m_editor = new TextEditor;
        layout->addWidget(m_toolBar);
        layout->addWidget(m_editor);
        m_other = new QLineEdit;
        layout->addWidget(m_other);
        m_toolBar->setEditor(m_editor);
        m_editor->setEscapeLock(m_toolBar->escapeLockAction());
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        QVERIFY(QTest::qWaitForWindowActive(&m_window));
    }

    void buttons_data()
    {
        // caret: position after the command
        Columns<QString, QString, int, QString, int>("button", "selection", "markup", "text",
                                                     "caret");
        const auto row = [](const char *name, const char *button, const char *selection,
                            Markup markup, const char *text, int caret) {
            QTest::newRow(name) << QString::fromUtf8(button) << QString::fromUtf8(selection)
                                << int(markup) << QString::fromUtf8(text) << caret;
        };
        row("b empty", "ToolButton1", "", Markup::Xhtml, "<b></b>", 3);
        row("b selection", "ToolButton1", "abc", Markup::Xhtml, "<b>abc</b>", 10);
        row("u", "ToolButton3", "x", Markup::Xhtml, "<u>x</u>", 8);
        row("center", "ToolButton11", "", Markup::Xhtml, "<div align=\"center\"></div>", 20);
        row("quote", "N28", "引用", Markup::Xhtml, "<blockquote>引用</blockquote>", 27);
        row("list html", "L1", "", Markup::Html, "<ul>\r\n<li>\r\n</ul>", 10);
        row("strike", "S2", "", Markup::Xhtml, "<s></s>", 3);
        row("lt", "TB_Left", "", Markup::Xhtml, "&lt;", 4);
        row("break html", "TB_Break", "", Markup::Html, "<br>", 4);
    }
    void buttons()
    {
        const auto [button, selection, markup, text, caret] =
            Fetch<QString, QString, int, QString, int>("button", "selection", "markup", "text",
                                                       "caret");
        start(selection, Markup(markup));
        m_editor->setModified(false);
        QAction *action = m_toolBar->findChild<QAction *>(button);
        if (!action) { // an item of " その他"
            action =
                m_toolBar->findChild<QMenu *>(u"PopupMenu_Sonota"_s)->findChild<QAction *>(button);
        }
        QVERIFY(action);
        action->trigger();
        QCOMPARE(m_editor->text(), text);
        QCOMPARE(
            m_editor->toTextPosition(m_editor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)),
            caret);
        QVERIFY(m_editor->isModified());
    }

    void lockedButtonsInsertPlainForms()
    {
        start({}, Markup::Xhtml);
        m_toolBar->setEscapeLock(true);
        click(u"TB_Left"_s);
        click(u"TB_Space"_s);
        QTest::keyClicks(m_editor, u"<"_s);
        m_toolBar->setEscapeLock(false);
        QCOMPARE(m_editor->text(), u"< &lt;"_s);
    }

    void enabledWithFocusOrSelection()
    {
        start({}, Markup::Xhtml);
        QVERIFY(m_toolBar->findChild<QAction *>(u"ToolButton1"_s)->isEnabled());
        m_other->setFocus();
        QVERIFY(!m_toolBar->findChild<QAction *>(u"ToolButton1"_s)->isEnabled());
        m_editor->setText(u"abc"_s);
        m_editor->selectAll();
        QVERIFY(m_toolBar->findChild<QAction *>(u"ToolButton1"_s)->isEnabled());
    }

    void linkDialogRemembersValues()
    {
        start({}, Markup::Xhtml);
        m_toolBar->setCandidateSource([] { return QStringList{u"http://a.jp/"_s}; });
        answerUrlDialog(u"http://a.jp/?q=\"x\""_s, true);
        click(u"ToolButton5"_s);
        QCOMPARE(m_editor->text(), u"<a href=\"http://a.jp/?q=&quot;x&quot;\"></a>"_s);
        // The next dialog starts with the last address and the box checked again.
        QString shown;
        bool newWindow = false;
        m_editor->selectAll(); // the focus may still be on its way back from the dialog
        m_toolBar->updateState();
        answerUrlDialog(u"ignored"_s, false, &shown, &newWindow);
        click(u"ToolButton5"_s);
        QCOMPARE(shown, u"http://a.jp/?q=\"x\""_s);
        QVERIFY(newWindow);
        QCOMPARE(m_toolBar->urlValues().linkAddress, u"ignored"_s);
    }

    void imageReplacesSelection()
    {
        start(u"old"_s, Markup::Html);
        answerUrlDialog(u"p.png"_s, true);
        click(u"ToolButton14"_s);
        QCOMPARE(m_editor->text(), u"<img src=\"p.png\" border=0>"_s);
    }
};

QTEST_MAIN(TestContentToolBar)
#include "tst_contenttoolbar.moc"
