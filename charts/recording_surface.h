#pragma once
// A surface that keeps the lines and fills drawn since the picture was last cleared, with their
// pens and order: the chart "as shown", replayed when the picture changes size or goes to paper.
// Optionally it passes every call on to another surface as it records.

#include "chart_surface.h"

#include <QList>

struct RecordedLine {
    QLineF units;
    ChartPen pen;
};

struct RecordedFill {
    QRectF units;
    ChartFill fill;
    qsizetype linesBefore = 0; // lines drawn before it: its place in the drawing order
};

class RecordingSurface : public ChartSurface {
public:
    explicit RecordingSurface(ChartSurface* forward = nullptr) : forward_(forward) {}

    void clear(QRgb background) override;
    void line(const QLineF& units, const ChartPen& pen) override;
    void fill(const QRectF& units, const ChartFill& fill) override;

    // Draws the recorded picture (background, then lines and fills in order) on another surface.
    void replay(ChartSurface& target) const;

    QRgb background() const { return background_; }
    int clearCount() const { return clearCount_; }
    const QList<RecordedLine>& lines() const { return lines_; }
    const QList<RecordedFill>& fills() const { return fills_; }

private:
    ChartSurface* forward_;
    QRgb background_ = qRgb(255, 255, 255);
    int clearCount_ = 0;
    QList<RecordedLine> lines_;
    QList<RecordedFill> fills_;
};
