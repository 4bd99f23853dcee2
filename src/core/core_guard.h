#pragma once
// Forced into every core translation unit by the build.
#if defined(QT_GUI_LIB) || defined(QT_WIDGETS_LIB)
#error "the core library must not depend on Qt Gui or Qt Widgets"
#endif
