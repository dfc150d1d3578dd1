#pragma once
// The trend chart on a curve screen: the frame `pt0` with the chart picture `pt` and its ruler
// line `Line1`, the time and date labels `Label4(0..8)` and `Label7(0..8)` under the vertical grid
// lines at x = 1500 * k, the value axis `Label5(0..6)` and beside it the output curve's scale
// `Label6(0..6)` (bottom to top) under its caption "输出OP (%)", and the legend `Label8` naming
// every curve in its colour. The screen keeps its slider, buttons and clock
// labels; it drives the chart through the routines below, which keep picture and labels in step.
// Hovering a journal mark on the picture shows its text as a tooltip.

#include "chart_print.h"
#include "trend_chart.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>
#include <array>
#include <memory>

class ChartPicture;
class QHelpEvent;

class TrendChartView : public QWidget {
    Q_OBJECT
public:
    // A view with a chart of its own for the screen's parameters, on the shared value axis.
    TrendChartView(const ChartScreenParams& params, ValueAxis& axis, QWidget* parent = nullptr);
    ~TrendChartView() override;

    TrendChart& chart() { return chart_; }
    const TrendChart& chart() const { return chart_; }

    // The chart's routines on this view's picture.
    void Cls();
    void DrawGrid();
    void ApplyZoom();
    void ClearBuffers();
    void LoadWindow(RecordSource& source); // then emits windowLoaded
    void DrawCurves();                     // also writes Label4 and Label7
    void fullRedraw();                     // Cls, DrawGrid, ApplyZoom, DrawCurves
    void reload(RecordSource& source);     // LoadWindow and a full redraw
    void followNewest(RecordSource& source);
    // Asks the chart's mark source afresh; the next DrawCurves shows the answer.
    void refreshMarks();

    // Label5(0..6) from the value axis's YMin and YSpan, and the output's scale Label6(0..6).
    void showValueAxis();

    // The ruler line `Line1`, in chart units, colour number 0xBBGGRR, width in pixels.
    void setRulerLine(const QLineF& units, quint32 bgr, int width);
    void setRulerVisible(bool visible);

    // The chart as shown now, for paper or PDF.
    ChartPrintout printout(const QString& title) const;

    // The picture of `pt` as drawn, and the lines on it.
    const QImage& picture() const;
    QWidget* pictureBox() const; // pt, the drawing area
    const RecordingSurface& shownLines() const;
    ChartSurface& surface();

signals:
    // A double-click on Label5(index).
    void valueAxisDoubleClicked(int index);
    // After LoadWindow: the date and time of point ZoomOffset + 1, for Label2(9) and Label2(10).
    void windowLoaded(const QString& date, const QString& time);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void showTimeLabels();
    void showOutputAxis();
    void placeLabels();
    QLabel* axisLabel(const QString& name, int index, Qt::Alignment alignment);
    bool showMarkTip(const QHelpEvent& help);

    TrendChart chart_;
    const ValueAxis& axis_;
    QFrame* pt0_ = nullptr;
    ChartPicture* pt_ = nullptr;
    std::array<QLabel*, 9> label4_{};
    std::array<QLabel*, 9> label7_{};
    std::array<QLabel*, 7> label5_{};
    std::array<QLabel*, 7> label6_{};
    QLabel* label8_ = nullptr;
    QLabel* outputCaption_ = nullptr; // the unit of the fixed scale Label6
};
