#include "core/search/searchcommands.h"

#include "core/search/searchtarget.h"
#include "core/search/textmatcher.h"
#include "core/userinterface.h"

QString NotFoundMessage(const QString &searchText)
{
    return QStringLiteral("検索文字列 \" ") + searchText +
           QStringLiteral(" \" は見つかりませんでした。");
}

QString ConfirmReplaceMessage(const QString &searchText, const QString &replaceText)
{
    return QLatin1Char(' ') + searchText + QStringLiteral("   を\r\n ") + replaceText +
           QStringLiteral("   に 置き換えますか？");
}

namespace {

qsizetype searchOrigin(const SearchTarget &target, SearchOptions options)
{
    return (options & SearchFlag::Down) ? target.selectionEnd() : target.selectionStart();
}

// Replaces the occurrences from `first` on in one edit. Going down the
// occurrences stand in text order and each earlier replacement has moved
// the text by `shift`; going up they stand in reverse order and nothing
// before them has moved.
void replaceRest(SearchTarget &target, QStringView text, const QList<TextMatch> &matches,
                 qsizetype first, const QString &replacement, bool down, qsizetype shift)
{
    const TextMatch &low = down ? matches[first] : matches.last();
    const TextMatch &high = down ? matches.last() : matches[first];
    QString result;
    qsizetype at = low.start;
    const auto add = [&](const TextMatch &match) {
        result += text.sliced(at, match.start - at);
        result += replacement;
        at = match.end();
    };
    if (down) {
        for (qsizetype i = first; i < matches.size(); ++i)
            add(matches[i]);
    } else {
        for (qsizetype i = matches.size() - 1; i >= first; --i)
            add(matches[i]);
    }
    target.replace(low.start + shift, high.end() + shift, result);
    if (!down)
        target.setCaret(low.start);
}

} // namespace

bool SearchStep(SearchTarget &target, const QString &searchText, SearchOptions options,
                UserInterface &ui)
{
    const TextMatch match =
        TextMatcher(searchText, options).find(target.text(), searchOrigin(target, options));
    if (!match.found()) {
        ui.information(NotFoundMessage(searchText));
        return false;
    }
    target.select(match.start, match.end(), options & SearchFlag::Down);
    return true;
}

int ReplaceCommand(SearchTarget &target, const QString &searchText, const QString &replaceText,
                   SearchOptions options, UserInterface &ui)
{
    const TextMatcher matcher(searchText, options);
    if (target.isReadOnly() || !matcher.isValid())
        return 0;
    const QString text = target.text();
    // The replacements are never searched, so every occurrence is one of the
    // original text, found before anything changes.
    const QList<TextMatch> matches = matcher.findAll(text, searchOrigin(target, options));
    const bool down = options & SearchFlag::Down;
    qsizetype shift = 0;
    int replaced = 0;
    bool stopped = false;
    target.beginUndoGroup();
    for (qsizetype i = 0; i < matches.size() && !stopped; ++i) {
        const qsizetype start = matches[i].start + shift;
        const qsizetype end = matches[i].end() + shift;
        bool replaceThis = true;
        if (options & SearchFlag::Confirm) {
            target.select(start, end, down);
            const UserInterface::Answer answer =
                ui.askYesNoCancelAll(ConfirmReplaceMessage(searchText, replaceText));
            if (answer == UserInterface::Answer::Cancel) {
                stopped = true;
                break;
            }
            if (answer == UserInterface::Answer::All)
                options = (options | SearchFlag::ReplaceAll) & ~SearchFlag::Confirm;
            replaceThis = answer != UserInterface::Answer::No;
            if (!replaceThis)
                target.setCaret(down ? end : start);
        }
        stopped = !(options & SearchFlag::ReplaceAll);
        if (!replaceThis)
            continue;
        if (!stopped && !(options & SearchFlag::Confirm)) {
            replaceRest(target, text, matches, i, replaceText, down, shift);
            replaced += int(matches.size() - i);
            break;
        }
        target.replace(start, end, replaceText);
        if (!down)
            target.setCaret(start);
        shift += down ? replaceText.size() - matches[i].length : 0;
        ++replaced;
    }
    target.endUndoGroup();
    // The search that would come next finds nothing: say so, as a search does.
    if (matches.isEmpty() || (!stopped && (options & SearchFlag::ReplaceAll)))
        ui.information(NotFoundMessage(searchText));
    return replaced;
}
