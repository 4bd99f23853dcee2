#include "datarows.h"
#include "project/inifile.h"
#include "search/searchsettings.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSearchSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void remember_data()
    {
        Columns<QStringList, QString, QStringList>("history", "text", "expected");
        QTest::newRow("new in front")
            << QStringList{u"b"_s, u"c"_s} << "a" << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("known moves to front")
            << QStringList{u"b"_s, u"a"_s, u"c"_s} << "a" << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("exact comparison")
            << QStringList{u"A"_s} << "a" << QStringList{u"a"_s, u"A"_s};
        QTest::newRow("line break not kept")
            << QStringList{u"b"_s} << "a\r\nb" << QStringList{u"b"_s};
        QTest::newRow("empty not kept") << QStringList{u"b"_s} << "" << QStringList{u"b"_s};
        QStringList full;
        for (int i = 0; i < 32; ++i)
            full << QString::number(i);
        QStringList pushed = full.first(31);
        pushed.prepend(u"new"_s);
        QTest::newRow("33rd pushes the oldest out") << full << "new" << pushed;
    }
    void remember()
    {
        auto [history, text] = Fetch<QStringList, QString>("history", "text");
        RememberText(history, text);
        QTEST(history, "expected");
    }

    void storedAsOneValuePerEntry()
    {
        SearchSettings settings;
        settings.matchCase = true;
        settings.includeCrlf = true;
        settings.down = false;
        settings.searchItems = {u"新しい"_s, u"古い"_s};
        settings.replaceItems = {u"x"_s};
        IniFile ini;
        WriteSearchSettings(ini, settings);
        QCOMPARE(
            ini.text().remove(u'\r'),
            QStringLiteral("[Options]\nMatchCase=1\nWholeWord=0\nNoMatchZenkaku=0\nIncludeCRLF=1\n"
                           "Direction=0\n\n[SearchItems]\nText0=新しい\nText1=古い\n\n"
                           "[ReplaceItems]\nText0=x\n\n"));
        const SearchSettings read = ReadSearchSettings(ini);
        QCOMPARE(read.searchItems, settings.searchItems);
        QCOMPARE(read.replaceItems, settings.replaceItems);
        QCOMPARE(read.options(),
                 SearchOptions(SearchFlag::MatchCase | SearchFlag::IgnoreLineBreaks |
                               SearchFlag::IgnoreSpaces));
    }

    void defaults()
    {
        const SearchSettings read = ReadSearchSettings(IniFile());
        QCOMPARE(read.options(), SearchOptions(SearchFlag::Down));
        QVERIFY(read.searchItems.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSearchSettings)
#include "tst_searchsettings.moc"
