#pragma once

#include "core/check/feedfinding.h"
#include "core/check/xmloutline.h"

// The rules of each feed format, on the outline of a well-formed file.
void CheckRss2Rules(const XmlOutline &root, FeedFindings &findings);
void CheckRss1Rules(const XmlOutline &root, FeedFindings &findings);

// Shared by both: an address that must be absolute http(s) (what is the
// element, for the message), and the verdict of a date element.
void CheckAbsoluteAddress(const QString &address, int line, const QString &what,
                          FeedFindings &findings);
void AddError(FeedFindings &findings, int line, const QString &message);
