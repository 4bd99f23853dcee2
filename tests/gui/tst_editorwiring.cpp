#include "app/common/commandset.h"
#include "app/common/texteditor.h"
#include "app/editing/contenttoolbar.h"
#include "app/project/pageframe.h"
#include "app/project/projecttreeview.h"
#include "app/startup.h"
#include "core/project/workspace.h"
#include "core/settings/settings.h"
#include "testfiles.h"
#include "windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace windowfixture;

// The window's text editor features: box mode, search and replace through
// the menus, and the content toolbar on the feed tabs.
class TestEditorWiring : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;

    TextEditor *editor(const QString &name) const
    {
        return m_window->findChild<TextEditor *>(name);
    }
    QAction *action(const QString &name) const { return m_window->commands().action(name); }

    // The tab's editor: the page's own when the tabs hold the real pages,
    // else one made here under the same name.
    void ensureEditor(PageFrame::Tab tab, const QString &name, bool readOnly = false)
    {
        if (editor(name))
            return;
        QWidget *content = m_window->pages().tabContent(tab);
        QLayout *layout = content->layout() ? content->layout() : new QVBoxLayout(content);
        auto *made = new TextEditor(content);
        made->setObjectName(name);
        made->setReadOnly(readOnly);
        layout->addWidget(made);
    }

    void showFeedTab(PageFrame::Tab tab)
    {
        m_window->selectNode(nodeOf(*m_window, u"news"_s));
        m_window->pages().tabs()->setCurrentIndex(tab);
    }

    void focus(TextEditor *target)
    {
        target->setFocus();
        QTRY_COMPARE(m_window->focusWidget(), target);
    }

    // Opens the menu's rules as a click on it would.
    void openMenu(const QString &name) { Q_EMIT m_window->findChild<QMenu *>(name)->aboutToShow(); }

private Q_SLOTS:
    void initTestCase()
    {
        LoadQtTranslation(*qApp);
        QVERIFY(foldersIn(m_dir).create().isEmpty());
        testfiles::writeAll(SettingsFilePath(foldersIn(m_dir)), "[Environ]\r\nEscapeRock=1\r\n");
    }

    void init()
    {
        m_window = windowWith(m_dir, u"news"_s, false);
        nodeOf(*m_window, u"news"_s)->data()->settings.htmlmark = Markup::Html;
        m_window->show();
        m_window->restoreLastSession();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        ensureEditor(PageFrame::ItemTab, u"Memo_content"_s);
        ensureEditor(PageFrame::HtmlTab, u"ED_Html_Script_Sub"_s);
        ensureEditor(PageFrame::ViewTab, u"Memo"_s, true);
    }

    void cleanup()
    {
        m_window->project().setModified(false);
        m_window.reset();
    }

    void boxModeSwitchesAllFourEditors()
    {
        const QStringList names = {u"Editor"_s, u"Memo_content"_s, u"ED_Html_Script_Sub"_s,
                                   u"Memo"_s};
        showFeedTab(PageFrame::ItemTab);
        focus(editor(u"Memo_content"_s));
        openMenu(u"Edit1"_s);
        QVERIFY(action(u"edit.boxMode"_s)->isVisible());
        QVERIFY(!action(u"edit.boxMode"_s)->isChecked());
        action(u"edit.boxMode"_s)->trigger();
        for (const QString &name : names)
            QVERIFY2(editor(name)->isBoxMode(), qPrintable(name));
        openMenu(u"Edit1"_s);
        QVERIFY(action(u"edit.boxMode"_s)->isChecked());

        // Ctrl+K reaches the window from inside an editor and switches all back.
        QTest::keyClick(editor(u"Memo_content"_s), Qt::Key_K, Qt::ControlModifier);
        for (const QString &name : names)
            QVERIFY2(!editor(name)->isBoxMode(), qPrintable(name));

        // Away from the editors the three editor commands are hidden while
        // the menu is open, and do nothing.
        m_window->treeView()->setFocus();
        openMenu(u"Edit1"_s);
        QVERIFY(!action(u"edit.boxMode"_s)->isVisible());
        QVERIFY(!action(u"edit.redo"_s)->isVisible());
        QVERIFY(!m_window->commands().trigger(u"edit.boxMode"_s));
        Q_EMIT m_window->findChild<QMenu *>(u"Edit1"_s)->aboutToHide();
        QVERIFY(action(u"edit.boxPaste"_s)->isVisible());
    }

    void replaceAllThroughTheMenuIsOneUndoStep()
    {
        showFeedTab(PageFrame::HtmlTab);
        TextEditor *html = editor(u"ED_Html_Script_Sub"_s);
        const QString original = u"<b>一</b>と<b>二</b>\r\n<B>三</B>"_s;
        html->setText(original);
        html->setModified(false);
        focus(html);
        html->setCursorPosition(0, 0);

        QString message;
        handleNextDialog<QDialog>([&message](QDialog &dialog) {
            QCOMPARE(dialog.objectName(), u"TFormReplace"_s);
            dialog.findChild<QComboBox *>(u"ComboBox1"_s)->setEditText(u"<b>"_s);
            dialog.findChild<QComboBox *>(u"ComboBox2"_s)->setEditText(u"<strong>"_s);
            dialog.findChild<QCheckBox *>(u"chkReplaceConfirm"_s)->setChecked(false);
            answerNextMessageBox(QMessageBox::Ok, &message);
            dialog.findChild<QPushButton *>(u"AllBtn"_s)->click();
        });
        openMenu(u"Find1"_s);
        QVERIFY(action(u"search.replace"_s)->isEnabled());
        action(u"search.replace"_s)->trigger();

        // Letter case is ignored unless asked for.
        QCOMPARE(html->text(), u"<strong>一</b>と<strong>二</b>\r\n<strong>三</B>"_s);
        QVERIFY(html->isModified());
        QCOMPARE(message, u"検索文字列 \" <b> \" は見つかりませんでした。"_s);
        // F3 searches again for the text the dialog recorded.
        html->setCursorPosition(0, 0);
        answerNextMessageBox(QMessageBox::Ok);
        QTest::keyClick(html, Qt::Key_F3);
        QVERIFY(!html->hasSelectedText());
        html->undo();
        QCOMPARE(html->text(), original);
    }

    void replaceIsOffInTheReadOnlySourceView()
    {
        showFeedTab(PageFrame::ViewTab);
        TextEditor *source = editor(u"Memo"_s);
        source->setText(u"abc"_s);
        focus(source);
        openMenu(u"Find1"_s);
        QVERIFY(action(u"search.find"_s)->isEnabled());
        QVERIFY(action(u"search.findNext"_s)->isEnabled());
        QVERIFY(!action(u"search.replace"_s)->isEnabled());
        // The rule is asked again for the key: no dialog opens.
        action(u"search.replace"_s)->setEnabled(true);
        bool dialogShown = false;
        QTimer::singleShot(50, [&dialogShown] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                dialogShown = true;
                modal->close();
            }
        });
        QTest::keyClick(source, Qt::Key_R, Qt::ControlModifier);
        QTest::qWait(100);
        QVERIFY(!dialogShown);
        // Nothing to search in without an editor.
        m_window->treeView()->setFocus();
        openMenu(u"Find1"_s);
        QVERIFY(!action(u"search.find"_s)->isEnabled());
    }

    void contentToolBarFollowsTheTabs()
    {
        auto *toolBar = m_window->findChild<ContentToolBar *>(u"ToolBar_Content"_s);
        // The lock comes from the settings; the feed's page is written in html.
        QVERIFY(toolBar->escapeLock());
        showFeedTab(PageFrame::ItemTab);
        TextEditor *content = editor(u"Memo_content"_s);
        QCOMPARE(toolBar->editor(), content);
        QVERIFY(toolBar->isVisible());
        QVERIFY(toolBar->parentWidget()->parentWidget()->isAncestorOf(content));
        content->setText(u"abc"_s);
        focus(content);
        content->selectAll();
        QTest::mouseClick(toolBar->widgetForAction(toolBar->findChild<QAction *>(u"ToolButton1"_s)),
                          Qt::LeftButton);
        QCOMPARE(content->text(), u"<b>abc</b>"_s);

        showFeedTab(PageFrame::HtmlTab);
        TextEditor *html = editor(u"ED_Html_Script_Sub"_s);
        QCOMPARE(toolBar->editor(), html);
        QVERIFY(toolBar->isVisible());
        html->setText(QString());
        focus(html);
        QTest::keyClick(html, Qt::Key_Return);
        QTest::keyClick(html, Qt::Key_Less);
        QCOMPARE(html->text(), u"<br>&lt;"_s);

        // The lock's state goes to the settings.
        toolBar->escapeLockAction()->trigger();
        QVERIFY(!m_window->workspace().settings.escapeRock);
    }
};

QTEST_MAIN(TestEditorWiring)
#include "tst_editorwiring.moc"
