#pragma once

#include <QTest>

#include <tuple>

// The columns of a data table in one statement:
// Columns<QString, int>("text", "count") adds a QString column "text" and an
// int column "count".
template <typename... Types, typename... Names> void Columns(Names... names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "one name for each type");
    (QTest::addColumn<Types>(names), ...);
}

// The current row's values of several columns, for a structured binding:
// const auto [text, count] = Fetch<QString, int>("text", "count");
template <typename... Types, typename... Names> std::tuple<Types...> Fetch(Names... names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "one name for each type");
    return {*static_cast<Types *>(QTest::qData(names, qMetaTypeId<Types>()))...};
}
