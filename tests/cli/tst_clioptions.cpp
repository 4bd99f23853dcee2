#include "datarows.h"
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
        Columns<QStringList, int, QByteArray, QByteArray>("args", "exitCode", "out", "err");
        const auto row = [](const char *name, const QString &commandLine, int exitCode,
                            const QByteArray &out, const QByteArray &err = {}) {
            QTest::newRow(name) << commandLine.split(u' ') << exitCode << out << err;
        };
        const QByteArray buildUsage = "usage: brisklet-cli build PROJECT.dta\n";
        row("help after a command", u"build --help"_s, 0, buildUsage);
        row("short help before a command", u"-h build"_s, 0, buildUsage);
        row("help after global options and arguments", u"--data-dir /nonexistent upload a.dta -h"_s,
            0, "usage: brisklet-cli upload PROJECT.dta FEEDPATH [--yes]\n");
        row("help alone lists every command", u"--help"_s, 0, "  save PROJECT.dta OUT.dta\n");
        row("version", u"--version"_s, 0, "brisklet-cli " BRISKLET_TEST_VERSION "\n");
        row("unknown global option", u"--verbose build a.dta"_s, 64, {},
            "unknown option: --verbose\n");
        row("unknown option of a command without options", u"build --force a.dta"_s, 64, {},
            "unknown option: --force\nusage: brisklet-cli build PROJECT.dta\n");
        row("unknown option of a command with options", u"upload a.dta News --dry-run"_s, 64, {},
            "unknown option: --dry-run\n");
        row("unknown option of ftp-template",
            u"--data-dir /nonexistent ftp-template save S --server h --host h"_s, 64, {},
            "unknown option: --host\n");
        row("unknown option of import-tbl", u"import-tbl a.dta t.tbl --under F --over"_s, 64, {},
            "unknown option: --over\n");
    }
    void options()
    {
        const auto [args, exitCode, out, err] =
            Fetch<QStringList, int, QByteArray, QByteArray>("args", "exitCode", "out", "err");
        const testfiles::CliResult result = testfiles::runCli(args);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.out.contains(out), result.out.constData());
        QVERIFY2(result.err.contains(err), result.err.constData());
        QCOMPARE(result.out.isEmpty(), exitCode != 0);
    }
};

QTEST_GUILESS_MAIN(TestCliOptions)
#include "tst_clioptions.moc"
