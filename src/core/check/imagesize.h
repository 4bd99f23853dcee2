#pragma once

#include <QByteArray>
#include <QSize>

// The pixel size stated in a PNG or JPEG file's header; an invalid size for
// any other file. Read from the bytes, since the core has no image library.
QSize PngOrJpegSize(const QByteArray &head);
