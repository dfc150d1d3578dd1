#include "painter_surface.h"

#include "chart_geometry.h"

#include <cmath>

static_assert(kTrendChartUnits.width() == chart::kWidth &&
              kTrendChartUnits.height() == chart::kHeight);

namespace {

Qt::PenStyle qt_style(LineStyle style) {
    switch (style) {
    case LineStyle::Dashed:
        return Qt::DashLine;
    case LineStyle::Dotted:
        return Qt::DotLine;
    case LineStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter, const QRectF& target, double penScale, bool snap,
                               QSizeF units)
    : painter_(painter), target_(target), penScale_(penScale), snap_(snap), units_(units) {}

void PainterSurface::clear(QRgb background) {
    painter_.fillRect(target_.adjusted(0, 0, snap_ ? 1 : 0, snap_ ? 1 : 0), QColor(background));
}

QPointF PainterSurface::toDevice(QPointF units) const {
    QPointF p(target_.left() + units.x() * target_.width() / units_.width(),
              target_.top() + units.y() * target_.height() / units_.height());
    if (snap_)
        p = QPointF(std::round(p.x()), std::round(p.y()));
    return p;
}

void PainterSurface::line(const QLineF& units, const ChartPen& pen) {
    // Pen widths are screen pixels: a width of 1 stays one pixel however small the picture.
    QPen qpen(QColor(pen.colour));
    qpen.setWidthF(std::max(1, pen.width) * penScale_);
    qpen.setStyle(qt_style(pen.style));
    qpen.setCapStyle(Qt::FlatCap);
    painter_.setPen(qpen);
    painter_.drawLine(QLineF(toDevice(units.p1()), toDevice(units.p2())));
}

ImageSurface::ImageSurface(QSize pixels, QSizeF units) : units_(units) {
    resize(pixels);
}

ImageSurface::~ImageSurface() {
    finish();
}

void ImageSurface::finish() const {
    painter_.reset();
}

const QImage& ImageSurface::image() const {
    finish();
    return image_;
}

void ImageSurface::resize(QSize pixels) {
    finish();
    image_ = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

QRectF ImageSurface::target() const {
    return QRectF(0, 0, image_.width() - 1, image_.height() - 1);
}

void ImageSurface::clear(QRgb background) {
    finish();
    image_.fill(QColor(background));
}

void ImageSurface::line(const QLineF& units, const ChartPen& pen) {
    if (!painter_)
        painter_ = std::make_unique<QPainter>(&image_);
    PainterSurface(*painter_, target(), 1.0, true, units_).line(units, pen);
}

QPoint ImageSurface::pixel_of(QSize pixels, QPointF at, QSizeF units) {
    return QPoint(static_cast<int>(std::round(at.x() * (pixels.width() - 1) / units.width())),
                  static_cast<int>(std::round(at.y() * (pixels.height() - 1) / units.height())));
}
