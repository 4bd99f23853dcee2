// "URL入力" for an image: the address with the feed's candidates, the
// alternative text, the border and the alignment.
#include "shot.h"

#include "app/editing/urlinputdialog.h"

namespace {

std::unique_ptr<QWidget> imageDialog(const QString &)
{
    UrlDialogValues values;
    values.imageAddress = QStringLiteral("http://example.jp/images/logo.png");
    values.altText = QStringLiteral("ロゴ");
    values.border = 1;
    values.align = 2;
    auto dialog = std::make_unique<UrlInputDialog>(
        UrlInputDialog::Mode::Image, QStringLiteral("画像のURLを入力してください"),
        QStringList{QStringLiteral("http://example.jp/"),
                    QStringLiteral("http://example.jp/rss.xml")},
        values);
    dialog->setWindowTitle(QStringLiteral("画像の設定"));
    return dialog;
}

const ShotRegistration registration({QStringLiteral("urlinputdialog"), imageDialog});

} // namespace
