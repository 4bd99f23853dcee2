#include "publish/ftptemplate.h"
#include "publish/templatescramble.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(FtpTemplate)

char *toString(const FtpTemplate &t)
{
    return QTest::toString(QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
                               .arg(t.name, t.server, t.user, t.password)
                               .arg(t.timeout)
                               .arg(t.port)
                               .arg(t.passive)
                               .arg(t.useWinInet));
}

namespace {

QByteArray byteRange(int first, int last)
{
    QByteArray bytes;
    for (int b = first; b <= last; ++b)
        bytes.append(char(b));
    return bytes;
}

// A template file written line by line, as someone editing it would.
void writeTemplateFile(const QString &path, const QList<QByteArray> &plainLines)
{
    QByteArray file;
    for (const QByteArray &line : plainLines)
        file += ScrambleTemplateLine(line) + "\r\n";
    testfiles::writeAll(path, file);
}

// The owner, group and others bits, without the bits of the current user.
constexpr QFile::Permissions OwnerGroupOther = QFile::Permissions(0xF0FF);

QByteArray nulJoined(const char *label, const QList<QByteArray> &fields)
{
    QByteArray line = label;
    for (qsizetype i = 0; i < fields.size(); ++i)
        line += (i ? QByteArray(1, '\0') : QByteArray()) + fields.at(i);
    return line;
}

FtpTemplate sample()
{
    FtpTemplate t;
    t.name = QStringLiteral("sample");
    t.server = QStringLiteral("ftp.example.jp");
    t.user = QStringLiteral("taro");
    t.password = QStringLiteral("pass");
    return t;
}

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
        QTest::newRow("longest line") << QByteArray(MaxPlainTemplateLine, '\xff');
        QTest::newRow("utf-8 text") << QStringLiteral("user:山田\u0000パス").toUtf8();
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
        const QByteArray plain(MaxPlainTemplateLine + 1, 'a');
        QCOMPARE(ScrambleTemplateLine(plain).size(), MaxScrambledTemplateLine);
        QCOMPARE(UnscrambleTemplateLine(ScrambleTemplateLine(plain)), plain.chopped(1));
    }

    void unscrambleOfForeignText_data()
    {
        QTest::addColumn<QByteArray>("scrambled");
        QTest::addColumn<QByteArray>("plain");
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
        FtpTemplate t = sample();
        QTest::newRow("defaults") << t;
        t.timeout = 10;
        t.port = 21;
        t.passive = false;
        t.useWinInet = true;
        QTest::newRow("passive off, libcurl on") << t;
        t.passive = true;
        t.useWinInet = false;
        t.timeout = 999;
        t.port = 65535;
        QTest::newRow("socket client, largest numbers") << t;
        t = sample();
        t.user = QStringLiteral("山田　太郎");
        t.password = QStringLiteral("パス:ワード\t");
        QTest::newRow("japanese account") << t;
        t = sample();
        t.server = QString(MaxPlainTemplateLine - 7, QLatin1Char('s'));
        t.user = QString(60, QLatin1Char('u'));
        t.password = QString(MaxPlainTemplateLine - 6 - 60, QLatin1Char('p'));
        QTest::newRow("longest lines") << t;
        t = sample();
        t.user.clear();
        t.password.clear();
        QTest::newRow("anonymous") << t;
    }
    void saveAndLoad()
    {
        QFETCH(FtpTemplate, values);
        QTemporaryDir dir;
        QCOMPARE(SaveFtpTemplate(dir.path(), values), FtpTemplateSaveResult::Saved);

        const QString path = dir.filePath(values.name + QStringLiteral(".ftp"));
        FtpTemplate loaded;
        QVERIFY(LoadFtpTemplate(path, loaded));
        QCOMPARE(loaded, values);

        const QByteArray file = testfiles::readAll(path);
        QCOMPARE(file.count("\r\n"), 3);
        QVERIFY(file.endsWith("\r\n"));
        QVERIFY(!file.contains('\0'));
        QVERIFY(!file.toLower().contains("server:"));
        QVERIFY(!file.toLower().contains("user:"));
        QVERIFY(!file.toLower().contains("others:"));
        QVERIFY(!file.contains(values.server.toUtf8()));
    }

    void fileIsReadableByItsOwnerOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sample.ftp"));
        testfiles::writeAll(path, "old");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
        QCOMPARE(SaveFtpTemplate(dir.path(), sample()), FtpTemplateSaveResult::Saved);
        QCOMPARE(QFile::permissions(path) & OwnerGroupOther, QFile::ReadOwner | QFile::WriteOwner);

        FtpTemplate fresh = sample();
        fresh.name = QStringLiteral("fresh");
        QCOMPARE(SaveFtpTemplate(dir.path(), fresh), FtpTemplateSaveResult::Saved);
        QCOMPARE(QFile::permissions(dir.filePath(QStringLiteral("fresh.ftp"))) & OwnerGroupOther,
                 QFile::ReadOwner | QFile::WriteOwner);
    }

    void unstorableTemplateIsRefused_data()
    {
        QTest::addColumn<FtpTemplate>("values");
        FtpTemplate t = sample();
        t.server = QString(MaxPlainTemplateLine - 6, QLatin1Char('s'));
        QTest::newRow("server one byte too long") << t;
        t = sample();
        t.server = QString(41, QChar(0x3042)); // 123 bytes in UTF-8
        QTest::newRow("server of multi-byte characters") << t;
        t = sample();
        t.user = QString(61, QLatin1Char('u'));
        t.password = QString(MaxPlainTemplateLine - 6 - 60, QLatin1Char('p'));
        QTest::newRow("account and password one byte too long") << t;
        t = sample();
        t.password = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
        QTest::newRow("NUL in the password") << t;
        t = sample();
        t.timeout = 0;
        QTest::newRow("time-out 0") << t;
        t = sample();
        t.name = QStringLiteral("../escaped");
        QTest::newRow("name leaving the folder") << t;
        t = sample();
        t.port = 65536;
        QTest::newRow("port out of range") << t;
    }
    void unstorableTemplateIsRefused()
    {
        QFETCH(FtpTemplate, values);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Ftp"));
        const QString path = folder + QStringLiteral("/sample.ftp");
        testfiles::writeAll(path, "old");
        QVERIFY(!FtpTemplateProblem(values).isEmpty());
        QCOMPARE(SaveFtpTemplate(folder, values), FtpTemplateSaveResult::Refused);
        QCOMPARE(testfiles::readAll(path), QByteArray("old"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("escaped.ftp"))));
    }

    void unwritableFolderCannotCreate()
    {
        QTemporaryDir dir;
        QCOMPARE(SaveFtpTemplate(dir.filePath(QStringLiteral("missing")), sample()),
                 FtpTemplateSaveResult::CannotCreate);
    }

    void loadHandWrittenFile_data()
    {
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<FtpTemplate>("expected");

        FtpTemplate t;
        t.name = QStringLiteral("hand");
        t.server = QStringLiteral("host");
        t.user = QStringLiteral("u");
        t.password = QStringLiteral("p");
        const QByteArray server = "server:host";
        const QByteArray user = nulJoined("user:", {"u", "p"});

        QTest::newRow("no others line") << QList<QByteArray>{server, user} << true << t;

        FtpTemplate numbers = t;
        numbers.timeout = 30;
        numbers.port = 2121;
        numbers.passive = false;
        numbers.useWinInet = false;
        QTest::newRow("others first, labels in capitals")
            << QList<QByteArray>{nulJoined("OTHERS:", {"30", "2121", "0", "0"}), "SERVER:host",
                                 user}
            << true << numbers;

        FtpTemplate badNumbers = t;
        badNumbers.passive = false;
        QTest::newRow("others with words for numbers")
            << QList<QByteArray>{server, user, nulJoined("others:", {"ten", "x21", "0", "yes"})}
            << true << badNumbers;
        QTest::newRow("others with numbers out of range")
            << QList<QByteArray>{server, user, nulJoined("others:", {"0", "99999", "0"})} << true
            << badNumbers;
        QTest::newRow("others with a huge flag")
            << QList<QByteArray>{server, user,
                                 nulJoined("others:", {"10", "21", "99999999999999999999"})}
            << true << t;
        QTest::newRow("others empty") << QList<QByteArray>{server, user, "others:"} << true << t;

        FtpTemplate noPassword = t;
        noPassword.password.clear();
        QTest::newRow("user without NUL")
            << QList<QByteArray>{server, "user:u"} << true << noPassword;

        FtpTemplate noServer = t;
        noServer.server.clear();
        QTest::newRow("empty server") << QList<QByteArray>{"server:", user} << false << noServer;

        FtpTemplate later = t;
        later.server = QStringLiteral("second");
        QTest::newRow("a later line wins, others ignored")
            << QList<QByteArray>{server, "comment", user, "server:second"} << true << later;
    }
    void loadHandWrittenFile()
    {
        QFETCH(QList<QByteArray>, lines);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hand.ftp"));
        writeTemplateFile(path, lines);
        FtpTemplate loaded;
        QTEST(LoadFtpTemplate(path, loaded), "usable");
        QTEST(loaded, "expected");
    }

    void loadOfMissingFileGivesDefaults()
    {
        QTemporaryDir dir;
        FtpTemplate loaded = sample();
        QVERIFY(!LoadFtpTemplate(dir.filePath(QStringLiteral("none.ftp")), loaded));
        FtpTemplate expected;
        expected.name = QStringLiteral("none");
        QCOMPARE(loaded, expected);
    }
};

QTEST_GUILESS_MAIN(TestFtpTemplate)
#include "tst_ftptemplate.moc"
