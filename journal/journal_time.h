#pragma once
// Times as the journal screen and the command line take them for a filter: local time,
// "2024-03-05", "2024-03-05 12:30", "2024-03-05 12:30:15" or "2024-03-05T12:30:15.250" (a blank
// or a T between date and time). The start of a range is the first instant of what was typed;
// its end is the last one, so "to 2024-03-05" keeps the whole day and "to 12:30" the whole minute:
// events carry milliseconds, and an end typed to the second would otherwise lose the rest of it.

#include <QDateTime>
#include <QString>
#include <optional>

// Empty when the text is no such time (an empty text included).
std::optional<QDateTime> parse_journal_time(const QString& text, bool endOfRange);
