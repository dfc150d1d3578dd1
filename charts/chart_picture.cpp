#include "chart_picture.h"

#include "core/naming.h"

#include <QPaintEvent>
#include <QPainter>

RulerLine::RulerLine(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void RulerLine::place(const QLineF& units, quint32 bgr, int width) {
    units_ = units;
    colour_ = rgb_from_bgr(bgr);
    width_ = width;
    update();
}

void RulerLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen{QColor(colour_)};
    pen.setWidth(std::max(1, width_));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(ImageSurface::pixel_of(size(), units_.p1()),
                     ImageSurface::pixel_of(size(), units_.p2()));
}

ChartPicture::ChartPicture(QWidget* parent, QSizeF units)
    : QWidget(parent), image_(QSize(1, 1), units), shown_(&image_),
      ruler_(named(new RulerLine(this), QStringLiteral("Line1"))) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartPicture::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), image_.image(), event->rect());
}

void ChartPicture::resizeEvent(QResizeEvent*) {
    fit();
}

void ChartPicture::fit() {
    ruler_->setGeometry(rect());
    if (image_.image().size() == size())
        return;
    image_.resize(size());
    shown_.replay(image_);
    update();
}
