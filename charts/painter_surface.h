#pragma once
// The chart drawn for real: chart units mapped onto a rectangle of a QPainter's device, and a
// picture on a QImage of the widget's size for the screen.

#include "chart_surface.h"

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <memory>

// The units of the trend chart's picture (chart::kWidth x chart::kHeight).
inline constexpr QSizeF kTrendChartUnits(12008, 7508);

class PainterSurface : public ChartSurface {
public:
    // Chart units 0..units.width() x 0..units.height() (the trend chart's 12008 x 7508 unless said)
    // fill target. penScale turns a pen width in screen pixels into device units (1 on screen,
    // the device's dots per screen pixel on paper). With snap, ends are rounded to whole device
    // pixels so thin lines stay crisp.
    PainterSurface(QPainter& painter, const QRectF& target, double penScale, bool snap,
                   QSizeF units = kTrendChartUnits);

    void clear(QRgb background) override;
    void line(const QLineF& units, const ChartPen& pen) override;
    void fill(const QRectF& units, const ChartFill& fill) override;

    QPointF toDevice(QPointF units) const;

private:
    QPainter& painter_;
    QRectF target_;
    double penScale_;
    bool snap_;
    QSizeF units_;
};

// The picture of `pt`: a QImage of the chart's pixel size; unit 0 lies on the first pixel, the
// last unit on the last pixel.
class ImageSurface : public ChartSurface {
public:
    explicit ImageSurface(QSize pixels, QSizeF units = kTrendChartUnits);

    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;
    ~ImageSurface() override;

    void resize(QSize pixels); // a fresh picture, cleared to white
    // The picture as drawn so far.
    const QImage& image() const;

    void clear(QRgb background) override;
    void line(const QLineF& units, const ChartPen& pen) override;
    void fill(const QRectF& units, const ChartFill& fill) override;

    // The pixel a point in chart units falls on.
    QPoint pixelOf(QPointF at) const { return pixel_of(image_.size(), at, units_); }
    static QPoint pixel_of(QSize pixels, QPointF at, QSizeF units = kTrendChartUnits);

private:
    QRectF target() const;
    PainterSurface painterSurface();
    void finish() const;

    // One painter serves a whole pass of lines; it is closed before the picture is read or filled.
    mutable std::unique_ptr<QPainter> painter_;
    QImage image_;
    QSizeF units_;
};
