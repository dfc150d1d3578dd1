#include "chart_geometry.h"

#include "core/conversions.h"

#include <QLocale>

namespace chart {

std::optional<ZoomStep> zoom_step(qint16 zoomMode) {
    if (zoomMode < 1 || zoomMode > static_cast<qint16>(kZoomTable.size()))
        return std::nullopt;
    return kZoomTable[static_cast<size_t>(zoomMode - 1)];
}

int grid_row_y(int i) {
    return static_cast<int>(round_half_even(312.5 * i));
}

int grid_column_x(int i) {
    return 375 * i;
}

qint32 window_start(qint32 windowEnd, qint32 windowLen) {
    if (windowEnd >= windowLen)
        return windowEnd - windowLen;
    return 65500 - (windowLen - windowEnd);
}

float value_scale(qint16 ySpan) {
    if (ySpan == 0)
        return 0.0f;
    return 7500.0f / static_cast<float>(ySpan);
}

std::optional<qint16> y_offset_px(float scale, qint16 yMin) {
    if (yMin == 0)
        return qint16{0};
    return to_int16(static_cast<double>(scale * static_cast<float>(yMin)));
}

double value_y(double baseline, float scale, float value) {
    return baseline - round_half_even(static_cast<double>(scale * value));
}

double segment_x(int i, float xStep) {
    return round_half_even(static_cast<double>(static_cast<float>(i) * xStep));
}

std::array<QString, 7> value_axis_texts(qint16 yMin, qint16 ySpan) {
    const float step = static_cast<float>(ySpan) / 6.0f;
    std::array<QString, 7> texts;
    for (int i = 0; i < 7; ++i) {
        const double offset = round_half_even(static_cast<double>(static_cast<float>(i) * step));
        texts[static_cast<size_t>(i)] = number_text(static_cast<qint32>(yMin + offset));
    }
    return texts;
}

double value_axis_y(int i) {
    return kHeight - 1250.0 * i;
}

QString date_text(double dayNumber) {
    return QLocale::c().toString(date_from_ole(dayNumber), QStringLiteral("yyyy-MM-dd"));
}

QString time_text(double dateValue) {
    return QLocale::c().toString(time_from_ole(dateValue), QStringLiteral("HH:mm:ss"));
}

} // namespace chart
