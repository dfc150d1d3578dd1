#include "registers/shown_value.h"

#include "core/conversions.h"

#include <QLocale>

std::optional<QString> shown_value(FieldKind kind, std::span<const QStringView> shown, qint32 value,
                                   TenthsFormat tenths) {
    switch (kind) {
    case FieldKind::Integer:
        return QString::number(value);
    case FieldKind::Tenths:
        if (tenths == TenthsFormat::OneDecimal)
            return QLocale::c().toString(value / 10.0, 'f', 1);
        return number_text(float(value) / 10.0f);
    case FieldKind::Option:
        break;
    }
    if (value < 0 || value >= qint32(shown.size()))
        return std::nullopt;
    return shown[std::size_t(value)].toString();
}
