#include "datarows.h"
#include "ftptemplates.h"
#include "publish/tftpform.h"
#include "scripteduserinterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// What the user does in the dialog, one step a character: "s" chooses
// SFTP, "f" FTP, "t" FTPS (with the arrow keys, as a user would), a digit
// string types a port.
void act(TFtpForm &form, const QString &steps)
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
class TestTFtpForm : public QObject
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
        t.useWinInet = false;
        QCOMPARE(SaveFtpTemplate(folder.path(), t), FtpTemplateSaveResult::Saved);
        ScriptedUserInterface ui;
        TFtpForm form(ui, folder.path(), u"site"_s);
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
};

QTEST_MAIN(TestTFtpForm)
#include "tst_tftpform.moc"
