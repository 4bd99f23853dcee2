#include "datarows.h"
#include "feed/feeddates.h"

#include <QRegularExpression>
#include <QTest>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

// Sets the machine's zone for the rest of the test; the dates written must
// not depend on it.
void setZone(const QByteArray &zone)
{
    qputenv("TZ", zone);
    tzset();
}

} // namespace

class TestFeedDates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanupTestCase()
    {
        qunsetenv("TZ");
        tzset();
    }

    void itemDates_data()
    {
        Columns<QString, QString, QString>("date", "rfc822", "w3c");
        const auto row = [](const char *name, const char *date, const char *rfc822,
                            const char *w3c) {
            QTest::newRow(name) << QString::fromUtf8(date) << QString::fromUtf8(rfc822)
                                << QString::fromUtf8(w3c);
        };

        row("date and time", "2005-01-02 03:04:05", "Sun, 2 Jan 2005 03:04:05 +0900",
            "2005-01-02T03:04:05+09:00");
        row("date only is midnight", "2005-01-02", "Sun, 2 Jan 2005 00:00:00 +0900",
            "2005-01-02T00:00:00+09:00");
        row("leap day", "2004-02-29 12:00:00", "Sun, 29 Feb 2004 12:00:00 +0900",
            "2004-02-29T12:00:00+09:00");
        row("last day", "9999-12-31 23:59:59", "Fri, 31 Dec 9999 23:59:59 +0900",
            "9999-12-31T23:59:59+09:00");
        row("year without zeros", "0001-01-01", "Mon, 1 Jan 1 00:00:00 +0900",
            "0001-01-01T00:00:00+09:00");
        // A time that the daylight-saving change skips in some zones.
        row("skipped local hour", "2026-03-08 02:30:00", "Sun, 8 Mar 2026 02:30:00 +0900",
            "2026-03-08T02:30:00+09:00");
        // Both forms read the fields by position only and write the numbers
        // read, so RSS 1.0 and RSS 2.0 date the same items the same way.
        row("slashes are not looked at", "2005/01/02 03:04:05", "Sun, 2 Jan 2005 03:04:05 +0900",
            "2005-01-02T03:04:05+09:00");
        row("ideographic spaces around", "\u30002005-01-02 03:04:05\u3000",
            "Sun, 2 Jan 2005 03:04:05 +0900", "2005-01-02T03:04:05+09:00");
        row("leading digits of a field", "2005-01-1x 03:04:05", "Sat, 1 Jan 2005 03:04:05 +0900",
            "2005-01-01T03:04:05+09:00");
        row("field without digits is 0", "2005-01-02 03:04:ab", "Sun, 2 Jan 2005 03:04:00 +0900",
            "2005-01-02T03:04:00+09:00");
        row("signed hour", "2005-01-02 +3:04:05", "Sun, 2 Jan 2005 03:04:05 +0900",
            "2005-01-02T03:04:05+09:00");
        row("wide character counts once", "2005-01-02 03:04:0\U0001F600",
            "Sun, 2 Jan 2005 03:04:00 +0900", "2005-01-02T03:04:00+09:00");
        // Dates that do not exist give no date in either form.
        row("no such day", "2005-02-30 00:00:00", "", "");
        row("month 13", "2005-13-01", "", "");
        row("hour 24", "2005-01-01 24:00:00", "", "");
        row("second 60", "2005-01-01 23:59:60", "", "");
        row("year 0", "0000-01-01", "", "");
        row("day without digits", "2005-01-xx", "", "");
        row("negative hour", "2005-01-02 -3:04:05", "", "");
        // A line break around the text is trimmed and never reaches the W3C date.
        row("line break after date only", "2005-01-02\n", "Sun, 2 Jan 2005 00:00:00 +0900",
            "2005-01-02T00:00:00+09:00");
        row("short date", "2005-1-2", "", "");
        row("empty", "", "", "");
        row("full-width digits", "２００５-０１-０２", "", "");
        // Every month's name, and every weekday's.
        const char *const days[] = {"Sat, 1 Jan", "Tue, 1 Feb", "Tue, 1 Mar", "Fri, 1 Apr",
                                    "Sun, 1 May", "Wed, 1 Jun", "Fri, 1 Jul", "Mon, 1 Aug",
                                    "Thu, 1 Sep", "Sat, 1 Oct", "Tue, 1 Nov", "Thu, 1 Dec"};
        for (int month = 1; month <= 12; ++month) {
            const QString date = u"2005-%1-01"_s.arg(month, 2, 10, QChar(u'0'));
            QTest::addRow("%s", qPrintable(date))
                << date << QString::fromLatin1(days[month - 1]) + u" 2005 00:00:00 +0900"_s
                << date + u"T00:00:00+09:00"_s;
        }
    }

    void itemDates()
    {
        QFETCH(QString, date);
        for (const QByteArray zone : {"UTC", "America/New_York", "Asia/Tokyo"}) {
            setZone(zone);
            QTEST(Rfc822FromItemDate(date), "rfc822");
            QTEST(W3cFromItemDate(date), "w3c");
        }
    }

    void now_data()
    {
        Columns<QByteArray, QDateTime, QString, QString>("zone", "clockTime", "rfc822", "w3c");

        const QDateTime local(QDate(2026, 12, 6), QTime(9, 5, 7, 999));
        for (const QByteArray zone : {"UTC", "America/New_York", "Asia/Tokyo"}) {
            QTest::addRow("local time in %s", zone.constData())
                << zone << local << "Sun, 6 Dec 2026 09:05:07 +0900"
                << "2026-12-06T09:05:07+09:00";
        }
        // A clock that reports an instant is read on the machine's wall
        // clock, and that wall-clock time is written with the fixed offset.
        const QDateTime instant(QDate(2026, 12, 6), QTime(0, 5, 7), Qt::UTC);
        QTest::newRow("instant in UTC")
            << QByteArray("UTC") << instant << u"Sun, 6 Dec 2026 00:05:07 +0900"_s
            << u"2026-12-06T00:05:07+09:00"_s;
        QTest::newRow("instant in New York")
            << QByteArray("America/New_York") << instant << u"Sat, 5 Dec 2026 19:05:07 +0900"_s
            << u"2026-12-05T19:05:07+09:00"_s;
        QTest::newRow("single-digit day and early year")
            << QByteArray("UTC") << QDateTime(QDate(987, 3, 1), QTime(0, 0, 1))
            << u"Thu, 1 Mar 987 00:00:01 +0900"_s << u"0987-03-01T00:00:01+09:00"_s;
    }

    void now()
    {
        const auto [zone, clockTime] = Fetch<QByteArray, QDateTime>("zone", "clockTime");
        setZone(zone);
        const Clock clock = Clock::fixed(clockTime);
        QTEST(Rfc822Now(clock), "rfc822");
        QTEST(W3cNow(clock), "w3c");
    }

    void systemClockGivesBothForms()
    {
        setZone("America/New_York");
        const Clock system;
        QVERIFY(QRegularExpression(
                    QStringLiteral(R"(^(Mon|Tue|Wed|Thu|Fri|Sat|Sun), [1-9]\d? [A-Z][a-z]{2} )"
                                   R"(\d{4} \d\d:\d\d:\d\d \+0900$)"))
                    .match(Rfc822Now(system))
                    .hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\+09:00$)"))
                    .match(W3cNow(system))
                    .hasMatch());
    }
};

QTEST_GUILESS_MAIN(TestFeedDates)
#include "tst_feeddates.moc"
