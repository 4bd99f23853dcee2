// "検索": the search dialog with a text and its options.
#include "shot.h"

#include "app/search/finddialog.h"

#include <QCheckBox>

namespace {

std::unique_ptr<QWidget> searchDialog(const QString &folder)
{
    auto dialog = std::make_unique<FindDialog>(folder + QStringLiteral("/Editor Settings.ini"),
                                               QStringLiteral("新着情報"));
    dialog->findChild<QCheckBox *>(QStringLiteral("chkNoMatchZenkaku"))->setChecked(true);
    return dialog;
}

const ShotRegistration registration({QStringLiteral("finddialog"), searchDialog});

} // namespace
