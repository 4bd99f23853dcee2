#pragma once

#include "core/html/datechange.h"
#include "core/html/templatecontext.h"
#include "core/model/feeditem.h"

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
