// "フィードの読み込み" with a blog's address typed in.
#include "shot.h"

#include "app/common/qtuserinterface.h"
#include "app/import/feedimportform.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

std::unique_ptr<QWidget> feedImportDialog(const QString &folder)
{
    static QtUserInterface ui(nullptr);
    auto dialog = std::make_unique<FeedImportForm>(ui, folder);
    dialog->findChild<QLineEdit *>(QStringLiteral("ED_FeedAddress"))
        ->setText(QStringLiteral("https://blog.example.jp/feed/atom.xml"));
    dialog->findChild<QRadioButton *>(QStringLiteral("RB_FeedAddress"))->setChecked(true);
    return dialog;
}

const ShotRegistration registration({QStringLiteral("feedimportform"), feedImportDialog});

} // namespace
