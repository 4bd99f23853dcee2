#include "app/common/userguide.h"

#include "app/common/installlayout.h"
#include "core/userinterface.h"

#include <QDesktopServices>
#include <QUrl>

void OpenGuidePage(UserInterface &ui, const QString &page)
{
    const QString path = DataFilePath(QStringLiteral("guide/") + page);
    if (path.isEmpty())
        ui.information(QStringLiteral("ユーザーガイドが見つかりません。"));
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        ui.information(QStringLiteral("ブラウザを起動できません。"));
}
