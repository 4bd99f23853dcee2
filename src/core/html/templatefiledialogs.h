#pragma once

#include "core/html/templatefile.h"
#include "core/userinterface.h"

#include <QString>
#include <optional>

// The template file name proposed for a node: its caption without the
// characters ? * \ " , . ; : | < > /; "新しいテンプレート" without a node.
QString ProposedTemplateName(const std::optional<QString> &nodeCaption);

// Asks for a file name, starting in the template folder, and writes the
// settings line and the template there. False when the user cancels or the
// file cannot be written (which is shown).
bool SaveTemplateFile(UserInterface &ui, const QString &templateFolder,
                      const std::optional<QString> &nodeCaption,
                      const HtmlTemplateSettings &settings, const QString &script);

// Asks for a template file, starting in the template folder, and reads it.
// Nothing when the user cancels or the file cannot be read (which is shown).
std::optional<HtmlTemplateFile> LoadTemplateFile(UserInterface &ui, const QString &templateFolder);
