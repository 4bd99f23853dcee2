#pragma once

#include "core/html/datechange.h"
#include "core/html/templatecontext.h"
#include "core/html/templatevariables.h"
#include "core/model/feeditem.h"

#include <QString>
#include <QStringView>
#include <bitset>
#include <optional>
#include <vector>

// A piece of template text, expanded once or once for every item of a loop.
// The piece is cut into literal text and variable occurrences once, so that
// a loop body is expanded for each item by putting the parts together.
// Where the outcome depends on the values (a value holding "{", a "}"
// ending attributes behind a value, a head a value may complete, a missing
// "}"), the variables are replaced in turn as the template language
// defines.
class TemplatePiece
{
public:
    // The text must outlive the piece.
    explicit TemplatePiece(QStringView text);

    // Appends the piece expanded for one item (an empty item outside
    // loops), then takes the item's date into the date-change state.
    void appendExpansion(QString &page, const TemplateContext &context, const FeedItem &item,
                         DateChangeState &dates) const;

private:
    // Literal text of the piece, or one occurrence of a variable.
    struct Part
    {
        QStringView literal;
        const TemplateVariable *variable = nullptr;
        std::optional<QStringView> format = std::nullopt;
    };

    static std::optional<std::vector<Part>> cut(QStringView text,
                                                const std::bitset<TemplateVariableCount> &named);
    bool appendParts(QString &page, const VariableRequest &request) const;

    QStringView m_text;
    std::bitset<TemplateVariableCount> m_named;
    // Empty when the piece's outcome may depend on the values.
    std::optional<std::vector<Part>> m_parts;
};
