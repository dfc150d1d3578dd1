#pragma once
// The chart picture box `pt`: it shows the picture the chart drew, sized to the widget, and carries
// the ruler line `Line1` on top of it. Lines are kept as drawn, so a new size replays them.

#include "painter_surface.h"
#include "recording_surface.h"

#include <QWidget>

class RulerLine : public QWidget {
public:
    explicit RulerLine(QWidget* parent);

    // Position in chart units, colour number 0xBBGGRR, width in pixels.
    void place(const QLineF& units, quint32 bgr, int width);
    QLineF units() const { return units_; }
    QRgb colour() const { return colour_; }
    int lineWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the screen leaves it outside ruler mode: green, at the left edge.
    QLineF units_{0, 0, 0, 330};
    QRgb colour_ = rgb_from_bgr(0x00FF00);
    int width_ = 2;
};

class ChartPicture : public QWidget {
public:
    explicit ChartPicture(QWidget* parent, QSizeF units = kTrendChartUnits);

    // What the chart draws on: recorded and painted on the picture at once.
    ChartSurface& surface() { return shown_; }
    const RecordingSurface& shown() const { return shown_; }
    const QImage& image() const { return image_.image(); }
    RulerLine* ruler() const { return ruler_; }
    // Gives the picture the widget's size (also while hidden, when no resize event comes) and
    // draws the chart on it again.
    void fit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ImageSurface image_;
    RecordingSurface shown_;
    RulerLine* ruler_;
};
