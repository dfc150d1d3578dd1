// Journal marks on the trend chart: where a moment falls among the points, the drawing order over
// the curves, the tooltip under the pointer, the marks on paper, and how often the curve screen
// asks its mark source.

#include "curve_rig.h"
#include "support/memory_record_source.h"

#include "core/conversions.h"
#include "charts/chart_mark_layout.h"
#include "charts/chart_print.h"
#include "charts/recording_surface.h"
#include "charts/trend_chart_view.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <cmath>

using namespace chart;

namespace {

const QDateTime kBase(QDate(2024, 1, 9), QTime(12, 0, 0));

QDateTime at_seconds(double s) {
    return kBase.addMSecs(static_cast<qint64>(std::llround(s * 1000)));
}

// A point at x recorded s seconds after the base, its stamp kept as the records keep it.
MarkPoint point(double x, double s) {
    const QDateTime t = at_seconds(s);
    return {x, moment_of(ole_date(t.date()), ole_time(t.time()))};
}

ChartMark mark(ChartMarkKind kind, const QDateTime& from, const QDateTime& to, const QString& t) {
    return {kind, from, to, t};
}

// Records 760..1000 one second apart, the newest at 12:00:00 (point 241); in zoom mode 1 point
// 180 + i stands at x = 150 * i.
MemoryRecordSource window_source() {
    MemoryRecordSource source;
    source.fillRing(1000, ole_date(kBase.date()), 12 * 3600, kFollowLen);
    for (auto& [number, row] : source.rows)
        row.values = {750, 20, 740, 600, 500, 300, 0, 0};
    source.position = 1000;
    return source;
}

// An event at point 211 (11:59:30), an alarm over points 191..201 and an outage still going on
// from point 231.
std::vector<ChartMark> journal() {
    return {mark(ChartMarkKind::Event, kBase.addSecs(-30), kBase.addSecs(-30), "write"),
            mark(ChartMarkKind::AlarmSpan, kBase.addSecs(-50), kBase.addSecs(-40), "alarm"),
            mark(ChartMarkKind::OutageSpan, kBase.addSecs(-10), QDateTime(), "outage")};
}

bool same(const RecordedLine& a, const RecordedLine& b) {
    return a.units == b.units && a.pen == b.pen;
}

// Where the chart's frame stands on a printed page: the rows and columns mostly black.
QRect frame_of(const QImage& page) {
    auto black = [&](int x, int y) { return page.pixel(x, y) == qRgb(0, 0, 0); };
    int top = -1, bottom = -1, left = -1, right = -1;
    for (int y = 0; y < page.height(); ++y) {
        int n = 0;
        for (int x = 0; x < page.width(); ++x)
            n += black(x, y);
        if (n > page.width() / 2) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    for (int x = 0; x < page.width() && top >= 0; ++x) {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            n += black(x, y);
        if (n > (bottom - top) / 2) {
            left = left < 0 ? x : left;
            right = x;
        }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

class TestChartMarks : public QObject {
    Q_OBJECT
private slots:
    void init() { axis = ValueAxis{.YSpan = 1500}; }

    void placing_data();
    void placing();
    void drawnOverTheCurves();
    void tooltipOnHover();
    void printedWithTheChart();
    void askedPerWindowNotPerPoint();

private:
    ValueAxis axis; // a fresh one for every test, YSpan 1500 as the start-up form sets it
};

void TestChartMarks::placing_data() {
    QTest::addColumn<QList<QPointF>>("points"); // (x, seconds after the base)
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("from");           // seconds after the base
    QTest::addColumn<double>("to");             // NaN: an open span
    QTest::addColumn<QList<QPointF>>("placed"); // (x1, x2)

    const QList<QPointF> three{{0, 0}, {150, 1}, {300, 2}};
    const int event = int(ChartMarkKind::Event);
    const int alarm = int(ChartMarkKind::AlarmSpan);
    const int outage = int(ChartMarkKind::OutageSpan);
    const double open = std::nan("");
    using P = QList<QPointF>;

    QTest::newRow("event on a point") << three << event << 1.0 << 1.0 << P{{150, 150}};
    QTest::newRow("event on the first point") << three << event << 0.0 << 0.0 << P{{0, 0}};
    QTest::newRow("event on the last point") << three << event << 2.0 << 2.0 << P{{300, 300}};
    QTest::newRow("event between points") << three << event << 1.5 << 1.5 << P{{225, 225}};
    QTest::newRow("event before the window") << three << event << -0.5 << -0.5 << P{};
    QTest::newRow("event after the window") << three << event << 2.5 << 2.5 << P{};
    // Points 300 and 450 hold no record: the moment lies between the held points around them.
    QTest::newRow("event across empty points")
        << P{{0, 0}, {150, 1}, {600, 4}} << event << 2.5 << 2.5 << P{{375, 375}};
    QTest::newRow("span clipped at the first point")
        << three << alarm << -5.0 << 1.5 << P{{0, 225}};
    QTest::newRow("span over the whole window") << three << outage << -5.0 << 9.0 << P{{0, 300}};
    QTest::newRow("open span runs to the last point")
        << three << alarm << 0.5 << open << P{{75, 300}};
    QTest::newRow("span after the window") << three << outage << 3.0 << 9.0 << P{};
    QTest::newRow("open span after the window") << three << alarm << 3.0 << open << P{};
    QTest::newRow("span ending before it begins") << three << alarm << 1.5 << 0.5 << P{};

    // The window crosses the ring's wrap: the newest records (100..102 s) stand before older ones
    // (0..1 s). Each stretch places by its own stamps; the jump between them holds no moment.
    const QList<QPointF> wrapped{{0, 100}, {150, 101}, {300, 102}, {450, 0}, {600, 1}};
    QTest::newRow("wrap: event among the newer points")
        << wrapped << event << 100.5 << 100.5 << P{{75, 75}};
    QTest::newRow("wrap: event among the older points")
        << wrapped << event << 0.5 << 0.5 << P{{525, 525}};
    QTest::newRow("wrap: event in the jump") << wrapped << event << 50.0 << 50.0 << P{};
    QTest::newRow("wrap: span over both stretches")
        << wrapped << outage << 0.5 << 100.5 << P{{0, 75}, {525, 600}};
    QTest::newRow("wrap: open span") << wrapped << alarm << 101.0 << open << P{{150, 300}};
    // The clock set back: the moment came twice and is marked where each time shows it.
    QTest::newRow("clock set back") << P{{0, 0}, {150, 1}, {300, 2}, {450, 1}, {600, 2}} << event
                                    << 1.5 << 1.5 << P{{225, 225}, {525, 525}};
}

void TestChartMarks::placing() {
    QFETCH(QList<QPointF>, points);
    QFETCH(int, kind);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(QList<QPointF>, placed);
    std::vector<MarkPoint> drawn;
    for (const QPointF& p : points)
        drawn.push_back(point(p.x(), p.y()));
    const auto k = static_cast<ChartMarkKind>(kind);
    const QDateTime end = std::isnan(to) ? QDateTime() : at_seconds(to);
    const auto got = place_marks(drawn, {mark(k, at_seconds(from), end, "m")});
    QCOMPARE(int(got.size()), int(placed.size()));
    for (std::size_t i = 0; i < got.size(); ++i) {
        QCOMPARE(got[i].kind, k);
        QCOMPARE(got[i].x1, placed[int(i)].x());
        QCOMPARE(got[i].x2, placed[int(i)].y());
    }
}

void TestChartMarks::drawnOverTheCurves() {
    auto source = window_source();
    TrendChart plain(kRealTimeChart, axis);
    TrendChart marked(kRealTimeChart, axis);
    std::vector<std::pair<QDateTime, QDateTime>> asked;
    marked.setMarkSource([&](const QDateTime& from, const QDateTime& to) {
        asked.emplace_back(from, to);
        return journal();
    });
    QVERIFY(asked.empty()); // nothing loaded yet: nothing to ask about
    RecordingSurface without, with;
    for (auto [chart, surface] : {std::pair{&plain, &without}, std::pair{&marked, &with}}) {
        chart->setWindowEnd(1000);
        chart->ApplyZoom();
        chart->reload(source, *surface);
    }
    // Asked once, for the window's first and last record.
    QCOMPARE(asked.size(), std::size_t(1));
    QCOMPARE(asked[0].first, kBase.addSecs(-240));
    QCOMPARE(asked[0].second, kBase);

    // The marks only add: the chart under them is drawn as without a source, and they come last.
    const auto& before = without.lines();
    const auto& after = with.lines();
    QVERIFY(without.fills().isEmpty());
    QCOMPARE(after.size(), before.size() + 1);
    for (qsizetype i = 0; i < before.size(); ++i)
        QVERIFY2(same(before[i], after[i]), qPrintable(QString::number(i)));
    QCOMPARE(with.fills().size(), 2);
    QCOMPARE(with.fills()[0].fill, kAlarmFill);
    QCOMPARE(with.fills()[1].fill, kOutageFill);
    for (const RecordedFill& f : with.fills())
        QCOMPARE(f.linesBefore, before.size());
    QCOMPARE(after.last().pen, kTickPen);

    // Where they stand: the tick on point 211, the band over 191..201, the hatch from 231 to the
    // last point drawn (240: while following, the newest point waits for the next), all full
    // height.
    QCOMPARE(after.last().units, QLineF(4650, 0, 4650, kTickLength));
    QCOMPARE(with.fills()[0].units, QRectF(QPointF(1650, 0), QPointF(3150, kHeight)));
    QCOMPARE(with.fills()[1].units, QRectF(QPointF(7650, 0), QPointF(9000, kHeight)));

    // Zoomed out, the same moments move with their points.
    marked.setZoomMode(2);
    marked.fullRedraw(with);
    QCOMPARE(with.lines().last().units.x1(), 75.0 * (211 - 120));
}

void TestChartMarks::tooltipOnHover() {
    auto source = window_source();
    TrendChartView view(kRealTimeChart, axis);
    view.resize(1000, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    // Two events at one moment (the newer given first), one more 20 s later, an alarm.
    view.chart().setMarkSource([](const QDateTime&, const QDateTime&) {
        return std::vector<ChartMark>{
            mark(ChartMarkKind::Event, kBase.addSecs(-30).addMSecs(400),
                 kBase.addSecs(-30).addMSecs(400), "newer"),
            mark(ChartMarkKind::Event, kBase.addSecs(-30), kBase.addSecs(-30), "older"),
            mark(ChartMarkKind::Event, kBase.addSecs(-10), kBase.addSecs(-10), "later"),
            mark(ChartMarkKind::AlarmSpan, kBase.addSecs(-50), kBase.addSecs(-40), "alarm")};
    });
    view.chart().setWindowEnd(1000);
    view.ApplyZoom();
    view.reload(source);

    auto* pt = view.findChild<QWidget*>("pt");
    auto hover = [&](QPointF units, QPoint nudge) {
        const QPoint pos = ImageSurface::pixel_of(pt->size(), units) + nudge;
        QTest::mouseMove(pt, pos);
        QHelpEvent help(QEvent::ToolTip, pos, pt->mapToGlobal(pos));
        QApplication::sendEvent(pt, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // A few pixels off the tick at the top: both events of that moment, the newer last.
    QCOMPARE(hover({4650, 100}, QPoint(3, 2)), QStringLiteral("older\nnewer"));
    QCOMPARE(hover({7650, 100}, QPoint(-2, 0)), QStringLiteral("later"));
    // Anywhere inside the band.
    QCOMPARE(hover({2200, 5000}, QPoint()), QStringLiteral("alarm"));
    // Out of reach: below the tick, or past its few pixels.
    QVERIFY(view.chart().markTextsAt({4650, 3000}, {50, 50}).isEmpty());
    QVERIFY(view.chart().markTextsAt({4900, 100}, {50, 50}).isEmpty());
}

void TestChartMarks::printedWithTheChart() {
    auto source = window_source();
    TrendChartView view(kRealTimeChart, axis);
    view.resize(1000, 600);
    view.chart().setMarkSource([](const QDateTime&, const QDateTime&) { return journal(); });
    view.chart().setWindowEnd(1000);
    view.ApplyZoom();
    view.reload(source);
    auto page = [&] {
        QImage image(1123, 794, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        render_chart_page(painter, QRectF(0, 0, 1123, 794), 1.0, view.printout(QString()));
        return image;
    };
    const QImage marked = page();
    view.chart().setMarkSource({});
    view.fullRedraw();
    const QImage plain = page();

    const QRect frame = frame_of(plain);
    QVERIFY(frame.width() > 500 && frame.height() > 300);
    auto at = [&](double x, double y) {
        return QPoint(frame.left() + int(std::lround(x * frame.width() / kWidth)),
                      frame.top() + int(std::lround(y * frame.height() / kHeight)));
    };
    auto differ = [&](double x1, double x2, double y) {
        int n = 0;
        for (int x = at(x1, y).x(); x <= at(x2, y).x(); ++x)
            n += marked.pixel(x, at(0, y).y()) != plain.pixel(x, at(0, y).y());
        return n;
    };
    const double row = 1000;              // above the curves
    QVERIFY(differ(1750, 3050, row) > 0); // the band
    QVERIFY(differ(7750, 8900, row) > 0); // the hatch
    QVERIFY(differ(4600, 4700, 150) > 0); // the tick
    // Nothing beside them, and the tick stays at the top.
    QCOMPARE(differ(300, 1500, row) + differ(3300, 4500, row) + differ(9100, 12000, row), 0);
    QCOMPARE(differ(4600, 4700, row), 0);
    QCOMPARE(marked.pixel(at(4650, 150)), qRgb(0, 0, 0));
}

void TestChartMarks::askedPerWindowNotPerPoint() {
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    int asks = 0;
    QDateTime asOf;
    rig.screen->setMarkSource([&](const QDateTime&, const QDateTime& to) {
        ++asks;
        asOf = to;
        // An event one second after the newest record asked about.
        return std::vector<ChartMark>{
            mark(ChartMarkKind::Event, to.addSecs(1), to.addSecs(1), "e")};
    });
    QCOMPARE(asks, 0); // set before the load, as a screen is put together
    rig.load();
    QCOMPARE(asks, 1);
    QVERIFY(rig.chart().placedMarks().empty()); // its moment is not on the chart yet

    // Live points come in on the 200 ms tick: drawn every time, the source left alone.
    for (int i = 0; i < 5; ++i) {
        rig.newRecord();
        rig.screen->Timer1_Timer();
        rig.screen->Timer1_Timer();
    }
    QCOMPARE(asks, 1);
    // The once-a-second full redraw asks up to the newest live point.
    rig.screen->Timer2_Timer();
    QCOMPARE(asks, 2);
    QCOMPARE(asOf, rig.clock.now());
    // Its moment comes: drawn once the point after it is in.
    for (int i = 0; i < 2; ++i) {
        rig.newRecord();
        rig.screen->Timer1_Timer();
    }
    QCOMPARE(asks, 2);
    QCOMPARE(rig.chart().placedMarks().size(), std::size_t(1));

    // A window paged back is a window loaded.
    rig.screen->Command8_Click();
    QCOMPARE(asks, 3);
    // An unloaded screen (the overview behind the history screen) asks no more.
    rig.screen->Unload();
    rig.screen->Timer2_Timer();
    QCOMPARE(asks, 3);
    // Taking the source away takes its marks away at once.
    rig.screen->setMarkSource({});
    QVERIFY(rig.chart().placedMarks().empty());
    QVERIFY(rig.screen->view().shownLines().fills().isEmpty());
}

QTEST_MAIN(TestChartMarks)
#include "test_chart_marks.moc"
