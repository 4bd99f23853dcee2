#include "publish/ftptemplatecommands.h"
#include "publish/ftptemplatefolder.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

namespace {

const QString NamePrompt = QStringLiteral("新しい名前を入力してください(拡張子は除く)");

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
        FtpTemplate t = withServer(name + QStringLiteral(".example.jp"));
        t.name = name;
        QCOMPARE(SaveFtpTemplate(folder(), t), FtpTemplateSaveResult::Saved);
    }

private Q_SLOTS:
    void init()
    {
        for (const QString &name : QDir(folder()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(QDir(folder()).filePath(name));
        addTemplate(QStringLiteral("Main"));
        addTemplate(QStringLiteral("backup"));
    }

    void listsTemplateFilesOnly()
    {
        testfiles::writeAll(QDir(folder()).filePath(QStringLiteral("notes.txt")), "x");
        testfiles::writeAll(QDir(folder()).filePath(QStringLiteral(".hidden.ftp")), "x");
        testfiles::writeAll(QDir(folder()).filePath(QStringLiteral("UPPER.FTP")), "x");
        QDir(folder()).mkdir(QStringLiteral("folder.ftp"));
        QCOMPARE(sorted(FtpTemplateNames(folder())),
                 (QStringList{QStringLiteral("Main"), QStringLiteral("UPPER"),
                              QStringLiteral("backup")}));
        const QStringList entries = FtpTemplateListEntries(folder());
        QCOMPARE(entries.first(), QStringLiteral("使用しない"));
        QCOMPARE(entries.size(), 4);
        QDir(folder()).rmdir(QStringLiteral("folder.ftp"));
    }

    void listOfMissingFolderIsEmpty()
    {
        QCOMPARE(FtpTemplateListEntries(folder() + QStringLiteral("/none")),
                 QStringList{QStringLiteral("使用しない")});
    }

    void selectIgnoresCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("same case") << QStringLiteral("Main") << 1;
        QTest::newRow("other case") << QStringLiteral("BACKUP") << 2;
        QTest::newRow("unknown") << QStringLiteral("other") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("entry 0 is never matched") << QStringLiteral("使用しない") << 0;
    }
    void selectIgnoresCase()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        const QStringList entries{QStringLiteral("使用しない"), QStringLiteral("Main"),
                                  QStringLiteral("backup")};
        QCOMPARE(SelectFtpTemplate(entries, name), index);
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

        const QString overwrite = QStringLiteral("\"Main\" は既に存在します 上書きしますか？");
        QTest::newRow("new name") << QString() << true
                                  << QList<std::optional<QString>>{QStringLiteral("new")}
                                  << QList<Answer>{} << QStringLiteral("new")
                                  << QStringList{QStringLiteral(
                                         "テンプレート \"new\" を保存しました。")}
                                  << 1;
        QTest::newRow("nothing selected asks for a name")
            << QString() << false << QList<std::optional<QString>>{QStringLiteral("new")}
            << QList<Answer>{} << QStringLiteral("new")
            << QStringList{QStringLiteral("テンプレート \"new\" を保存しました。")} << 1;
        QTest::newRow("cancelled")
            << QString() << true << QList<std::optional<QString>>{std::nullopt} << QList<Answer>{}
            << QString() << QStringList{} << 1;
        QTest::newRow("empty name saves nothing")
            << QString() << true << QList<std::optional<QString>>{QString()} << QList<Answer>{}
            << QString() << QStringList{} << 1;
        QTest::newRow("selected one is replaced on Yes")
            << QStringLiteral("Main") << false << QList<std::optional<QString>>{}
            << QList<Answer>{Answer::Yes} << QStringLiteral("Main")
            << QStringList{QStringLiteral("テンプレート \"Main\" を保存しました。")} << 1;
        QTest::newRow("No asks for another name")
            << QStringLiteral("Main") << false
            << QList<std::optional<QString>>{QStringLiteral("other")} << QList<Answer>{Answer::No}
            << QStringLiteral("other")
            << QStringList{QStringLiteral("テンプレート \"other\" を保存しました。")} << 2;
        QTest::newRow("a name differing in case replaces that file")
            << QString() << true << QList<std::optional<QString>>{QStringLiteral("MAIN")}
            << QList<Answer>{Answer::Yes} << QStringLiteral("Main")
            << QStringList{QStringLiteral("テンプレート \"Main\" を保存しました。")} << 2;
        QTest::newRow("a name with a folder separator")
            << QString() << true
            << QList<std::optional<QString>>{QStringLiteral("../escape"), std::nullopt}
            << QList<Answer>{} << QString()
            << QStringList{QStringLiteral("テンプレートの名前に使えない文字が含まれています。")}
            << 2;
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
        FtpTemplate values = withServer(QStringLiteral("saved.example.jp"));
        values.name = selected;
        const std::optional<QString> result = SaveFtpTemplateAs(ui, folder(), values, askForName);
        QCOMPARE(result.value_or(QString()), savedAs);
        QCOMPARE(ui.messages, messages);
        QCOMPARE(ui.questions.size(), questions);
        if (!savedAs.isEmpty())
            QCOMPARE(serverOf(folder(), savedAs), QStringLiteral("saved.example.jp"));
        QCOMPARE(serverOf(folder(), QStringLiteral("backup")), QStringLiteral("backup.example.jp"));
        if (savedAs != QStringLiteral("Main"))
            QCOMPARE(serverOf(folder(), QStringLiteral("Main")), QStringLiteral("Main.example.jp"));
        QVERIFY(!QFile::exists(folder() + QStringLiteral("/../escape.ftp")));
    }

    void saveAsTrimsTheTexts()
    {
        ScriptedUserInterface ui;
        FtpTemplate values = withServer(QStringLiteral(" \tftp.example.jp\u3000"));
        values.name = QStringLiteral("trimmed");
        values.user = QStringLiteral("\u3000taro ");
        values.password = QStringLiteral(" pass word\r\n");
        QCOMPARE(SaveFtpTemplateAs(ui, folder(), values, false), QStringLiteral("trimmed"));
        FtpTemplate saved;
        QVERIFY(LoadFtpTemplate(FtpTemplatePath(folder(), QStringLiteral("trimmed")), saved));
        QCOMPARE(saved.server, QStringLiteral("ftp.example.jp"));
        QCOMPARE(saved.user, QStringLiteral("taro"));
        QCOMPARE(saved.password, QStringLiteral("pass word"));
    }

    void saveAsRefusesLongServer()
    {
        ScriptedUserInterface ui;
        ui.inputs << QStringLiteral("long");
        FtpTemplate values = withServer(QString(200, QLatin1Char('s')));
        QVERIFY(!SaveFtpTemplateAs(ui, folder(), values, true));
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages.first().startsWith(QStringLiteral("サーバー名が長すぎます。")));
        QVERIFY(!QFile::exists(FtpTemplatePath(folder(), QStringLiteral("long"))));
    }

    void rename_data()
    {
        QTest::addColumn<QList<std::optional<QString>>>("inputs");
        QTest::addColumn<QString>("newName"); // empty: not renamed
        QTest::addColumn<QStringList>("messages");

        const QString inUse = QStringLiteral(" は既に存在しますので使用できません");
        QTest::newRow("free name") << QList<std::optional<QString>>{QStringLiteral("third")}
                                   << QStringLiteral("third") << QStringList{};
        QTest::newRow("own name refused, then cancelled")
            << QList<std::optional<QString>>{QStringLiteral("Main"), std::nullopt} << QString()
            << QStringList{QStringLiteral("\"Main\"") + inUse};
        QTest::newRow("name in other case refused, then a free one")
            << QList<std::optional<QString>>{QStringLiteral("BACKUP"), QStringLiteral("third")}
            << QStringLiteral("third") << QStringList{QStringLiteral("\"BACKUP\"") + inUse};
        QTest::newRow("own name in other case refused")
            << QList<std::optional<QString>>{QStringLiteral("main"), std::nullopt} << QString()
            << QStringList{QStringLiteral("\"main\"") + inUse};
        QTest::newRow("cancelled")
            << QList<std::optional<QString>>{std::nullopt} << QString() << QStringList{};
        QTest::newRow("separator refused")
            << QList<std::optional<QString>>{QStringLiteral("a/b"), std::nullopt} << QString()
            << QStringList{QStringLiteral("テンプレートの名前に使えない文字が含まれています。")};
    }
    void rename()
    {
        QFETCH(QList<std::optional<QString>>, inputs);
        QFETCH(QString, newName);
        QFETCH(QStringList, messages);

        ScriptedUserInterface ui;
        ui.inputs.append(inputs);
        const std::optional<QString> result =
            RenameFtpTemplate(ui, folder(), QStringLiteral("Main"));
        QCOMPARE(result.value_or(QString()), newName);
        QCOMPARE(ui.messages, messages);
        QCOMPARE(ui.questions, QStringList(inputs.size(), NamePrompt));
        const QString expectedName = newName.isEmpty() ? QStringLiteral("Main") : newName;
        QCOMPARE(sorted(FtpTemplateNames(folder())),
                 sorted({expectedName, QStringLiteral("backup")}));
        QCOMPARE(serverOf(folder(), expectedName), QStringLiteral("Main.example.jp"));
    }

    void remove_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("removed");
        QTest::newRow("Yes") << QStringLiteral("Main") << Answer::Yes << true;
        QTest::newRow("Yes, name in other case") << QStringLiteral("MAIN") << Answer::Yes << true;
        QTest::newRow("Cancel") << QStringLiteral("Main") << Answer::Cancel << false;
        QTest::newRow("missing file") << QStringLiteral("gone") << Answer::Yes << false;
    }
    void remove()
    {
        QFETCH(QString, name);
        QFETCH(Answer, answer);
        QFETCH(bool, removed);
        ScriptedUserInterface ui;
        ui.answers << answer;
        QCOMPARE(DeleteFtpTemplate(ui, folder(), name), removed);
        QCOMPARE(ui.questions, QStringList{QStringLiteral("選択されているテンプレート \"") + name +
                                           QStringLiteral("\" を削除しますか？")});
        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(FtpTemplateNames(folder()).contains(QStringLiteral("Main")), !removed);
    }
};

QTEST_GUILESS_MAIN(TestFtpTemplateCommands)
#include "tst_ftptemplatecommands.moc"
