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

constexpr double kHatchSpacingPx = 6; // between neighbouring hatch lines, across the screen

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

void PainterSurface::fill(const QRectF& units, const ChartFill& fill) {
    QRectF r = QRectF(toDevice(units.topLeft()), toDevice(units.bottomRight())).normalized();
    if (r.width() < penScale_) // a span of a moment keeps one screen pixel
        r = QRectF(r.center().x() - penScale_ / 2, r.top(), penScale_, r.height());
    painter_.save();
    if (fill.style == FillStyle::Solid) {
        painter_.fillRect(r, QColor::fromRgba(fill.colour));
        painter_.restore();
        return;
    }
    painter_.setClipRect(r, Qt::IntersectClip);
    QPen pen(QColor::fromRgba(fill.colour));
    pen.setWidthF(penScale_);
    painter_.setPen(pen);
    // Rising lines counted from the picture's left edge, so neighbouring spans hatch alike.
    const double spacing = kHatchSpacingPx * penScale_;
    const double first = std::floor((r.left() - r.height() - target_.left()) / spacing);
    for (double x = target_.left() + first * spacing; x <= r.right(); x += spacing)
        painter_.drawLine(QLineF(x, r.bottom(), x + r.height(), r.top()));
    painter_.restore();
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

PainterSurface ImageSurface::painterSurface() {
    if (!painter_)
        painter_ = std::make_unique<QPainter>(&image_);
    return PainterSurface(*painter_, target(), 1.0, true, units_);
}

void ImageSurface::line(const QLineF& units, const ChartPen& pen) {
    painterSurface().line(units, pen);
}

void ImageSurface::fill(const QRectF& units, const ChartFill& fill) {
    painterSurface().fill(units, fill);
}

QPoint ImageSurface::pixel_of(QSize pixels, QPointF at, QSizeF units) {
    return QPoint(static_cast<int>(std::round(at.x() * (pixels.width() - 1) / units.width())),
                  static_cast<int>(std::round(at.y() * (pixels.height() - 1) / units.height())));
}
