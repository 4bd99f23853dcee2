#include "datarows.h"
#include "ftptemplates.h"
#include "publish/templatescramble.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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

class TestFtpTemplate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
    }
    void saveAndLoad()
    {
        QFETCH(FtpTemplate, values);
        QTemporaryDir dir;
        QCOMPARE(SaveFtpTemplate(dir.path(), values), FtpTemplateSaveResult::Saved);
        QCOMPARE(loadedFtpTemplate(dir.path(), values.name), values);

        const QByteArray file = testfiles::readAll(dir.filePath(values.name + u".ftp"_s));
        QCOMPARE(file.count("\r\n"), 3);
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

QTEST_GUILESS_MAIN(TestFtpTemplate)
#include "tst_ftptemplate.moc"
