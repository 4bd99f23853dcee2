#pragma once

#include <QByteArray>
#include <QString>

// The character sets that files leave the program in. Text inside the
// program is Unicode; it becomes Shift_JIS or EUC-JP only where a file
// must be in that set.

enum class PageCharset { Utf8, EucJp, ShiftJis };

// What to do with a character that has no form in the target set.
enum class Unencodable {
    NumericReference, // "&#NNNN;" (decimal code point): for HTML pages
    QuestionMark,     // "?": for places where markup would be wrong
};

// The UTF-8 bytes of a text.
QByteArray AnsiToUtf8(const QString &text);

// Shift_JIS (code page 932) bytes of a text. Characters that Linux input
// methods produce where Windows has the code page's own forms (the wave
// dash U+301C, the minus sign U+2212, the double vertical line U+2016, the
// em dash U+2014, the cent, pound and not signs, ...) encode to the bytes
// Windows gives them.
QByteArray EncodeShiftJis(const QString &text, Unencodable mode = Unencodable::NumericReference);
// Shift_JIS bytes to text. Invalid bytes become U+FFFD; *valid tells
// whether the bytes were all valid.
QString DecodeShiftJis(const QByteArray &bytes, bool *valid = nullptr);

// Shift_JIS bytes to EUC-JP bytes, character by character: double-byte
// characters by the JIS X 0208 arithmetic (the IBM extensions and the
// user-defined characters in their eucJP-ms forms), half-width katakana
// behind 0x8E, everything else copied.
QByteArray SjisToEuc(const QByteArray &sjis);

// Picks the page's set from the first "utf-8", "shift_jis" and "euc-jp"
// anywhere in the text (ASCII letter case ignored).
PageCharset ChoosePageCharset(const QString &pageText);
// The page text in the bytes of the given set.
QByteArray EncodePage(const QString &pageText, PageCharset charset);
