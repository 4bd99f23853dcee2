#pragma once

#include <QString>

// How a template reaches its server. FTPS is FTP with explicit TLS ("AUTH
// TLS") on the control and the data connection; SFTP is the SSH file
// transfer. The numbers are stored in template files.
enum class FtpProtocol
{
    Ftp = 0,
    Ftps = 1,
    Sftp = 2,
};

// The port a protocol uses when none is typed: 21, 21, 22.
int DefaultFtpPort(FtpProtocol protocol);
// The port after the protocol changed: a port still at the old protocol's
// default follows the new one, a typed port stays.
int PortAfterProtocolChange(int port, FtpProtocol from, FtpProtocol to);
// The socket client speaks plain FTP only; FTPS and SFTP go through libcurl.
inline bool SocketClientSpeaks(FtpProtocol protocol)
{
    return protocol == FtpProtocol::Ftp;
}
// Passive and active data connections belong to FTP, with or without TLS.
inline bool HasPassiveMode(FtpProtocol protocol)
{
    return protocol != FtpProtocol::Sftp;
}

// A named FTP connection setting, stored as "<name>.ftp" in the FTP template
// folder. The name is not part of the file; it is the file's base name.
struct FtpTemplate
{
    static constexpr int DefaultTimeout = 10; // seconds
    static constexpr int MinTimeout = 3;
    static constexpr int MaxTimeout = 999;
    static constexpr int DefaultPort = 21;

    QString name;
    QString server;
    QString user;
    QString password;
    int timeout = DefaultTimeout;
    int port = DefaultPort;
    bool passive = true;
    bool useCurlClient = true; // true: the libcurl client, false: the socket client
    FtpProtocol protocol = FtpProtocol::Ftp;
    // The password lives in the desktop keyring; the file holds none.
    bool passwordInKeyring = false;

    // A template can be used for an upload once it names a server.
    bool isUsable() const { return !server.isEmpty(); }
    // Only the libcurl client speaks FTPS and SFTP.
    bool usesCurl() const { return useCurlClient || protocol != FtpProtocol::Ftp; }

    bool operator==(const FtpTemplate &) const = default;
};

inline const QString FtpTemplateExtension = QStringLiteral(".ftp");

// Reads a template file. Fields the file does not give keep their defaults
// (so does a number field that is no number in range); the name is the
// file's base name. False when the file cannot be read or names no server.
bool LoadFtpTemplate(const QString &path, FtpTemplate &result);

// A name can become a file in the folder: not empty, no folder separators or
// control characters, not "." or "..".
bool IsValidFtpTemplateName(const QString &name);

// Why the template cannot be stored as it is (a name that cannot be a file
// name, a line too long for the file format, a NUL inside a text, numbers
// out of range); empty when it can.
QString FtpTemplateProblem(const FtpTemplate &ftpTemplate);

enum class FtpTemplateSaveResult
{
    Saved,
    CannotCreate, // the file could not be opened for writing
    WriteFailed,  // opened, but writing it failed; the old file is unchanged
    Refused,      // FtpTemplateProblem has the reason; nothing written
};

// Writes the template to "<ftpTemplate.name>.ftp" in the folder, replacing
// the file as a whole. The file is readable by its owner only, since it
// holds a password.
FtpTemplateSaveResult SaveFtpTemplate(const QString &folder, const FtpTemplate &ftpTemplate);
