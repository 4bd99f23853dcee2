#include "datarows.h"
#include "project/folders.h"
#include "project/inifile.h"
#include "project/projectlock.h"
#include "project/settings.h"
#include "project/startcheck.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "textrows.h"

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

    // The values read, as "LastOpen|DefFileName|TreeIndex|Backup|SelectAll|addresses".
    void readValues_data()
    {
        Columns<QString, QString>("ini", "values");
        AddTextRows({
            {"no file: defaults", "", "1||0|1|0|0"},
            {"stored values",
             "[Environ]\nLastOpen=1\nDefFileName=/home/u/My RSS Data/ニュース.dta\nTreeIndex=7\n"
             "Backup=0\nSelectAll=1\n",
             "1|/home/u/My RSS Data/ニュース.dta|7|0|1|0"},
            {"any non-zero integer is on", "[Environ]\nBackup=-3\nSelectAll=2\n", "1||0|1|1|0"},
            {"unreadable numbers fall back",
             "[Environ]\nLastOpen=yes\nTreeIndex=3x\nBackup=\nSelectAll=on\n", "1||0|1|0|0"},
            {"last project forgotten when LastOpen is off",
             "[Environ]\nLastOpen=0\nDefFileName=/home/u/p.dta\nTreeIndex=4\n", "0||0|1|0|0"},
            {"section and key names ignore case", "[environ]\nSELECTALL=1\n", "1||0|1|1|0"},
            {"AddressMax above 20 reads 20", "[Address]\nAddressMax=35\nAddress1=http://a/\n",
             "1||0|1|0|20"},
            {"AddressMax below 0 reads none", "[Address]\nAddressMax=-2\nAddress1=http://a/\n",
             "1||0|1|0|0"},
            {"AddressMax unreadable reads none", "[Address]\nAddressMax=many\nAddress1=http://a/\n",
             "1||0|1|0|0"},
        });
    }
    void readValues()
    {
        QFETCH(QString, ini);
        const Settings s = readAll(ini.toUtf8());
        QTEST(QStringList({QString::number(s.lastOpen), s.defFileName, QString::number(s.treeIndex),
                           QString::number(s.backup), QString::number(s.selectAll),
                           QString::number(s.addresses.size())})
                  .join(u'|'),
              "values");
    }

    // Column positions and widths as "positions|widths".
    void gridColumns_data()
    {
        Columns<QString, QString>("ini", "columns");
        AddTextRows({
            {"defaults", "", "0 1 2 3 4|400 150 400 120 120"},
            {"reordered: set-up widths follow the columns",
             "[Grid]\nCol_Title=4\nCol_Date=0\nCol_Url=1\nCol_Subject=2\nCol_Creator=3\n",
             "4 0 1 2 3|150 400 120 120 400"},
            {"stored widths", "[Grid]\nWid_0=50\nWid_4=77\nWid_2=wide\n",
             "0 1 2 3 4|50 150 400 120 77"},
            {"two columns at one place: standard order", "[Grid]\nCol_Title=1\n",
             "0 1 2 3 4|400 150 400 120 120"},
            {"place outside the grid: standard order", "[Grid]\nCol_Title=4\nCol_Creator=9\n",
             "0 1 2 3 4|400 150 400 120 120"},
        });
    }
    void gridColumns()
    {
        QFETCH(QString, ini);
        const Settings settings = readAll(ini.toUtf8());
        QStringList positions, widths;
        for (const int position : settings.columnPositions)
            positions << QString::number(position);
        for (const int width : settings.columnWidths)
            widths << QString::number(width);
        QTEST(positions.join(u' ') + u'|' + widths.join(u' '), "columns");
    }

    void firstCloseWritesDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"brisklet.ini"_s);
        IniFile ini;
        QCOMPARE(ini.load(path), QString());
        WriteSettings(ini, Settings());
        QCOMPARE(ini.save(path), QString());
        QCOMPARE(testfiles::readAll(path),
                 testfiles::readAll(testfiles::dataPath(u"settings/defaults.ini"_s)));
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
    }

    void lineBreaksCannotAddKeys()
    {
        IniFile ini;
        ini.setValue(u"Environ"_s, u"DefFileName"_s, u"a\n[Environ]\nLastOpen=0"_s);
        IniFile again;
        again.parse(ini.text());
        QCOMPARE(again.value(u"Environ"_s, u"LastOpen"_s), std::nullopt);
    }

    // The user is asked exactly when an answer is given.
    void lastProjectCheckAtStart_data()
    {
        Columns<QString, bool, bool, QList<UserInterface::Answer>, StartChoice, bool>(
            "lastOpen", "projectExists", "locked", "answers", "choice", "forgotten");
        using A = UserInterface::Answer;
        QTest::newRow("free") << u"1"_s << true << false << QList<A>{} << StartChoice::Continue
                              << false;
        QTest::newRow("LastOpen missing reads off here")
            << QString() << true << true << QList<A>{} << StartChoice::Continue << false;
        QTest::newRow("project gone")
            << u"1"_s << false << false << QList<A>{} << StartChoice::Continue << false;
        QTest::newRow("locked, yes")
            << u"1"_s << true << true << QList<A>{A::Yes} << StartChoice::Continue << true;
        QTest::newRow("locked, no")
            << u"1"_s << true << true << QList<A>{A::No} << StartChoice::Quit << false;
    }
    void lastProjectCheckAtStart()
    {
        const auto [lastOpen, projectExists, locked, answers] =
            Fetch<QString, bool, bool, QList<UserInterface::Answer>>("lastOpen", "projectExists",
                                                                     "locked", "answers");
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
        QCOMPARE(ui.questions,
                 answers.isEmpty()
                     ? QStringList()
                     : QStringList{u"プロジェクト \"ニュース\" はユーザー \""_s +
                                   ProjectLock::loginName() +
                                   u"\" が編集中です。 新規作成モードで開きますか？"_s});
        IniFile after;
        after.load(settingsPath);
        QFETCH(bool, forgotten);
        QCOMPARE(after.value(u"Environ"_s, u"DefFileName"_s), forgotten ? QString() : project);
        QVERIFY(own.path().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
