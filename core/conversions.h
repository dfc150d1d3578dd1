#pragma once
// The number rules every screen shares: how typed text becomes a number, how numbers become
// integers (to nearest, ties to even) and how image values are written as text; and the date
// values of the record tables (day numbers counted from 1899-12-30, time as a fraction of a day).

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

// The longest leading decimal number of the text, blanks skipped wherever they stand: sign, digits,
// a point (always a period), an exponent; "&H" and "&O" read hexadecimal and octal. Full-width
// digits, point and signs read as their ASCII forms ("１２.５" is 12.5). Empty when the text holds
// no number (empty, blanks, letters, a sign or a point alone, "nan", "inf"): whatever writes to the
// instrument writes nothing then. A number too large for a double reads as infinity, which no
// range accepts.
std::optional<double> text_number(QStringView text);
// The same, with text that holds no number reading 0 (settings of the console's own, never a
// value written to the instrument).
double text_to_number(QStringView text);

// To nearest, ties to even (12.5 -> 12, 13.5 -> 14, -2.5 -> -2).
double round_half_even(double value);

// Rounded as above; empty when the result does not fit (or the value is not finite).
std::optional<qint32> to_int32(double value);
std::optional<qint16> to_int16(double value);

// Shortest decimal form with at most 7 significant digits: 12.3, 1500, 0.5, -3.2.
QString number_text(float value);
QString number_text(qint32 value);

// An entry of an option list begins with its code ("4:结束 ", "3 "). The code of the entry that
// the text names: the entry itself, the entry less its blanks, or its code alone; empty when the
// text names no entry. Letters match in either case.
std::optional<int> list_code(const QStringList& entries, QStringView text);
QString list_codes_text(const QStringList& entries); // "0, 1, 2, 4"

double ole_date(const QDate& date);    // whole day number
double ole_time(const QTime& time);    // whole seconds as a fraction of a day
QDate date_from_ole(double dayNumber); // the date part of a date value
QTime time_from_ole(double dateValue); // the time of day of a date value, to the second

constexpr double kSecondsPerDay = 86400.0;
