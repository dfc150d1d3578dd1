// The chart's geometry, window arithmetic, labels and drawing order, against the recording surface
// and an in-memory record table.

#include "support/memory_record_source.h"

#include "core/conversions.h"
#include "charts/recording_surface.h"
#include "charts/trend_chart.h"

#include <QTest>

using namespace chart;

namespace {

// A function, not a constant: the day numbers' epoch is itself a constant of another file.
double day() {
    return ole_date(QDate(2023, 3, 15));
}

int seconds(int h, int m, int s) {
    return h * 3600 + m * 60 + s;
}

QList<RecordedLine> lines_in(const RecordingSurface& surface, LineStyle style) {
    QList<RecordedLine> out;
    for (const RecordedLine& l : surface.lines())
        if (l.pen.style == style)
            out.append(l);
    return out;
}

// A 241-point window (records 760..1000, one second apart) whose points all hold the given values.
MemoryRecordSource constant_window(const std::array<float, 8>& values) {
    MemoryRecordSource source;
    source.fillRing(1000, day(), seconds(12, 0, 0), kFollowLen);
    for (auto& [number, row] : source.rows)
        row.values = values;
    return source;
}

void load(TrendChart& chart, RecordSource& source, qint32 end, qint16 len, qint16 mode) {
    chart.setZoomMode(mode);
    chart.ApplyZoom();
    chart.setWindowEnd(end);
    chart.setWindowLen(len);
    chart.setLastIndex(len);
    chart.LoadWindow(source);
}

// Index of the curve table entry drawing a column.
int slot_of(int column) {
    for (size_t s = 0; s < kCurves.size(); ++s)
        if (kCurves[s].column == column)
            return static_cast<int>(s);
    return -1;
}

} // namespace

class TestTrendChart : public QObject {
    Q_OBJECT
private slots:
    void init() { axis = ValueAxis{.YSpan = 1500}; }

    void gridPositions_data();
    void gridPositions();
    void gridPens();
    void applyZoom_data();
    void applyZoom();
    void windowOfTheRing_data();
    void windowOfTheRing();
    void gapMarks_data();
    void gapMarks();
    void fewerRowsThanTheWindow();
    void emptyPointsNeitherDrawnNorLabelled_data();
    void emptyPointsNeitherDrawnNorLabelled();
    void valueOffset_data();
    void valueOffset();
    void zeroSpanIsFlat();
    void offsetTooLargeKeepsThePreviousOne();
    void widestZoomStartsAtPointZero();
    void drawingOrder();
    void curveLineCount_data();
    void curveLineCount();
    void timeLabels_data();
    void timeLabels();
    void extrapolatedLabels_data();
    void extrapolatedLabels();
    void windowCaption();
    void valueAxisTexts_data();
    void valueAxisTexts();
    void rulerReadout_data();
    void rulerReadout();
    void rulerNeedsAZoom();
    void reloadDue_data();
    void reloadDue();
    void appendedPoint();
    void followNewest();
    void stateOutsideTheBuffersIsSafe();

private:
    ValueAxis axis; // a fresh one for every test, YSpan 1500 as the start-up form sets it
};

void TestTrendChart::gridPositions_data() {
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<double>("position");
    QTest::addColumn<int>("count");
    // Row i lies at round(312.5 i), ties to even; the borders repeat rows 0 and 24.
    QTest::newRow("top border and row 0") << true << 0.0 << 2;
    QTest::newRow("row 1 (312.5)") << true << 312.0 << 1;
    QTest::newRow("row 2") << true << 625.0 << 1;
    QTest::newRow("row 3 (937.5)") << true << 938.0 << 1;
    QTest::newRow("no 937") << true << 937.0 << 0;
    QTest::newRow("row 5 (1562.5)") << true << 1562.0 << 1;
    QTest::newRow("no 1563") << true << 1563.0 << 0;
    QTest::newRow("row 23 (7187.5)") << true << 7188.0 << 1;
    QTest::newRow("bottom border and row 24") << true << 7500.0 << 2;
    QTest::newRow("column 0") << false << 0.0 << 1;
    QTest::newRow("left border") << false << 8.0 << 1;
    QTest::newRow("column 1") << false << 375.0 << 1;
    QTest::newRow("column 24 and the 9000 line") << false << 9000.0 << 2;
    QTest::newRow("column 32") << false << 12000.0 << 1;
}

void TestTrendChart::gridPositions() {
    QFETCH(bool, horizontal);
    QFETCH(double, position);
    QFETCH(int, count);
    RecordingSurface surface;
    TrendChart(kRealTimeChart, axis).DrawGrid(surface);
    int found = 0;
    for (const RecordedLine& l : surface.lines()) {
        if (horizontal && l.units.y1() == position && l.units.y2() == position) {
            QCOMPARE(l.units.x1(), 0.0);
            QCOMPARE(l.units.x2(), double(kWidth));
            ++found;
        }
        if (!horizontal && l.units.x1() == position && l.units.x2() == position) {
            QCOMPARE(l.units.y1(), 0.0);
            QCOMPARE(l.units.y2(), double(kHeight));
            ++found;
        }
    }
    QCOMPARE(found, count);
}

void TestTrendChart::gridPens() {
    RecordingSurface surface;
    TrendChart(kRealTimeChart, axis).DrawGrid(surface);
    QCOMPARE(surface.lines().size(), 25 + 33 + 4);
    QCOMPARE(surface.background(), qRgb(192, 255, 255));
    QCOMPARE(surface.clearCount(), 1);
    for (const RecordedLine& l : surface.lines())
        QCOMPARE(l.pen, (ChartPen{qRgb(255, 128, 255), 1, LineStyle::Dotted}));
}

void TestTrendChart::applyZoom_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<float>("xStep");
    QTest::addColumn<int>("offset");
    QTest::newRow("1") << 1 << 150.0f << 180;
    QTest::newRow("2") << 2 << 75.0f << 120;
    QTest::newRow("3") << 3 << 50.0f << 60;
    QTest::newRow("4") << 4 << 37.5f << 0;
    // Any other mode leaves the fields as mode 3 set them.
    QTest::newRow("0") << 0 << 50.0f << 60;
    QTest::newRow("5") << 5 << 50.0f << 60;
    QTest::newRow("-1") << -1 << 50.0f << 60;
}

void TestTrendChart::applyZoom() {
    QFETCH(int, mode);
    QFETCH(float, xStep);
    QFETCH(int, offset);
    TrendChart chart(kRealTimeChart, axis);
    chart.setZoomMode(3);
    chart.ApplyZoom();
    chart.setZoomMode(static_cast<qint16>(mode));
    chart.ApplyZoom();
    QCOMPARE(chart.XStep(), xStep);
    QCOMPARE(int(chart.ZoomOffset()), offset);
}

void TestTrendChart::windowOfTheRing_data() {
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("len");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("wrapPoint"); // first point after 65500, 0 if none
    QTest::newRow("1000/241") << 1000 << 241 << 759 << 0;
    QTest::newRow("100/241 across the wrap") << 100 << 241 << 65359 << 142;
    QTest::newRow("241/241 from record 1") << 241 << 241 << 0 << 0;
    QTest::newRow("240/241 one before the wrap") << 240 << 241 << 65499 << 2;
    QTest::newRow("500/321 paged") << 500 << 321 << 179 << 0;
    QTest::newRow("50/321 paged across the wrap") << 50 << 321 << 65229 << 272;
    QTest::newRow("65500/241 at the ring's end") << 65500 << 241 << 65259 << 0;
}

void TestTrendChart::windowOfTheRing() {
    QFETCH(int, end);
    QFETCH(int, len);
    QFETCH(int, start);
    QFETCH(int, wrapPoint);
    MemoryRecordSource source;
    source.fillRing(end, day(), seconds(20, 0, 0));
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, end, static_cast<qint16>(len), 1);
    QCOMPARE(chart.WindowStart(), start);
    QCOMPARE(source.requests.size(), size_t(1));
    QCOMPARE(source.requests[0], std::pair(qint32(start), qint32(end)));
    // Oldest record first, record numbers running on across the wrap, newest last.
    QCOMPARE(chart.PointValue(1, 0), float(start % kRingSize + 1));
    QCOMPARE(chart.PointValue(len, 0), float(end));
    if (wrapPoint) {
        QCOMPARE(chart.PointValue(wrapPoint - 1, 0), 65500.0f);
        QCOMPARE(chart.PointValue(wrapPoint, 0), 1.0f);
    }
    for (int i = 2; i <= len; ++i)
        QVERIFY(chart.PointTime(i) > chart.PointTime(i - 1));
}

void TestTrendChart::gapMarks_data() {
    QTest::addColumn<int>("beforeSecond"); // time of day of point 199
    QTest::addColumn<int>("afterSecond");  // and of point 200
    QTest::addColumn<bool>("mark");
    QTest::newRow("4 min 59 s") << seconds(10, 0, 0) << seconds(10, 4, 59) << false;
    QTest::newRow("5 min (above 0.00347222 day)") << seconds(10, 0, 0) << seconds(10, 5, 0) << true;
    QTest::newRow("5 min 1 s") << seconds(10, 0, 0) << seconds(10, 5, 1) << true;
    QTest::newRow("midnight, 1 s apart") << seconds(23, 59, 59) << 0 << true;
}

void TestTrendChart::gapMarks() {
    QFETCH(int, beforeSecond);
    QFETCH(int, afterSecond);
    QFETCH(bool, mark);
    // Points 1..199 end at beforeSecond, points 200..241 start at afterSecond, 1 s apart each.
    MemoryRecordSource source;
    for (int i = 1; i <= 241; ++i) {
        RecordRow row;
        const int s = i < 200 ? beforeSecond - (199 - i) : afterSecond + (i - 200);
        row.date = day() + (i >= 200 && afterSecond < beforeSecond - 3600 ? 1 : 0);
        row.time = s / kSecondsPerDay;
        source.rows[759 + i] = row;
    }
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, 241, 1);
    QCOMPARE(int(chart.GapMark(200)), mark ? 200 : 0);
    for (int i = 2; i <= 241; ++i)
        if (i != 200)
            QCOMPARE(int(chart.GapMark(i)), 0);

    RecordingSurface surface;
    chart.fullRedraw(surface);
    const auto dashed = lines_in(surface, LineStyle::Dashed);
    QCOMPARE(dashed.size(), mark ? 1 : 0);
    if (mark) {
        // Point 200 is step 20 right of the zoom offset 180.
        QCOMPARE(dashed[0].units, QLineF(3000, 0, 3000, 9000));
        QCOMPARE(dashed[0].pen, (ChartPen{qRgb(255, 255, 0), 1, LineStyle::Dashed}));
    }
}

// Records 760..959 in a window that ends at 1000: the newest record stands at the window's last
// point, the points before the oldest one hold nothing, and nothing is drawn or labelled there.
void TestTrendChart::fewerRowsThanTheWindow() {
    MemoryRecordSource source;
    source.fillRing(959, day(), seconds(12, 0, 0), 200); // records 760..959 only
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, 241, 1);
    QCOMPARE(chart.PointValue(241, 0), 959.0f);
    QCOMPARE(chart.PointValue(42, 0), 760.0f);
    QVERIFY(chart.Held(42) && !chart.Held(41));
    for (int i = 1; i <= 41; ++i)
        QCOMPARE(chart.PointTime(i), 0.0);
    for (int i = 1; i <= 241; ++i)
        QCOMPARE(int(chart.GapMark(i)), 0); // the first record starts no gap
    RecordingSurface surface;
    chart.fullRedraw(surface);
    const auto curves = lines_in(surface, LineStyle::Solid);
    // Mode 1 draws points 180..240: all held, 60 segments of six curves.
    QCOMPARE(curves.size(), 60 * 6);
    QVERIFY(lines_in(surface, LineStyle::Dashed).isEmpty());
}

void TestTrendChart::emptyPointsNeitherDrawnNorLabelled_data() {
    QTest::addColumn<int>("records"); // records 1..n of a ring that has not wrapped
    QTest::addColumn<int>("len");
    QTest::addColumn<int>("mode");
    QTest::newRow("fresh file, nothing recorded") << 0 << 241 << 1;
    QTest::newRow("20 records, mode 1") << 20 << 241 << 1;
    QTest::newRow("20 records, mode 4") << 20 << 241 << 4;
    QTest::newRow("260 records, oldest page, mode 4") << 260 << 321 << 4;
    QTest::newRow("260 records, oldest page, mode 2") << 260 << 321 << 2;
}

void TestTrendChart::emptyPointsNeitherDrawnNorLabelled() {
    QFETCH(int, records);
    QFETCH(int, len);
    QFETCH(int, mode);
    MemoryRecordSource source;
    if (records > 0)
        source.fillRing(records, day(), seconds(12, 0, 0), records);
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, records, qint16(len), qint16(mode));
    RecordingSurface surface;
    chart.fullRedraw(surface);
    // The records stand at the window's end: the held points are len - records + 1 .. len.
    const int first = std::max(1, len - records + 1);
    int segments = 0;
    for (int i = 1; i <= 60 * mode + (len - 241); ++i) {
        const int a = chart.ZoomOffset() + i - 1;
        if (records > 0 && a >= first && a + 1 <= len)
            ++segments;
    }
    QCOMPARE(lines_in(surface, LineStyle::Solid).size(), 6 * segments);
    QVERIFY(lines_in(surface, LineStyle::Dashed).isEmpty()); // no gap mark before the first
    for (int k = 0; k < 9; ++k) {
        const int p = 10 * mode * k + chart.ZoomOffset() + 1;
        const bool held = records > 0 && p >= first && p <= len;
        if (k < 7 || len >= 320)
            QCOMPARE(chart.timeLabel(k).isEmpty(), !held);
        QVERIFY(!chart.dateLabel(k).contains(QStringLiteral("1899")));
    }
    QCOMPARE(chart.windowCaption().date.isEmpty(),
             !(records > 0 && chart.ZoomOffset() + 1 >= first));
}

void TestTrendChart::valueOffset_data() {
    QTest::addColumn<bool>("history");
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("y");
    const double h = kHeight;
    // s = 7500 / 1500 = 5, YOffsetPx = 1000: a value of 200 lies on H for the shifted curves.
    for (bool history : {false, true}) {
        const char* screen = history ? "history" : "real-time";
        for (int column : {0, 2, 3, 5})
            QTest::addRow("%s column %d", screen, column) << history << column << h;
        QTest::addRow("%s column 4", screen) << history << 4 << h - 1000;
    }
    QTest::newRow("real-time output") << false << 1 << h - 625 - 1000;
    QTest::newRow("history output") << true << 1 << h - 1000;
}

void TestTrendChart::valueOffset() {
    QFETCH(bool, history);
    QFETCH(int, column);
    QFETCH(double, y);
    axis.YMin = 200;
    auto source = constant_window({200, 200, 200, 200, 200, 200, 200, 200});
    TrendChart chart(history ? kHistoryChart : kRealTimeChart, axis);
    load(chart, source, 1000, 241, 1);
    RecordingSurface surface;
    chart.fullRedraw(surface);
    QCOMPARE(int(axis.YOffsetPx), 1000);
    QCOMPARE(chart.curvePass().scale, 5.0f);
    const auto curves = lines_in(surface, LineStyle::Solid);
    QCOMPARE(curves.size(), 6 * 60);
    for (int segment = 1; segment < 60; ++segment) { // segment 0 starts at point 180
        const QLineF l = curves[6 * segment + slot_of(column)].units;
        QCOMPARE(l.y1(), y);
        QCOMPARE(l.y2(), y);
    }
}

void TestTrendChart::zeroSpanIsFlat() {
    axis.YSpan = 0;
    axis.YMin = 300;
    auto source = constant_window({500, 900, 1200, 40, 7, 3000, 1, 1});
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, 241, 2);
    RecordingSurface surface;
    chart.fullRedraw(surface);
    QCOMPARE(int(axis.YOffsetPx), 0);
    const auto curves = lines_in(surface, LineStyle::Solid);
    QCOMPARE(curves.size(), 6 * 120);
    for (int n = 0; n < curves.size(); ++n) {
        const double baseline = kCurves[n % 6].isOutput ? kHeight - 625 : kHeight;
        QCOMPARE(curves[n].units.y1(), baseline);
        QCOMPARE(curves[n].units.y2(), baseline);
    }
}

void TestTrendChart::offsetTooLargeKeepsThePreviousOne() {
    axis.YOffsetPx = 77;
    axis.YSpan = 1;
    axis.YMin = 30000; // 7500 * 30000 does not fit a 16-bit offset
    RecordingSurface surface;
    TrendChart chart(kRealTimeChart, axis);
    chart.fullRedraw(surface);
    QCOMPARE(int(axis.YOffsetPx), 77);
    axis.YSpan = 3000;
    axis.YMin = -300;
    chart.fullRedraw(surface);
    QCOMPARE(int(axis.YOffsetPx), -750);
}

void TestTrendChart::widestZoomStartsAtPointZero() {
    auto source = constant_window({100, 100, 100, 100, 100, 100, 0, 0});
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, 241, 4);
    RecordingSurface surface;
    chart.fullRedraw(surface);
    const auto curves = lines_in(surface, LineStyle::Solid);
    // Point 0 holds no record: no curve rises from a baseline to point 1; the first segment runs
    // from point 1 to point 2 (37.5 -> 38 to 75 units).
    for (int s = 0; s < 6; ++s) {
        const double baseline = kCurves[s].isOutput ? kHeight - 625 : kHeight;
        QCOMPARE(curves[s].units, QLineF(38, baseline - 500, 75, baseline - 500));
    }
    QCOMPARE(curves[6].units.x2(), 112.0); // 112.5 -> 112
    QCOMPARE(curves.size(), 239 * 6);
}

void TestTrendChart::drawingOrder() {
    struct Expected {
        QRgb rgb;
        int width;
    };
    const Expected order[6] = {{qRgb(0, 64, 0), 2},    {qRgb(255, 0, 0), 2},
                               {qRgb(128, 128, 0), 1}, {qRgb(255, 0, 255), 1},
                               {qRgb(192, 64, 0), 1},  {qRgb(0, 0, 255), 1}};
    auto source = constant_window({1, 2, 3, 4, 5, 6, 7, 8});
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, 241, 3);
    RecordingSurface surface;
    chart.fullRedraw(surface);
    const auto& all = surface.lines();
    QCOMPARE(all.size(), 62 + 6 * 180); // grid first, then the segments
    for (int n = 62; n < all.size(); ++n) {
        const int slot = (n - 62) % 6;
        QCOMPARE(all[n].pen, (ChartPen{order[slot].rgb, order[slot].width, LineStyle::Solid}));
        // All six curves of a segment share its x range.
        QCOMPARE(all[n].units.x1(), all[62 + (n - 62) / 6 * 6].units.x1());
    }
    // Column 5 (value 6) is drawn last in each segment: 6 * 5 = 30 units above H.
    QCOMPARE(all[62 + 6 * 10 + 5].units.y2(), double(kHeight - 30));
}

void TestTrendChart::curveLineCount_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("lastIndex");
    QTest::addColumn<int>("lines");
    QTest::addColumn<double>("endX"); // where the curve ends: round((60 mode + k) * XStep)
    QTest::newRow("1, 241") << 1 << 241 << 360 << 9000.0;
    QTest::newRow("1, 241+19") << 1 << 260 << 474 << 11850.0;
    QTest::newRow("2, 241+10") << 2 << 251 << 780 << 9750.0;
    QTest::newRow("3, 241+1") << 3 << 242 << 1086 << 9050.0;
    // In the widest zoom the first segment would start at point 0, which holds no record.
    QTest::newRow("4, 241+79 (319 x 37.5, tie to even)") << 4 << 320 << 1908 << 11962.0;
    QTest::newRow("4, paged 321") << 4 << 321 << 1914 << 12000.0;
    QTest::newRow("1, paged 321 beyond the edge") << 1 << 321 << 840 << 21000.0;
}

void TestTrendChart::curveLineCount() {
    QFETCH(int, mode);
    QFETCH(int, lastIndex);
    QFETCH(int, lines);
    QFETCH(double, endX);
    MemoryRecordSource source;
    source.fillRing(1000, day(), seconds(12, 0, 0));
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, lastIndex > 241 && lastIndex == 321 ? 321 : 241, mode);
    for (int i = 242; i < lastIndex && lastIndex != 321; ++i) { // points taken live meanwhile
        chart.setLastIndex(static_cast<qint16>(i));
        chart.appendLivePoint({1, 2, 3, 4, 5, 6}, day(), seconds(12, 0, 0) + i / 86400.0);
    }
    chart.setLastIndex(static_cast<qint16>(lastIndex));
    RecordingSurface surface;
    chart.fullRedraw(surface);
    const auto curves = lines_in(surface, LineStyle::Solid);
    QCOMPARE(curves.size(), lines);
    QCOMPARE(curves.last().units.x2(), endX);
}

void TestTrendChart::timeLabels_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("time");
    // Point i holds 10:00:00 + i s; label k names point 10 mode k + ZoomOffset + 1.
    QTest::newRow("1, 0 -> 181") << 1 << 0 << "10:03:01";
    QTest::newRow("1, 8 -> 261") << 1 << 8 << "10:04:21";
    QTest::newRow("2, 3 -> 181") << 2 << 3 << "10:03:01";
    QTest::newRow("3, 5 -> 211") << 3 << 5 << "10:03:31";
    QTest::newRow("4, 0 -> 1") << 4 << 0 << "10:00:01";
    QTest::newRow("4, 8 -> 321") << 4 << 8 << "10:05:21";
}

void TestTrendChart::timeLabels() {
    QFETCH(int, mode);
    QFETCH(int, k);
    QFETCH(QString, time);
    MemoryRecordSource source;
    source.fillRing(1000, day(), seconds(10, 0, 0) + 321);
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, 321, mode); // paged: no extrapolation
    RecordingSurface surface;
    chart.fullRedraw(surface);
    QCOMPARE(chart.timeLabel(k), time);
    QCOMPARE(chart.dateLabel(k), QStringLiteral("2023-03-15"));
}

void TestTrendChart::extrapolatedLabels_data() {
    QTest::addColumn<bool>("history");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("newest"); // time of day of point 241
    QTest::addColumn<QString>("time7");
    QTest::addColumn<QString>("date7");
    QTest::addColumn<QString>("time8");
    QTest::addColumn<QString>("date8");
    const int ten = seconds(10, 0, 0);
    const QString d0 = QStringLiteral("2023-03-15");
    const QString d1 = QStringLiteral("2023-03-16");
    QTest::newRow("real-time 1") << false << 1 << ten << "10:00:10" << d0 << "10:00:20" << d0;
    QTest::newRow("real-time 4") << false << 4 << ten << "10:00:40" << d0 << "10:01:20" << d0;
    QTest::newRow("history 1") << true << 1 << ten << "10:01:40" << d0 << "10:03:20" << d0;
    QTest::newRow("history 3") << true << 3 << ten << "10:05:00" << d0 << "10:10:00" << d0;
    QTest::newRow("real-time past midnight")
        << false << 1 << seconds(23, 59, 55) << "00:00:05" << d1 << "00:00:15" << d1;
    QTest::newRow("history label 8 past midnight")
        << true << 4 << seconds(23, 50, 0) << "23:56:40" << d0 << "00:03:20" << d1;
}

void TestTrendChart::extrapolatedLabels() {
    QFETCH(bool, history);
    QFETCH(int, mode);
    QFETCH(int, newest);
    QFETCH(QString, time7);
    QFETCH(QString, date7);
    QFETCH(QString, time8);
    QFETCH(QString, date8);
    MemoryRecordSource source;
    source.fillRing(1000, day(), newest, kFollowLen);
    TrendChart chart(history ? kHistoryChart : kRealTimeChart, axis);
    load(chart, source, 1000, 241, mode);
    RecordingSurface surface;
    chart.fullRedraw(surface);
    QCOMPARE(chart.timeLabel(6), time_text(newest / kSecondsPerDay)); // label 6 names point 241
    QCOMPARE(chart.timeLabel(7), time7);
    QCOMPARE(chart.dateLabel(7), date7);
    QCOMPARE(chart.timeLabel(8), time8);
    QCOMPARE(chart.dateLabel(8), date8);
}

void TestTrendChart::windowCaption() {
    MemoryRecordSource source;
    source.fillRing(1000, day(), seconds(10, 0, 0) + 241, kFollowLen);
    TrendChart chart(kRealTimeChart, axis);
    chart.setWindowEnd(1000);
    chart.LoadWindow(source); // at load the zoom has not been applied yet: point 1
    QCOMPARE(chart.windowCaption().time, QStringLiteral("10:00:01"));
    QCOMPARE(chart.windowCaption().date, QStringLiteral("2023-03-15"));
    chart.ApplyZoom();
    chart.LoadWindow(source);
    QCOMPARE(chart.windowCaption().time, QStringLiteral("10:03:01")); // point 181
}

void TestTrendChart::valueAxisTexts_data() {
    QTest::addColumn<int>("yMin");
    QTest::addColumn<int>("ySpan");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("0/1500") << 0 << 1500
                            << QStringList{"0", "250", "500", "750", "1000", "1250", "1500"};
    QTest::newRow("200/1500") << 200 << 1500
                              << QStringList{"200", "450", "700", "950", "1200", "1450", "1700"};
    QTest::newRow("9: steps of 1.5 to even")
        << 0 << 9 << QStringList{"0", "2", "3", "4", "6", "8", "9"};
    QTest::newRow("15: steps of 2.5 to even")
        << 0 << 15 << QStringList{"0", "2", "5", "8", "10", "12", "15"};
    QTest::newRow("-100/3") << -100 << 3
                            << QStringList{"-100", "-100", "-99", "-98", "-98", "-98", "-97"};
    QTest::newRow("zero span") << 40 << 0 << QStringList{"40", "40", "40", "40", "40", "40", "40"};
    QTest::newRow("full 16-bit reach")
        << 32767 << 32767
        << QStringList{"32767", "38228", "43689", "49151", "54612", "60073", "65534"};
    QTest::newRow("odd 1501: 750.5 to even")
        << 0 << 1501 << QStringList{"0", "250", "500", "750", "1001", "1251", "1501"};
    QTest::newRow("odd 1499: 749.5 to even")
        << 0 << 1499 << QStringList{"0", "250", "500", "750", "999", "1249", "1499"};
}

void TestTrendChart::valueAxisTexts() {
    QFETCH(int, yMin);
    QFETCH(int, ySpan);
    QFETCH(QStringList, texts);
    const auto got = value_axis_texts(static_cast<qint16>(yMin), static_cast<qint16>(ySpan));
    QCOMPARE(QStringList(got.begin(), got.end()), texts);
}

void TestTrendChart::rulerReadout_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("p");
    QTest::newRow("1, 0") << 1 << 0 << 180;
    QTest::newRow("1, -1") << 1 << -1 << 180;
    QTest::newRow("1, 75 (0.5 to even)") << 1 << 75 << 180;
    QTest::newRow("1, 225 (1.5 to even)") << 1 << 225 << 182;
    QTest::newRow("1, 12001") << 1 << 12001 << 260;
    QTest::newRow("2, 112") << 2 << 112 << 121;
    QTest::newRow("3, 125 (2.5 to even)") << 3 << 125 << 62;
    QTest::newRow("4, -1") << 4 << -1 << 0;
    QTest::newRow("4, 12001") << 4 << 12001 << 320;
}

void TestTrendChart::rulerReadout() {
    QFETCH(int, mode);
    QFETCH(int, v);
    QFETCH(int, p);
    MemoryRecordSource source;
    source.fillRing(1000, day(), seconds(10, 0, 0) + 321);
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, 321, mode); // point i is record 679 + i at 10:00:00 + i s
    const auto r = chart.rulerReadout(v);
    QVERIFY(r);
    QCOMPARE(r->p, p);
    QCOMPARE(r->q, p);
    // Point 0 holds no record: it reads as nothing, never as midnight of the zero date or 0.
    if (p == 0) {
        QVERIFY(r->stamp.time.isEmpty() && r->stamp.date.isEmpty());
        QVERIFY(r->values[0].isEmpty());
        return;
    }
    QCOMPARE(r->stamp.time, QTime(10, 0).addSecs(p).toString(QStringLiteral("HH:mm:ss")));
    QCOMPARE(r->values[0], QString::number(679 + p));
    QCOMPARE(r->values[1], QStringLiteral("0"));
}

void TestTrendChart::rulerNeedsAZoom() {
    TrendChart chart(kRealTimeChart, axis);
    QVERIFY(!chart.rulerReadout(300));
}

void TestTrendChart::reloadDue_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("lastIndex");
    QTest::addColumn<bool>("due");
    QTest::newRow("1, 19th new record") << 1 << 260 << false;
    QTest::newRow("1, 20th new record") << 1 << 261 << true;
    QTest::newRow("2, past it after zooming in") << 1 << 270 << true;
    QTest::newRow("4, 79th") << 4 << 320 << false;
    QTest::newRow("4, 80th") << 4 << 321 << true;
}

void TestTrendChart::reloadDue() {
    QFETCH(int, mode);
    QFETCH(int, lastIndex);
    QFETCH(bool, due);
    TrendChart chart(kRealTimeChart, axis);
    chart.setZoomMode(static_cast<qint16>(mode));
    chart.setLastIndex(static_cast<qint16>(lastIndex));
    QCOMPARE(chart.reloadDue(), due);
}

void TestTrendChart::appendedPoint() {
    MemoryRecordSource source;
    source.fillRing(1000, day(), seconds(12, 0, 0), kFollowLen);
    TrendChart chart(kRealTimeChart, axis);
    load(chart, source, 1000, 241, 1);
    chart.setLastIndex(242);
    const double later = seconds(13, 0, 0) / kSecondsPerDay; // an hour on: no gap mark
    chart.appendLivePoint({1.5f, 2, 3, 4, 5, 6}, day(), later);
    QCOMPARE(chart.PointValue(242, 0), 1.5f);
    QCOMPARE(chart.PointValue(242, 5), 6.0f);
    QCOMPARE(chart.PointTime(242), later);
    QCOMPARE(int(chart.GapMark(242)), 0);
    RecordingSurface surface;
    chart.fullRedraw(surface);
    // The newest point is not drawn until the next one follows it.
    QCOMPARE(lines_in(surface, LineStyle::Solid).size(), 6 * 61);
    QCOMPARE(lines_in(surface, LineStyle::Solid).last().units.y2(), double(kHeight));
    chart.setLastIndex(243);
    chart.fullRedraw(surface);
    const auto curves = lines_in(surface, LineStyle::Solid);
    QCOMPARE(curves.size(), 6 * 62);
    // Column 5 (drawn last) to the appended value 6 at x = 9300: 7508 - 5 * 6.
    QCOMPARE(curves.last().units, QLineF(9150, kHeight, 9300, kHeight - 30));
}

void TestTrendChart::followNewest() {
    MemoryRecordSource source;
    source.fillRing(1000, day(), seconds(12, 0, 0));
    source.position = 1000;
    TrendChart chart(kRealTimeChart, axis);
    chart.setLastIndex(300);
    RecordingSurface surface;
    chart.followNewest(source, surface);
    QCOMPARE(chart.CurPos(), 1000);
    QCOMPARE(chart.WindowEnd(), 1000);
    QCOMPARE(int(chart.WindowLen()), 241);
    QCOMPARE(int(chart.LastIndex()), 241);
    QCOMPARE(source.requests.back(), std::pair(qint32(759), qint32(1000)));
    QCOMPARE(lines_in(surface, LineStyle::Solid).size(), 360);

    source.position.reset(); // an unreadable write position keeps the last one
    chart.setCurPos(500);
    chart.followNewest(source, surface);
    QCOMPARE(chart.WindowEnd(), 500);
}

void TestTrendChart::stateOutsideTheBuffersIsSafe() {
    MemoryRecordSource source;
    source.fillRing(1000, day(), seconds(12, 0, 0));
    TrendChart chart(kRealTimeChart, axis);
    chart.setZoomMode(9);
    chart.setWindowLen(30000);
    chart.setWindowEnd(1000);
    chart.setLastIndex(32000);
    chart.appendLivePoint({1, 1, 1, 1, 1, 1}, 1, 1);
    RecordingSurface surface;
    chart.reload(source, surface);
    QVERIFY(lines_in(surface, LineStyle::Solid).size() <= 6 * kPointCount);
    QCOMPARE(chart.PointValue(-1, 0), 0.0f);
    QCOMPARE(chart.PointValue(400, 0), 0.0f);
    QCOMPARE(chart.PointValue(1, 25), 0.0f);
    QCOMPARE(chart.GapMark(323), qint16(0));
    QVERIFY(chart.timeLabel(9).isEmpty());
}

QTEST_GUILESS_MAIN(TestTrendChart)
#include "test_trend_chart.moc"
