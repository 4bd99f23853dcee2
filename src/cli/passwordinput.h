#pragma once

#include <QString>
#include <optional>

// "--password-stdin": the password is the first line of standard input, so
// that it never stands on the command line, where every user's `ps` shows
// it. The line ends at LF (a CR before it is dropped) or at the end of the
// input; none when the input is empty.
std::optional<QString> ReadPasswordFromStdin();
