// The chart on screen and on paper: pixels of the QImage picture, the named controls of the view
// around it, the ruler line and the PDF export.

#include "support/memory_record_source.h"

#include "core/conversions.h"
#include "charts/chart_picture.h"
#include "charts/painter_surface.h"
#include "charts/trend_chart_view.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace chart;

namespace {

double day() {
    return ole_date(QDate(2024, 1, 9));
}

// Records 760..1000 a second apart, all holding the values; one gap before point 200.
MemoryRecordSource window_source(const std::array<float, 8>& values) {
    MemoryRecordSource source;
    source.fillRing(1000, day(), 12 * 3600, kFollowLen);
    for (auto& [number, row] : source.rows) {
        row.values = values;
        if (number >= 959) // point 200 onwards: 10 minutes later
            row.time += 600 / kSecondsPerDay;
    }
    source.position = 1000;
    return source;
}

bool column_has(const QImage& image, int x, int fromY, int toY, QRgb colour) {
    for (int y = fromY; y <= toY; ++y)
        if (image.pixel(x, y) == colour)
            return true;
    return false;
}

} // namespace

class TestChartView : public QObject {
    Q_OBJECT
private slots:
    void init() { axis = ValueAxis{.YSpan = 1500}; }

    void mapping_data();
    void mapping();
    void picturePixels();
    void penWidthsOnThePicture();
    void namedControls();
    void labelsFollowTheChart();
    void valueAxisDoubleClick();
    void rulerLine();
    void pictureFollowsTheWidgetSize();
    void pdfExport();
    void unwritablePdf();

private:
    ValueAxis axis; // a fresh one for every test, YSpan 1500 as the start-up form sets it
};

void TestChartView::mapping_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QPoint>("pixel");
    // 1201 x 751 pixels: the 12008 x 7508 units land on pixels 0..1200 and 0..750.
    QTest::newRow("origin") << 0.0 << 0.0 << QPoint(0, 0);
    QTest::newRow("far corner") << 12008.0 << 7508.0 << QPoint(1200, 750);
    QTest::newRow("x 9000, y 7500") << 9000.0 << 7500.0 << QPoint(899, 749);
    QTest::newRow("x 1500, y 3758") << 1500.0 << 3758.0 << QPoint(150, 375);
}

void TestChartView::mapping() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QPoint, pixel);
    QCOMPARE(ImageSurface(QSize(1201, 751)).pixelOf({x, y}), pixel);
}

void TestChartView::picturePixels() {
    // Process value 750 of 1500 in the middle (red on top of the set value 750 drawn before it),
    // the blue curve at 300, everything else 0.
    auto source = window_source({750, 0, 750, 0, 0, 300, 0, 0});
    TrendChart chart(kRealTimeChart, axis);
    chart.setWindowEnd(1000);
    chart.ApplyZoom();
    ImageSurface surface(QSize(1201, 751));
    chart.reload(source, surface);
    const QImage image = surface.image();
    QCOMPARE(image.size(), QSize(1201, 751));

    const QRgb background = qRgb(192, 255, 255);
    const QRgb grid = qRgb(255, 128, 255);
    QCOMPARE(image.pixel(20, 20), background);
    // The dotted grid line at x = 9000 is there, with gaps between its dots.
    QVERIFY(column_has(image, 899, 100, 110, grid));
    QVERIFY(column_has(image, 899, 100, 110, background));
    // Value 750 lies at y = 7508 - 3750 = 3758 units, pixel row 375.
    const int x = surface.pixelOf({4500, 0}).x();
    QVERIFY(column_has(image, x, 374, 376, qRgb(255, 0, 0)));
    QVERIFY(!column_has(image, x, 374, 376, qRgb(0, 64, 0))); // red lies on the set value
    // Blue at 300: 7508 - 1500 = 6008 units, pixel row 600.
    QVERIFY(column_has(image, x, 599, 601, qRgb(0, 0, 255)));
    // The output curve at 0 sits on H - 625 = 6883 units, pixel row 688.
    QVERIFY(column_has(image, x, 687, 689, qRgb(128, 128, 0)));
    // Point 200 follows a gap: a dashed yellow line at x = 3000, dashes and spaces.
    const int gx = surface.pixelOf({3000, 0}).x();
    QVERIFY(column_has(image, gx, 10, 40, qRgb(255, 255, 0)));
    QVERIFY(column_has(image, gx, 10, 40, background));
}

void TestChartView::penWidthsOnThePicture() {
    ImageSurface surface(QSize(1201, 751));
    surface.clear(qRgb(255, 255, 255));
    surface.line(QLineF(0, 1000, 12008, 1000), {qRgb(255, 0, 0), 2, LineStyle::Solid});
    surface.line(QLineF(0, 5000, 12008, 5000), {qRgb(0, 0, 255), 1, LineStyle::Solid});
    const QImage image = surface.image();
    auto rows = [&](int x, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += image.pixel(x, y) == colour;
        return n;
    };
    QCOMPARE(rows(600, qRgb(255, 0, 0)), 2);
    QCOMPARE(rows(600, qRgb(0, 0, 255)), 1);
}

void TestChartView::namedControls() {
    axis.YSpan = 120; // the output's scale Label6 then reads the system's fixed captions
    TrendChartView view(kHistoryChart, axis);
    const QStringList names{"pt0", "pt", "Line1", "Label8"};
    for (const QString& name : names) {
        auto* w = view.findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->accessibleDescription(), name);
    }
    for (int k = 0; k < 9; ++k) {
        QVERIFY(view.findChild<QLabel*>(QStringLiteral("Label4(%1)").arg(k)));
        QVERIFY(view.findChild<QLabel*>(QStringLiteral("Label7(%1)").arg(k)));
    }
    const QStringList fixed{"0", "20", "40", "60", "80", "100", "120"};
    for (int i = 0; i < 7; ++i) {
        QVERIFY(view.findChild<QLabel*>(QStringLiteral("Label5(%1)").arg(i)));
        auto* l6 = view.findChild<QLabel*>(QStringLiteral("Label6(%1)").arg(i));
        QVERIFY(l6);
        QCOMPARE(l6->text(), fixed[i]);
    }
    TrendChartView realTime(kRealTimeChart, axis);
    QCOMPARE(realTime.findChild<QLabel*>("Label6(0)")->text(), QStringLiteral("-10"));
    QCOMPARE(realTime.findChild<QLabel*>("Label6(6)")->text(), QStringLiteral("110"));
    axis.YSpan = 1500; // five units a percent: 1250 units are 250 %, from 0 at H - 625
    realTime.showValueAxis();
    QCOMPARE(realTime.findChild<QLabel*>("Label6(1)")->text(), QStringLiteral("125"));
    const QString legend = realTime.findChild<QLabel*>("Label8")->text();
    QVERIFY(legend.contains("当前PV") && legend.contains("PV2值") && legend.contains("SV1值"));
    for (const CurveStyle& c : kCurves) // every curve drawn, in its colour
        QVERIFY(legend.contains(QColor(rgb_from_bgr(c.bgr)).name()));
}

void TestChartView::labelsFollowTheChart() {
    auto source = window_source({1, 2, 3, 4, 5, 6, 7, 8});
    TrendChartView view(kRealTimeChart, axis);
    view.resize(1000, 600);
    QSignalSpy loaded(&view, &TrendChartView::windowLoaded);
    view.chart().setWindowEnd(1000);
    view.ApplyZoom();
    view.reload(source);
    QCOMPARE(loaded.size(), 1);
    QCOMPARE(loaded[0][0].toString(), QStringLiteral("2024-01-09"));
    QCOMPARE(loaded[0][1].toString(), QStringLiteral("11:59:00")); // point 181
    for (int k = 0; k < 9; ++k)
        QCOMPARE(view.findChild<QLabel*>(QStringLiteral("Label4(%1)").arg(k))->text(),
                 view.chart().timeLabel(k));
    QCOMPARE(view.findChild<QLabel*>("Label7(8)")->text(), QStringLiteral("2024-01-09"));

    axis.YMin = 100;
    axis.YSpan = 600;
    view.showValueAxis();
    QCOMPARE(view.findChild<QLabel*>("Label5(0)")->text(), QStringLiteral("100"));
    QCOMPARE(view.findChild<QLabel*>("Label5(6)")->text(), QStringLiteral("700"));
    // The value axis runs bottom to top beside the chart.
    QVERIFY(view.findChild<QLabel*>("Label5(0)")->y() > view.findChild<QLabel*>("Label5(6)")->y());
    QVERIFY(view.findChild<QLabel*>("Label4(0)")->x() < view.findChild<QLabel*>("Label4(8)")->x());
}

void TestChartView::valueAxisDoubleClick() {
    TrendChartView view(kHistoryChart, axis);
    view.resize(800, 500);
    view.show();
    QSignalSpy spy(&view, &TrendChartView::valueAxisDoubleClicked);
    QTest::mouseDClick(view.findChild<QLabel*>("Label5(3)"), Qt::LeftButton);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toInt(), 3);
    QTest::mouseDClick(view.findChild<QLabel*>("Label6(3)"), Qt::LeftButton);
    QCOMPARE(spy.size(), 1);
}

void TestChartView::rulerLine() {
    TrendChartView view(kRealTimeChart, axis);
    view.resize(1000, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.fullRedraw();
    view.setRulerLine(QLineF(6000, 0, 6000, 7500), 0xC000C0, 2);
    auto* pt = view.findChild<QWidget*>("pt");
    auto* line1 = view.findChild<RulerLine*>("Line1");
    QCOMPARE(line1->colour(), qRgb(192, 0, 192));
    const QImage shot = pt->grab().toImage();
    const int x = ImageSurface::pixel_of(pt->size(), {6000, 0}).x();
    QVERIFY(column_has(shot, x, 100, 110, qRgb(192, 0, 192)) ||
            column_has(shot, x - 1, 100, 110, qRgb(192, 0, 192)));
    view.setRulerVisible(false);
    QVERIFY(!line1->isVisible());
    const QImage hidden = pt->grab().toImage();
    QVERIFY(!column_has(hidden, x, 100, 110, qRgb(192, 0, 192)));
}

void TestChartView::pictureFollowsTheWidgetSize() {
    auto source = window_source({750, 0, 0, 0, 0, 0, 0, 0});
    TrendChartView view(kRealTimeChart, axis);
    view.resize(900, 500);
    view.show();
    view.chart().setWindowEnd(1000);
    view.reload(source);
    auto* pt = view.findChild<QWidget*>("pt");
    QCOMPARE(view.picture().size(), pt->size());
    const int lines = view.shownLines().lines().size();
    const QSize before = pt->size();
    view.resize(1300, 800);
    QCOMPARE(pt->size(), before + QSize(400, 300));
    QCOMPARE(view.picture().size(), pt->size());
    QCOMPARE(view.shownLines().lines().size(), lines); // the same chart, drawn again larger
    const int x = ImageSurface::pixel_of(pt->size(), {4500, 0}).x();
    const int y = ImageSurface::pixel_of(pt->size(), {0, 3758}).y();
    QVERIFY(column_has(view.picture(), x, y - 1, y + 1, qRgb(255, 0, 0)));
}

void TestChartView::pdfExport() {
    auto source = window_source({750, 20, 740, 600, 500, 300, 0, 0});
    TrendChartView view(kRealTimeChart, axis);
    view.resize(1000, 600);
    view.chart().setWindowEnd(1000);
    view.reload(source);
    view.showValueAxis();
    const ChartPrintout printout = view.printout(QStringLiteral("实时曲线"));
    QVERIFY(printout.dateRange.startsWith(QStringLiteral("2024-01-09 11:59:00 - 2024-01-09")));
    QCOMPARE(printout.valueLabels[6], QStringLiteral("1500"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    QVERIFY(export_chart_pdf(path, printout));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.size() > 1000);
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
}

void TestChartView::unwritablePdf() {
    TrendChartView view(kRealTimeChart, axis);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!export_chart_pdf(QStringLiteral("/nonexistent-dir/x/chart.pdf"),
                              view.printout(QString())));
}

QTEST_MAIN(TestChartView)
#include "test_chart_view.moc"
