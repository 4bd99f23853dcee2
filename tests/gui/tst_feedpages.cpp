#include "app/common/texteditor.h"
#include "app/editing/channelpage.h"
#include "app/editing/defaultspanel.h"
#include "app/editing/feedpages.h"
#include "app/html/htmltemplatepage.h"
#include "app/publish/ftptemplatedialog.h"
#include "core/html/templatefile.h"
#include "core/project/project.h"
#include "core/project/projectwriter.h"
#include "core/publish/ftptemplatefolder.h"
#include "datarows.h"
#include "feedpagefixture.h"
#include "ftptemplates.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using windowfixture::typeInto;

class TestFeedPages : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Project> m_project;
    ScriptedUserInterface m_ui;
    std::unique_ptr<FeedPages> m_pages;
    ProjectNode *m_feed = nullptr;

    QString ftpFolder() const { return m_dir.filePath(u"ftp"_s); }

    template <typename T> T *find(const QString &name) const
    {
        for (QWidget *page : {static_cast<QWidget *>(m_pages->channelPage()),
                              static_cast<QWidget *>(m_pages->htmlPage())})
            if (T *found = page->findChild<T *>(name))
                return found;
        return nullptr;
    }

    // A project holding one feed with the settings, shown on the pages.
    void showFeed(const ChannelSettings &settings)
    {
        m_project = std::make_unique<Project>();
        auto data = std::make_unique<FeedData>();
        data->settings = settings;
        data->items.resize(100);
        for (int i = 0; i < 100; ++i)
            data->items[i].title = u"項目 %1"_s.arg(i);
        m_feed = m_project->root().appendChild(
            std::make_unique<ProjectNode>(u"お知らせ"_s, ProjectNode::FeedKind, std::move(data)));
        m_pages = std::make_unique<FeedPages>(
            *m_project, m_ui,
            FeedPages::FolderPaths{m_dir.path(), ftpFolder(), m_dir.filePath(u"html"_s)});
        m_project->setCurrentNode(m_feed);
        m_pages->showNode(*m_feed);
        m_pages->channelPage()->show();
        m_pages->htmlPage()->show();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir().mkpath(ftpFolder());
        saveExampleFtpTemplate(ftpFolder(), FixtureTemplateName);
        saveExampleFtpTemplate(ftpFolder(), u"other"_s);
    }
    void cleanup()
    {
        m_pages.reset();
        m_project.reset();
        m_ui = ScriptedUserInterface();
    }

    void showThenStoreWritesTheSameFile()
    {
        showFeed(everyFieldSet());
        const QByteArray before = WriteProjectFile(m_project->defaults, m_project->root());
        m_pages->storeNode(*m_feed);
        QCOMPARE(WriteProjectFile(m_project->defaults, m_project->root()), before);
        QVERIFY(!m_project->isModified());
        QVERIFY(!m_feed->data()->changed);
    }

    // The podcast fields fold away while the feed is no podcast; a category
    // the list does not know is shown and kept, for this feed only.
    void podcastSection()
    {
        showFeed({.itunescategory = u"Radio/Drama"_s});
        QWidget *fields = find<QWidget>(u"GB_Podcast_Sub"_s);
        auto *category = find<QComboBox>(u"CB_ItunesCategory_Sub"_s);
        QVERIFY(!fields->isVisibleTo(m_pages->channelPage()));
        find<QCheckBox>(u"CB_Podcast_Sub"_s)->click();
        QVERIFY(fields->isVisibleTo(m_pages->channelPage()));
        QVERIFY(m_project->isModified());
        QCOMPARE(category->currentText(), u"Radio/Drama"_s);
        m_pages->storeNode(*m_feed);
        QCOMPARE(m_feed->data()->settings.itunescategory, u"Radio/Drama"_s);
        QVERIFY(m_feed->data()->settings.podcast);

        const int known = category->count() - 1;
        m_feed->data()->settings.itunescategory = u"Arts"_s;
        m_pages->showNode(*m_feed);
        QCOMPARE(category->count(), known);
        QCOMPARE(category->currentText(), u"Arts"_s);
        QCOMPARE(category->findText(u"Radio/Drama"_s), -1);
    }

    void typingMarksTheFeed_data()
    {
        Columns<QString, QString, QString, bool>("ftptemplate", "ftpfolder", "field", "marked");
        const auto row = [](const char *name, const QString &ftptemplate, const char *ftpfolder,
                            const char *field, bool marked) {
            QTest::newRow(name) << ftptemplate << QString::fromUtf8(ftpfolder)
                                << QString::fromUtf8(field) << marked;
        };
        row("with a template", FixtureTemplateName, "", "ED_Informer_Creator_Sub", true);
        row("with an upload path", {}, "/srv", "ED_FileName_Sub", true);
        row("nowhere to upload", {}, "", "ED_Informer_Creator_Sub", false);
        row("template missing here", u"elsewhere"_s, "", "Edit_StyleSheet_Sub", true);
        row("typing the first upload path", {}, "", "ED_FTPFolderName_Sub", true);
        row("HTML template", FixtureTemplateName, "", "ED_Html_Script_Sub", true);
        row("spin box", FixtureTemplateName, "", "ED_DescStrMax_Sub", true);
    }
    void typingMarksTheFeed()
    {
        const auto [ftptemplate, ftpfolder, field, marked] =
            Fetch<QString, QString, QString, bool>("ftptemplate", "ftpfolder", "field", "marked");
        showFeed({.ftptemplate = ftptemplate, .ftpfolder = ftpfolder});
        QSignalSpy marks(m_project.get(), &Project::changedMarkChanged);
        QWidget *widget = find<QWidget>(field);
        QVERIFY(widget);
        typeInto(widget, u"7"_s);
        QVERIFY(m_project->isModified());
        QCOMPARE(m_feed->data()->changed, marked);
        QCOMPARE(marks.size(), marked ? 1 : 0);
        m_pages->storeNode(*m_feed);
        QCOMPARE(m_feed->data()->settings.ftptemplate, ftptemplate);
    }

    void languageChoiceMarksTheFeed()
    {
        showFeed({.ftptemplate = FixtureTemplateName});
        auto *language = find<QComboBox>(u"CB_language_Sub"_s);
        typeInto(language, {});
        QTest::keyClick(language, Qt::Key_Down);
        QVERIFY(m_feed->data()->changed);
        m_pages->storeNode(*m_feed);
        QCOMPARE(m_feed->data()->settings.language, u"en"_s);
    }

    void uploadPathFollowsTheTemplate()
    {
        showFeed(ChannelSettings());
        auto *list = find<QComboBox>(u"LB_FtpServer_Sub"_s);
        auto *label = find<QLabel>(u"LB_FTPFolderName_Sub"_s);
        auto *browse = find<QPushButton>(u"BT_FTPFolderName_Sub"_s);
        QCOMPARE(label->text(), u"アップロードするドライブ/サーバー名とパス(任意)"_s);
        QVERIFY(browse->isVisible());
        QVERIFY(!m_pages->toolState().upload);
        typeInto(list, {});
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(label->text(), u"FTPパス名(必須)"_s);
        QVERIFY(!browse->isVisible());
        QVERIFY(m_pages->toolState().upload);
        QVERIFY(m_project->isModified());
        QCOMPARE(m_feed->data()->settings.ftptemplate, list->currentText());
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(label->text(), u"アップロードするドライブ/サーバー名とパス(任意)"_s);
        QVERIFY(browse->isVisible());
    }

    void typingStopsAtTheLimit()
    {
        showFeed(everyFieldSet());
        auto *creator = find<QLineEdit>(u"ED_Informer_Creator_Sub"_s);
        creator->clear();
        typeInto(creator, u"\U0001F600"_s.repeated(45));
        QCOMPARE(creator->text(), u"\U0001F600"_s.repeated(40));
        // A longer title from the file cannot grow, but may shrink.
        auto *title = find<QLineEdit>(u"ED_Informer_Title_Sub"_s);
        typeInto(title, u"x"_s);
        QCOMPARE(title->text().size(), 45);
        QTest::keyClick(title, Qt::Key_Backspace);
        QCOMPARE(title->text().size(), 44);
    }

    void spinValues_data()
    {
        // typed: empty: not edited
        Columns<int, QString, int>("stored", "typed", "storedBack");
        QTest::newRow("out of range kept while untouched") << 500 << QString() << 500;
        QTest::newRow("half-typed value below the range") << 42 << u"3"_s << 5;
        QTest::newRow("typed value") << 42 << u"77"_s << 77;
    }
    void spinValues()
    {
        const auto [stored, typed, storedBack] =
            Fetch<int, QString, int>("stored", "typed", "storedBack");
        showFeed({.rssline = stored});
        auto *spin = find<QSpinBox>(u"ED_RssLine_Sub"_s);
        if (!typed.isEmpty()) {
            spin->selectAll();
            typeInto(spin, typed);
        }
        m_pages->storeNode(*m_feed);
        QCOMPARE(m_feed->data()->settings.rssline, storedBack);
    }

    void variableReplacesTheSelection()
    {
        showFeed({.htmlscript = u"<p>NAME</p>"_s});
        auto *editor = find<TextEditor>(u"ED_Html_Script_Sub"_s);
        editor->setSelection(0, 3, 0, 7);
        auto *list = find<QListWidget>(u"HtmlScriptList"_s);
        list->setCurrentRow(0);
        const QString inserted = list->item(0)->data(Qt::UserRole).toString();
        QVERIFY(inserted.startsWith(u'{'));
        typeInto(list, {});
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(editor->text(), u"<p>"_s + inserted + u"</p>"_s);
        QVERIFY(m_project->isModified());
    }

    void loadingATemplateIsAnEdit()
    {
        showFeed({.filename = u"News"_s,
                  .root = u"http://example.jp"_s,
                  .htmlscript = u"old"_s,
                  .ftptemplate = FixtureTemplateName});
        const QString file = m_dir.filePath(u"page.dht"_s);
        testfiles::writeAll(
            file, EncodeTemplateFile({PageExtension::Htm, Markup::Html, true}, u"<p>new</p>"_s));
        m_ui.files << file;
        find<QPushButton>(u"BT_HtmlLoad_Sub"_s)->click();
        QVERIFY(m_project->isModified());
        QVERIFY(m_feed->data()->changed);
        QCOMPARE(find<QLabel>(u"LB_HtmlUrl"_s)->text(),
                 u"( パス名 : http://example.jp/news.htm )"_s);
        auto *editor = find<TextEditor>(u"ED_Html_Script_Sub"_s);
        QCOMPARE(editor->text(), u"<p>new</p>"_s);
        m_pages->storeNode(*m_feed);
        QCOMPARE(m_feed->data()->settings.htmlext, PageExtension::Htm);
        QCOMPARE(m_feed->data()->settings.htmlmark, Markup::Html);
        QVERIFY(m_feed->data()->settings.htmllabel);
        editor->undo();
        QCOMPARE(editor->text(), u"old"_s);
    }

    void ftpDialogSavesAsNew()
    {
        QTemporaryDir folder;
        ScriptedUserInterface ui;
        ui.inputs << u"新しい"_s;
        FtpTemplateDialog form(ui, {folder.path()}, QString());
        QCOMPARE(form.findChild<QLineEdit *>(u"ED_Password"_s)->echoMode(), QLineEdit::Password);
        form.findChild<QLineEdit *>(u"ED_Server"_s)->setText(u" ftp.example.jp "_s);
        form.findChild<QLineEdit *>(u"ED_User"_s)->setText(u" taro "_s);
        form.findChild<QLineEdit *>(u"ED_Password"_s)->setText(u" secret "_s);
        form.findChild<QCheckBox *>(u"CB_Passive"_s)->setChecked(false);
        form.findChild<QPushButton *>(u"BT_New"_s)->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.savedName(), u"新しい"_s);
        const FtpTemplate saved = loadedFtpTemplate(folder.path(), u"新しい"_s);
        QCOMPARE(saved.server, u"ftp.example.jp"_s);
        QCOMPARE(saved.user, u"taro"_s);
        QCOMPARE(saved.password, u" secret "_s);
        QVERIFY(!saved.passive);
    }

    void ftpDialogShowsTheSelected()
    {
        FtpTemplateDialog form(m_ui, {ftpFolder()}, u"OTHER"_s);
        QCOMPARE(form.findChild<QLineEdit *>(u"ED_Server"_s)->text(), u"other.example.jp"_s);
        QCOMPARE(form.values().name, u"other"_s);
    }

    void defaultsPanelRenamesAndDeletes()
    {
        QTemporaryDir folder;
        saveExampleFtpTemplate(folder.path(), u"a"_s);
        ScriptedUserInterface ui;
        DefaultsPanel panel(ui, {folder.path()});
        ProjectDefaults defaults;
        defaults.ftptemplate = u"a"_s;
        panel.showDefaults(defaults);
        QSignalSpy edits(&panel, &DefaultsPanel::settingEdited);
        QSignalSpy changes(&panel, &DefaultsPanel::ftpTemplatesChanged);
        ui.inputs << u"b"_s;
        panel.findChild<QPushButton *>(u"ReNameBtn"_s)->click();
        panel.storeDefaults(defaults);
        QCOMPARE(defaults.ftptemplate, u"b"_s);
        QCOMPARE(FtpTemplateNames(folder.path()), QStringList{u"b"_s});
        ui.answers << UserInterface::Answer::Yes;
        panel.findChild<QPushButton *>(u"DelBtn"_s)->click();
        panel.storeDefaults(defaults);
        QVERIFY(defaults.ftptemplate.isEmpty());
        QVERIFY(FtpTemplateNames(folder.path()).isEmpty());
        QVERIFY(!panel.findChild<QPushButton *>(u"DelBtn"_s)->isEnabled());
        QCOMPARE(edits.size(), 2);
        QCOMPARE(changes.size(), 2);
    }

    void defaultsPanelKeepsAMissingTemplate()
    {
        ScriptedUserInterface ui;
        DefaultsPanel panel(ui, {ftpFolder()});
        ProjectDefaults defaults;
        defaults.ftptemplate = u"elsewhere"_s;
        defaults.language = u"EN"_s;
        defaults.memo = u"memo\r\nline"_s;
        QSignalSpy edits(&panel, &DefaultsPanel::settingEdited);
        panel.showDefaults(defaults);
        QCOMPARE(edits.size(), 0);
        QCOMPARE(panel.findChild<QComboBox *>(u"LB_FtpServer"_s)->currentText(),
                 u"elsewhere (見つかりません)"_s);
        QVERIFY(!panel.findChild<QPushButton *>(u"ReNameBtn"_s)->isEnabled());
        ProjectDefaults stored;
        panel.storeDefaults(stored);
        defaults.language = u"ja"_s;
        QCOMPARE(stored, defaults);
    }
};

QTEST_MAIN(TestFeedPages)
#include "tst_feedpages.moc"
