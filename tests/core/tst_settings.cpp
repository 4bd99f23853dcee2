#include "project/folders.h"
#include "project/inifile.h"
#include "project/projectlock.h"
#include "project/settings.h"
#include "project/startcheck.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

Settings readAll(const QByteArray &iniText)
{
    IniFile ini;
    ini.parse(QString::fromUtf8(iniText));
    Settings settings;
    ReadGridSettings(ini, settings);
    ReadEnvironSettings(ini, settings);
    return settings;
}

QString lines(const QStringList &list)
{
    return list.join(u'\n') + u'\n';
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void foldersLieBelowDataAndSettingsFolders()
    {
        QTemporaryDir dir;
        const Folders folders = Folders::at(dir.filePath(u"data"_s), dir.filePath(u"conf"_s));
        QCOMPARE(folders.project, dir.filePath(u"data/Project/"_s));
        QCOMPARE(folders.backup, dir.filePath(u"data/Project/Backup/"_s));
        QCOMPARE(folders.ftpTemplate, dir.filePath(u"data/Template/Ftp/"_s));
        QCOMPARE(folders.htmlTemplate, dir.filePath(u"data/Template/Html/"_s));
        QCOMPARE(folders.styleSheet, dir.filePath(u"data/Template/StyleSheet/"_s));
        QCOMPARE(SettingsFilePath(folders), dir.filePath(u"conf/brisklet.ini"_s));

        QCOMPARE(folders.create(), QString());
        for (const QString &made :
             {folders.project, folders.ftpTemplate, folders.htmlTemplate, folders.styleSheet})
            QVERIFY2(QFileInfo(made).isDir(), qPrintable(made));
        QVERIFY(!QFileInfo::exists(folders.backup));
        QCOMPARE(QFileInfo(folders.settings).permissions(),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                     QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    }

    void locatedFoldersUseTheUsersFolders()
    {
        const Folders folders = Folders::locate();
        QVERIFY(folders.settings.endsWith(u"/Norvane/Brisklet/"_s));
        QVERIFY(folders.data.endsWith(u"/My RSS Data/"_s));
        const Folders moved = Folders::locate(u"/srv/rss"_s, u"/etc/b"_s);
        QCOMPARE(moved.data, u"/srv/rss/"_s);
        QCOMPARE(moved.settings, u"/etc/b/"_s);
    }

    void readValues_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("lastOpen");
        QTest::addColumn<QString>("defFileName");
        QTest::addColumn<int>("treeIndex");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<int>("addressCount");

        const QString path = u"/home/u/My RSS Data/Project/ニュース.dta"_s;
        QTest::newRow("no file: defaults")
            << QByteArray() << true << QString() << 0 << true << false << 0;
        QTest::newRow("stored values")
            << lines({u"[Environ]"_s, u"LastOpen=1"_s, u"DefFileName="_s + path, u"TreeIndex=7"_s,
                      u"Backup=0"_s, u"SelectAll=1"_s})
                   .toUtf8()
            << true << path << 7 << false << true << 0;
        QTest::newRow("any non-zero integer is on")
            << QByteArray("[Environ]\nBackup=-3\nSelectAll=2\n") << true << QString() << 0 << true
            << true << 0;
        QTest::newRow("unreadable numbers fall back")
            << QByteArray("[Environ]\nLastOpen=yes\nTreeIndex=3x\nBackup=\nSelectAll=on\n") << true
            << QString() << 0 << true << false << 0;
        QTest::newRow("last project forgotten when LastOpen is off")
            << lines({u"[Environ]"_s, u"LastOpen=0"_s, u"DefFileName="_s + path, u"TreeIndex=4"_s})
                   .toUtf8()
            << false << QString() << 0 << true << false << 0;
        QTest::newRow("section and key names ignore case")
            << QByteArray("[environ]\nSELECTALL=1\n") << true << QString() << 0 << true << true
            << 0;
        QTest::newRow("AddressMax above 20 reads 20")
            << QByteArray("[Address]\nAddressMax=35\nAddress1=http://a/\n") << true << QString()
            << 0 << true << false << 20;
        QTest::newRow("AddressMax below 0 reads none")
            << QByteArray("[Address]\nAddressMax=-2\nAddress1=http://a/\n") << true << QString()
            << 0 << true << false << 0;
        QTest::newRow("AddressMax unreadable reads none")
            << QByteArray("[Address]\nAddressMax=many\nAddress1=http://a/\n") << true << QString()
            << 0 << true << false << 0;
    }
    void readValues()
    {
        QFETCH(QByteArray, ini);
        const Settings settings = readAll(ini);
        QTEST(settings.lastOpen, "lastOpen");
        QTEST(settings.defFileName, "defFileName");
        QTEST(settings.treeIndex, "treeIndex");
        QTEST(settings.backup, "backup");
        QTEST(settings.selectAll, "selectAll");
        QTEST(int(settings.addresses.size()), "addressCount");
    }

    void gridColumns_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("defaults") << QByteArray() << QList<int>{0, 1, 2, 3, 4}
                                  << QList<int>{400, 150, 400, 120, 120};
        QTest::newRow("reordered: set-up widths follow the columns")
            << QByteArray("[Grid]\nCol_Title=4\nCol_Date=0\nCol_Url=1\nCol_Subject=2\n"
                          "Col_Creator=3\n")
            << QList<int>{4, 0, 1, 2, 3} << QList<int>{150, 400, 120, 120, 400};
        QTest::newRow("stored widths")
            << QByteArray("[Grid]\nWid_0=50\nWid_4=77\nWid_2=wide\n") << QList<int>{0, 1, 2, 3, 4}
            << QList<int>{50, 150, 400, 120, 77};
        QTest::newRow("two columns at one place: standard order")
            << QByteArray("[Grid]\nCol_Title=1\n") << QList<int>{0, 1, 2, 3, 4}
            << QList<int>{400, 150, 400, 120, 120};
        QTest::newRow("place outside the grid: standard order")
            << QByteArray("[Grid]\nCol_Title=4\nCol_Creator=9\n") << QList<int>{0, 1, 2, 3, 4}
            << QList<int>{400, 150, 400, 120, 120};
    }
    void gridColumns()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QList<int>, positions);
        const Settings settings = readAll(ini);
        QCOMPARE(QList<int>(settings.columnPositions.begin(), settings.columnPositions.end()),
                 positions);
        QTEST(QList<int>(settings.columnWidths.begin(), settings.columnWidths.end()), "widths");
    }

    void firstCloseWritesDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"brisklet.ini"_s);
        IniFile ini;
        QCOMPARE(ini.load(path), QString());
        WriteSettings(ini, Settings());
        QCOMPARE(ini.save(path), QString());
        QCOMPARE(QString::fromUtf8(testfiles::readAll(path)), lines({u"[Environ]"_s,
                                                                     u"Backup=1"_s,
                                                                     u"LastOpen=1"_s,
                                                                     u"DefFileName="_s,
                                                                     u"TreeIndex=0"_s,
                                                                     u"SelectAll=0"_s,
                                                                     u"EscapeRock=0"_s,
                                                                     u""_s,
                                                                     u"[Grid]"_s,
                                                                     u"Col_Title=0"_s,
                                                                     u"Col_Date=1"_s,
                                                                     u"Col_Url=2"_s,
                                                                     u"Col_Subject=3"_s,
                                                                     u"Col_Creator=4"_s,
                                                                     u"Wid_0=400"_s,
                                                                     u"Wid_1=150"_s,
                                                                     u"Wid_2=400"_s,
                                                                     u"Wid_3=120"_s,
                                                                     u"Wid_4=120"_s,
                                                                     u""_s,
                                                                     u"[Address]"_s,
                                                                     u"AddressMax=0"_s,
                                                                     u""_s}));
        QCOMPARE(QFileInfo(path).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ReadUser | QFileDevice::WriteUser);
    }

    void writingKeepsOtherSectionsAndJapanese()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"brisklet.ini"_s);
        QStringList stored = {u"[Sizes]"_s, u"PL_Tree.Width=230"_s, u"[Address]"_s,
                              u"AddressMax=35"_s};
        for (int i = 1; i <= 35; ++i)
            stored << u"Address%1=http://例え.jp/%1"_s.arg(i);
        testfiles::writeAll(path, lines(stored).toUtf8());

        IniFile ini;
        QCOMPARE(ini.load(path), QString());
        Settings settings;
        ReadEnvironSettings(ini, settings);
        QCOMPARE(settings.addresses.size(), 20);
        QCOMPARE(settings.addresses.last(), u"http://例え.jp/20"_s);
        settings.defFileName = u"/データ/ニュース.dta"_s;
        WriteSettings(ini, settings);
        QCOMPARE(ini.save(path), QString());

        IniFile again;
        QCOMPARE(again.load(path), QString());
        QCOMPARE(again.value(u"Sizes"_s, u"PL_Tree.Width"_s), u"230"_s);
        QCOMPARE(again.value(u"Address"_s, u"AddressMax"_s), u"20"_s);
        QCOMPARE(again.value(u"Address"_s, u"Address21"_s), std::nullopt);
        QCOMPARE(again.value(u"Environ"_s, u"DefFileName"_s), u"/データ/ニュース.dta"_s);
        QVERIFY(testfiles::readAll(path).contains("PL_Tree.Width=230"));
        QVERIFY(testfiles::readAll(path).contains("\nDefFileName="));
    }

    void lineBreaksCannotAddKeys()
    {
        IniFile ini;
        ini.setValue(u"Environ"_s, u"DefFileName"_s, u"a\n[Environ]\nLastOpen=0"_s);
        IniFile again;
        again.parse(ini.text());
        QCOMPARE(again.value(u"Environ"_s, u"LastOpen"_s), std::nullopt);
    }

    void lastProjectCheckAtStart_data()
    {
        QTest::addColumn<QString>("lastOpen");
        QTest::addColumn<bool>("projectExists");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QList<UserInterface::Answer>>("answers");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<StartChoice>("choice");
        QTest::addColumn<bool>("forgotten");
        using A = UserInterface::Answer;
        QTest::newRow("free") << u"1"_s << true << false << QList<A>{} << false
                              << StartChoice::Continue << false;
        QTest::newRow("LastOpen missing reads off here")
            << QString() << true << true << QList<A>{} << false << StartChoice::Continue << false;
        QTest::newRow("project gone")
            << u"1"_s << false << false << QList<A>{} << false << StartChoice::Continue << false;
        QTest::newRow("locked, yes")
            << u"1"_s << true << true << QList<A>{A::Yes} << true << StartChoice::Continue << true;
        QTest::newRow("locked, no")
            << u"1"_s << true << true << QList<A>{A::No} << true << StartChoice::Quit << false;
    }
    void lastProjectCheckAtStart()
    {
        QFETCH(QString, lastOpen);
        QFETCH(bool, projectExists);
        QFETCH(bool, locked);
        QFETCH(QList<UserInterface::Answer>, answers);
        QTemporaryDir dir;
        const QString project = dir.filePath(u"ニュース.dta"_s);
        if (projectExists)
            testfiles::writeAll(project, "<brisklet/>");
        ProjectLock other;
        if (locked) {
            ScriptedUserInterface ui;
            QVERIFY(other.take(project, ui));
        }
        const QString settingsPath = dir.filePath(u"brisklet.ini"_s);
        QStringList ini = {u"[Environ]"_s, u"DefFileName="_s + project};
        if (!lastOpen.isNull())
            ini << u"LastOpen="_s + lastOpen;
        testfiles::writeAll(settingsPath, lines(ini).toUtf8());

        ScriptedUserInterface ui;
        ui.answers.append(answers);
        ProjectLock own;
        QTEST(CheckLastProjectAtStart(settingsPath, own, ui), "choice");
        QFETCH(bool, asked);
        if (asked) {
            QCOMPARE(ui.questions,
                     QStringList{u"プロジェクト \"ニュース\" はユーザー \""_s +
                                 ProjectLock::loginName() +
                                 u"\" が編集中です。 新規作成モードで開きますか？"_s});
        } else {
            QVERIFY(ui.questions.isEmpty());
        }
        IniFile after;
        after.load(settingsPath);
        QFETCH(bool, forgotten);
        QCOMPARE(after.value(u"Environ"_s, u"DefFileName"_s), forgotten ? QString() : project);
        QVERIFY(own.path().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
