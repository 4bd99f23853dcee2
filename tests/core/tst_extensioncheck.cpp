#include "core/check/extensioncheck.h"
#include "core/check/imagesize.h"
#include "datarows.h"
#include "examplefeed.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The first bytes of a PNG file of that size: signature and IHDR.
QByteArray pngHead(int width, int height)
{
    QByteArray head("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
    for (const int value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            head.append(char(value >> shift));
    return head + QByteArray(5, '\0');
}

// A JPEG start with an APP0 segment before the baseline frame header.
QByteArray jpegHead(int width, int height)
{
    QByteArray head("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x11\x08", 13);
    head.append(char(height >> 8))
        .append(char(height))
        .append(char(width >> 8))
        .append(char(width));
    return head + QByteArray(12, '\0');
}

} // namespace

// The check of media files, podcast values and guids.
class TestExtensionCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void imageSize_data()
    {
        Columns<QByteArray, QSize>("head", "size");
        QTest::newRow("PNG") << pngHead(1400, 1401) << QSize(1400, 1401);
        QTest::newRow("JPEG after APP0") << jpegHead(3000, 2999) << QSize(3000, 2999);
        QTest::newRow("GIF") << QByteArray("GIF89a\x10\x00\x10\x00", 10) << QSize();
        QTest::newRow("cut PNG") << pngHead(10, 10).left(20) << QSize();
    }
    void imageSize()
    {
        const auto [head, size] = Fetch<QByteArray, QSize>("head", "size");
        QCOMPARE(PngOrJpegSize(head), size);
    }

    void findings_data()
    {
        // image: bytes of a local cover file, or none
        Columns<FeedEdit, QByteArray, QStringList>("edit", "image", "messages");
        const FeedEdit none = [](FeedData &) {};
        QTest::newRow("the example podcast is clean") << none << QByteArray() << QStringList();
        QTest::newRow("square local PNG of 1400") << none << pngHead(1400, 1400) << QStringList();
        QTest::newRow("local JPEG too small")
            << none << jpegHead(600, 600)
            << QStringList{u"警告: カバー画像は 1400～3000 ピクセルの正方形にします (600×600)。"_s};
        QTest::newRow("local PNG not square")
            << none << pngHead(3000, 2000)
            << QStringList{
                   u"警告: カバー画像は 1400～3000 ピクセルの正方形にします (3000×2000)。"_s};
        QTest::newRow("length and type")
            << FeedEdit([](FeedData &f) {
                   f.items[0].enclosurelength = u"12MB"_s;
                   f.items[1].enclosurelength = u"0"_s;
                   f.items[1].enclosuretype.clear();
               })
            << QByteArray()
            << QStringList{
                   u"項目 1: 警告: メディアファイルの長さ \"12MB\" がバイト数 (1 以上の整数) ではありません。"_s,
                   u"項目 2: 警告: メディアファイルの長さ \"0\" がバイト数 (1 以上の整数) ではありません。"_s,
                   u"項目 2: 警告: メディアファイルの種類 (MIME タイプ) がありません。"_s};
        QTest::newRow("category, e-mail, duplicate guid")
            << FeedEdit([](FeedData &f) {
                   f.settings.itunescategory = u"Arts/Cooking"_s;
                   f.settings.itunesemail = u"yamada@example"_s;
                   f.items[0].guid = f.items[2].guid = u"tag:x,2005:/a"_s;
               })
            << QByteArray()
            << QStringList{
                   u"警告: カテゴリ \"Arts/Cooking\" は Apple のカテゴリの一覧にありません。"_s,
                   u"警告: メールアドレス \"yamada@example\" の形式が正しくありません。"_s,
                   u"項目 3: 警告: guid \"tag:x,2005:/a\" が項目 1 と重複しています。"_s};
        QTest::newRow("podcast values are not looked at while podcast is off")
            << FeedEdit([](FeedData &f) {
                   f.settings.podcast = false;
                   f.settings.itunescategory = u"なし"_s;
               })
            << jpegHead(10, 10) << QStringList();
    }
    void findings()
    {
        const auto [edit, image, messages] =
            Fetch<FeedEdit, QByteArray, QStringList>("edit", "image", "messages");
        FeedData feed = examplePodcastFeed();
        QTemporaryDir folder;
        if (!image.isEmpty()) {
            feed.settings.itunesimage = folder.filePath(u"cover.img"_s);
            testfiles::writeAll(feed.settings.itunesimage, image);
        }
        edit(feed);
        QStringList texts;
        for (const FeedFinding &finding : CheckFeedExtensions(feed))
            texts << FindingText(finding);
        QCOMPARE(texts, messages);
    }
};

QTEST_GUILESS_MAIN(TestExtensionCheck)
#include "tst_extensioncheck.moc"
