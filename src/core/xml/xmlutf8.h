#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// A value's UTF-8 bytes as text, decoded and checked in one pass into one
// allocation; nothing when the bytes are not valid UTF-8 (a stray or missing
// continuation byte, an overlong form, a surrogate, a code point above
// U+10FFFF). A byte order mark at the start is dropped, as Qt's UTF-8
// decoder does. hasControl tells whether the text holds a control that
// values drop (below U+0020 other than TAB, LF and CR, or U+007F), so that
// the usual value, which has none, is not searched again.
std::optional<QString> DecodeUtf8Value(QByteArrayView bytes, bool &hasControl);

// A multi-line field's CDATA bytes as text, decoded and checked in the same
// pass: lines end in CR LF (for LF, CR LF and a lone CR), and the escapes a
// writer adds inside CDATA ("&gt;", "&lt;", "&amp;") are undone, the search
// going on behind each, so that "&amp;lt;" reads "&lt;"; numeric references
// to characters beyond ASCII are decoded. Nothing when the bytes hold what
// this pass leaves to the general way: invalid UTF-8, a control that values
// drop, or another "&#".
std::optional<QString> DecodeUtf8Lines(QByteArrayView bytes);
