#pragma once

#include "core/publish/ftptemplate.h"

#include <QMetaType>

// FTP templates as the tests save, read and compare them.
Q_DECLARE_METATYPE(FtpTemplate)
char *toString(const FtpTemplate &ftpTemplate);

// The template saved under the name in the folder; the defaults when there
// is none.
FtpTemplate loadedFtpTemplate(const QString &folder, const QString &name);
// Saves the template `name` whose server is "<name>.example.jp".
void saveExampleFtpTemplate(const QString &folder, const QString &name);
// A template that logs in to a test server on 127.0.0.1.
FtpTemplate localFtpTemplate(quint16 port, const QString &user, const QString &password,
                             int timeout);
