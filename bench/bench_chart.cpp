// A full chart redraw in the widest zoom with the most curve lines (mode 4, 321 points: 1920 curve
// lines and 62 grid lines), onto a 1280-pixel-wide picture. Reports the median of several runs.

#include "tests/support/memory_record_source.h"

#include "core/conversions.h"
#include "charts/painter_surface.h"
#include "charts/recording_surface.h"
#include "charts/trend_chart_view.h"

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
