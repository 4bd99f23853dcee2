#include "core/text/xmlchars.h"
#include "core/xml/xmlinput.h"
#include "core/xml/xmlutf8.h"

#include <QTest>

namespace {

// Japanese text of the given length in characters, three bytes each.
QByteArray japanese(int characters)
{
    const QByteArray kana = QByteArrayLiteral("あいうえおかきくけこ日本語");
    QByteArray text;
    for (int i = 0; i < characters; ++i)
        text += kana.mid((i % 13) * 3, 3);
    return text;
}

// The run lengths and offsets around the sixteen-byte blocks the decoder
// takes at once.
const QList<int> Lengths = {0, 1, 2, 4, 5, 6, 7, 10, 11, 15, 16, 17, 30};

} // namespace

class TestXmlBytes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every mix of ASCII, Japanese runs and other sequences reads as Qt's
    // decoder reads it, in both decoders.
    void validTextReadsAsQtReadsIt()
    {
        const QList<QByteArray> others = {"", "\xC3\xA9", "\xF0\x9F\x98\x80", "\xEF\xBD\xA1"};
        for (int ascii : Lengths) {
            for (int run : Lengths) {
                for (const QByteArray &other : others) {
                    const QByteArray bytes = QByteArray(ascii, 'a') + japanese(run) + other +
                                             japanese(run % 7) + QByteArray(ascii % 9, 'z');
                    const QString expected = QString::fromUtf8(bytes);
                    bool hasControl = true;
                    QCOMPARE(DecodeUtf8Value(bytes, hasControl), expected);
                    QVERIFY(!hasControl);
                    QCOMPARE(DecodeUtf8Lines(bytes), expected);
                }
            }
        }
    }

    // An invalid sequence anywhere in a run, at any place in a block, makes
    // the whole value invalid.
    void invalidSequenceAnywhereInARun()
    {
        const QList<QByteArray> faults = {
            "\xE0\x80\x80", // overlong
            "\xED\xA0\x80", // surrogate
            "\xE3\x41\x81", // lead byte without its trailing bytes
            "\xE3\x81\xC1", // second trailing byte out of range
            "\x81",         // stray trailing byte
        };
        for (const QByteArray &fault : faults) {
            for (int at = 0; at <= 20; ++at) {
                const QByteArray bytes = japanese(at) + fault + japanese(20 - at);
                bool hasControl = false;
                QVERIFY2(!DecodeUtf8Value(bytes, hasControl), bytes.toHex().constData());
                QVERIFY2(!DecodeUtf8Lines(bytes), bytes.toHex().constData());
            }
        }
    }

    // A control anywhere in a run of ASCII is seen, but a tab is kept.
    void controlsAnywhereAreSeen()
    {
        for (const char control : {'\x01', '\x1F', '\x7F', '\t'}) {
            for (int at = 0; at <= 20; ++at) {
                const QByteArray bytes = QByteArray(at, 'a') + control + QByteArray(20 - at, 'b');
                bool hasControl = false;
                QCOMPARE(DecodeUtf8Value(bytes, hasControl), QString::fromUtf8(bytes));
                QCOMPARE(hasControl, control != '\t');
                QCOMPARE(DecodeUtf8Lines(bytes).has_value(), control == '\t');
            }
        }
    }

    // Each control that XML does not allow is dropped from a document
    // wherever it stands; tabs and line ends stay.
    void documentControlsAreDropped()
    {
        for (const char control : {'\x00', '\x08', '\x0B', '\x1F'}) {
            for (int at = 0; at < 70; ++at) {
                QByteArray document = QByteArray(70, 'x') + "\t\r\n";
                document.insert(at, control);
                const QByteArray expected = QByteArray(70, 'x') + "\t\r\n";
                QCOMPARE(document.first(DropXmlControls(document.data(), document.size())),
                         expected);
            }
        }
    }

    // Output text loses each character XML forbids wherever it stands,
    // and keeps the allowed ones around the eight-unit blocks.
    void forbiddenCharactersLeaveOutput()
    {
        const QString kept = QString::fromUtf8(japanese(17) + "\t\n\xEE\x80\x80\xEF\xBF\xBD\xF0\x9F\x98\x80");
        for (const char16_t forbidden : {u'\x01', u'\x1F', u'\xFFFE', u'\xD800', u'\xDC00'}) {
            const QString text = kept.repeated(2);
            for (int at = 0; at <= text.size(); ++at) {
                if (at > 0 && text.at(at - 1).isHighSurrogate())
                    continue; // a pair is not taken apart
                QString dirty = text;
                dirty.insert(at, QChar(forbidden));
                QCOMPARE(WithoutXmlForbiddenChars(dirty), text);
                QCOMPARE(WithoutXmlForbiddenChars(text), text);
            }
        }
    }

    // Lines decode the escapes and the references beyond ASCII in the same
    // pass; what the general way must sort out is left to it.
    void linesTakeTheirEscapes()
    {
        QCOMPARE(DecodeUtf8Lines("&lt;p&gt;" + japanese(17) + "&#9733;&#x1F600;&amp;#9733;\n"),
                 QString::fromUtf8("<p>" + japanese(17) + "★\xF0\x9F\x98\x80&#9733;\r\n"));
        QCOMPARE(DecodeUtf8Lines(japanese(16) + "&#38;lt;"), std::nullopt);
        QCOMPARE(DecodeUtf8Lines("&#xD800;" + japanese(16)), std::nullopt);
        QCOMPARE(DecodeUtf8Lines("a&#12354"), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestXmlBytes)
#include "tst_xmlbytes.moc"
