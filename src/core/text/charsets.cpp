#include "core/text/charsets.h"

#include "core/text/shiftjisbytes.h"
#include "core/text/textops.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// ICU's name for code page 932 as Windows implements it.
constexpr const char *ShiftJisCodec = "windows-31j";

// ICU's table follows IBM's code page 943, which rotates three control
// codes; Windows keeps them as they are. Each pair is the Windows character
// and the character ICU uses for the same byte.
constexpr char16_t ControlPairs[][2] = {{0x1A, 0x1C}, {0x1C, 0x7F}, {0x7F, 0x1A}};

QChar SwapControl(QChar c, int from, int to)
{
    for (const auto &pair : ControlPairs) {
        if (c.unicode() == pair[from])
            return QChar(pair[to]);
    }
    return c;
}

QChar IcuControlForm(QChar c)
{
    return SwapControl(c, 0, 1);
}

QChar WindowsControlForm(QChar c)
{
    return SwapControl(c, 1, 0);
}

// Linux input methods and many documents use the JIS-style code points where
// Windows uses the code page's own ones; both must give the Windows bytes.
QChar WindowsForm(QChar c)
{
    switch (c.unicode()) {
    case 0x301C: // wave dash
        return QChar(0xFF5E);
    case 0x2212: // minus sign
        return QChar(0xFF0D);
    case 0x2016: // double vertical line
        return QChar(0x2225);
    case 0x2014: // em dash
        return QChar(0x2015);
    case 0x00A2: // cent sign
        return QChar(0xFFE0);
    case 0x00A3: // pound sign
        return QChar(0xFFE1);
    case 0x00AC: // not sign
        return QChar(0xFFE2);
    default:
        return IcuControlForm(c);
    }
}

QByteArray Substitute(char32_t codePoint, Unencodable mode)
{
    if (mode == Unencodable::QuestionMark)
        return QByteArrayLiteral("?");
    return "&#" + QByteArray::number(quint32(codePoint)) + ';';
}

bool IsSingleCharacter(QStringView text)
{
    return text.size() == 1 ||
           (text.size() == 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate());
}

// ICU keeps an error once it has seen one, so every attempt needs a fresh
// encoder. A part that fails is halved until the characters without a form
// are isolated: a few such characters cost a few extra runs, not one run per
// character.
void EncodeSpan(QStringView text, Unencodable mode, QByteArray &out)
{
    QStringEncoder encoder(ShiftJisCodec, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError()) {
        out += bytes;
        return;
    }
    if (IsSingleCharacter(text)) {
        // A lone surrogate is no character at all; it stands for U+FFFD.
        const char32_t codePoint =
            text.size() == 2 ? QChar::surrogateToUcs4(text[0], text[1])
                             : (text[0].isSurrogate() ? char32_t(0xFFFD) : text[0].unicode());
        out += Substitute(codePoint, mode);
        return;
    }
    qsizetype middle = text.size() / 2;
    if (text[middle].isLowSurrogate() && text[middle - 1].isHighSurrogate())
        ++middle;
    EncodeSpan(text.first(middle), mode, out);
    EncodeSpan(text.sliced(middle), mode, out);
}

// Offsets where characters start, plus the end: a lead byte with a trail
// byte behind it is one character, every other byte is one on its own.
std::vector<qsizetype> CharacterStarts(const QByteArray &bytes)
{
    std::vector<qsizetype> starts;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        starts.push_back(pos);
        const bool pair = IsShiftJisLeadByte(uchar(bytes[pos])) && pos + 1 < bytes.size() &&
                          IsShiftJisTrailByte(uchar(bytes[pos + 1]));
        pos += pair ? 2 : 1;
    }
    starts.push_back(bytes.size());
    return starts;
}

// Decodes the characters [first, last) of the bytes, halving parts that fail
// the same way EncodeSpan does. ICU substitutes U+001A for bad bytes, the same
// character it gives a real 0x7F, so bad characters are isolated and replaced
// here instead.
void DecodeSpan(const QByteArray &bytes, const std::vector<qsizetype> &starts, size_t first,
                size_t last, QString &out)
{
    const QByteArrayView span =
        QByteArrayView(bytes).sliced(starts[first], starts[last] - starts[first]);
    QStringDecoder decoder(ShiftJisCodec, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(span);
    if (!decoder.hasError()) {
        out += text;
        return;
    }
    if (last - first == 1) {
        out += QChar(QChar::ReplacementCharacter);
        // An ASCII byte behind a bad lead byte is a character of its own.
        if (span.size() == 2 && uchar(span[1]) < 0x80)
            out += QLatin1Char(span[1]);
        return;
    }
    const size_t middle = first + (last - first) / 2;
    DecodeSpan(bytes, starts, first, middle, out);
    DecodeSpan(bytes, starts, middle, last, out);
}

constexpr qsizetype Far = std::numeric_limits<qsizetype>::max();

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// Where the lower-case name first stands in the text, ASCII letter case
// ignored, if it starts before end; Far otherwise.
qsizetype positionBefore(QStringView text, QLatin1StringView name, qsizetype end)
{
    const qsizetype last = std::min(end, text.size() - name.size() + 1);
    const char16_t first = char16_t(name.front().unicode());
    for (qsizetype at = 0; at < last; ++at) {
        if (asciiLower(text[at].unicode()) != first)
            continue;
        qsizetype i = 1;
        while (i < name.size() && asciiLower(text[at + i].unicode()) == name[i].unicode())
            ++i;
        if (i == name.size())
            return at;
    }
    return Far;
}

} // namespace

QByteArray AnsiToUtf8(const QString &text)
{
    return text.toUtf8();
}

QByteArray EncodeShiftJis(const QString &text, Unencodable mode)
{
    QString windowsText = text;
    for (QChar &c : windowsText)
        c = WindowsForm(c);
    QByteArray out;
    out.reserve(windowsText.size() * 2);
    EncodeSpan(windowsText, mode, out);
    return out;
}

QString DecodeShiftJis(const QByteArray &bytes, bool *valid)
{
    QStringDecoder decoder(ShiftJisCodec, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    if (decoder.hasError()) {
        const std::vector<qsizetype> starts = CharacterStarts(bytes);
        text.clear();
        DecodeSpan(bytes, starts, 0, starts.size() - 1, text);
    }
    for (QChar &c : text)
        c = WindowsControlForm(c);
    return text;
}

PageCharset ChoosePageCharset(const QString &pageText)
{
    // Only which name comes first counts, so each search stops at the
    // place an earlier find has already settled: pages name their set near
    // the top, and the rest of a long page is not searched.
    const qsizetype utf8 = positionBefore(pageText, QLatin1StringView("utf-8"), Far);
    const qsizetype shiftJis = positionBefore(pageText, QLatin1StringView("shift_jis"), utf8);
    if (shiftJis > utf8)
        return PageCharset::Utf8;
    if (positionBefore(pageText, QLatin1StringView("euc-jp"), shiftJis) < shiftJis)
        return PageCharset::EucJp;
    return PageCharset::ShiftJis;
}

QByteArray EncodePage(const QString &pageText, PageCharset charset)
{
    switch (charset) {
    case PageCharset::Utf8:
        return AnsiToUtf8(pageText);
    case PageCharset::EucJp:
        return SjisToEuc(EncodeShiftJis(pageText, Unencodable::NumericReference));
    case PageCharset::ShiftJis:
        break;
    }
    return EncodeShiftJis(pageText, Unencodable::NumericReference);
}
