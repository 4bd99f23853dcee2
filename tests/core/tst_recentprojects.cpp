#include "core/files/recentlyused.h"
#include "core/project/project.h"
#include "core/project/projectcommands.h"
#include "core/project/projectwriter.h"
#include "core/project/saveproject.h"
#include "core/project/standardoutputwriters.h"
#include "core/project/workspace.h"
#include "core/settings/inifile.h"
#include "core/settings/recentprojects.h"
#include "datarows.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace {

QStringList numbered(int count)
{
    QStringList paths;
    for (int i = 1; i <= count; ++i)
        paths << u"/p/"_s + QString::number(i) + u".dta"_s;
    return paths;
}

const RecentFileUse use{u"/home/u/My RSS Data/Project/news.dta"_s,
                        u"application/x-brisklet-project"_s, u"Brisklet"_s, u"brisklet %u"_s};
const QByteArray ourHref = "file:///home/u/My%20RSS%20Data/Project/news.dta";
const QDateTime now(QDate(2026, 12, 7), QTime(9, 30), Qt::UTC);

// A list another program wrote, with its own bookmark and, in the second
// form, one for our file that it opened too.
QByteArray otherProgramsList(bool withOurFile)
{
    QByteArray ours = "  <bookmark href=\"" + ourHref +
                      "\" added=\"2026-01-01T00:00:00Z\" modified=\"2026-01-01T00:00:00Z\" "
                      "visited=\"2026-01-01T00:00:00Z\">\n"
                      "    <info><metadata owner=\"http://freedesktop.org\">"
                      "<mime:mime-type type=\"application/x-brisklet-project\"/>"
                      "<bookmark:applications>"
                      "<bookmark:application name=\"gedit\" exec=\"'gedit %u'\" "
                      "modified=\"2026-01-01T00:00:00Z\" count=\"1\"/>"
                      "<bookmark:application name=\"Brisklet\" exec=\"'brisklet %u'\" "
                      "modified=\"2026-01-01T00:00:00Z\" count=\"4\"/>"
                      "</bookmark:applications></metadata></info>\n  </bookmark>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xbel version=\"1.0\"\n"
           "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
           "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n>\n"
           "  <bookmark href=\"file:///home/u/notes.txt\" added=\"2026-02-02T00:00:00Z\">\n"
           "    <title>notes</title>\n  </bookmark>\n" +
           (withOurFile ? ours : QByteArray()) + "</xbel>\n";
}

struct Fixture
{
    QTemporaryDir dir;
    Project project;
    ScriptedUserInterface ui;
    Workspace ws{project, ui, Folders::at(dir.filePath(u"data"_s), dir.filePath(u"conf"_s)),
                 StandardOutputWriters(Clock{})};
    QStringList used; // what the workspace's hook heard

    Fixture()
    {
        ws.folders.create();
        ws.projectFileUsed = [this](const QString &path) { used << path; };
    }
    QString projectFile(const QString &name)
    {
        const QString path = dir.filePath(name);
        testfiles::writeAll(
            path, WriteProjectFile(ProjectDefaults(), ProjectNode(u"x"_s, ProjectNode::RootKind)));
        return path;
    }
};

} // namespace

class TestRecentProjects : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void remember_data()
    {
        Columns<QStringList, QString, QStringList>("before", "path", "after");
        QTest::newRow("a new file comes first") << QStringList{u"/p/a.dta"_s} << u"/p/b.dta"_s
                                                << QStringList{u"/p/b.dta"_s, u"/p/a.dta"_s};
        QTest::newRow("a known file moves up, once")
            << QStringList{u"/p/a.dta"_s, u"/p/b.dta"_s} << u"/p/b.dta"_s
            << QStringList{u"/p/b.dta"_s, u"/p/a.dta"_s};
        QTest::newRow("another spelling is the same file")
            << QStringList{u"/p/a.dta"_s} << u"/p//x/../a.dta"_s << QStringList{u"/p/a.dta"_s};
        QTest::newRow("the oldest falls off past eight")
            << numbered(8) << u"/p/new.dta"_s << QStringList{u"/p/new.dta"_s} + numbered(7);
    }
    void remember()
    {
        auto [list, path, after] =
            Fetch<QStringList, QString, QStringList>("before", "path", "after");
        RecentProjects::remember(list, path);
        QCOMPARE(list, after);
    }

    void keptInTheSettingsFile()
    {
        IniFile ini;
        RecentProjects::write(ini, numbered(3));
        QCOMPARE(RecentProjects::read(ini), numbered(3));
        // A hand-edited count past eight reads eight.
        QString text = u"[Recent]\nRecentMax=30\n"_s;
        for (int i = 1; i <= 9; ++i)
            text += u"Recent%1=/p/%1.dta\n"_s.arg(i);
        ini.parse(text);
        QCOMPARE(RecentProjects::read(ini), numbered(8));
    }

    void openingAndSavingRememberTheFile()
    {
        Fixture f;
        const QString opened = f.projectFile(u"a.dta"_s);
        QVERIFY(OpenRecentProject(f.ws, opened));
        QCOMPARE(f.project.fileName(), opened);
        const QString saved = f.dir.filePath(u"b.dta"_s);
        f.ui.files.enqueue(saved);
        QCOMPARE(SaveProject(f.ws, true, false, nullptr), SaveOutcome::Saved);
        QCOMPARE(f.ws.settings.recentProjects, (QStringList{saved, opened}));
        QCOMPARE(f.used, (QStringList{opened, saved}));
        // An export is no project of the window's.
        f.ui.files.enqueue(f.dir.filePath(u"c.dta"_s));
        QCOMPARE(SaveProject(f.ws, true, true, nullptr), SaveOutcome::Saved);
        QCOMPARE(f.used.size(), 2);
    }

    void missingRecentFileLeavesTheList()
    {
        Fixture f;
        const QString gone = f.dir.filePath(u"gone.dta"_s);
        f.ws.settings.recentProjects = {gone, u"/p/other.dta"_s};
        f.project.setModified(true);
        QVERIFY(!OpenRecentProject(f.ws, gone));
        QCOMPARE(f.ui.messages, QStringList{RecentProjectMissingMessage(gone)});
        QVERIFY(f.ui.questions.isEmpty()); // nothing to lose: the project stays
        QCOMPARE(f.ws.settings.recentProjects, QStringList{u"/p/other.dta"_s});
        QVERIFY(f.project.isModified());
    }

    void desktopRecentFiles_data()
    {
        Columns<QByteArray, int>("before", "count");
        QTest::newRow("no list yet") << QByteArray() << 1;
        QTest::newRow("other programs' files stay") << otherProgramsList(false) << 1;
        QTest::newRow("our file counts once more") << otherProgramsList(true) << 5;
    }
    void desktopRecentFiles()
    {
        const auto [before, count] = Fetch<QByteArray, int>("before", "count");
        QTemporaryDir dir;
        const QString list = dir.filePath(u"share/recently-used.xbel"_s);
        if (!before.isNull())
            testfiles::writeAll(list, before);
        QCOMPARE(AddRecentlyUsed(list, use, now), QString());

        const QByteArray after = testfiles::readAll(list);
        QCOMPARE(after.count("<bookmark "), before.count("<bookmark ") + (count == 1 ? 1 : 0));
        QCOMPARE(after.count(ourHref), 1);
        QVERIFY2(after.contains("count=\"" + QByteArray::number(count) + '"'), after.constData());
        QVERIFY(after.contains("exec=\"'brisklet %u'\""));
        QVERIFY(after.contains("visited=\"2026-12-07T09:30:00.000Z\""));
        if (before.contains("notes.txt")) {
            QVERIFY(after.contains("<title>notes</title>"));
            QVERIFY(after.contains("name=\"gedit\"") == before.contains("name=\"gedit\""));
        }
        if (count > 1)
            QVERIFY(after.contains("added=\"2026-01-01T00:00:00Z\""));
    }

    void unreadableDesktopListIsLeftAlone()
    {
        QTemporaryDir dir;
        const QString list = dir.filePath(u"recently-used.xbel"_s);
        const QByteArray broken = "<?xml version=\"1.0\"?>\n<xbel><bookmark href=";
        testfiles::writeAll(list, broken);
        QVERIFY(!AddRecentlyUsed(list, use, now).isEmpty());
        QCOMPARE(testfiles::readAll(list), broken);
    }
};

QTEST_GUILESS_MAIN(TestRecentProjects)
#include "tst_recentprojects.moc"
