// Reads any text as an item date in both forms. Each result is empty or has
// exactly the shape its feed needs, both forms accept the same texts, and
// both name the same moment.
#include "core/feed/feeddates.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <cstdint>
#include <cstdlib>

namespace {

bool isRfc822Shaped(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^(Mon|Tue|Wed|Thu|Fri|Sat|Sun), [1-9][0-9]? "
                       "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [1-9][0-9]{0,3} "
                       "[0-2][0-9]:[0-5][0-9]:[0-5][0-9] \\+0900$"));
    return form.match(text).hasMatch();
}

// The W3C text as the RFC 822 form writes it, to compare the two.
QString asRfc822(const QString &w3c)
{
    const QDate day = QDate::fromString(w3c.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(w3c.mid(11, 8), QStringLiteral("HH:mm:ss"));
    if (!day.isValid() || !time.isValid())
        return {};
    return QLocale::c().toString(day, QStringLiteral("ddd, d MMM ")) + QString::number(day.year()) +
           time.toString(QStringLiteral(" HH:mm:ss +0900"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString date =
        QString::fromUtf8(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QString rfc822 = Rfc822FromItemDate(date);
    const QString w3c = W3cFromItemDate(date);
    if (!rfc822.isEmpty() && !isRfc822Shaped(rfc822))
        std::abort();
    if (w3c.isEmpty() != rfc822.isEmpty())
        std::abort();
    if (w3c.isEmpty())
        return 0;
    static const QRegularExpression w3cForm(
        QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\\+09:00$"));
    if (!w3cForm.match(w3c).hasMatch() || asRfc822(w3c) != rfc822)
        std::abort();
    return 0;
}
