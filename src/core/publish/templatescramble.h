#pragma once

#include <QByteArray>

// Template files hold a password, so no line is stored in plain text: each
// plain byte is XORed with a cycling 8-byte key and written as two symbols of
// a fixed 16-symbol table. This keeps the file printable and the values out
// of casual sight; it is not encryption.

// The longest stored line; a longer result is cut, so a plain line must stay
// within MaxPlainTemplateLine bytes to survive.
inline constexpr int MaxScrambledTemplateLine = 255;
inline constexpr int MaxPlainTemplateLine = MaxScrambledTemplateLine / 2;

QByteArray ScrambleTemplateLine(const QByteArray &plain);
// Symbols outside the table stay as they are and a pair that is then no
// hexadecimal number makes the line unreadable: the result is empty. A
// trailing single symbol is ignored.
QByteArray UnscrambleTemplateLine(const QByteArray &scrambled);
