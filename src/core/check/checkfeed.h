#pragma once

#include "core/check/feedfinding.h"

#include <QByteArray>

// Checks the bytes of a generated RSS file (RSS 1.0 or 2.0, told by its
// root element): well-formed UTF-8 XML without a byte order mark or a
// document type, the rules of its format, and no local paths. Findings are
// in line order; parsing stops at the first error in the XML itself.
FeedFindings CheckFeed(const QByteArray &bytes);

// Checks the bytes of a generated HTML page: the character set it declares
// must be the one it is written in, and it holds no local paths.
FeedFindings CheckHtmlPage(const QByteArray &bytes);
