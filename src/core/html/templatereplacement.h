#pragma once

#include "core/html/templatevariables.h"

#include <QString>
#include <QStringView>
#include <bitset>
#include <optional>

// The variables of a template piece replaced one after another, as the
// template language defines it. This is the general way of expanding: it
// holds for every text and every value, including those where a value puts
// together a head or holds the "}" that ends another variable's attributes.

// The "format" attribute of an occurrence's attribute text.
std::optional<QStringView> FormatAttribute(QStringView attributeText);

// What one occurrence is replaced with: the variable's text, trimmed, put
// through the request's format.
QString VariableValue(const TemplateVariable &variable, const VariableRequest &request);

// The first occurrence of the head from the position on.
qsizetype FindHead(QStringView text, QStringView head, qsizetype from);

// The number of characters of the longest variable head.
qsizetype LongestHead();

// Replaces the variables in the order of TemplateVariables(); "named" tells
// which heads the text holds before replacing. A variable without a closing
// brace stops the replacing: the rest of the text stays as typed.
void ReplaceVariablesInTurn(QString &text, const std::bitset<TemplateVariableCount> &named,
                            const VariableRequest &request);
