#pragma once

#include <QString>
#include <QStringList>

// Entry 0 of every template list: no template.
inline const QString NoFtpTemplateEntry = QStringLiteral("使用しない");

// The names (base names of the "*.ftp" files) in the order the file system
// lists them.
QStringList FtpTemplateNames(const QString &folder);
// NoFtpTemplateEntry followed by FtpTemplateNames: the content of a list.
QStringList FtpTemplateListEntries(const QString &folder);

// The index of the entry naming the template, comparing file names without
// regard to letter case and skipping entry 0; 0 when none matches.
int SelectFtpTemplate(const QStringList &entries, const QString &name);

// The path of the template's file.
QString FtpTemplatePath(const QString &folder, const QString &name);
// The path of an existing file whose name equals the template's ignoring
// letter case; empty when there is none. Names that differ only in case are
// one template, as they are where the files came from.
QString ExistingFtpTemplatePath(const QString &folder, const QString &name);
