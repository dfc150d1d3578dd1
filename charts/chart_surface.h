#pragma once
// What the trend chart draws on: a background that clears the picture, straight lines and filled
// rectangles in chart units (x to the right, y downwards, origin at the top left of the chart
// picture). On screen this is a picture on a QImage, on paper a QPainter page, in tests a recorder
// of what was drawn.

#include <QColor>
#include <QLineF>
#include <QRectF>

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

enum class FillStyle {
    Solid,  // the rectangle covered in the colour
    Hatched // diagonal lines in the colour a few screen pixels apart, the ground between them kept
};

struct ChartFill {
    QRgb colour = qRgba(0, 0, 0, 255); // its alpha lets what lies below show through
    FillStyle style = FillStyle::Solid;
    friend bool operator==(const ChartFill&, const ChartFill&) = default;
};

class ChartSurface {
public:
    virtual ~ChartSurface() = default;
    // Sets the background colour, which clears the whole picture to it.
    virtual void clear(QRgb background) = 0;
    virtual void line(const QLineF& units, const ChartPen& pen) = 0;
    // Never narrower than one screen pixel, so a short span stays in sight.
    virtual void fill(const QRectF& units, const ChartFill& fill) = 0;
};
