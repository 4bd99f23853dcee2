#include "core/publish/ftptemplatefolder.h"
#include "core/settings/folders.h"
#include "datarows.h"
#include "ftptemplates.h"
#include "pyftpdserver.h"
#include "scriptserver.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScriptServer::Kind)

namespace {

constexpr QFile::Permissions OwnerGroupOther = QFile::Permissions(0xF0FF);

} // namespace

// FTP templates on the command line, and uploads that use them.
class TestCliFtpTemplate : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dataDir;

    QString templateFolder() const { return Folders::at(m_dataDir.path(), {}).ftpTemplate; }

    // The words of the command line after "ftp-template".
    testfiles::CliResult run(const QString &commandLine)
    {
        return testfiles::runCli(QStringList{u"--data-dir"_s, m_dataDir.path(), u"ftp-template"_s} +
                                 commandLine.split(u' ', Qt::SkipEmptyParts));
    }
    FtpTemplate load(const QString &name) { return loadedFtpTemplate(templateFolder(), name); }

private Q_SLOTS:
    void saveWithDefaultsAndList()
    {
        const testfiles::CliResult saved =
            run(u"save Site --server ftp.example.jp --user taro --password 秘密"_s);
        QCOMPARE(saved.exitCode, 0);
        QCOMPARE(QString::fromUtf8(saved.err).trimmed(),
                 u"テンプレート \"Site\" を保存しました。"_s);
        QCOMPARE(load(u"Site"_s),
                 (FtpTemplate{u"Site"_s, u"ftp.example.jp"_s, u"taro"_s, u"秘密"_s}));
        QCOMPARE(QFile::permissions(FtpTemplatePath(templateFolder(), u"Site"_s)) & OwnerGroupOther,
                 QFile::ReadOwner | QFile::WriteOwner);

        QCOMPARE(
            run(u"save another --server h --port 2121 --timeout 30 --passive 0 --client socket"_s)
                .exitCode,
            0);
        QCOMPARE(load(u"another"_s),
                 (FtpTemplate{u"another"_s, u"h"_s, {}, {}, 30, 2121, false, false}));
        QCOMPARE(run(u"list"_s).out, QByteArray("another\nSite\n"));
    }

    void choosesClient_data()
    {
        Columns<QString, bool>("option", "useCurl");
        QTest::newRow("curl") << u"--client curl"_s << true;
        QTest::newRow("socket") << u"--client socket"_s << false;
        QTest::newRow("older name, socket") << u"--wininet 0"_s << false;
        QTest::newRow("older name, curl") << u"--wininet 1"_s << true;
    }
    void choosesClient()
    {
        const auto [option, useCurl] = Fetch<QString, bool>("option", "useCurl");
        // The opposite client first, so that the option has to change it.
        const QString save = u"save Client --server h --yes "_s;
        QCOMPARE(run((save + (useCurl ? u"--client socket"_s : u"--client curl"_s))).exitCode, 0);
        QCOMPARE(run((save + option)).exitCode, 0);
        QCOMPARE(load(u"Client"_s).useCurlClient, useCurl);
    }

    // The password on standard input, the protocol with the port it brings.
    void savesProtocolAndPasswordFromStdin_data()
    {
        Columns<QString, QByteArray, FtpTemplate>("args", "input", "saved");
        const auto saved = [](FtpProtocol protocol, int port, const QString &password) {
            FtpTemplate t{u"In"_s, u"h"_s, u"taro"_s, password};
            t.protocol = protocol;
            t.port = port;
            return t;
        };
        QTest::newRow("sftp brings port 22")
            << u"--protocol sftp --password-stdin"_s << QByteArray("秘 密\n")
            << saved(FtpProtocol::Sftp, 22, u"秘 密"_s);
        QTest::newRow("typed port stays") << u"--port 2222 --protocol sftp"_s << QByteArray()
                                          << saved(FtpProtocol::Sftp, 2222, {});
        QTest::newRow("ftps, CR LF line")
            << u"--protocol ftps --password-stdin"_s << QByteArray("pw\r\nnext\n")
            << saved(FtpProtocol::Ftps, 21, u"pw"_s);
    }
    void savesProtocolAndPasswordFromStdin()
    {
        const auto [args, input, saved] =
            Fetch<QString, QByteArray, FtpTemplate>("args", "input", "saved");
        const testfiles::CliResult result = testfiles::runCli(
            QStringList{u"--data-dir"_s, m_dataDir.path(), u"ftp-template"_s, u"save"_s, u"In"_s,
                        u"--server"_s, u"h"_s, u"--user"_s, u"taro"_s, u"--yes"_s} +
                args.split(u' '),
            {}, input);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(load(u"In"_s), saved);
    }

    void replacesOnlyWithYes()
    {
        QCOMPARE(run(u"save Twice --server first"_s).exitCode, 0);
        const testfiles::CliResult refused = run(u"save Twice --server second"_s);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(QString::fromUtf8(refused.err)
                    .contains(u"\"Twice\" は既に存在します 上書きしますか？"_s));
        QCOMPARE(load(u"Twice"_s).server, u"first"_s);
        QCOMPARE(run(u"save Twice --server second --yes"_s).exitCode, 0);
        QCOMPARE(load(u"Twice"_s).server, u"second"_s);
    }

    void refusesBadInput_data()
    {
        Columns<QString, int>("args", "exitCode");
        QTest::newRow("no server") << u"save Bad"_s << 64;
        QTest::newRow("port not a number") << u"save Bad --server h --port x"_s << 64;
        QTest::newRow("passive 2") << u"save Bad --server h --passive 2"_s << 64;
        QTest::newRow("unknown client") << u"save Bad --server h --client wininet"_s << 64;
        QTest::newRow("unknown protocol") << u"save Bad --server h --protocol scp"_s << 64;
        QTest::newRow("no password on stdin") << u"save Bad --server h --password-stdin"_s << 64;
        QTest::newRow("unknown option") << u"save Bad --server h --host h"_s << 64;
        QTest::newRow("option without value") << u"save Bad --server"_s << 64;
        QTest::newRow("no action") << QString() << 64;
        QTest::newRow("server too long") << u"save Bad --server "_s + QString(200, u's') << 1;
        QTest::newRow("time-out too short") << u"save Bad --server h --timeout 1"_s << 1;
        QTest::newRow("name with a separator") << u"save ../x --server h"_s << 1;
    }
    void refusesBadInput()
    {
        QFETCH(QString, args);
        const testfiles::CliResult result = run(args);
        QTEST(result.exitCode, "exitCode");
        QVERIFY(!result.err.isEmpty());
        QVERIFY(!QFile::exists(FtpTemplatePath(templateFolder(), u"Bad"_s)));
        QVERIFY(!QFile::exists(m_dataDir.filePath(u"Template/x.ftp"_s)));
    }

    // A saved template uploads a feed of the project, only with --yes.
    void uploadsWithASavedTemplate()
    {
        QTemporaryDir dataDir, root;
        const auto cli = [&](const QString &commandLine) {
            return testfiles::runCli(
                QStringList{u"--now"_s, u"2026-12-06 09:05:07"_s, u"--data-dir"_s, dataDir.path()} +
                commandLine.split(u' '));
        };
        QVERIFY(QDir(root.path()).mkpath(u"pub"_s));
        PyFtpdServer server;
        QVERIFY2(server.start(root.path(), u"brisk"_s, u"pass"_s), qPrintable(server.failure()));
        QCOMPARE(cli(u"ftp-template save site --server 127.0.0.1 --port %1 --user brisk "
                     u"--password pass"_s.arg(server.port()))
                     .exitCode,
                 0);
        // Its feed お知らせ goes with the template "site" into "pub".
        const QString feed =
            testfiles::placeProject(dataDir.path(), u"cli/project.dta"_s) + u" お知らせ"_s;
        auto result = cli(u"upload "_s + feed);
        QCOMPARE(result.exitCode, 1);
        QVERIFY(QString::fromUtf8(result.err)
                    .contains(u"\"site\" の設定で \"お知らせ\" のアップロードを実行しますか？"_s));
        QVERIFY(QDir(root.filePath(u"pub"_s)).isEmpty());

        result = cli(u"upload "_s + feed + u" --yes"_s);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(QString::fromUtf8(result.err).contains(u"アップロードは完了しました。"_s));
        QCOMPARE(testfiles::readAll(root.filePath(u"pub/news.xml"_s)), cli(u"rss "_s + feed).out);
        QCOMPARE(cli(u"upload "_s + feed.section(u' ', 0, 0) + u" ない --yes"_s).exitCode, 3);
    }

    // "--password-stdin" takes the first line of the input in place of the
    // template's password, or of the keyring the command line does not have.
    void uploadsWithThePasswordFromStdin_data()
    {
        Columns<QString, bool, QString, QByteArray, int, QString>("saved", "inKeyring", "option",
                                                                  "input", "exitCode", "message");
        const QString done = u"アップロードは完了しました。"_s;
        const QString stdin = u"--password-stdin"_s;
        QTest::newRow("replaces a wrong saved password")
            << u"wrong"_s << false << stdin << QByteArray("pass\n") << 0 << done;
        QTest::newRow("keyring template, CR LF line")
            << QString() << true << stdin << QByteArray("pass\r\nrest\n") << 0 << done;
        QTest::newRow("last line without an end")
            << QString() << true << stdin << QByteArray("pass") << 0 << done;
        QTest::newRow("wrong password on stdin")
            << u"pass"_s << false << stdin << QByteArray("wrong\n") << 1
            << u"アップロードに失敗しました。"_s;
        QTest::newRow("nothing on stdin") << u"pass"_s << false << stdin << QByteArray() << 2
                                          << u"標準入力からパスワードを読み込めませんでした。"_s;
        QTest::newRow("keyring template without the option")
            << QString() << true << QString() << QByteArray("pass\n") << 1
            << u"キーリングを利用できません。"_s;
    }
    void uploadsWithThePasswordFromStdin()
    {
        const auto [saved, inKeyring, option, input, exitCode, message] =
            Fetch<QString, bool, QString, QByteArray, int, QString>("saved", "inKeyring", "option",
                                                                    "input", "exitCode", "message");
        QTemporaryDir dataDir, root;
        QVERIFY(QDir(root.path()).mkpath(u"pub"_s));
        PyFtpdServer server;
        QVERIFY2(server.start(root.path(), u"brisk"_s, u"pass"_s), qPrintable(server.failure()));
        FtpTemplate site = server.ftpTemplate();
        site.name = u"site"_s;
        site.password = saved;
        site.passwordInKeyring = inKeyring;
        const QString folder = Folders::at(dataDir.path(), {}).ftpTemplate;
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(SaveFtpTemplate(folder, site), FtpTemplateSaveResult::Saved);

        QStringList args{
            u"--data-dir"_s, dataDir.path(),
            u"upload"_s,     testfiles::placeProject(dataDir.path(), u"cli/project.dta"_s),
            u"お知らせ"_s,   u"--yes"_s};
        if (!option.isEmpty())
            args.append(option);
        const testfiles::CliResult result = testfiles::runCli(args, {}, input);
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(QFile::exists(root.filePath(u"pub/news.xml"_s)), exitCode == 0);
    }

    // --yes trusts the server's host key or certificate and remembers it.
    void uploadsOverSftpAndFtps_data()
    {
        QTest::addColumn<ScriptServer::Kind>("kind");
        QTest::addColumn<QString>("remembered");
        QTest::newRow("SFTP") << ScriptServer::Kind::Sftp << u"known_hosts"_s;
        QTest::newRow("FTPS") << ScriptServer::Kind::Ftps << u"trusted_certificates"_s;
    }
    void uploadsOverSftpAndFtps()
    {
        QFETCH(ScriptServer::Kind, kind);
        QFETCH(QString, remembered);
        QTemporaryDir dataDir, root, config;
        // What the upload comes to trust goes to the settings folder.
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const auto restore = qScopeGuard([] { qunsetenv("XDG_CONFIG_HOME"); });
        QVERIFY(QDir(root.path()).mkpath(u"pub"_s));
        ScriptServer server(kind, root.path(), u"brisk"_s, u"pass"_s);
        QVERIFY2(server.start(), qPrintable(server.failure()));
        FtpTemplate site = server.ftpTemplate();
        site.name = u"site"_s;
        site.password.clear();
        const QString folder = Folders::at(dataDir.path(), {}).ftpTemplate;
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(SaveFtpTemplate(folder, site), FtpTemplateSaveResult::Saved);

        const QString project = testfiles::placeProject(dataDir.path(), u"cli/project.dta"_s);
        const testfiles::CliResult result =
            testfiles::runCli({u"--data-dir"_s, dataDir.path(), u"upload"_s, project, u"お知らせ"_s,
                               u"--yes"_s, u"--password-stdin"_s},
                              {}, "pass\n");
        QVERIFY2(result.exitCode == 0, result.err.constData());
        QVERIFY(testfiles::readAll(root.filePath(u"pub/news.xml"_s)).startsWith("<?xml"));
        QVERIFY(QFile::exists(config.filePath(u"Norvane/Brisklet/"_s + remembered)));
    }
};

QTEST_GUILESS_MAIN(TestCliFtpTemplate)
#include "tst_cliftptemplate.moc"
