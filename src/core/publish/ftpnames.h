#pragma once

#include <QString>

// FTP commands are lines: a CR or LF inside a name would end the command
// early and let the rest be read as another command, and a NUL cuts it.
// Such text is never sent.
inline bool IsSendableFtpText(const QString &text)
{
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')) &&
           !text.contains(QChar(0));
}

inline const QString UnsendableText = QStringLiteral("改行を含む名前は送信できません。");

// "/" followed by the upload path, the directory every upload changes to.
inline QString RemoteUploadDirectory(const QString &uploadPath)
{
    return QLatin1Char('/') + uploadPath;
}

// How both FTP clients send a file: as text, line ends converted by the
// server ("TYPE A"), or byte for byte ("TYPE I").
enum class FtpTransferMode
{
    Ascii,
    Binary
};
