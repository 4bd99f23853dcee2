#include "core/publish/connectiontest.h"

#include "core/publish/ftpsession.h"
#include "core/text/textops.h"
#include "core/userinterface.h"

namespace {

const QString TopFolder = QStringLiteral("/");

struct Probe
{
    std::optional<qsizetype> names; // none: failed
    QString error;
    TrustQuestion trust;
};

Probe probe(const FtpTemplate &t, const SessionContext &context)
{
    std::unique_ptr<FtpSession> session = CreateFtpSession(t, context);
    Probe result;
    if (session->open(t, TopFolder)) {
        if (const std::optional<QStringList> names = session->list())
            result.names = names->size();
    }
    if (!result.names) {
        result.error = session->errorText();
        result.trust = session->trustQuestion();
    }
    session->close();
    return result;
}

} // namespace

QString TestFtpConnection(UserInterface &ui, const FtpTemplate &values, const TrustFiles &trust)
{
    // As the template would be saved.
    FtpTemplate t = values;
    t.server = TrimWide(t.server);
    t.user = TrimWide(t.user);
    if (!t.isUsable())
        return QStringLiteral("FTPサーバー名を入力してください。");
    const BusyCursor busy(ui);
    SessionContext context{trust};
    Probe result;
    for (bool asked = false;; asked = true) {
        ui.runAside([&] { result = probe(t, context); }, [] {});
        if (result.names || asked || !result.trust.isAsked() ||
            !AcceptServer(ui, trust, result.trust, context.acceptedHostKey))
            break;
    }
    if (!result.names)
        return QStringLiteral("接続テストに失敗しました。\r\n") + result.error;
    return QStringLiteral("接続テストに成功しました。\r\n"
                          "サーバー \"%1\" にログインし、フォルダ \"%2\" の一覧を取得しました"
                          "（%3 項目）。")
        .arg(t.server, TopFolder)
        .arg(*result.names);
}
