#include "app/startup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

void ApplyDefaultFont()
{
    QFont font = QApplication::font();
    for (const QString &family :
         {QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP"),
          QStringLiteral("IPAGothic")}) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}

void LoadQtTranslation(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

bool ColourDepthTooLow()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen && screen->depth() <= 8;
}

QString ColourDepthMessage()
{
    return QStringLiteral("コントロールパネルの[画面]の[設定]タブで画面色を\r\n"
                          "High Color(16ビット)以上に設定してください。");
}
