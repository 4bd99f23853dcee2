#pragma once

#include <QString>

// What the month and year change markers compare an item's date with: the
// year and month texts of the item before it on the page. Both are empty at
// the start of every item loop.
struct DateChangeState
{
    QString previousYear;
    QString previousMonth;

    // The year without leading zeros when the date's year differs from the
    // previous one; empty otherwise.
    QString yearChange(const QString &dateText) const;
    // The month without leading zero when the year changes, or when the
    // month differs from the previous one; empty otherwise.
    QString monthChange(const QString &dateText) const;
    // Takes the year and month of an item's date that hold a number above 0.
    void advance(const QString &dateText);
};
