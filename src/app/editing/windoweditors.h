#pragma once

#include <QStringList>

class QWidget;
class TextEditor;

// The window's four text editors by their control names. The pages that
// hold them are made elsewhere and may come later, so the window's features
// look them up when they need them instead of keeping pointers.
namespace WindowEditor {
inline const QString memo = QStringLiteral("Editor");                     // the project memo
inline const QString content = QStringLiteral("Memo_content");            // an item's body
inline const QString htmlTemplate = QStringLiteral("ED_Html_Script_Sub"); // the HTML template
inline const QString sourceView = QStringLiteral("Memo");                 // read-only
inline const QStringList all = {memo, content, htmlTemplate, sourceView};
} // namespace WindowEditor

// The editor of that name inside the window, or nullptr.
TextEditor *FindWindowEditor(const QWidget &window, const QString &name);
// The text editor that has the window's focus, or nullptr.
TextEditor *FocusedEditor(const QWidget &window);
