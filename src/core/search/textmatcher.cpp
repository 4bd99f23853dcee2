#include "textmatcher.h"

#include "textfolding.h"

#include <vector>

// The text the search runs over: the text itself, or its folded form with the
// text position of every folded character. Only the part on the searched
// side of the origin is folded.
struct TextMatcher::Haystack
{
    QStringView source; // the text, for word boundaries and the ends of occurrences
    QStringView view;
    QString folded;
    std::vector<qsizetype> starts; // empty when the view is the text itself

    qsizetype textStart(qsizetype i) const { return starts.empty() ? i : starts[size_t(i)]; }
};

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

} // namespace

TextMatcher::TextMatcher(const QString &pattern, SearchOptions options)
    : m_options(options), m_folds(NeedsFolding(options))
{
    m_pattern = m_folds ? foldPattern(pattern, options) : pattern;
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

TextMatch TextMatcher::findIn(const Haystack &haystack, qsizetype &at) const
{
    const Qt::CaseSensitivity cs =
        (m_folds || (m_options & SearchFlag::MatchCase)) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool down = m_options & SearchFlag::Down;
    const qsizetype length = m_pattern.size();
    const auto next = [&](qsizetype from) {
        if (down)
            return haystack.view.indexOf(m_pattern, from, cs);
        return from < 0 ? qsizetype(-1) : haystack.view.lastIndexOf(m_pattern, from, cs);
    };
    for (at = next(down ? at : at - length); at >= 0; at = next(down ? at + 1 : at - 1)) {
        const qsizetype start = haystack.textStart(at);
        const qsizetype last = haystack.textStart(at + length - 1);
        const qsizetype end = last + (m_folds ? FoldAt(haystack.source, last, m_options).units : 1);
        if (!(m_options & SearchFlag::WholeWord) || isWholeWord(haystack.source, start, end))
            return {start, end - start};
    }
    return {};
}

TextMatcher::Haystack TextMatcher::prepare(QStringView text, qsizetype &origin) const
{
    origin = qBound(qsizetype(0), origin, text.size());
    Haystack haystack;
    haystack.source = text;
    if (!m_folds) {
        haystack.view = text;
        return haystack;
    }
    const bool down = m_options & SearchFlag::Down;
    const qsizetype from = down ? origin : 0;
    const qsizetype to = down ? text.size() : origin;
    // Searching up, the text ends at the origin: a character before it is
    // never joined with a mark after it.
    if (!down)
        haystack.source = text.first(to);
    haystack.folded.reserve(to - from);
    haystack.starts.reserve(size_t(to - from));
    for (qsizetype i = from; i < to;) {
        const FoldedUnit unit = FoldAt(haystack.source, i, m_options);
        if (!unit.folded.isNull()) {
            haystack.folded += unit.folded;
            haystack.starts.push_back(i);
        }
        i += unit.units;
    }
    haystack.view = haystack.folded;
    origin = down ? 0 : haystack.folded.size();
    return haystack;
}

TextMatch TextMatcher::find(QStringView text, qsizetype origin) const
{
    if (!isValid())
        return {};
    const Haystack haystack = prepare(text, origin);
    return findIn(haystack, origin);
}

QList<TextMatch> TextMatcher::findAll(QStringView text, qsizetype origin) const
{
    QList<TextMatch> matches;
    if (!isValid())
        return matches;
    const Haystack haystack = prepare(text, origin);
    const bool down = m_options & SearchFlag::Down;
    qsizetype at = origin;
    for (TextMatch match = findIn(haystack, at); match.found(); match = findIn(haystack, at)) {
        matches << match;
        // Occurrences never overlap: go on past this one, or before it.
        at += down ? m_pattern.size() : 0;
    }
    return matches;
}
