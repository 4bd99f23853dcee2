#include "project/inifile.h"
#include "search/searchsettings.h"

#include <QTest>

class TestSearchSettings : public QObject
{
    Q_OBJECT

private slots:
    void remember_data()
    {
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("new in front") << QStringList{"b", "c"} << "a" << QStringList{"a", "b", "c"};
        QTest::newRow("known moves to front")
            << QStringList{"b", "a", "c"} << "a" << QStringList{"a", "b", "c"};
        QTest::newRow("exact comparison") << QStringList{"A"} << "a" << QStringList{"a", "A"};
        QTest::newRow("line break not kept") << QStringList{"b"} << "a\r\nb" << QStringList{"b"};
        QTest::newRow("empty not kept") << QStringList{"b"} << "" << QStringList{"b"};
        QStringList full;
        for (int i = 0; i < 32; ++i)
            full << QString::number(i);
        QStringList pushed = full.first(31);
        pushed.prepend("new");
        QTest::newRow("33rd pushes the oldest out") << full << "new" << pushed;
    }
    void remember()
    {
        QFETCH(QStringList, history);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        RememberText(history, text);
        QCOMPARE(history, expected);
    }

    void storedAsOneValuePerEntry()
    {
        SearchSettings settings;
        settings.matchCase = true;
        settings.includeCrlf = true;
        settings.down = false;
        settings.searchItems = {"新しい", "古い"};
        settings.replaceItems = {"x"};
        IniFile ini;
        WriteSearchSettings(ini, settings);
        QCOMPARE(
            ini.text().remove('\r'),
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
