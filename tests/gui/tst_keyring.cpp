#include "app/publish/ftptemplatedialog.h"
#include "app/publish/qtkeychainkeyring.h"
#include "core/publish/ftptemplatefolder.h"
#include "core/publish/templatescramble.h"
#include "core/text/charsets.h"
#include "ftptemplates.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Set in the program run again inside its own keyring session.
const char *const SessionMark = "BRISKLET_KEYRING_SESSION";

// Every form the password could take in a file: the encodings a reader
// might try, and the scrambled form at each position of the key.
QList<QByteArray> passwordForms(const QString &password)
{
    QList<QByteArray> forms{password.toUtf8(), EncodeShiftJis(password)};
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE})
        forms << QStringEncoder(encoding).encode(password);
    const QByteArray plain = password.toUtf8();
    for (int shift = 0; shift < 8; ++shift)
        forms << ScrambleTemplateLine(QByteArray(shift, 'x') + plain).mid(2 * shift);
    return forms;
}

} // namespace

// The desktop keyring through QtKeychain, inside a D-Bus session of the
// test's own with gnome-keyring unlocked, in a home folder of its own.
class TestKeyringInSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedTemplateHoldsNoPassword()
    {
        QtKeychainKeyring keyring;
        QVERIFY2(keyring.unavailableReason().isEmpty(), qPrintable(keyring.unavailableReason()));
        QTemporaryDir folder;
        ScriptedUserInterface ui;
        ui.inputs << u"site"_s;
        FtpTemplateDialog form(ui, {folder.path(), {}, &keyring}, QString());
        auto *box = form.findChild<QCheckBox *>(u"CB_Keyring"_s);
        QVERIFY(box->isEnabled() && box->isChecked());
        const QString password = u"秘密のpass語"_s;
        form.findChild<QLineEdit *>(u"ED_Server"_s)->setText(u"ftp.example.jp"_s);
        form.findChild<QLineEdit *>(u"ED_User"_s)->setText(u"taro"_s);
        form.findChild<QLineEdit *>(u"ED_Password"_s)->setText(password);
        form.findChild<QPushButton *>(u"BT_New"_s)->click();
        QCOMPARE(ui.messages, QStringList{u"テンプレート \"site\" を保存しました。"_s});

        const QByteArray file = testfiles::readAll(FtpTemplatePath(folder.path(), u"site"_s));
        QVERIFY(!file.isEmpty());
        for (const QByteArray &form : passwordForms(password))
            QVERIFY2(!file.contains(form), form.toHex().constData());
        // Another run of the program finds it in the keyring.
        const FtpTemplate saved = loadedFtpTemplate(folder.path(), u"site"_s);
        QVERIFY(saved.passwordInKeyring);
        QCOMPARE(QtKeychainKeyring().read(KeyringKey(saved)), std::optional(password));
    }
};

// Runs this program again inside dbus-run-session, after unlocking a new
// gnome-keyring there, so that the desktop's own keyring stays untouched.
class TestKeyring : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void inItsOwnSession()
    {
        const QString session = QStandardPaths::findExecutable(u"dbus-run-session"_s);
        const QString daemon = QStandardPaths::findExecutable(u"gnome-keyring-daemon"_s);
        if (session.isEmpty() || daemon.isEmpty())
            QSKIP("dbus-run-session or gnome-keyring-daemon is not installed");
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath(u"run"_s));
        QFile::setPermissions(home.filePath(u"run"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home.path());
        environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
        environment.insert(u"XDG_RUNTIME_DIR"_s, home.filePath(u"run"_s));
        environment.insert(QString::fromLatin1(SessionMark), u"1"_s);
        QProcess inner;
        inner.setProcessEnvironment(environment);
        inner.setProcessChannelMode(QProcess::MergedChannels);
        // The daemon reads the new keyring's password from its input.
        inner.start(session,
                    {u"--"_s, u"/bin/sh"_s, u"-c"_s,
                     u"echo -n pw | \"$1\" --unlock --components=secrets >/dev/null 2>&1 && "
                     u"exec \"$0\""_s,
                     QCoreApplication::applicationFilePath(), daemon});
        QVERIFY(inner.waitForFinished(120000));
        const QByteArray output = inner.readAll();
        QVERIFY2(inner.exitStatus() == QProcess::NormalExit && inner.exitCode() == 0,
                 output.constData());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(SessionMark)) {
        TestKeyringInSession test;
        return QTest::qExec(&test, argc, argv);
    }
    TestKeyring test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keyring.moc"
