#pragma once
// The chart of a run over its whole span: the plan it followed (dashed), PV, the working SV and OP
// (on its own 0..100 % scale at the right) from the run's records, a light band of ± the tolerance
// around each soak's target where the run stood in it, and a dotted line where each segment began.
// The same drawing goes on the runs screen and on the report's last PDF page.

#include "runs/run_report.h"

#include <QWidget>

class QPainter;

void draw_run_chart(QPainter& painter, const QRectF& area, const RunReport& report);

// The runs screen's view of it; shows nothing until a report is given.
class RunChartView final : public QWidget {
public:
    using QWidget::QWidget;
    void setReport(const RunReport* shown);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const RunReport* report = nullptr;
};
