#pragma once

#include <QString>

class UserInterface;

// Where the program keeps what the user chose to trust, in the settings
// folder: the SSH host keys of SFTP servers (an OpenSSH known-hosts file) and
// the self-signed certificates accepted for FTPS servers.
struct TrustFiles
{
    QString knownHosts;
    QString certificates;

    static TrustFiles in(const QString &settingsFolder);
    // Makes the folder of both files when missing (brisklet-cli may run
    // before the window ever made the settings folder). False if it cannot.
    bool makeFolder() const;
};

// Why a connection stopped before the password was sent: the server could
// not be trusted. The upload asks the user and, on yes, tries again.
struct TrustQuestion
{
    enum class Kind
    {
        None,
        UnknownHostKey,       // asked once, remembered on yes
        ChangedHostKey,       // always refused
        UntrustedCertificate, // asked, remembered per server on yes
    };
    Kind kind = Kind::None;
    QString server;      // "host:port"
    QString fingerprint; // SHA-256 of the host key ("SHA256:...") or certificate ("AB:CD:...")
    QString reason;      // why the certificate failed, as TLS told it
    QString pin;         // the certificate's public key, "sha256//..." as libcurl pins it

    bool isAsked() const
    {
        return kind == Kind::UnknownHostKey || kind == Kind::UntrustedCertificate;
    }
    explicit operator bool() const { return kind != Kind::None; }
};

// The question put to the user, or for a changed key the refusal.
QString TrustQuestionText(const TrustQuestion &question);

// The pinned public key remembered for the FTPS server; empty when none.
QString AcceptedCertificatePin(const TrustFiles &files, const QString &server);
// Remembers the certificate of the question for its server, replacing an
// earlier one. False when the file cannot be written.
bool RememberCertificate(const TrustFiles &files, const TrustQuestion &question);

// Asks whether to trust the server of the question and remembers a yes: a
// certificate in the trust file; an unknown host key goes to
// acceptedHostKey, for the next connection, which adds it to the known
// hosts. False on no, or when the trust file cannot be written.
bool AcceptServer(UserInterface &ui, const TrustFiles &files, const TrustQuestion &question,
                  QString &acceptedHostKey);
