#pragma once

#include "core/html/datechange.h"
#include "core/html/templatecontext.h"
#include "core/model/feeditem.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <span>

// Everything one occurrence of a variable may need.
struct VariableRequest
{
    const TemplateContext &context;
    const FeedItem &item;
    const DateChangeState &dates;
    // The "format" attribute, when the variable carries one.
    std::optional<QStringView> format;
};

// A variable's text before trimming: the date variables produce a text of
// their own from the format (formatted); every variable has a plain value.
struct VariableText
{
    QString formatted;
    QString plain;
};

struct TemplateVariable
{
    // The variable's opening brace and name, without the closing brace.
    QStringView head;
    VariableText (*text)(const VariableRequest &request);
};

constexpr size_t TemplateVariableCount = 27;

// The variables in the order in which they are replaced: a value may
// contain a later variable's head, which is then replaced too.
std::span<const TemplateVariable, TemplateVariableCount> TemplateVariables();

// The generator text of "{common_generator}".
QString GeneratorText();
