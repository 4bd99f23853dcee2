#include "core/search/textmatcher.h"

#include "core/search/textfolding.h"

namespace {

QString foldPattern(const QString &pattern, SearchOptions options)
{
    QString folded;
    for (qsizetype i = 0; i < pattern.size();) {
        const FoldedUnit unit = FoldAt(pattern, i, options);
        if (!unit.folded.isNull())
            folded += unit.folded;
        i += unit.units;
    }
    return folded;
}

bool isVoicedMark(QChar c)
{
    return c.unicode() == 0xFF9E || c.unicode() == 0xFF9F;
}

} // namespace

TextMatcher::TextMatcher(const QString &pattern, SearchOptions options)
    : m_options(options), m_folds(NeedsFolding(options))
{
    m_pattern = m_folds ? foldPattern(pattern, options) : pattern;
    if (!m_folds || m_pattern.isEmpty())
        return;
    // Every character that can begin an occurrence: the scan looks only at
    // these. A half-width kana may begin one through the mark after it.
    m_firstUnits.resize(0x10000);
    for (char32_t c = 0; c < 0x10000; ++c) {
        const QChar unit{char16_t(c)};
        const bool kana = c >= 0xFF61 && c <= 0xFF9F && (options & SearchFlag::NoMatchZenkaku);
        if (kana || FoldAt(QStringView(&unit, 1), 0, options).folded == m_pattern.front())
            m_firstUnits.setBit(qsizetype(c));
    }
}

bool TextMatcher::isWholeWord(QStringView text, qsizetype start, qsizetype end) const
{
    const auto boundary = [&](qsizetype at) {
        if (at <= 0 || at >= text.size())
            return true;
        const int before = WordClass(text[at - 1]);
        return before == 0 || before != WordClass(text[at]);
    };
    return boundary(start) && boundary(end);
}

qsizetype TextMatcher::foldedMatchEnd(QStringView text, qsizetype start) const
{
    // An occurrence starts on a character that counts, never on an ignored
    // one or on a voiced sound mark joined to the kana before it.
    const FoldedUnit first = FoldAt(text, start, m_options);
    if (first.folded != m_pattern.front())
        return -1;
    if (isVoicedMark(text[start]) && start > 0 && FoldAt(text, start - 1, m_options).units == 2)
        return -1;
    qsizetype at = start + first.units;
    for (qsizetype k = 1; k < m_pattern.size();) {
        if (at >= text.size())
            return -1;
        const FoldedUnit unit = FoldAt(text, at, m_options);
        at += unit.units;
        if (unit.folded.isNull())
            continue;
        if (unit.folded != m_pattern[k])
            return -1;
        ++k;
    }
    return at;
}

TextMatch TextMatcher::findFolded(QStringView text, qsizetype origin) const
{
    if (m_options & SearchFlag::Down) {
        for (qsizetype start = origin; start < text.size(); ++start) {
            if (!m_firstUnits.testBit(text[start].unicode()))
                continue;
            const qsizetype end = foldedMatchEnd(text, start);
            if (end >= 0 && (!(m_options & SearchFlag::WholeWord) || isWholeWord(text, start, end)))
                return {start, end - start};
        }
        return {};
    }
    // Going up the text ends at the origin, so nothing found reaches past it.
    const QStringView before = text.first(origin);
    for (qsizetype start = origin - 1; start >= 0; --start) {
        if (!m_firstUnits.testBit(text[start].unicode()))
            continue;
        const qsizetype end = foldedMatchEnd(before, start);
        if (end >= 0 && (!(m_options & SearchFlag::WholeWord) || isWholeWord(text, start, end)))
            return {start, end - start};
    }
    return {};
}

TextMatch TextMatcher::findExact(QStringView text, qsizetype origin) const
{
    const bool down = m_options & SearchFlag::Down;
    const qsizetype length = m_pattern.size();
    const auto next = [&](qsizetype from) {
        if (down)
            return text.indexOf(m_pattern, from);
        return from < 0 ? qsizetype(-1) : text.lastIndexOf(m_pattern, from);
    };
    for (qsizetype at = next(down ? origin : origin - length); at >= 0;
         at = next(down ? at + 1 : at - 1)) {
        if (!(m_options & SearchFlag::WholeWord) || isWholeWord(text, at, at + length))
            return {at, length};
    }
    return {};
}

TextMatch TextMatcher::find(QStringView text, qsizetype origin) const
{
    if (!isValid())
        return {};
    origin = qBound(qsizetype(0), origin, text.size());
    return m_folds ? findFolded(text, origin) : findExact(text, origin);
}

QList<TextMatch> TextMatcher::findAll(QStringView text, qsizetype origin) const
{
    QList<TextMatch> matches;
    const bool down = m_options & SearchFlag::Down;
    // Occurrences never overlap: each search goes on past the last one, or before it.
    for (TextMatch match = find(text, origin); match.found();
         match = find(text, down ? match.end() : match.start))
        matches << match;
    return matches;
}
