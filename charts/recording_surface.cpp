#include "recording_surface.h"

void RecordingSurface::clear(QRgb background) {
    background_ = background;
    ++clearCount_;
    lines_.clear();
    fills_.clear();
    if (forward_)
        forward_->clear(background);
}

void RecordingSurface::line(const QLineF& units, const ChartPen& pen) {
    lines_.append({units, pen});
    if (forward_)
        forward_->line(units, pen);
}

void RecordingSurface::fill(const QRectF& units, const ChartFill& fill) {
    fills_.append({units, fill, lines_.size()});
    if (forward_)
        forward_->fill(units, fill);
}

void RecordingSurface::replay(ChartSurface& target) const {
    target.clear(background_);
    qsizetype next = 0;
    auto linesUpTo = [&](qsizetype end) {
        for (; next < end; ++next)
            target.line(lines_[next].units, lines_[next].pen);
    };
    for (const RecordedFill& f : fills_) {
        linesUpTo(f.linesBefore);
        target.fill(f.units, f.fill);
    }
    linesUpTo(lines_.size());
}
