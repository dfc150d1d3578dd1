// A full chart redraw in the widest zoom with the most curve lines (mode 4, 321 points: 1920 curve
// lines and 62 grid lines), onto a 1280-pixel-wide picture, and the same with a running program's
// plan of 24 segments drawn over it. Reports the median of several runs.

#include "tests/support/memory_record_source.h"

#include "core/conversions.h"
#include "charts/painter_surface.h"
#include "charts/recording_surface.h"
#include "charts/trend_chart_view.h"
#include "runs/program_plan.h"

#include <QApplication>
#include <QTest>
#include <cmath>

namespace {

MemoryRecordSource wavy_ring() {
    MemoryRecordSource source;
    source.fillRing(1000, ole_date(QDate(2024, 1, 9)), 12 * 3600, 321);
    for (auto& [number, row] : source.rows) {
        const float t = static_cast<float>(number) * 0.05f;
        row.values = {750 + 300 * std::sin(t),
                      40 + 20 * std::cos(t),
                      800,
                      600 + 100 * std::sin(t),
                      400 + 50 * std::cos(t),
                      200,
                      0,
                      0};
    }
    source.position = 1000;
    return source;
}

void widest(TrendChart& chart, RecordSource& source) {
    chart.setZoomMode(4);
    chart.ApplyZoom();
    chart.setWindowEnd(1000);
    chart.setWindowLen(321);
    chart.setLastIndex(321);
    chart.LoadWindow(source);
}

// A program of 24 segments, ramps and soaks by turns (13 s each), laid over the whole window from
// its oldest record, soaks banded by the program's own tolerance.
PlanSource plan_over_window() {
    return [](const QDateTime& from, const QDateTime&) -> std::optional<PlanLayer> {
        ProgramSnapshot program;
        program.header = {3, 10, 2, 24, 1};
        for (int s = 0; s < 24; ++s)
            program.segments[std::size_t(s)] = {qint16(600 + 100 * ((s + 1) / 2 % 3)), 13, 0, 0};
        const ProgramPlan plan = plan_program(program, {from, 500, 500}, {}, from);
        PlanLayer layer;
        for (const PlanVertex& v : plan.vertices)
            layer.points.push_back({v.at, v.value});
        for (const PlanSoak& s : plan.soaks)
            layer.bands.push_back({s.from, s.to, s.value, program.waitDeviation()});
        return layer;
    };
}

} // namespace

class BenchChart : public QObject {
    Q_OBJECT
private slots:

    void lineCount() {
        auto source = wavy_ring();
        TrendChart chart(kRealTimeChart, axis);
        widest(chart, source);
        RecordingSurface surface;
        chart.fullRedraw(surface);
        QCOMPARE(surface.lines().size(), 62 + 1920 + 1); // and the gap mark point 1 always has
    }

    // The chart logic alone, lines only recorded.
    void fullRedrawRecorded() {
        auto source = wavy_ring();
        TrendChart chart(kRealTimeChart, axis);
        widest(chart, source);
        RecordingSurface surface;
        QBENCHMARK {
            chart.fullRedraw(surface);
        }
    }

    // Onto the QImage picture of a 1280 x 800 chart.
    void fullRedrawImage1280() {
        auto source = wavy_ring();
        TrendChart chart(kRealTimeChart, axis);
        widest(chart, source);
        ImageSurface surface(QSize(1280, 800));
        QBENCHMARK {
            chart.fullRedraw(surface);
            surface.image(); // the picture complete, as the widget reads it
        }
    }

    // The plan's share of a redraw onto the 1280 x 800 picture: the same redraw without and with a
    // 24-segment plan; the difference is what the plan adds.
    void fullRedrawPlan_data() {
        QTest::addColumn<bool>("withPlan");
        QTest::newRow("without plan") << false;
        QTest::newRow("24-segment plan") << true;
    }
    void fullRedrawPlan() {
        QFETCH(bool, withPlan);
        auto source = wavy_ring();
        TrendChart chart(kRealTimeChart, axis);
        if (withPlan)
            chart.setPlanSource(plan_over_window());
        widest(chart, source);
        QCOMPARE(chart.plan().has_value(), withPlan);
        if (withPlan)
            QCOMPARE(chart.plan()->points.size(), std::size_t(25));
        ImageSurface surface(QSize(1280, 800));
        QBENCHMARK {
            chart.fullRedraw(surface);
            surface.image();
        }
    }

    // Through the view: picture, kept lines and the nine time and date labels.
    void fullRedrawView1280() {
        auto source = wavy_ring();
        TrendChartView view(kRealTimeChart, axis);
        view.resize(1280 + 138, 860); // 100 px of value axis to the left, 36 right, a frame
        view.show();
        widest(view.chart(), source);
        QCOMPARE(view.picture().width(), 1280);
        QBENCHMARK {
            view.fullRedraw();
            view.picture();
        }
    }

private:
    ValueAxis axis{.YSpan = 1500}; // as the start-up form sets it
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BenchChart bench;
    QStringList args = app.arguments();
    if (!args.contains(QStringLiteral("-median")))
        args << QStringLiteral("-median") << QStringLiteral("11");
    return QTest::qExec(&bench, args);
}

#include "bench_chart.moc"
