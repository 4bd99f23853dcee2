#pragma once

#include <QIcon>

// The images of the project tree, 18 × 20 pixels, by image index: 0 the
// project, 1 a folder, 2 a feed, 3 a feed being uploaded. A node shows the
// image of its kind; other indexes have none.
QIcon TreeIcon(int index);
