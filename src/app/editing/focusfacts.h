#pragma once

#include "core/editing/gridcommand.h"

class QWidget;

// Reads what the Edit commands depend on from the focused control and the
// clipboard. The grid tells its own editors apart from other text boxes.
FocusFacts ReadFocusFacts(const QWidget *focus, const QWidget *grid, bool lineMode);
