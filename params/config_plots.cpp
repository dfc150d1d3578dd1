#include "params/config_plots.h"

#include "core/naming.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {
const QColor kAxis(90, 90, 90);
const QColor kMain(30, 110, 200);
const QColor kAux(210, 90, 30);

// Maps a value range onto a span of pixels, with a little room at both ends.
struct Scale {
    double lo, hi;
    double from, to;
    double operator()(double v) const {
        return hi == lo ? (from + to) / 2 : from + (v - lo) * (to - from) / (hi - lo);
    }
};

void widen(double& lo, double& hi) {
    const double room = std::max(10.0, (hi - lo) * 0.1);
    lo -= room;
    hi += room;
}
} // namespace

SwitchOverPlot::SwitchOverPlot(QWidget* parent) : QWidget(parent) {
    name_control(this, QStringLiteral("SwitchOverPlot"));
    setMinimumSize(360, 140);
}

void SwitchOverPlot::setPoints(int upperPoint, int lowerPoint) {
    upper = upperPoint;
    lower = lowerPoint;
    update();
}

void SwitchOverPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    double lo = std::min(lower, upper), hi = std::max(lower, upper);
    widen(lo, hi);
    const Scale x{lo, hi, 20.0, width() - 20.0};
    const int bandTop = 40, bandHeight = 36;
    const double xl = x(std::min(lower, upper)), xu = x(std::max(lower, upper));
    p.fillRect(QRectF(20, bandTop, xl - 20, bandHeight), kMain.lighter(170));
    p.fillRect(QRectF(xu, bandTop, width() - 20 - xu, bandHeight), kAux.lighter(170));
    p.fillRect(QRectF(xl, bandTop, xu - xl, bandHeight), QColor(235, 235, 200));
    p.setPen(kAxis);
    p.drawLine(QPointF(20, bandTop + bandHeight), QPointF(width() - 20, bandTop + bandHeight));
    p.setPen(QPen(kMain, 2));
    p.drawLine(QPointF(xl, bandTop - 8), QPointF(xl, bandTop + bandHeight + 8));
    p.setPen(QPen(kAux, 2));
    p.drawLine(QPointF(xu, bandTop - 8), QPointF(xu, bandTop + bandHeight + 8));
    p.setPen(Qt::black);
    p.drawText(QRectF(20, bandTop + 6, std::max(0.0, xl - 24), 24), Qt::AlignCenter,
               tr("main input"));
    p.drawText(QRectF(xu + 4, bandTop + 6, std::max(0.0, width() - 24 - xu), 24), Qt::AlignCenter,
               tr("auxiliary input"));
    p.drawText(QRectF(xl - 60, bandTop + bandHeight + 10, 120, 20), Qt::AlignHCenter,
               tr("lower %1").arg(lower));
    p.drawText(QRectF(xu - 60, bandTop + bandHeight + 30, 120, 20), Qt::AlignHCenter,
               tr("upper %1").arg(upper));
    p.drawText(QRectF(0, 8, width(), 24), Qt::AlignHCenter,
               tr("measured value rising: the auxiliary input takes over above the upper point; "
                  "falling: the main input below the lower point"));
}

CorrectionPlot::CorrectionPlot(QWidget* parent) : QWidget(parent) {
    name_control(this, QStringLiteral("CorrectionPlot"));
    setMinimumSize(300, 240);
}

void CorrectionPlot::setPoints(const std::array<QPointF, 8>& newPoints) {
    points = newPoints;
    update();
}

void CorrectionPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    double xlo = 0, xhi = 20000, ylo = points[0].y(), yhi = points[0].y();
    for (const QPointF& pt : points) {
        xlo = std::min(xlo, pt.x());
        xhi = std::max(xhi, pt.x());
        ylo = std::min(ylo, pt.y());
        yhi = std::max(yhi, pt.y());
    }
    widen(ylo, yhi);
    const int left = 56, bottom = height() - 34;
    const Scale x{xlo, xhi, double(left), width() - 16.0};
    const Scale y{ylo, yhi, double(bottom), 16.0};
    p.setPen(kAxis);
    p.drawLine(left, 16, left, bottom);
    p.drawLine(left, bottom, width() - 16, bottom);
    p.drawText(QRectF(left, bottom + 4, width() - left - 16, 16), Qt::AlignLeft,
               QString::number(xlo));
    p.drawText(QRectF(left, bottom + 4, width() - left - 16, 16), Qt::AlignRight,
               QString::number(xhi));
    p.drawText(QRectF(0, bottom + 18, width(), 16), Qt::AlignHCenter, tr("electrical value"));
    p.drawText(QRectF(0, 10, left - 4, 16), Qt::AlignRight, QString::number(qRound(yhi)));
    p.drawText(QRectF(0, bottom - 16, left - 4, 16), Qt::AlignRight, QString::number(qRound(ylo)));
    p.save();
    p.translate(12, (16 + bottom) / 2.0);
    p.rotate(-90);
    p.drawText(QRectF(-60, -10, 120, 20), Qt::AlignCenter, tr("display value"));
    p.restore();

    QPainterPath curve;
    for (std::size_t n = 0; n < points.size(); ++n) {
        const QPointF at(x(points[n].x()), y(points[n].y()));
        n == 0 ? curve.moveTo(at) : curve.lineTo(at);
    }
    p.setPen(QPen(kMain, 2));
    p.drawPath(curve);
    p.setBrush(kAux);
    p.setPen(Qt::NoPen);
    for (std::size_t n = 0; n < points.size(); ++n) {
        const QPointF at(x(points[n].x()), y(points[n].y()));
        p.drawEllipse(at, 4, 4);
        p.setPen(Qt::black);
        p.drawText(at + QPointF(6, -6), QString::number(n + 1));
        p.setPen(Qt::NoPen);
    }
}
