// "アップロードの設定": the FTP template dialog with two templates, the first
// one (SFTP) chosen and its password masked, on a desktop without a keyring.
#include "shot.h"

#include "app/common/qtuserinterface.h"
#include "app/publish/ftptemplatedialog.h"
#include "core/publish/ftptemplate.h"

#include <QDir>

namespace {

std::unique_ptr<QWidget> templateDialog(const QString &folder)
{
    // The dialog asks nothing while it is only drawn.
    static QtUserInterface ui(nullptr);
    const QString templates = folder + QStringLiteral("/Ftp");
    QDir().mkpath(templates);
    FtpTemplate site;
    site.name = QStringLiteral("レンタルサーバー");
    site.server = QStringLiteral("ftp.example.jp");
    site.user = QStringLiteral("yamada");
    site.password = QStringLiteral("secret123");
    site.timeout = 30;
    site.protocol = FtpProtocol::Sftp;
    site.port = DefaultFtpPort(site.protocol);
    SaveFtpTemplate(templates, site);
    FtpTemplate office = site;
    office.name = QStringLiteral("社内サーバー");
    office.server = QStringLiteral("192.168.0.10");
    SaveFtpTemplate(templates, office);
    return std::make_unique<FtpTemplateDialog>(ui, FtpTemplatePlaces{templates}, site.name);
}

const ShotRegistration registration({QStringLiteral("ftptemplatedialog"), templateDialog});

} // namespace
