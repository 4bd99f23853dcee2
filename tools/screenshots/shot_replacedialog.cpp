// "置換": the replace dialog with both texts filled in.
#include "shot.h"

#include "app/search/replacedialog.h"

#include <QComboBox>

namespace {

std::unique_ptr<QWidget> replaceDialog(const QString &folder)
{
    auto dialog = std::make_unique<ReplaceDialog>(folder + QStringLiteral("/Editor Settings.ini"));
    dialog->findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setEditText(QStringLiteral("<b>"));
    dialog->findChild<QComboBox *>(QStringLiteral("ComboBox2"))
        ->setEditText(QStringLiteral("<strong>"));
    return dialog;
}

const ShotRegistration registration({QStringLiteral("replacedialog"), replaceDialog});

} // namespace
