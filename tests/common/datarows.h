#pragma once

#include <QTest>

// The columns of a data table in one statement:
// Columns<QString, int>("text", "count") adds a QString column "text" and an
// int column "count".
template <typename... Types, typename... Names> void Columns(Names... names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "one name for each type");
    (QTest::addColumn<Types>(names), ...);
}
