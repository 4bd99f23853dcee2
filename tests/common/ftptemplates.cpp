#include "ftptemplates.h"

#include "core/publish/ftptemplatefolder.h"

#include <QTest>

char *toString(const FtpTemplate &t)
{
    return QTest::toString(QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
                               .arg(t.name, t.server, t.user, t.password)
                               .arg(t.timeout)
                               .arg(t.port)
                               .arg(t.passive)
                               .arg(t.useCurlClient));
}

FtpTemplate loadedFtpTemplate(const QString &folder, const QString &name)
{
    FtpTemplate t;
    LoadFtpTemplate(FtpTemplatePath(folder, name), t);
    return t;
}

void saveExampleFtpTemplate(const QString &folder, const QString &name)
{
    if (SaveFtpTemplate(folder, {.name = name, .server = name + QStringLiteral(".example.jp")}) !=
        FtpTemplateSaveResult::Saved)
        qFatal("cannot save the template %s", qPrintable(name));
}

FtpTemplate localFtpTemplate(quint16 port, const QString &user, const QString &password,
                             int timeout)
{
    FtpTemplate t;
    t.server = QStringLiteral("127.0.0.1");
    t.port = port;
    t.user = user;
    t.password = password;
    t.timeout = timeout;
    return t;
}
