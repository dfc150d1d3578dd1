#include "recording_surface.h"

void RecordingSurface::clear(QRgb background) {
    background_ = background;
    ++clearCount_;
    lines_.clear();
    if (forward_)
        forward_->clear(background);
}

void RecordingSurface::line(const QLineF& units, const ChartPen& pen) {
    lines_.append({units, pen});
    if (forward_)
        forward_->line(units, pen);
}

void RecordingSurface::replay(ChartSurface& target) const {
    target.clear(background_);
    for (const RecordedLine& l : lines_)
        target.line(l.units, l.pen);
}
