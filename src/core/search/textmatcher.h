#pragma once

#include "core/search/searchoptions.h"

#include <QBitArray>
#include <QList>
#include <QString>
#include <QStringView>

// One occurrence, in positions of the searched text (UTF-16 units).
struct TextMatch
{
    qsizetype start = -1;
    qsizetype length = 0;

    bool found() const { return start >= 0; }
    qsizetype end() const { return start + length; }
    bool operator==(const TextMatch &) const = default;
};

// Finds a search text in a text, honouring the option flags: direction,
// case, whole words, full-width = half-width, and ignoring line breaks and
// spaces. Searching down finds the first occurrence that starts at or after
// the origin; searching up finds the last one that ends at or before it, so
// an occurrence just selected is never found again.
class TextMatcher
{
public:
    TextMatcher(const QString &pattern, SearchOptions options);

    // False when the search text is empty (or only ignored characters).
    bool isValid() const { return !m_pattern.isEmpty(); }

    TextMatch find(QStringView text, qsizetype origin) const;
    // Every occurrence from the origin in the search direction, in the order
    // they are met, none overlapping another.
    QList<TextMatch> findAll(QStringView text, qsizetype origin) const;

private:
    // Case matters and nothing is folded: the text is searched as it is.
    TextMatch findExact(QStringView text, qsizetype origin) const;
    // With folding the text is compared character by character as it is
    // read, so nothing the size of the text is built for one search step.
    TextMatch findFolded(QStringView text, qsizetype origin) const;
    // Where the occurrence starting at `start` ends, or -1.
    qsizetype foldedMatchEnd(QStringView text, qsizetype start) const;
    bool isWholeWord(QStringView text, qsizetype start, qsizetype end) const;

    SearchOptions m_options;
    QString m_pattern; // folded the way the text is folded when compared
    bool m_folds;
    QBitArray m_firstUnits; // by UTF-16 unit, when folding
};
