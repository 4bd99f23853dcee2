#include "datarows.h"
#include "html/charsets.h"
#include "testfiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

using testfiles::u8;

namespace {

QString FromCodePoint(char32_t codePoint)
{
    return QString::fromUcs4(&codePoint, 1);
}

// Every lead/trail pair of the lead bytes that ICU's code page 932 decodes,
// one character to a line.
QList<QByteArray> ValidPairs(int firstLead, int lastLead)
{
    QList<QByteArray> pairs;
    for (int lead = firstLead; lead <= lastLead; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray pair = QByteArray(1, char(lead)) + char(trail);
            bool valid = true;
            DecodeShiftJis(pair, &valid);
            if (trail != 0x7F && valid)
                pairs.append(pair);
        }
    }
    return pairs;
}

QByteArray IconvToEucJpMs(const QByteArray &input)
{
    QProcess iconv;
    iconv.start(QStandardPaths::findExecutable(u"iconv"_s),
                {u"-f"_s, u"CP932"_s, u"-t"_s, u"EUC-JP-MS"_s});
    if (!iconv.waitForStarted())
        return QByteArray();
    iconv.write(input);
    iconv.closeWriteChannel();
    iconv.waitForFinished();
    if (iconv.exitStatus() != QProcess::NormalExit || iconv.exitCode() != 0)
        return "iconv failed: " + iconv.readAllStandardError();
    return iconv.readAllStandardOutput();
}

} // namespace

class TestCharsets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodeShiftJis_data()
    {
        Columns<QString, QByteArray, QByteArray>("text", "numericReference", "questionMark");
        // questionMark: the same as numericReference when not given
        const auto row = [](const char *name, const QString &text, const char *reference,
                            const char *questionMark = nullptr) {
            QTest::newRow(name) << text << QByteArray(reference)
                                << QByteArray(questionMark ? questionMark : reference);
        };
        row("ascii", u8("a<b>\\~"), "a<b>\\~");
        row("controls", u8("\t\x1A\x1C\x7F\r\n"), "\t\x1A\x1C\x7F\r\n");
        row("kanji", u8("亜"), "\x88\x9F");
        row("half-width katakana", u8("ｱ"), "\xB1");
        row("ideographic space", u8("　"), "\x81\x40");
        const struct
        {
            char32_t codePoint;
            const char *bytes;
        } windowsForms[] = {
            {0x301C, "\x81\x60"}, {0xFF5E, "\x81\x60"}, {0x2212, "\x81\x7C"}, {0xFF0D, "\x81\x7C"},
            {0x2016, "\x81\x61"}, {0x2225, "\x81\x61"}, {0x2014, "\x81\x5C"}, {0x2015, "\x81\x5C"},
            {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x00AC, "\x81\xCA"},
        };
        for (const auto &form : windowsForms) {
            QTest::addRow("U+%04X", unsigned(form.codePoint))
                << FromCodePoint(form.codePoint) << QByteArray(form.bytes)
                << QByteArray(form.bytes);
        }
        row("yen sign", u8("\xC2\xA5"), "&#165;", "?");
        row("lone surrogate", QString(QChar(0xD800)) + u8("x"), "&#65533;x", "?x");
        row("several unencodable among text", u8("日\xC3\xA9本\xF0\x9F\x98\x80語\xC3\xA9"),
            "\x93\xFA&#233;\x96\x7B&#128512;\x8C\xEA&#233;", "\x93\xFA?\x96\x7B?\x8C\xEA?");
        row("user-defined area", FromCodePoint(0xE000), "\xF0\x40");
    }
    void encodeShiftJis()
    {
        QFETCH(QString, text);
        QTEST(EncodeShiftJis(text, Unencodable::NumericReference), "numericReference");
        QTEST(EncodeShiftJis(text, Unencodable::QuestionMark), "questionMark");
    }

    void decodeShiftJis_data()
    {
        Columns<QByteArray, QString, bool>("bytes", "text", "valid");
        QTest::newRow("empty") << QByteArray() << QString() << true;
        QTest::newRow("kanji and katakana") << QByteArray("\x88\x9F\xB1") << u8("亜ｱ") << true;
        QTest::newRow("controls as they are")
            << QByteArray("b\x1A\x1C\x7F") << u8("b\x1A\x1C\x7F") << true;
        QTest::newRow("controls beside an error")
            << QByteArray("\x1A\xFF\x7F") << u8("\x1A\xEF\xBF\xBD\x7F") << false;
        QTest::newRow("truncated lead byte") << QByteArray("a\x81") << u8("a\xEF\xBF\xBD") << false;
        QTest::newRow("lead byte before space")
            << QByteArray("\x81 z") << u8("\xEF\xBF\xBD z") << false;
        QTest::newRow("unassigned pair keeps ascii trail") << QByteArray("\x85\x41\x88\x9F")
                                                           << u8("\xEF\xBF\xBD"
                                                                 "A亜")
                                                           << false;
        QTest::newRow("invalid single bytes")
            << QByteArray("\x80x\xA0y\xFD\xFE\xFF")
            << u8("\xEF\xBF\xBDx\xEF\xBF\xBDy\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD") << false;
        QTest::newRow("error amid long text")
            << QByteArray(500, 'a') + "\xFF" + QByteArray(500, 'b')
            << QString(500, u'a') + QChar(0xFFFD) + QString(500, u'b') << false;
    }
    void decodeShiftJis()
    {
        const auto [bytes, text] = Fetch<QByteArray, QString>("bytes", "text");
        bool decodedValid = true;
        QCOMPARE(DecodeShiftJis(bytes, &decodedValid), text);
        QTEST(decodedValid, "valid");
        QCOMPARE(DecodeShiftJis(bytes), text);
    }

    // Bytes outside what the comparisons with iconv below cover: the NEC
    // special row, unassigned pairs and broken sequences.
    void sjisToEuc_data()
    {
        Columns<QByteArray, QByteArray>("sjis", "euc");
        const auto row = [](const char *name, const char *sjis, const char *euc) {
            QTest::newRow(name) << QByteArray(sjis) << QByteArray(euc);
        };
        // NEC special characters stay in their own row, even those that
        // duplicate a JIS X 0208 symbol.
        row("circled one", "\x87\x40", "\xAD\xA1");
        row("because, NEC row", "\x87\x9A", "\xAD\xFA");
        row("unassigned NEC-selected passes", "\xEE\xED", "\xEE\xED");
        row("unassigned IBM passes", "\xFC\x4C", "\xFC\x4C");
        row("lead byte at end", "a\x88", "a\x88");
        row("lead byte before newline", "\x88\n\x88\x9F", "\x88\n\xB0\xA1");
        row("trail bytes that look like katakana", "\x83\xB1\xB1", "\xA6\xB3\x8E\xB1");
    }
    void sjisToEuc()
    {
        QFETCH(QByteArray, sjis);
        QTEST(SjisToEuc(sjis), "euc");
    }

    // The NEC special row (0x87) is left out: the arithmetic keeps its
    // duplicates of JIS X 0208 symbols in that row where iconv moves them.
    void sjisToEucAgreesWithIconv_data()
    {
        Columns<int, int, int>("firstLead", "lastLead", "count");
        QTest::newRow("non-kanji rows") << 0x81 << 0x84 << 524;
        QTest::newRow("level-1 and level-2 kanji, first part") << 0x88 << 0x9F << 4375;
        QTest::newRow("level-2 kanji, second part") << 0xE0 << 0xEA << 1980;
        QTest::newRow("NEC-selected IBM extensions") << 0xED << 0xEE << 374;
        QTest::newRow("user-defined") << 0xF0 << 0xF9 << 1880;
        QTest::newRow("IBM extensions") << 0xFA << 0xFC << 388;
    }
    void sjisToEucAgreesWithIconv()
    {
        const auto [firstLead, lastLead] = Fetch<int, int>("firstLead", "lastLead");
        const QList<QByteArray> pairs = ValidPairs(firstLead, lastLead);
        QTEST(int(pairs.size()), "count");
        const QByteArray expected = IconvToEucJpMs(pairs.join('\n'));
        const QList<QByteArray> expectedLines = expected.split('\n');
        QCOMPARE(expectedLines.size(), pairs.size());
        for (qsizetype i = 0; i < pairs.size(); ++i) {
            const QByteArray actual = SjisToEuc(pairs[i]);
            QVERIFY2(actual == expectedLines[i],
                     qPrintable(u"%1: %2, iconv %3"_s.arg(
                         QString::fromLatin1(pairs[i].toHex()), QString::fromLatin1(actual.toHex()),
                         QString::fromLatin1(expectedLines[i].toHex()))));
        }
    }

    void singleBytesAgreeWithIconv()
    {
        QByteArray bytes;
        for (int byte = 0x01; byte <= 0x7F; ++byte)
            bytes += char(byte);
        for (int byte = 0xA1; byte <= 0xDF; ++byte)
            bytes += char(byte);
        QCOMPARE(SjisToEuc(bytes), IconvToEucJpMs(bytes));
    }

    void choosePageCharset_data()
    {
        Columns<QString, PageCharset>("page", "charset");
        QTest::newRow("none") << u8("<html>日本語</html>") << PageCharset::ShiftJis;
        QTest::newRow("utf-8 upper case") << u8("<meta charset=UTF-8>") << PageCharset::Utf8;
        QTest::newRow("shift_jis before utf-8")
            << u8("charset=Shift_JIS ... utf-8") << PageCharset::ShiftJis;
        QTest::newRow("utf-8 before shift_jis") << u8("utf-8 shift_jis") << PageCharset::Utf8;
        QTest::newRow("euc-jp") << u8("charset=EUC-JP") << PageCharset::EucJp;
        QTest::newRow("shift_jis before euc-jp") << u8("shift_jis euc-jp") << PageCharset::ShiftJis;
        QTest::newRow("euc-jp before shift_jis") << u8("EUC-JP shift_jis") << PageCharset::EucJp;
        QTest::newRow("euc-jp before utf-8, no shift_jis")
            << u8("euc-jp utf-8") << PageCharset::Utf8;
        QTest::newRow("shift-jis with hyphen is no name")
            << u8("shift-jis utf-8") << PageCharset::Utf8;
        QTest::newRow("utf8 without hyphen is no name") << u8("utf8") << PageCharset::ShiftJis;
        // Only A to Z fold.
        QTest::newRow("full-width letters do not count") << u8("ＵＴＦ-8") << PageCharset::ShiftJis;
    }
    void choosePageCharset()
    {
        QFETCH(QString, page);
        QTEST(ChoosePageCharset(page), "charset");
    }

    void encodePage_data()
    {
        Columns<QString, PageCharset, QByteArray>("page", "charset", "bytes");
        const QString text = u8("亜ｱ〜\xF0\x9F\x98\x80") + FromCodePoint(0xE000);
        QTest::newRow("utf-8") << text << PageCharset::Utf8
                               << QByteArray("\xE4\xBA\x9C\xEF\xBD\xB1\xE3\x80\x9C\xF0\x9F\x98\x80"
                                             "\xEE\x80\x80");
        QTest::newRow("shift_jis")
            << text << PageCharset::ShiftJis << QByteArray("\x88\x9F\xB1\x81\x60&#128512;\xF0\x40");
        QTest::newRow("euc-jp") << text << PageCharset::EucJp
                                << QByteArray("\xB0\xA1\x8E\xB1\xA1\xC1&#128512;\xF5\xA1");
    }
    void encodePage()
    {
        const auto [page, charset] = Fetch<QString, PageCharset>("page", "charset");
        const QByteArray encoded = EncodePage(page, charset);
        QTEST(encoded, "bytes");
        QVERIFY(!encoded.startsWith("\xEF\xBB\xBF"));
    }

    void decodeReversesEncode()
    {
        QString text;
        for (char32_t c = 0x20; c < 0x10000; ++c) {
            if (!QChar::isSurrogate(c))
                text += QChar(c);
        }
        const QByteArray bytes = EncodeShiftJis(text, Unencodable::NumericReference);
        bool valid = true;
        const QString decoded = DecodeShiftJis(bytes, &valid);
        QVERIFY(valid);
        QCOMPARE(EncodeShiftJis(decoded, Unencodable::NumericReference), bytes);
    }
};

QTEST_GUILESS_MAIN(TestCharsets)
#include "tst_charsets.moc"
