#pragma once

class QApplication;
class QString;

// What the process sets up before any window exists.

// The default font: "MS UI Gothic" when installed, else a Japanese sans
// font, with the sans-serif hint so that missing glyphs come from one too.
void ApplyDefaultFont();
// Message boxes and dialogs with Japanese button texts.
void LoadQtTranslation(QApplication &app);
// With 8 bits per pixel or fewer the window cannot be shown properly.
bool ColourDepthTooLow();
QString ColourDepthMessage();
