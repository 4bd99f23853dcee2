#include "app/publish/ftptemplatedialog.h"
#include "datarows.h"
#include "ftptemplates.h"
#include "memorykeyring.h"
#include "scripteduserinterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What the user does in the dialog, one step a character: "s" chooses
// SFTP, "f" FTP, "t" FTPS (with the arrow keys, as a user would), a digit
// string types a port.
void act(FtpTemplateDialog &form, const QString &steps)
{
    auto *protocol = form.findChild<QComboBox *>(u"CB_Protocol"_s);
    auto *port = form.findChild<QSpinBox *>(u"ED_Port"_s);
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (step.front().isDigit()) {
            port->selectAll();
            QTest::keyClicks(port, step);
            continue;
        }
        const int target = QStringList{u"f"_s, u"t"_s, u"s"_s}.indexOf(step);
        while (protocol->currentIndex() != target)
            QTest::keyClick(protocol,
                            target > protocol->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
    }
}

} // namespace

// The template dialog, driven by its controls' names.
class TestFtpTemplateDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The port follows the protocol unless typed; the socket client and
    // passive mode are offered only where they work.
    void controlsFollowTheProtocol_data()
    {
        Columns<FtpProtocol, int, QString, int, bool, bool>("loaded", "loadedPort", "steps", "port",
                                                            "socketOffered", "passiveOffered");
        QTest::newRow("new FTP to SFTP")
            << FtpProtocol::Ftp << 21 << u"s"_s << 22 << false << false;
        QTest::newRow("SFTP, then FTPS")
            << FtpProtocol::Ftp << 21 << u"s t"_s << 21 << false << true;
        QTest::newRow("typed port stays")
            << FtpProtocol::Ftp << 21 << u"2121 s"_s << 2121 << false << false;
        QTest::newRow("loaded SFTP on 22 to FTP")
            << FtpProtocol::Sftp << 22 << u"f"_s << 21 << true << true;
        QTest::newRow("loaded SFTP on its own port")
            << FtpProtocol::Sftp << 2222 << u"f"_s << 2222 << true << true;
        QTest::newRow("loaded FTPS")
            << FtpProtocol::Ftps << 990 << QString() << 990 << false << true;
    }
    void controlsFollowTheProtocol()
    {
        const auto [loaded, loadedPort, steps, port, socketOffered, passiveOffered] =
            Fetch<FtpProtocol, int, QString, int, bool, bool>(
                "loaded", "loadedPort", "steps", "port", "socketOffered", "passiveOffered");
        QTemporaryDir folder;
        FtpTemplate t{u"site"_s, u"example.jp"_s};
        t.protocol = loaded;
        t.port = loadedPort;
        t.useCurlClient = false;
        QCOMPARE(SaveFtpTemplate(folder.path(), t), FtpTemplateSaveResult::Saved);
        ScriptedUserInterface ui;
        FtpTemplateDialog form(ui, {folder.path()}, u"site"_s);
        act(form, steps);

        auto *socket = form.findChild<QCheckBox *>(u"CB_WinInet"_s);
        QCOMPARE(form.findChild<QSpinBox *>(u"ED_Port"_s)->value(), port);
        QCOMPARE(socket->isEnabled(), socketOffered);
        QCOMPARE(form.findChild<QCheckBox *>(u"CB_Passive"_s)->isEnabled(), passiveOffered);
        ui.answers << UserInterface::Answer::Yes; // replace the template
        form.findChild<QPushButton *>(u"BT_Save"_s)->click();
        const FtpTemplate saved = loadedFtpTemplate(folder.path(), u"site"_s);
        QCOMPARE(int(saved.protocol),
                 form.findChild<QComboBox *>(u"CB_Protocol"_s)->currentIndex());
        QCOMPARE(saved.port, port);
        // A template the socket client cannot carry goes through libcurl,
        // and the box says so.
        QVERIFY(socketOffered || saved.usesCurl());
        QCOMPARE(socket->isChecked(), saved.usesCurl());
    }

    // A new template keeps its password in a keyring that answers; without
    // one the password stays in the file and the dialog says why.
    void keepsThePasswordInTheKeyring_data()
    {
        Columns<QString, bool, bool, QString>("reason", "refusesWrites", "inKeyring", "message");
        QTest::newRow("keyring answers")
            << QString() << false << true << u"テンプレート \"site\" を保存しました。"_s;
        QTest::newRow("keyring refuses the password")
            << QString() << true << true
            << u"パスワードをキーリングに保存できませんでした。テンプレートは保存していません。"_s;
        QTest::newRow("no keyring answers") << u"ロックされています"_s << false << false
                                            << u"テンプレート \"site\" を保存しました。"_s;
    }
    void keepsThePasswordInTheKeyring()
    {
        const auto [reason, refusesWrites, inKeyring, message] =
            Fetch<QString, bool, bool, QString>("reason", "refusesWrites", "inKeyring", "message");
        QTemporaryDir folder;
        MemoryKeyring keyring;
        keyring.reason = reason;
        keyring.refusesWrites = refusesWrites;
        ScriptedUserInterface ui;
        ui.inputs << u"site"_s;
        auto form = std::make_unique<FtpTemplateDialog>(
            ui, FtpTemplatePlaces{folder.path(), {}, &keyring}, QString());
        auto *box = form->findChild<QCheckBox *>(u"CB_Keyring"_s);
        auto *note = form->findChild<QLabel *>(u"LB_KeyringNote"_s);
        QCOMPARE(box->isEnabled(), inKeyring);
        QCOMPARE(box->isChecked(), inKeyring);
        QCOMPARE(note->isVisibleTo(form.get()), !inKeyring);
        QCOMPARE(note->text().contains(reason), true);
        form->findChild<QLineEdit *>(u"ED_Server"_s)->setText(u"h"_s);
        form->findChild<QLineEdit *>(u"ED_User"_s)->setText(u"taro"_s);
        form->findChild<QLineEdit *>(u"ED_Password"_s)->setText(u"秘密"_s);
        form->findChild<QPushButton *>(u"BT_New"_s)->click();
        QCOMPARE(ui.messages, QStringList{message});

        const FtpTemplate saved = loadedFtpTemplate(folder.path(), u"site"_s);
        if (refusesWrites) {
            QVERIFY(!saved.isUsable());
            return;
        }
        QCOMPARE(saved.passwordInKeyring, inKeyring);
        QCOMPARE(saved.password, inKeyring ? QString() : u"秘密"_s);
        QCOMPARE(keyring.read(KeyringKey(saved)),
                 inKeyring ? std::optional(u"秘密"_s) : std::nullopt);
        // Shown again from wherever it went.
        form = std::make_unique<FtpTemplateDialog>(
            ui, FtpTemplatePlaces{folder.path(), {}, &keyring}, u"site"_s);
        QCOMPARE(form->findChild<QLineEdit *>(u"ED_Password"_s)->text(), u"秘密"_s);
        QCOMPARE(form->findChild<QCheckBox *>(u"CB_Keyring"_s)->isChecked(), inKeyring);
    }

    // The button hands the shown values to the connection test and shows
    // its answer.
    void connectionTestShowsItsAnswer()
    {
        QTemporaryDir folder;
        ScriptedUserInterface ui;
        FtpTemplateDialog form(ui, {folder.path()}, QString());
        form.findChild<QLineEdit *>(u"ED_Server"_s)->setText(u"\u3000 "_s);
        form.findChild<QPushButton *>(u"BT_ConnectionTest"_s)->click();
        QCOMPARE(ui.messages, QStringList{u"FTPサーバー名を入力してください。"_s});
    }
};

QTEST_MAIN(TestFtpTemplateDialog)
#include "tst_ftptemplatedialog.moc"
