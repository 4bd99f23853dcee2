#include "core/publish/ftptemplatecommands.h"
#include "core/publish/ftptemplatefolder.h"
#include "core/publish/templatescramble.h"
#include "datarows.h"
#include "ftptemplates.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
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

QByteArray byteRange(int first, int last)
{
    QByteArray bytes;
    for (int b = first; b <= last; ++b)
        bytes.append(char(b));
    return bytes;
}

// A template line of fields separated by NUL, as the file holds them.
QByteArray nulJoined(const char *label, const QList<QByteArray> &fields)
{
    return label + fields.join('\0');
}

// The owner, group and others bits, without the bits of the current user.
constexpr QFile::Permissions OwnerGroupOther = QFile::Permissions(0xF0FF);

constexpr int Max = MaxPlainTemplateLine;
// Templates below list their fields in order: name, server, user, password,
// timeout, port, passive, libcurl.
const QString Name = u"sample"_s;
const QString Server = u"ftp.example.jp"_s;
const FtpTemplate Sample{.name = Name, .server = Server, .user = u"taro"_s, .password = u"pass"_s};

} // namespace

// FTP templates: their file form and the commands on the template folder,
// which holds the templates Main and backup before each test.
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

    void scrambleRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("bytes 0 to 126") << byteRange(0, 126);
        QTest::newRow("bytes 127 to 253") << byteRange(127, 253);
        QTest::newRow("bytes 254, 255 and a NUL") << (byteRange(254, 255) + '\0' + "x");
        QTest::newRow("one key cycle and one more") << QByteArray("123456789");
        QTest::newRow("longest line") << QByteArray(Max, '\xff');
        QTest::newRow("utf-8 text") << u"user:山田\u0000パス"_s.toUtf8();
    }
    void scrambleRoundTrip()
    {
        QFETCH(QByteArray, plain);
        const QByteArray scrambled = ScrambleTemplateLine(plain);
        QCOMPARE(scrambled.size(), plain.size() * 2);
        for (char c : scrambled)
            QVERIFY2(c > ' ' && c < 127, scrambled.constData());
        QCOMPARE(UnscrambleTemplateLine(scrambled), plain);
    }

    void scrambledLineIsCutAtTheFormatLimit()
    {
        const QByteArray plain(Max + 1, 'a');
        QCOMPARE(ScrambleTemplateLine(plain).size(), MaxScrambledTemplateLine);
        QCOMPARE(UnscrambleTemplateLine(ScrambleTemplateLine(plain)), plain.chopped(1));
    }

    void unscrambleOfForeignText_data()
    {
        Columns<QByteArray, QByteArray>("scrambled", "plain");
        QTest::newRow("not from the table") << QByteArray("server:x") << QByteArray();
        QTest::newRow("odd symbol left over")
            << (ScrambleTemplateLine("ab") + 'G') << QByteArray("ab");
        // Hexadecimal digits are read as they stand.
        QTest::newRow("plain hex digits") << QByteArray("5A") << QByteArray(1, '\0');
    }
    void unscrambleOfForeignText()
    {
        QFETCH(QByteArray, scrambled);
        QTEST(UnscrambleTemplateLine(scrambled), "plain");
    }

    void saveAndLoad_data()
    {
        QTest::addColumn<FtpTemplate>("values");
        const QString user = u"taro"_s, password = u"pass"_s;
        QTest::newRow("defaults") << Sample;
        QTest::newRow("passive off, libcurl on")
            << FtpTemplate{Name, Server, user, password, 10, 21, false, true};
        QTest::newRow("socket client, largest numbers")
            << FtpTemplate{Name, Server, user, password, 999, 65535, true, false};
        QTest::newRow("japanese account")
            << FtpTemplate{Name, Server, u"山田　太郎"_s, u"パス:ワード\t"_s};
        QTest::newRow("longest lines") << FtpTemplate{Name, QString(Max - 7, u's'),
                                                      QString(60, u'u'), QString(Max - 66, u'p')};
        QTest::newRow("anonymous") << FtpTemplate{Name, Server};
        QTest::newRow("sftp") << FtpTemplate{.name = Name,
                                             .server = Server,
                                             .user = user,
                                             .password = password,
                                             .port = 22,
                                             .protocol = FtpProtocol::Sftp};
        QTest::newRow("ftps, password in the keyring") << FtpTemplate{.name = Name,
                                                                      .server = Server,
                                                                      .user = user,
                                                                      .protocol = FtpProtocol::Ftps,
                                                                      .passwordInKeyring = true};
    }
    void saveAndLoad()
    {
        QFETCH(FtpTemplate, values);
        QTemporaryDir dir;
        QCOMPARE(SaveFtpTemplate(dir.path(), values), FtpTemplateSaveResult::Saved);
        QCOMPARE(loadedFtpTemplate(dir.path(), values.name), values);

        const QByteArray file = testfiles::readAll(dir.filePath(values.name + u".ftp"_s));
        // Plain FTP keeps the three lines older programs read.
        QCOMPARE(file.count("\r\n"),
                 values.protocol == FtpProtocol::Ftp && !values.passwordInKeyring ? 3 : 4);
        QVERIFY(file.endsWith("\r\n"));
        QVERIFY(!file.contains('\0'));
        for (const char *label : {"server:", "user:", "others:"})
            QVERIFY2(!file.toLower().contains(label), label);
        QVERIFY(!file.contains(values.server.toUtf8()));
    }

    void fileIsReadableByItsOwnerOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"sample.ftp"_s);
        testfiles::writeAll(path, "old");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
        QCOMPARE(SaveFtpTemplate(dir.path(), Sample), FtpTemplateSaveResult::Saved);
        QCOMPARE(QFile::permissions(path) & OwnerGroupOther, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(SaveFtpTemplate(dir.path(), FtpTemplate{u"fresh"_s, Server}),
                 FtpTemplateSaveResult::Saved);
        QCOMPARE(QFile::permissions(dir.filePath(u"fresh.ftp"_s)) & OwnerGroupOther,
                 QFile::ReadOwner | QFile::WriteOwner);
    }

    void unstorableTemplateIsRefused_data()
    {
        QTest::addColumn<FtpTemplate>("values");
        QTest::newRow("server one byte too long") << FtpTemplate{Name, QString(Max - 6, u's')};
        // 123 bytes in UTF-8
        QTest::newRow("server of multi-byte characters") << FtpTemplate{Name, QString(41, u'あ')};
        QTest::newRow("account and password one byte too long")
            << FtpTemplate{Name, Server, QString(61, u'u'), QString(Max - 66, u'p')};
        QTest::newRow("NUL in the password") << FtpTemplate{Name, Server, u"taro"_s, u"a\u0000b"_s};
        QTest::newRow("time-out 0") << FtpTemplate{Name, Server, {}, {}, 0};
        QTest::newRow("name leaving the folder") << FtpTemplate{u"../escaped"_s, Server};
        QTest::newRow("port out of range") << FtpTemplate{Name, Server, {}, {}, 10, 65536};
    }
    void unstorableTemplateIsRefused()
    {
        QFETCH(FtpTemplate, values);
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"Ftp"_s);
        const QString path = folder + u"/sample.ftp"_s;
        testfiles::writeAll(path, "old");
        QVERIFY(!FtpTemplateProblem(values).isEmpty());
        QCOMPARE(SaveFtpTemplate(folder, values), FtpTemplateSaveResult::Refused);
        QCOMPARE(testfiles::readAll(path), QByteArray("old"));
        QVERIFY(!QFile::exists(dir.filePath(u"escaped.ftp"_s)));
    }

    void unwritableFolderCannotCreate()
    {
        QTemporaryDir dir;
        QCOMPARE(SaveFtpTemplate(dir.filePath(u"missing"_s), Sample),
                 FtpTemplateSaveResult::CannotCreate);
    }

    // Files written line by line, as someone editing them would.
    void loadHandWrittenFile_data()
    {
        Columns<QList<QByteArray>, bool, FtpTemplate>("lines", "usable", "expected");
        const FtpTemplate t{u"hand"_s, u"host"_s, u"u"_s, u"p"_s};
        const QByteArray server = "server:host";
        const QByteArray user = nulJoined("user:", {"u", "p"});
        QTest::newRow("no others line") << QList<QByteArray>{server, user} << true << t;
        QTest::newRow("others first, labels in capitals")
            << QList<QByteArray>{nulJoined("OTHERS:", {"30", "2121", "0", "0"}), "SERVER:host",
                                 user}
            << true << FtpTemplate{t.name, t.server, t.user, t.password, 30, 2121, false, false};
        const FtpTemplate notPassive{t.name, t.server, t.user, t.password, 10, 21, false};
        QTest::newRow("others with words for numbers")
            << QList<QByteArray>{server, user, nulJoined("others:", {"ten", "x21", "0", "yes"})}
            << true << notPassive;
        QTest::newRow("others with numbers out of range")
            << QList<QByteArray>{server, user, nulJoined("others:", {"0", "99999", "0"})} << true
            << notPassive;
        QTest::newRow("others with a huge flag")
            << QList<QByteArray>{server, user,
                                 nulJoined("others:", {"10", "21", "99999999999999999999"})}
            << true << t;
        QTest::newRow("others empty") << QList<QByteArray>{server, user, "others:"} << true << t;
        QTest::newRow("user without NUL")
            << QList<QByteArray>{server, "user:u"} << true << FtpTemplate{t.name, t.server, u"u"_s};
        QTest::newRow("empty server") << QList<QByteArray>{"server:", user} << false
                                      << FtpTemplate{t.name, {}, t.user, t.password};
        QTest::newRow("a later line wins, others ignored")
            << QList<QByteArray>{server, "comment", user, "server:second"} << true
            << FtpTemplate{t.name, u"second"_s, t.user, t.password};
    }
    void loadHandWrittenFile()
    {
        QFETCH(QList<QByteArray>, lines);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"hand.ftp"_s);
        QByteArray file;
        for (const QByteArray &line : lines)
            file += ScrambleTemplateLine(line) + "\r\n";
        testfiles::writeAll(path, file);
        FtpTemplate loaded;
        QTEST(LoadFtpTemplate(path, loaded), "usable");
        QTEST(loaded, "expected");
    }

    void loadOfMissingFileGivesDefaults()
    {
        QTemporaryDir dir;
        FtpTemplate loaded = Sample;
        QVERIFY(!LoadFtpTemplate(dir.filePath(u"none.ftp"_s), loaded));
        QCOMPARE(loaded, FtpTemplate{u"none"_s});
    }
};

QTEST_GUILESS_MAIN(TestFtpTemplateCommands)
#include "tst_ftptemplatecommands.moc"
