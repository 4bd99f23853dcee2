#pragma once

#include <QDateTime>
#include <functional>

// The local wall clock used for generated dates. Tests and the command
// line's --now replace it with a fixed time.
struct Clock
{
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    static Clock fixed(const QDateTime &time)
    {
        return Clock{[time] { return time; }};
    }
};
