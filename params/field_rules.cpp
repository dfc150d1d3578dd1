#include "params/field_rules.h"

#include "core/conversions.h"

#include <QCoreApplication>
#include <cmath>

std::optional<qint32> entry_value(const ScreenRules& rules, FieldKind kind, QStringView text,
                                  QString* why) {
    const auto read = text_number(text);
    if (!read) {
        if (why)
            *why = QCoreApplication::translate("ParamFields", "\"%1\" holds no number")
                       .arg(text.toString().trimmed());
        return std::nullopt;
    }
    const double number = *read;
    double value = 0;
    if (kind == FieldKind::Tenths) {
        // The screens hold a tenths entry as a single-precision number before scaling it.
        value = round_half_even(double(float(number) * 10.0f));
    } else if (rules.integer == IntegerRule::RoundHalfEven) {
        value = round_half_even(number);
    } else {
        value = std::trunc(double(float(number)));
    }
    const auto fits = to_int16(value);
    if (!fits && why)
        *why = QCoreApplication::translate("ParamFields",
                                           "%1 does not fit a register (-32768 to 32767)")
                   .arg(text.toString().trimmed());
    if (!fits)
        return std::nullopt;
    return qint32(*fits);
}

bool wants_retry(RetryRule rule, int result) {
    return rule == RetryRule::OnFailureCode ? result == -8888 : result < 0;
}

RetryRule retry_rule(const ScreenRules& rules, FieldKind kind) {
    switch (kind) {
    case FieldKind::Integer:
        return rules.integerRetry;
    case FieldKind::Tenths:
        return rules.tenthsRetry;
    case FieldKind::Option:
        break;
    }
    return rules.optionRetry;
}

std::optional<QString> value_text(const ScreenRules& rules, const ParamRow& row, qint32 value) {
    if (row.kind == FieldKind::Option && !row.options)
        return std::nullopt;
    return shown_value(row.kind, row.options ? row.options->shown : std::span<const QStringView>{},
                       value, rules.tenths);
}
