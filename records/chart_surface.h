#pragma once
// What the trend chart draws on: a background that clears the picture and straight lines in chart
// units (x to the right, y downwards, origin at the top left of the chart picture). On screen this
// is a picture on a QImage, on paper a QPainter page, in tests a recorder of the lines.

#include <QColor>
#include <QLineF>

// Colour numbers of the chart are written the system's way, 0xBBGGRR (blue in the high byte).
constexpr QRgb rgb_from_bgr(quint32 bgr) {
    return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

enum class LineStyle { Solid, Dashed, Dotted };

struct ChartPen {
    QRgb colour = qRgb(0, 0, 0);
    int width = 1; // in screen pixels, as a picture box's draw width; never below one pixel
    LineStyle style = LineStyle::Solid;
    friend bool operator==(const ChartPen&, const ChartPen&) = default;
};

class ChartSurface {
public:
    virtual ~ChartSurface() = default;
    // Sets the background colour, which clears the whole picture to it.
    virtual void clear(QRgb background) = 0;
    virtual void line(const QLineF& units, const ChartPen& pen) = 0;
};
