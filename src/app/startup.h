#pragma once

class QApplication;

// What the process sets up before any window exists. The font is the
// desktop's: fontconfig finds the Japanese glyphs it lacks.

// Message boxes and dialogs with Japanese button texts.
void LoadQtTranslation(QApplication &app);
