#include "testfiles.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The options that every command shares: help, version, and naming what is
// not understood. None of these rows may touch a file.
class TestCliOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void options_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        const QByteArray buildUsage = "usage: brisklet-cli build PROJECT.dta\n";
        QTest::newRow("help after a command")
            << QStringList{u"build"_s, u"--help"_s} << 0 << buildUsage << QByteArray();
        QTest::newRow("short help before a command")
            << QStringList{u"-h"_s, u"build"_s} << 0 << buildUsage << QByteArray();
        QTest::newRow("help after global options and arguments")
            << QStringList{u"--data-dir"_s, u"/nonexistent"_s, u"upload"_s, u"a.dta"_s, u"-h"_s}
            << 0 << QByteArray("usage: brisklet-cli upload PROJECT.dta FEEDPATH [--yes]\n")
            << QByteArray();
        QTest::newRow("help alone lists every command")
            << QStringList{u"--help"_s} << 0 << QByteArray("  save PROJECT.dta OUT.dta\n")
            << QByteArray();
        QTest::newRow("version") << QStringList{u"--version"_s} << 0
                                 << QByteArray("brisklet-cli " BRISKLET_TEST_VERSION "\n")
                                 << QByteArray();
        QTest::newRow("unknown global option")
            << QStringList{u"--verbose"_s, u"build"_s, u"a.dta"_s} << 64 << QByteArray()
            << QByteArray("unknown option: --verbose\n");
        QTest::newRow("unknown option of a command without options")
            << QStringList{u"build"_s, u"--force"_s, u"a.dta"_s} << 64 << QByteArray()
            << QByteArray("unknown option: --force\nusage: brisklet-cli build PROJECT.dta\n");
        QTest::newRow("unknown option of a command with options")
            << QStringList{u"upload"_s, u"a.dta"_s, u"News"_s, u"--dry-run"_s} << 64 << QByteArray()
            << QByteArray("unknown option: --dry-run\n");
        QTest::newRow("unknown option of ftp-template")
            << QStringList{u"--data-dir"_s,
                           u"/nonexistent"_s,
                           u"ftp-template"_s,
                           u"save"_s,
                           u"S"_s,
                           u"--server"_s,
                           u"h"_s,
                           u"--host"_s,
                           u"h"_s}
            << 64 << QByteArray() << QByteArray("unknown option: --host\n");
        QTest::newRow("unknown option of import-tbl")
            << QStringList{u"import-tbl"_s, u"a.dta"_s, u"t.tbl"_s,
                           u"--under"_s,    u"F"_s,     u"--over"_s}
            << 64 << QByteArray() << QByteArray("unknown option: --over\n");
    }
    void options()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        const testfiles::CliResult result = testfiles::runCli(args);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.out.contains(out), result.out.constData());
        QVERIFY2(result.err.contains(err), result.err.constData());
        QCOMPARE(result.out.isEmpty(), exitCode != 0);
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "tst_clioptions.moc"
