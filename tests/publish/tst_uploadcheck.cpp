#include "examplefeed.h"
#include "project/project.h"
#include "project/standardoutputwriters.h"
#include "project/workspace.h"
#include "project/uploadfeed.h"
#include "scripteduserinterface.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The upload tells the feed check's errors before its question and goes on
// when the user says yes.
class TestUploadCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void warnsBeforeTheQuestion_data()
    {
        QTest::addColumn<bool>("broken");
        QTest::addColumn<QString>("warning");
        QTest::newRow("sound feed") << false << QString();
        QTest::newRow("feed with errors")
            << true << u"出力ファイルの検査で誤りが 1 件見つかりました.\r\n"_s;
    }

    void warnsBeforeTheQuestion()
    {
        QFETCH(bool, broken);
        QFETCH(QString, warning);
        QTemporaryDir work;
        QTemporaryDir target;
        Project project;
        ScriptedUserInterface ui;
        Workspace workspace(project, ui, Folders::at(work.path(), work.path()),
                            StandardOutputWriters(exampleClock()));
        project.setFileName(work.filePath(u"site.dta"_s));
        auto data = std::make_unique<TEditList>(exampleFeed());
        data->settings.html = false;
        data->settings.localfolder = work.path();
        data->settings.ftpfolder = target.path();
        if (broken)
            data->settings.description.clear(); // required in RSS 2.0
        ProjectNode *feed = project.root().appendChild(
            std::make_unique<ProjectNode>(u"お知らせ"_s, ProjectNode::FeedKind, std::move(data)));
        project.setCurrentNode(feed);
        ui.answers << UserInterface::Answer::Yes;

        QCOMPARE(UploadFeed(workspace, {}), UploadOutcome::Uploaded);
        QCOMPARE(ui.questions.size(), 1);
        QCOMPARE(ui.questions.first(), warning + u"\""_s + target.path() +
                                           u"\" に \"お知らせ\" のアップロードを実行しますか？"_s);
    }
};

QTEST_GUILESS_MAIN(TestUploadCheck)
#include "tst_uploadcheck.moc"
