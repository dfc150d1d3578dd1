#pragma once
// How a register's value is shown, the same on the parameter screens and in instrument files: an
// integer as it is, tenths with one decimal or in their shortest form (each screen has its
// choice), an option code as its list's text.

#include "registers/catalogue.h"

#include <QString>
#include <optional>
#include <span>

enum class TenthsFormat { OneDecimal, Shortest };

// Empty for an option code its list has no text for.
std::optional<QString> shown_value(FieldKind kind, std::span<const QStringView> shown, qint32 value,
                                   TenthsFormat tenths);
