#include "datarows.h"
#include "ftptemplates.h"
#include "publish/ftptemplatecommands.h"
#include "publish/ftptemplatefolder.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Answer = UserInterface::Answer;
using Inputs = QList<std::optional<QString>>;

namespace {

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

QString savedMessage(const QString &name)
{
    return u"テンプレート \""_s + name + u"\" を保存しました。"_s;
}

const QString BadName = u"テンプレートの名前に使えない文字が含まれています。"_s;

} // namespace

// The folder holds the templates Main and backup before each test.
class TestFtpTemplateCommands : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path(); }
    QString serverOf(const QString &name) const { return loadedFtpTemplate(folder(), name).server; }

private Q_SLOTS:
    void init()
    {
        for (const QString &name : QDir(folder()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(QDir(folder()).filePath(name));
        saveExampleFtpTemplate(folder(), u"Main"_s);
        saveExampleFtpTemplate(folder(), u"backup"_s);
    }

    void listsTemplateFilesOnly()
    {
        for (const QString &name : {u"notes.txt"_s, u".hidden.ftp"_s, u"UPPER.FTP"_s})
            testfiles::writeAll(QDir(folder()).filePath(name), "x");
        QDir(folder()).mkdir(u"folder.ftp"_s);
        QCOMPARE(sorted(FtpTemplateNames(folder())),
                 (QStringList{u"Main"_s, u"UPPER"_s, u"backup"_s}));
        const QStringList entries = FtpTemplateListEntries(folder());
        QCOMPARE(entries.first(), u"使用しない"_s);
        QCOMPARE(entries.size(), 4);
        QDir(folder()).rmdir(u"folder.ftp"_s);
        QCOMPARE(FtpTemplateListEntries(folder() + u"/none"_s), QStringList{u"使用しない"_s});
    }

    void selectIgnoresCase_data()
    {
        Columns<QString, int>("name", "index");
        QTest::newRow("same case") << u"Main"_s << 1;
        QTest::newRow("other case") << u"BACKUP"_s << 2;
        QTest::newRow("unknown") << u"other"_s << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("entry 0 is never matched") << u"使用しない"_s << 0;
    }
    void selectIgnoresCase()
    {
        QFETCH(QString, name);
        QTEST(SelectFtpTemplate({u"使用しない"_s, u"Main"_s, u"backup"_s}, name), "index");
    }

    void saveAs_data()
    {
        // savedAs: empty: nothing saved
        Columns<QString, bool, Inputs, QList<Answer>, QString, QStringList, int>(
            "selected", "askForName", "inputs", "answers", "savedAs", "messages", "questions");
        const auto row = [](const char *name, const QString &selected, bool askForName,
                            const Inputs &inputs, const QList<Answer> &answers,
                            const QString &savedAs, int questions, QStringList messages = {}) {
            if (!savedAs.isEmpty())
                messages << savedMessage(savedAs);
            QTest::newRow(name) << selected << askForName << inputs << answers << savedAs
                                << messages << questions;
        };
        row("new name", {}, true, {u"new"_s}, {}, u"new"_s, 1);
        row("nothing selected asks for a name", {}, false, {u"new"_s}, {}, u"new"_s, 1);
        row("cancelled", {}, true, {std::nullopt}, {}, {}, 1);
        row("empty name saves nothing", {}, true, {QString()}, {}, {}, 1);
        row("selected one is replaced on Yes", u"Main"_s, false, {}, {Answer::Yes}, u"Main"_s, 1);
        row("No asks for another name", u"Main"_s, false, {u"other"_s}, {Answer::No}, u"other"_s,
            2);
        row("a name differing in case replaces that file", {}, true, {u"MAIN"_s}, {Answer::Yes},
            u"Main"_s, 2);
        row("a name with a folder separator", {}, true, {u"../escape"_s, std::nullopt}, {}, {}, 2,
            {BadName});
    }
    void saveAs()
    {
        const auto [selected, askForName, savedAs, inputs, answers] =
            Fetch<QString, bool, QString, Inputs, QList<Answer>>("selected", "askForName",
                                                                 "savedAs", "inputs", "answers");
        ScriptedUserInterface ui;
        ui.inputs.append(inputs);
        ui.answers.append(answers);
        const FtpTemplate values{.name = selected, .server = u"saved.example.jp"_s};
        QCOMPARE(SaveFtpTemplateAs(ui, folder(), values, askForName).value_or(QString()), savedAs);
        QTEST(ui.messages, "messages");
        QTEST(int(ui.questions.size()), "questions");
        if (!savedAs.isEmpty())
            QCOMPARE(serverOf(savedAs), u"saved.example.jp"_s);
        QCOMPARE(serverOf(u"backup"_s), u"backup.example.jp"_s);
        if (savedAs != u"Main"_s)
            QCOMPARE(serverOf(u"Main"_s), u"Main.example.jp"_s);
        QVERIFY(!QFile::exists(folder() + u"/../escape.ftp"_s));
    }

    void saveAsTrimsServerAndUserOnly()
    {
        ScriptedUserInterface ui;
        const FtpTemplate values{u"trimmed"_s, u" \tftp.example.jp\u3000"_s, u"\u3000taro "_s,
                                 u" pass word\r\n"_s};
        QCOMPARE(SaveFtpTemplateAs(ui, folder(), values, false), u"trimmed"_s);
        const FtpTemplate saved = loadedFtpTemplate(folder(), u"trimmed"_s);
        QCOMPARE(saved.server, u"ftp.example.jp"_s);
        QCOMPARE(saved.user, u"taro"_s);
        // Blanks can be part of a password.
        QCOMPARE(saved.password, u" pass word\r\n"_s);
    }

    void saveAsRefuses()
    {
        ScriptedUserInterface ui;
        ui.inputs << u"long"_s;
        QVERIFY(!SaveFtpTemplateAs(ui, folder(), {.server = QString(200, u's')}, true));
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages.first().startsWith(u"サーバー名が長すぎます。"_s));
        QVERIFY(!QFile::exists(FtpTemplatePath(folder(), u"long"_s)));

        // A folder that cannot hold the file.
        ui.messages.clear();
        const FtpTemplate values{.name = u"new"_s, .server = u"x.example.jp"_s};
        QVERIFY(!SaveFtpTemplateAs(ui, folder() + u"/Main.ftp"_s, values, false));
        QCOMPARE(ui.messages, QStringList{u"テンプレート \"new\" を作成できません。"_s});
    }

    void rename_data()
    {
        // newName: empty: not renamed
        Columns<Inputs, QString, QStringList>("inputs", "newName", "messages");
        const QString inUse = u" は既に存在しますので使用できません"_s;
        QTest::newRow("free name") << Inputs{u"third"_s} << u"third"_s << QStringList{};
        QTest::newRow("own name refused, then cancelled")
            << Inputs{u"Main"_s, std::nullopt} << QString() << QStringList{u"\"Main\""_s + inUse};
        QTest::newRow("name in other case refused, then a free one")
            << Inputs{u"BACKUP"_s, u"third"_s} << u"third"_s
            << QStringList{u"\"BACKUP\""_s + inUse};
        QTest::newRow("own name in other case refused")
            << Inputs{u"main"_s, std::nullopt} << QString() << QStringList{u"\"main\""_s + inUse};
        QTest::newRow("cancelled") << Inputs{std::nullopt} << QString() << QStringList{};
        QTest::newRow("separator refused")
            << Inputs{u"a/b"_s, std::nullopt} << QString() << QStringList{BadName};
    }
    void rename()
    {
        const auto [inputs, newName] = Fetch<Inputs, QString>("inputs", "newName");
        ScriptedUserInterface ui;
        ui.inputs.append(inputs);
        QCOMPARE(RenameFtpTemplate(ui, folder(), u"Main"_s).value_or(QString()), newName);
        QTEST(ui.messages, "messages");
        QCOMPARE(ui.questions,
                 QStringList(inputs.size(), u"新しい名前を入力してください(拡張子は除く)"_s));
        const QString expectedName = newName.isEmpty() ? u"Main"_s : newName;
        QCOMPARE(sorted(FtpTemplateNames(folder())), sorted({expectedName, u"backup"_s}));
        QCOMPARE(serverOf(expectedName), u"Main.example.jp"_s);
    }

    void renameOfAMissingTemplate()
    {
        ScriptedUserInterface ui;
        ui.inputs << u"third"_s << std::nullopt;
        QVERIFY(!RenameFtpTemplate(ui, folder(), u"gone"_s));
        QCOMPARE(ui.messages, QStringList{u"\"gone\" の名前を変更できません。"_s});
    }

    void remove_data()
    {
        Columns<QString, Answer, bool, QStringList>("name", "answer", "removed", "messages");
        QTest::newRow("Yes") << u"Main"_s << Answer::Yes << true << QStringList{};
        QTest::newRow("Yes, name in other case")
            << u"MAIN"_s << Answer::Yes << true << QStringList{};
        QTest::newRow("Cancel") << u"Main"_s << Answer::Cancel << false << QStringList{};
        QTest::newRow("missing file") << u"gone"_s << Answer::Yes << false
                                      << QStringList{u"テンプレート \"gone\" を削除できません。"_s};
    }
    void remove()
    {
        const auto [name, answer, removed] =
            Fetch<QString, Answer, bool>("name", "answer", "removed");
        ScriptedUserInterface ui;
        ui.answers << answer;
        QCOMPARE(DeleteFtpTemplate(ui, folder(), name), removed);
        QCOMPARE(ui.questions,
                 QStringList{u"選択されているテンプレート \""_s + name + u"\" を削除しますか？"_s});
        QTEST(ui.messages, "messages");
        QCOMPARE(FtpTemplateNames(folder()).contains(u"Main"_s), !removed);
    }
};

QTEST_GUILESS_MAIN(TestFtpTemplateCommands)
#include "tst_ftptemplatecommands.moc"
