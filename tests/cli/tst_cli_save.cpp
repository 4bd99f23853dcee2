#include "datarows.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testfiles::u8;

class TestCliSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheSameBytes()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(u8("出力.dta"));
        const auto result =
            testfiles::runCli({u8("save"), testfiles::dataPath(u8("sample.dta")), out});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.err.isEmpty());
        // The sample's only reference comes back as its character, and the
        // feed without a language reads the default one.
        QByteArray expected = testfiles::readAll(testfiles::dataPath(u8("sample.dta")));
        expected.replace("&#9733;", "\xE2\x98\x85");
        expected.replace("      <rssline>0</rssline>\r\n",
                         "      <rssline>0</rssline>\r\n      <language>ja</language>\r\n");
        QCOMPARE(testfiles::readAll(out), expected);
    }

    void replacesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(u8("out.dta"));
        testfiles::writeAll(out, "old contents that are much longer than nothing");
        const QString in = dir.filePath(u8("in.dta"));
        testfiles::writeAll(in, "<brisklet><project><ver>0</ver></project></brisklet>");
        QCOMPARE(testfiles::runCli({u8("save"), in, out}).exitCode, 0);
        const QByteArray written = testfiles::readAll(out);
        QVERIFY(written.contains("    <ver>0</ver>\r\n") && !written.contains("old"));
    }

    // Failures leave the output alone: no file, or the old one unchanged.
    void failures_data()
    {
        // arguments: IN and OUT stand for files in a folder
        // input: empty: IN does not exist
        Columns<QStringList, QByteArray, int, QString>("arguments", "input", "exitCode", "message");
        const QString usage = u8("usage: brisklet-cli save PROJECT.dta OUT.dta");
        const QStringList inOut{u8("IN"), u8("OUT")};
        QTest::newRow("missing project")
            << inOut << QByteArray() << 2 << u8("プロジェクトを読み込むことができません。");
        QTest::newRow("parse error with line")
            << inOut << QByteArray("<brisklet>\n<project>\n<node flag=\"1\">\n</brisklet>\n") << 2
            << u8("プロジェクトファイルを読み込めません（4 行目）。\nOpening and ending tag "
                  "mismatch.");
        QTest::newRow("output folder missing") << QStringList{u8("IN"), u8("OUT/none/out.dta")}
                                               << QByteArray("<brisklet/>") << 1 << QString();
        QTest::newRow("too few arguments")
            << QStringList{u8("IN")} << QByteArray("<brisklet/>") << 64 << usage;
        QTest::newRow("too many arguments")
            << inOut + QStringList{u8("OUT")} << QByteArray("<brisklet/>") << 64 << usage;
    }
    void failures()
    {
        const auto [arguments, input, message] =
            Fetch<QStringList, QByteArray, QString>("arguments", "input", "message");
        QTemporaryDir dir;
        const QString in = dir.filePath(u8("in.dta"));
        const QString out = dir.filePath(u8("out.dta"));
        if (!input.isEmpty())
            testfiles::writeAll(in, input);
        testfiles::writeAll(out, "kept");

        const auto result = testfiles::runCli(QStringList{u8("save")} + arguments,
                                              {{u8("IN"), in}, {u8("OUT"), out}});
        QTEST(result.exitCode, "exitCode");
        QVERIFY(result.out.isEmpty());
        QVERIFY(!result.err.isEmpty());
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
        QCOMPARE(testfiles::readAll(out), QByteArray("kept"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 input.isEmpty() ? 1 : 2);
    }
};

QTEST_GUILESS_MAIN(TestCliSave)
#include "tst_cli_save.moc"
