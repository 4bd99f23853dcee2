#pragma once

#include <QString>

// The text without the characters that XML 1.0 does not allow anywhere in a
// document: controls other than TAB, LF and CR, U+FFFE, U+FFFF and halves of
// surrogate pairs that stand alone. A parser rejects a whole feed for one of
// them, so they are dropped rather than written.
QString WithoutXmlForbiddenChars(const QString &text);
