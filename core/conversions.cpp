#include "conversions.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

bool is_blank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u3000';
}

// A Chinese input method in its full-width mode types digits, point and signs as full-width forms
// (U+FF01..U+FF5E); they read as the ASCII characters they stand for.
QChar half_width(QChar c) {
    const char16_t u = c.unicode();
    return u >= 0xFF01 && u <= 0xFF5E ? QChar(char16_t(u - 0xFEE0)) : c;
}

QString without_blanks(QStringView text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!is_blank(c))
            s.append(half_width(c));
    return s;
}

// "&H" / "&O" numbers: up to 16 bits they read as a signed 16-bit value, up to 32 bits as a signed
// 32-bit value, the way the instrument's registers hold them.
double radix_number(QStringView digits, int radix) {
    quint64 v = 0;
    int used = 0;
    for (QChar c : digits) {
        int d = -1;
        if (c >= u'0' && c <= u'9')
            d = c.unicode() - u'0';
        else if (radix == 16 && c.toLower() >= u'a' && c.toLower() <= u'f')
            d = c.toLower().unicode() - u'a' + 10;
        if (d < 0 || d >= radix)
            break;
        v = v * radix + d;
        if (v > 0xFFFFFFFFull)
            return std::numeric_limits<double>::infinity();
        ++used;
    }
    if (used == 0)
        return std::numeric_limits<double>::quiet_NaN();
    if (v <= 0xFFFF)
        return static_cast<qint16>(static_cast<quint16>(v));
    return static_cast<qint32>(static_cast<quint32>(v));
}

} // namespace

std::optional<double> text_number(QStringView text) {
    const QString s = without_blanks(text);
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar k = s[1].toUpper();
        if (k == u'H' || k == u'O') {
            const double v = radix_number(QStringView(s).mid(2), k == u'H' ? 16 : 8);
            return std::isnan(v) ? std::nullopt : std::optional<double>(v);
        }
    }
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto digit = [&](qsizetype k) { return k < n && s[k] >= u'0' && s[k] <= u'9'; };
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    qsizetype mantissaDigits = 0;
    while (digit(i)) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        while (digit(i)) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    qsizetype end = i;
    if (i < n && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        if (digit(j)) {
            while (digit(j))
                ++j;
            end = j;
        }
    }
    QString number = s.left(end);
    for (QChar& c : number)
        if (c == u'd' || c == u'D')
            c = u'e';
    bool ok = false;
    const double v = QLocale::c().toDouble(number, &ok);
    if (!ok) // only an out-of-range exponent gets here
        return number.startsWith(u'-') ? -std::numeric_limits<double>::infinity()
                                       : std::numeric_limits<double>::infinity();
    return v;
}

double text_to_number(QStringView text) {
    return text_number(text).value_or(0);
}

double round_half_even(double value) {
    return std::nearbyint(value); // the default rounding mode rounds ties to even
}

std::optional<qint32> to_int32(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = round_half_even(value);
    if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(r);
}

std::optional<qint16> to_int16(double value) {
    const auto v = to_int32(value);
    if (!v || *v < std::numeric_limits<qint16>::min() || *v > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(*v);
}

QString number_text(float value) {
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    return QString::number(static_cast<double>(value), 'g', 7);
}

QString number_text(qint32 value) {
    return QString::number(value);
}

namespace {
constexpr qint64 kOleEpochJulianDay = 2415019; // 1899-12-30, day 0 of the date values
}

double ole_date(const QDate& date) {
    return static_cast<double>(date.toJulianDay() - kOleEpochJulianDay);
}

double ole_time(const QTime& time) {
    return (time.msecsSinceStartOfDay() / 1000) / kSecondsPerDay;
}

QDate date_from_ole(double dayNumber) {
    return QDate::fromJulianDay(static_cast<qint64>(std::floor(dayNumber)) + kOleEpochJulianDay);
}

QTime time_from_ole(double dateValue) {
    const double fraction = dateValue - std::floor(dateValue);
    const auto seconds = static_cast<int>(std::llround(fraction * kSecondsPerDay)) % 86400;
    return QTime(0, 0).addSecs(seconds);
}

namespace {
// The digits at the head of an entry: "4:结束 " -> "4", "3 " -> "3".
QStringView head_text(const QString& entry) {
    qsizetype n = 0;
    while (n < entry.size() && entry[n].isDigit())
        ++n;
    return QStringView(entry).left(n);
}

int head_code(const QString& entry) {
    return head_text(entry).toInt();
}
} // namespace

std::optional<int> list_code(const QStringList& entries, QStringView text) {
    const QStringView typed = text.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    // Letters match whatever their case, as the list's own completion matches them ("1:on" is
    // "1:ON "): a text the list shows as an entry is that entry.
    for (const QString& e : entries)
        if (typed.compare(QStringView(e).trimmed(), Qt::CaseInsensitive) == 0 ||
            typed == head_text(e))
            return head_code(e);
    return std::nullopt;
}

QString list_codes_text(const QStringList& entries) {
    QStringList codes;
    for (const QString& e : entries)
        codes << QString::number(head_code(e));
    return codes.join(QStringLiteral(", "));
}
