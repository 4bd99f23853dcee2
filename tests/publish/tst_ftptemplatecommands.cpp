#include "publish/ftptemplatecommands.h"
#include "publish/ftptemplatefolder.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Answer = UserInterface::Answer;

namespace {

const QString NamePrompt = u"新しい名前を入力してください(拡張子は除く)"_s;

FtpTemplate withServer(const QString &server)
{
    FtpTemplate t;
    t.server = server;
    return t;
}

QString serverOf(const QString &folder, const QString &name)
{
    FtpTemplate t;
    LoadFtpTemplate(FtpTemplatePath(folder, name), t);
    return t.server;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

} // namespace

class TestFtpTemplateCommands : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path(); }

    void addTemplate(const QString &name)
    {
        FtpTemplate t = withServer(name + u".example.jp"_s);
        t.name = name;
        QCOMPARE(SaveFtpTemplate(folder(), t), FtpTemplateSaveResult::Saved);
    }

private Q_SLOTS:
    void init()
    {
        for (const QString &name : QDir(folder()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(QDir(folder()).filePath(name));
        addTemplate(u"Main"_s);
        addTemplate(u"backup"_s);
    }

    void listsTemplateFilesOnly()
    {
        testfiles::writeAll(QDir(folder()).filePath(u"notes.txt"_s), "x");
        testfiles::writeAll(QDir(folder()).filePath(u".hidden.ftp"_s), "x");
        testfiles::writeAll(QDir(folder()).filePath(u"UPPER.FTP"_s), "x");
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
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("same case") << u"Main"_s << 1;
        QTest::newRow("other case") << u"BACKUP"_s << 2;
        QTest::newRow("unknown") << u"other"_s << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("entry 0 is never matched") << u"使用しない"_s << 0;
    }
    void selectIgnoresCase()
    {
        QFETCH(QString, name);
        const QStringList entries{u"使用しない"_s, u"Main"_s, u"backup"_s};
        QTEST(SelectFtpTemplate(entries, name), "index");
    }

    void saveAs_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("askForName");
        QTest::addColumn<QList<std::optional<QString>>>("inputs");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QString>("savedAs"); // empty: nothing saved
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("questions");

        QTest::newRow("new name") << QString() << true << QList<std::optional<QString>>{u"new"_s}
                                  << QList<Answer>{} << u"new"_s
                                  << QStringList{u"テンプレート \"new\" を保存しました。"_s} << 1;
        QTest::newRow("nothing selected asks for a name")
            << QString() << false << QList<std::optional<QString>>{u"new"_s} << QList<Answer>{}
            << u"new"_s << QStringList{u"テンプレート \"new\" を保存しました。"_s} << 1;
        QTest::newRow("cancelled")
            << QString() << true << QList<std::optional<QString>>{std::nullopt} << QList<Answer>{}
            << QString() << QStringList{} << 1;
        QTest::newRow("empty name saves nothing")
            << QString() << true << QList<std::optional<QString>>{QString()} << QList<Answer>{}
            << QString() << QStringList{} << 1;
        QTest::newRow("selected one is replaced on Yes")
            << u"Main"_s << false << QList<std::optional<QString>>{} << QList<Answer>{Answer::Yes}
            << u"Main"_s << QStringList{u"テンプレート \"Main\" を保存しました。"_s} << 1;
        QTest::newRow("No asks for another name")
            << u"Main"_s << false << QList<std::optional<QString>>{u"other"_s}
            << QList<Answer>{Answer::No} << u"other"_s
            << QStringList{u"テンプレート \"other\" を保存しました。"_s} << 2;
        QTest::newRow("a name differing in case replaces that file")
            << QString() << true << QList<std::optional<QString>>{u"MAIN"_s}
            << QList<Answer>{Answer::Yes} << u"Main"_s
            << QStringList{u"テンプレート \"Main\" を保存しました。"_s} << 2;
        QTest::newRow("a name with a folder separator")
            << QString() << true << QList<std::optional<QString>>{u"../escape"_s, std::nullopt}
            << QList<Answer>{} << QString()
            << QStringList{u"テンプレートの名前に使えない文字が含まれています。"_s} << 2;
    }
    void saveAs()
    {
        QFETCH(QString, selected);
        QFETCH(bool, askForName);
        QFETCH(QList<std::optional<QString>>, inputs);
        QFETCH(QList<Answer>, answers);
        QFETCH(QString, savedAs);
        QFETCH(QStringList, messages);
        QFETCH(int, questions);

        ScriptedUserInterface ui;
        ui.inputs.append(inputs);
        ui.answers.append(answers);
        FtpTemplate values = withServer(u"saved.example.jp"_s);
        values.name = selected;
        const std::optional<QString> result = SaveFtpTemplateAs(ui, folder(), values, askForName);
        QCOMPARE(result.value_or(QString()), savedAs);
        QCOMPARE(ui.messages, messages);
        QCOMPARE(ui.questions.size(), questions);
        if (!savedAs.isEmpty())
            QCOMPARE(serverOf(folder(), savedAs), u"saved.example.jp"_s);
        QCOMPARE(serverOf(folder(), u"backup"_s), u"backup.example.jp"_s);
        if (savedAs != u"Main"_s)
            QCOMPARE(serverOf(folder(), u"Main"_s), u"Main.example.jp"_s);
        QVERIFY(!QFile::exists(folder() + u"/../escape.ftp"_s));
    }

    void saveAsTrimsServerAndUserOnly()
    {
        ScriptedUserInterface ui;
        FtpTemplate values = withServer(u" \tftp.example.jp\u3000"_s);
        values.name = u"trimmed"_s;
        values.user = u"\u3000taro "_s;
        values.password = u" pass word\r\n"_s;
        QCOMPARE(SaveFtpTemplateAs(ui, folder(), values, false), u"trimmed"_s);
        FtpTemplate saved;
        QVERIFY(LoadFtpTemplate(FtpTemplatePath(folder(), u"trimmed"_s), saved));
        QCOMPARE(saved.server, u"ftp.example.jp"_s);
        QCOMPARE(saved.user, u"taro"_s);
        // Blanks can be part of a password.
        QCOMPARE(saved.password, u" pass word\r\n"_s);
    }

    void saveAsRefusesLongServer()
    {
        ScriptedUserInterface ui;
        ui.inputs << u"long"_s;
        FtpTemplate values = withServer(QString(200, QLatin1Char('s')));
        QVERIFY(!SaveFtpTemplateAs(ui, folder(), values, true));
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages.first().startsWith(u"サーバー名が長すぎます。"_s));
        QVERIFY(!QFile::exists(FtpTemplatePath(folder(), u"long"_s)));
    }

    void rename_data()
    {
        QTest::addColumn<QList<std::optional<QString>>>("inputs");
        QTest::addColumn<QString>("newName"); // empty: not renamed
        QTest::addColumn<QStringList>("messages");

        const QString inUse = u" は既に存在しますので使用できません"_s;
        QTest::newRow("free name")
            << QList<std::optional<QString>>{u"third"_s} << u"third"_s << QStringList{};
        QTest::newRow("own name refused, then cancelled")
            << QList<std::optional<QString>>{u"Main"_s, std::nullopt} << QString()
            << QStringList{u"\"Main\""_s + inUse};
        QTest::newRow("name in other case refused, then a free one")
            << QList<std::optional<QString>>{u"BACKUP"_s, u"third"_s} << u"third"_s
            << QStringList{u"\"BACKUP\""_s + inUse};
        QTest::newRow("own name in other case refused")
            << QList<std::optional<QString>>{u"main"_s, std::nullopt} << QString()
            << QStringList{u"\"main\""_s + inUse};
        QTest::newRow("cancelled")
            << QList<std::optional<QString>>{std::nullopt} << QString() << QStringList{};
        QTest::newRow("separator refused")
            << QList<std::optional<QString>>{u"a/b"_s, std::nullopt} << QString()
            << QStringList{u"テンプレートの名前に使えない文字が含まれています。"_s};
    }
    void rename()
    {
        QFETCH(QList<std::optional<QString>>, inputs);
        QFETCH(QString, newName);
        QFETCH(QStringList, messages);

        ScriptedUserInterface ui;
        ui.inputs.append(inputs);
        const std::optional<QString> result = RenameFtpTemplate(ui, folder(), u"Main"_s);
        QCOMPARE(result.value_or(QString()), newName);
        QCOMPARE(ui.messages, messages);
        QCOMPARE(ui.questions, QStringList(inputs.size(), NamePrompt));
        const QString expectedName = newName.isEmpty() ? u"Main"_s : newName;
        QCOMPARE(sorted(FtpTemplateNames(folder())), sorted({expectedName, u"backup"_s}));
        QCOMPARE(serverOf(folder(), expectedName), u"Main.example.jp"_s);
    }

    void renameFailureIsNoNameInUse()
    {
        ScriptedUserInterface ui;
        ui.inputs << u"third"_s << std::nullopt;
        QVERIFY(!RenameFtpTemplate(ui, folder(), u"gone"_s));
        QCOMPARE(ui.messages, QStringList{u"\"gone\" の名前を変更できません。"_s});
    }

    void saveIntoAFolderThatCannotHoldIt()
    {
        ScriptedUserInterface ui;
        FtpTemplate values = withServer(u"x.example.jp"_s);
        values.name = u"new"_s;
        const QString notAFolder = folder() + u"/Main.ftp"_s;
        QVERIFY(!SaveFtpTemplateAs(ui, notAFolder, values, false));
        QCOMPARE(ui.messages, QStringList{u"テンプレート \"new\" を作成できません。"_s});
    }

    void remove_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("Yes") << u"Main"_s << Answer::Yes << true << QStringList{};
        QTest::newRow("Yes, name in other case")
            << u"MAIN"_s << Answer::Yes << true << QStringList{};
        QTest::newRow("Cancel") << u"Main"_s << Answer::Cancel << false << QStringList{};
        QTest::newRow("missing file") << u"gone"_s << Answer::Yes << false
                                      << QStringList{u"テンプレート \"gone\" を削除できません。"_s};
    }
    void remove()
    {
        QFETCH(QString, name);
        QFETCH(Answer, answer);
        QFETCH(bool, removed);
        QFETCH(QStringList, messages);
        ScriptedUserInterface ui;
        ui.answers << answer;
        QCOMPARE(DeleteFtpTemplate(ui, folder(), name), removed);
        QCOMPARE(ui.questions,
                 QStringList{u"選択されているテンプレート \""_s + name + u"\" を削除しますか？"_s});
        QCOMPARE(ui.messages, messages);
        QCOMPARE(FtpTemplateNames(folder()).contains(u"Main"_s), !removed);
    }
};

QTEST_GUILESS_MAIN(TestFtpTemplateCommands)
#include "tst_ftptemplatecommands.moc"
