#pragma once

#include <QTest>

#include <initializer_list>

// Adds data rows whose columns are all texts, one row per line of a table:
// the row's name first, then one UTF-8 text for each column.
inline void AddTextRows(std::initializer_list<std::initializer_list<const char *>> rows)
{
    for (const auto &row : rows) {
        const char *const *cell = row.begin();
        QTestData &data = QTest::newRow(*cell);
        for (++cell; cell != row.end(); ++cell)
            data << QString::fromUtf8(*cell);
    }
}
