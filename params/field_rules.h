#pragma once
// How a parameter screen turns an editor's text into a register value, when it writes a failed
// value once more, and how its value labels show what the instrument holds. Each screen has its
// own choices of these; the mechanics are shared.

#include "params/param_rows.h"
#include "registers/shown_value.h"

#include <QColor>
#include <QString>
#include <optional>

enum class IntegerRule { RoundHalfEven, Truncate };
enum class RetryRule { OnFailureCode, OnNegative };

struct ScreenRules {
    IntegerRule integer = IntegerRule::Truncate;
    RetryRule integerRetry = RetryRule::OnFailureCode;
    RetryRule tenthsRetry = RetryRule::OnFailureCode;
    RetryRule optionRetry = RetryRule::OnFailureCode;
    TenthsFormat tenths = TenthsFormat::Shortest;
    QColor focus; // background of an entry box while it has the focus; invalid: none
};

// The register value for the text typed into an entry box of `kind` (integer or tenths); empty
// when the text holds no number or the number does not fit a register, with the reason in `why`.
std::optional<qint32> entry_value(const ScreenRules& rules, FieldKind kind, QStringView text,
                                  QString* why = nullptr);

// True when the result of a write calls for the one repeat.
bool wants_retry(RetryRule rule, int result);
RetryRule retry_rule(const ScreenRules& rules, FieldKind kind);

// The value label's text for a register value; empty for an option code the row's list has no
// text for (the label then keeps what it shows).
std::optional<QString> value_text(const ScreenRules& rules, const ParamRow& row, qint32 value);
