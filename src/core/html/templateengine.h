#pragma once

#include "datechange.h"
#include "project/feeditem.h"
#include "templatecontext.h"

#include <QList>
#include <QString>
#include <QStringView>

// Expands a feed's HTML template into page text: every variable in braces
// is replaced by its value, and each "{item_loop_start}" ...
// "{item_loop_end}" body is repeated for the items, newest first. Syntax
// errors are shown through the context's user interface; the page then
// holds what was expanded up to the error.
QString ProcessTemplate(QStringView templateText, const TemplateContext &context,
                        const QList<FeedItem> &items);

// Replaces the variables of one piece of template text for one item (an
// empty item outside loops), then takes the item's date into the
// date-change state. A variable without a closing brace stops the
// replacing: the rest of the piece stays as typed.
QString ExpandVariables(QStringView piece, const TemplateContext &context, const FeedItem &item,
                        DateChangeState &dates);
