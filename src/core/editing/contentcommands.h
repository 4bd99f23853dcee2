#pragma once

#include "core/model/feedformats.h"

#include <QString>
#include <QStringList>
#include <optional>

struct ChannelSettings;

// What a content command puts in place of the editor's selection, and how
// far before the end of it the caret ends (0: after it).
struct ContentInsertion
{
    QString text;
    qsizetype caretBack = 0;

    bool operator==(const ContentInsertion &) const = default;
};

// opening + sel + closing; with nothing selected the caret goes before the closing text.
ContentInsertion WrapSelection(const QString &opening, const QString &closing, const QString &sel);
// <tag>sel</tag>: the bold, italic, underline, quote and strike commands.
ContentInsertion WrapInTag(const QString &tag, const QString &sel);
// <div align="hint">sel</div>: the three alignment commands.
ContentInsertion AlignBlock(const QString &hint, const QString &sel);
// The list command of "その他".
ContentInsertion ListBlock(Markup markup, const QString &sel);

// The remembered values of the link and image dialog, kept while the program runs.
struct UrlDialogValues
{
    QString linkAddress = QStringLiteral("http://");
    QString imageAddress = QStringLiteral("http://");
    QString altText;
    int border = 0; // 0 to 5 pixels
    int align = 0;  // 0 none, 1 left, 2 right
    bool newWindow = true;
};

// The opening of the link element; a double quote in the address is written
// as &quot; so that the attribute stays whole.
QString LinkOpening(const QString &address, bool newWindow);
ContentInsertion LinkInsertion(const UrlDialogValues &values, const QString &sel);
// The image element that replaces the selection; the caret ends after it.
ContentInsertion ImageInsertion(const UrlDialogValues &values, Markup markup);
// The addresses the dialog offers: root, RSS address, channel link, logo
// image and logo link, each non-empty one once.
QStringList CandidateAddresses(const ChannelSettings &channel);

// The escape buttons " <", " >", " &&", " 空白" and " 改行".
enum class EscapeButton
{
    Left,
    Right,
    Amp,
    Space,
    Break
};
// The entity form, or with the escape lock on the plain form.
QString EscapeText(EscapeButton button, bool escapeLock, Markup markup);

// A key typed into a content editor under the escape lock rule: the text to
// insert instead of the key, or nothing when the key is typed normally.
// `key` is the typed character, or '\r' for Enter and '\n' for Ctrl+Enter.
std::optional<QString> EscapeLockKey(QChar key, bool escapeLock, bool shift, bool ctrl,
                                     Markup markup);

// The content toolbar works while its editor has the focus or a selection.
bool ContentToolbarEnabled(bool editorFocused, bool hasSelection);
