#include "app/common/commandset.h"
#include "app/common/texteditor.h"
#include "app/preview/focusedtext.h"
#include "app/preview/previewwiring.h"
#include "app/project/pageframe.h"
#include "core/project/workspace.h"
#include "datarows.h"
#include "fakebrowser.h"
#include "windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

using namespace Qt::StringLiterals;
using namespace windowfixture;

using SettingsEdit = std::function<void(ChannelSettings &)>;
Q_DECLARE_METATYPE(SettingsEdit)

// The previews in the main window, with a fake browser behind them.
class TestPreviewWiring : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    std::unique_ptr<MainWindow> window()
    {
        auto window = windowWith(m_dir, u"News(a) b"_s, false);
        wiring(*window).setBrowserFactory(fakeFactory());
        return window;
    }

    static PreviewWiring &wiring(MainWindow &window)
    {
        return *window.findChild<PreviewWiring *>(u"PreviewWiring"_s);
    }

private Q_SLOTS:
    // The 機能 menu shows its preview entries as the buttons allow and
    // offers the feed check once the feed has a site and a file name.
    void functionMenu_data()
    {
        // expected: visible RSS, HTML, site; enabled check
        Columns<QString, SettingsEdit, QString>("node", "edit", "expected");
        const SettingsEdit none = [](ChannelSettings &) {};
        QTest::newRow("folder") << u"News"_s << none << u"---0"_s;
        QTest::newRow("feed without page or site") << u"a"_s << none << u"R--0"_s;
        QTest::newRow("page and root") << u"a"_s << SettingsEdit([](ChannelSettings &s) {
            s.html = true;
            s.root = u"http://example.jp/"_s;
            s.filename = u"news"_s;
        }) << u"RHS1"_s;
        QTest::newRow("RSS address, no file name")
            << u"b"_s << SettingsEdit([](ChannelSettings &s) {
                   s.src = u"http://example.jp/"_s;
                   s.filename.clear();
               })
            << u"R--0"_s;
    }

    void functionMenu()
    {
        const auto [node, edit, expected] =
            Fetch<QString, SettingsEdit, QString>("node", "edit", "expected");
        auto form = window();
        ProjectNode &chosen = *nodeOf(*form, node);
        if (chosen.data())
            edit(chosen.data()->settings);
        form->selectNode(&chosen);
        auto *menu = form->findChild<QMenu *>(u"Function1"_s);
        Q_EMIT menu->aboutToShow();
        CommandSet &c = form->commands();
        const QString shown = QString(c.action(u"preview.rss"_s)->isVisible() ? u'R' : u'-') +
                              (c.action(u"preview.html"_s)->isVisible() ? u'H' : u'-') +
                              (c.action(u"preview.sitePage"_s)->isVisible() ? u'S' : u'-') +
                              (c.action(u"preview.feedCheck"_s)->isEnabled() ? u'1' : u'0');
        QCOMPARE(shown, expected);
    }

    // Nothing of the preview is made at start; the " 確認 " tab and CB_View
    // show the generated text, and the RSS preview turns CB_View back.
    void sourceViewFollowsTheCommands()
    {
        auto form = window();
        QVERIFY(!wiring(*form).previewsIfMade());
        QVERIFY(!form->findChild<PreviewWindow *>());
        ChannelSettings &settings = nodeOf(*form, u"a"_s)->data()->settings;
        settings.title = u"お知らせ"_s;
        settings.htmlscript = u"<p>{channel_title}</p>"_s;
        form->selectNode(nodeOf(*form, u"a"_s));
        auto *view = form->findChild<QComboBox *>(u"CB_View"_s);
        auto *memo = form->findChild<TextEditor *>(u"Memo"_s);

        form->pages().tabs()->setCurrentIndex(PageFrame::ViewTab);
        QVERIFY(memo->text().startsWith(u"<?xml"_s));
        view->setCurrentIndex(1);
        QCOMPARE(memo->text(), u"<p>お知らせ</p>"_s);
        QVERIFY(!wiring(*form).previewsIfMade()->form());

        QVERIFY(form->commands().trigger(u"preview.rssButton"_s));
        QCOMPARE(view->currentIndex(), 0);
        PreviewWindow *preview = wiring(*form).previewsIfMade()->form();
        QVERIFY(preview);
        QVERIFY(fakeOf(preview)->calls.value(0).endsWith(u"/brisklettest.xml"_s));

        // The history goes back into the settings when the window closes.
        form->workspace().settings.addresses.clear();
        wiring(*form).windowClosing();
        QCOMPARE(form->workspace().settings.addresses, preview->history());
        QCOMPARE(form->workspace().settings.addresses.size(), 1);
    }

    // SB_Paste goes in as typed: the control counts it as the user's edit.
    void pasteIntoFocusedControl()
    {
        const QString address = u"http://example.jp/"_s;
        QLineEdit edit(u"abcdef"_s);
        edit.setSelection(1, 2);
        QSignalSpy edited(&edit, &QLineEdit::textEdited);
        QVERIFY(PasteIntoFocusedControl(&edit, address));
        QCOMPARE(edit.text(), u"a"_s + address + u"def"_s);
        QCOMPARE(edited.count(), 1);
        edit.undo();
        QCOMPARE(edit.text(), u"abcdef"_s);

        TextEditor editor;
        editor.setText(u"xy"_s);
        editor.setCursorPosition(0, 1);
        editor.setModified(false);
        QVERIFY(PasteIntoFocusedControl(&editor, address));
        QCOMPARE(editor.text(), u"x"_s + address + u"y"_s);
        QVERIFY(editor.isModified());

        QStandardItemModel cells(2, 2);
        QTableView grid;
        grid.setModel(&cells);
        grid.setCurrentIndex(cells.index(1, 1));
        QVERIFY(PasteIntoFocusedControl(&grid, address));
        QCOMPARE(cells.index(1, 1).data().toString(), address);
        QCOMPARE(FocusedControlText(&grid), address);

        QLabel label;
        QVERIFY(!PasteIntoFocusedControl(&label, address));
    }
};

QTEST_MAIN(TestPreviewWiring)
#include "tst_previewwiring.moc"
