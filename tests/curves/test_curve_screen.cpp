// The curve screen's controls against a real record file: following the newest records with the
// reload when the area right of x = 9000 is full, zoom, paging through the ring (also across its
// wrap), the ruler and its readouts, the value-axis range, the function keys, the clock labels and
// printing to PDF.

#include "curve_rig.h"

#include <QStyle>
#include <QStyleOptionSlider>

#include <QDateTimeEdit>
#include <QFile>
#include <QPrintDialog>

using namespace chart;

namespace {

// The first value of a loaded window's points carries the record number.
int record_at(const TrendChart& c, int point) {
    return static_cast<int>(c.PointValue(point, 0));
}

} // namespace

class TestCurveScreen : public QObject {
    Q_OBJECT
private slots:
    void reloadWhenTheRightAreaIsFull_data();
    void reloadWhenTheRightAreaIsFull();
    void zoomInWithManyPointsAppended();
    void olderWindowEnd_data();
    void olderWindowEnd();
    void paging_data();
    void paging();
    void refusedStepThenNewer();
    void newerAfterTwoOlderFollowsAgain();
    void rulerReadouts_data();
    void rulerReadouts();
    void sliderHandleOverTheRuler_data();
    void sliderHandleOverTheRuler();
    void rulerSliderEndsPage();
    void leavingTheRulerFollowsAgain();
    void valueRange_data();
    void valueRange();
    void flatRangeDrawsFlatCurves();
    void functionKeys_data();
    void functionKeys();
    void clockLabels();
    void printToPdf();
    void exportOfTheWindowShown_data();
    void exportOfTheWindowShown();
};

void TestCurveScreen::reloadWhenTheRightAreaIsFull_data() {
    QTest::addColumn<int>("zoomMode");
    QTest::addColumn<int>("records"); // the record that brings the reload
    QTest::newRow("mode 1: the 20th") << 1 << 20;
    QTest::newRow("mode 2: the 40th") << 2 << 40;
    QTest::newRow("mode 4: the 80th") << 4 << 80;
}

void TestCurveScreen::reloadWhenTheRightAreaIsFull() {
    QFETCH(int, zoomMode);
    QFETCH(int, records);
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.load();
    QCOMPARE(rig.chart().CurPos(), 1000);
    QVERIFY(rig.logging.CurveScreenOpen);
    for (int m = 1; m < zoomMode; ++m)
        rig.screen->Command4_Click();
    QCOMPARE(rig.chart().ZoomMode(), zoomMode);
    for (int k = 1; k <= records; ++k) {
        rig.image.Val3X[0] = 0.5f + static_cast<float>(k);
        rig.newRecord();
        QVERIFY(rig.logging.NewShortRecord);
        rig.screen->Timer1_Timer();
        QVERIFY(!rig.logging.NewShortRecord);
        if (k < records) {
            QCOMPARE(rig.chart().LastIndex(), kFollowLen + k);
            QCOMPARE(rig.chart().WindowEnd(), 1000); // appended, not reloaded
        } else {
            QCOMPARE(rig.chart().LastIndex(), kFollowLen);
            QCOMPARE(rig.chart().CurPos(), 1000 + k);
            QCOMPARE(rig.chart().WindowEnd(), 1000 + k);
            // The point before the live one is the record before it, read back from the file.
            QCOMPARE(rig.chart().PointValue(kFollowLen - 1, 0), 0.5f + static_cast<float>(k - 1));
        }
        QCOMPARE(rig.chart().PointValue(rig.chart().LastIndex(), 0), rig.image.Val3X[0]);
    }
}

void TestCurveScreen::zoomInWithManyPointsAppended() {
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.load();
    rig.screen->Command4_Click(); // mode 2: the reload comes with the 40th record
    for (int k = 0; k < 29; ++k) {
        rig.newRecord();
        rig.screen->Timer1_Timer();
    }
    QCOMPARE(rig.chart().LastIndex(), 270);
    rig.screen->Command3_Click();
    QCOMPARE(rig.chart().ZoomMode(), 1);
    QCOMPARE(rig.chart().LastIndex(), 270); // zooming does not reload
    QCOMPARE(rig.chart().XStep(), 150.0f);
    QVERIFY(!rig.button("Command3")->isEnabled());
    QVERIFY(rig.button("Command4")->isEnabled());
    QCOMPARE(rig.hc()->singleStep(), 150);
    rig.newRecord();
    rig.screen->Timer1_Timer(); // 271 is past 261: reloaded at once
    QCOMPARE(rig.chart().LastIndex(), kFollowLen);
    QCOMPARE(rig.chart().WindowEnd(), 1030);
}

void TestCurveScreen::olderWindowEnd_data() {
    QTest::addColumn<int>("curPos");
    QTest::addColumn<int>("pageBack");
    QTest::addColumn<bool>("wrapped");
    QTest::addColumn<int>("end"); // -1: refused
    QTest::newRow("500, one step") << 500 << 1 << false << 440;
    QTest::newRow("500, third step refused") << 500 << 3 << false << -1;
    QTest::newRow("382 leaves 322") << 382 << 1 << false << 322;
    QTest::newRow("381 would leave 321") << 381 << 1 << false << -1;
    QTest::newRow("50 unwritten before 1") << 50 << 1 << false << -1;
    QTest::newRow("50 wrapped") << 50 << 1 << true << 65490;
    QTest::newRow("500 wrapped, window across the wrap") << 500 << 3 << true << 320;
    QTest::newRow("500 wrapped, below the wrap") << 500 << 9 << true << 65500 - 40;
    QTest::newRow("full lap: last step") << 65500 << 1086 << true << 340;
    QTest::newRow("full lap: round to the write position") << 65500 << 1087 << true << -1;
    QTest::newRow("1000 wrapped: last step") << 1000 << 1086 << true << 1340;
    QTest::newRow("1000 wrapped: round again") << 1000 << 1087 << true << -1;
}

void TestCurveScreen::olderWindowEnd() {
    QFETCH(int, curPos);
    QFETCH(int, pageBack);
    QFETCH(bool, wrapped);
    QFETCH(int, end);
    const auto got = curves::older_window_end(curPos, pageBack, wrapped);
    QCOMPARE(got.value_or(-1), end);
}

void TestCurveScreen::paging_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("ends"); // -1: the step is refused
    QTest::newRow("500 written") << 500 << 500 << QList<int>{440, 380, -1};
    QTest::newRow("350 written") << 350 << 350 << QList<int>{-1};
    QTest::newRow("50 written, ring not wrapped") << 50 << 50 << QList<int>{-1};
    QTest::newRow("wrapped at 50") << kRingSize << 50 << QList<int>{65490, 65430};
    QTest::newRow("wrapped at 500, on across the wrap")
        << kRingSize << 500 << QList<int>{440, 380, 320, 260};
}

void TestCurveScreen::paging() {
    QFETCH(int, rows);
    QFETCH(int, position);
    QFETCH(QList<int>, ends);
    CurveRig rig;
    QVERIFY(rig.fillShort(rows, position));
    rig.load();
    QVERIFY(rig.timer1.isActive());
    QVERIFY(!rig.button("Command7")->isEnabled());
    qint32 shown = position;
    for (int step = 1; step <= ends.size(); ++step) {
        const int end = ends[step - 1];
        rig.screen->Command8_Click();
        QCOMPARE(rig.screen->PageBack(), step);
        QVERIFY(!rig.timer1.isActive());
        QVERIFY(rig.button("Command7")->isEnabled());
        if (end < 0) {
            QVERIFY(rig.screen->AtOldest());
            QVERIFY(!rig.button("Command8")->isEnabled());
            QCOMPARE(rig.chart().WindowEnd(), shown); // nothing reloaded
            continue;
        }
        shown = end;
        QVERIFY(!rig.screen->AtOldest());
        QCOMPARE(rig.chart().WindowEnd(), end);
        QCOMPARE(rig.chart().WindowLen(), kPagedLen);
        QCOMPARE(rig.chart().LastIndex(), kPagedLen);
        // Newest last, oldest first, chronological also across the wrap.
        QCOMPARE(record_at(rig.chart(), kPagedLen), end);
        const int oldest = end - kPagedLen + 1;
        QCOMPARE(record_at(rig.chart(), 1), oldest > 0 ? oldest : oldest + kRingSize);
    }
}

void TestCurveScreen::refusedStepThenNewer() {
    CurveRig rig;
    QVERIFY(rig.fillShort(500, 500));
    rig.load();
    for (int k = 0; k < 3; ++k)
        rig.screen->Command8_Click();
    QVERIFY(rig.screen->AtOldest());
    rig.screen->Command7_Click();
    QCOMPARE(rig.screen->PageBack(), 2);
    QCOMPARE(rig.chart().WindowEnd(), 380);
    QCOMPARE(record_at(rig.chart(), kPagedLen), 380);
    QVERIFY(rig.button("Command8")->isEnabled());
    QVERIFY(!rig.screen->AtOldest());
    QVERIFY(!rig.timer1.isActive());
}

void TestCurveScreen::newerAfterTwoOlderFollowsAgain() {
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.load();
    rig.screen->Command8_Click();
    rig.screen->Command8_Click();
    QCOMPARE(rig.chart().WindowEnd(), 880);
    rig.screen->Command7_Click();
    QCOMPARE(rig.chart().WindowEnd(), 940);
    QVERIFY(rig.button("Command7")->isEnabled());
    // Records keep coming while paged back; the flag waits.
    for (int k = 0; k < 3; ++k)
        rig.newRecord();
    QCOMPARE(rig.chart().CurPos(), 1000); // steps count from the last live read
    rig.screen->Command7_Click();
    QCOMPARE(rig.screen->PageBack(), 0);
    QCOMPARE(rig.chart().CurPos(), 1003);
    QCOMPARE(rig.chart().WindowEnd(), 1003);
    QCOMPARE(rig.chart().WindowLen(), kFollowLen);
    QCOMPARE(rig.chart().LastIndex(), kFollowLen);
    QVERIFY(!rig.button("Command7")->isEnabled());
    QVERIFY(rig.timer1.isActive());
    QVERIFY(rig.logging.NewShortRecord);
    rig.screen->Timer1_Timer(); // one point for all the records missed
    QCOMPARE(rig.chart().LastIndex(), kFollowLen + 1);
}

void TestCurveScreen::rulerReadouts_data() {
    QTest::addColumn<int>("zoomMode");
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("record"); // -1: a point beyond the window, zero
    // Window 760..1000: point k holds record 759 + k; XStep 150, ZoomOffset 180 in mode 1.
    QTest::newRow("mode 1, left edge") << 1 << 0 << 939;
    QTest::newRow("mode 1, half a step rounds to even") << 1 << 75 << 939;
    QTest::newRow("mode 1, one and a half") << 1 << 225 << 941;
    QTest::newRow("mode 1, label 1") << 1 << 1500 << 949;
    QTest::newRow("mode 1, x = 9000") << 1 << 9000 << 999;
    QTest::newRow("mode 4, 37.5 a point") << 4 << 75 << 761;
    QTest::newRow("mode 4, right edge") << 4 << 12000 << -1;
}

void TestCurveScreen::rulerReadouts() {
    QFETCH(int, zoomMode);
    QFETCH(int, v);
    QFETCH(int, record);
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.load();
    for (int m = 1; m < zoomMode; ++m)
        rig.screen->Command4_Click();
    rig.screen->Command5_Click();
    QVERIFY(rig.screen->RulerMode());
    QVERIFY(!rig.timer1.isActive());
    QVERIFY(rig.hc()->isEnabled());
    QCOMPARE(rig.button("Command5")->text(), QStringLiteral("F4 复原"));
    QCOMPARE(rig.rulerLine()->units(), QLineF(1, 0, 1, 330));
    QCOMPARE(rig.rulerLine()->colour(), qRgb(255, 255, 0));

    rig.hc()->setValue(v == 0 ? 1 : 0); // a change away first, so the value below is a change
    rig.hc()->setValue(v);
    QCOMPARE(rig.rulerLine()->units(), QLineF(v, 0, v, 7500));
    QCOMPARE(rig.rulerLine()->colour(), qRgb(192, 0, 192));
    // Past the newest record a point holds nothing: the readouts are empty, never 0 or midnight.
    const QString value = record < 0 ? QString() : QString::number(record);
    QCOMPARE(rig.d3w[0]->text(), value);
    // Record n lies n - 1 seconds after midnight of its day.
    const QString time = record < 0
                             ? QString()
                             : QTime(0, 0).addSecs(record - 1).toString(QStringLiteral("HH:mm:ss"));
    QCOMPARE(rig.label(QStringLiteral("Label2(10)"))->text(), time);
    for (QLabel* l : {rig.label(QStringLiteral("Label2(9)")),
                      rig.label(QStringLiteral("Label2(10)")), rig.d3w[0], rig.d3w[5]})
        QCOMPARE(window_colour(l), QColor(255, 255, 0));
}

void TestCurveScreen::sliderHandleOverTheRuler_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("v");
    for (int width : {900, 1240})
        for (int v : {0, 6000, 12000})
            QTest::addRow("%d px wide, %d", width, v) << width << v;
}

// Wherever the operator drags the handle, Line1 stands under its middle (to a pixel), at both
// ends and at any window width.
void TestCurveScreen::sliderHandleOverTheRuler() {
    QFETCH(int, width);
    QFETCH(int, v);
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.screen->resize(width, 420);
    rig.host.resize(width, 420);
    rig.host.show();
    rig.load();
    rig.screen->Command5_Click();
    QSlider* hc = rig.hc();
    hc->setValue(v == 0 ? 1 : 0);
    hc->setValue(v);
    QStyleOptionSlider opt;
    opt.initFrom(hc);
    opt.orientation = Qt::Horizontal;
    opt.minimum = hc->minimum();
    opt.maximum = hc->maximum();
    opt.sliderPosition = opt.sliderValue = v;
    const QRect handle =
        hc->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, hc);
    const int handleX = hc->mapTo(&rig.host, handle.center()).x();
    const auto* line = rig.rulerLine();
    const int lineX =
        line->mapTo(&rig.host, ImageSurface::pixel_of(line->size(), line->units().p1())).x();
    QVERIFY2(std::abs(handleX - lineX) <= 1,
             qPrintable(QStringLiteral("handle %1, Line1 %2").arg(handleX).arg(lineX)));
}

void TestCurveScreen::rulerSliderEndsPage() {
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.load();
    rig.screen->Command5_Click();
    rig.hc()->setValue(-1); // left end: one step older
    QCOMPARE(rig.screen->PageBack(), 1);
    QCOMPARE(rig.chart().WindowEnd(), 940);
    QCOMPARE(rig.rulerLine()->units().x1(), -1.0);
    rig.hc()->setValue(12001); // right end: one step newer again, following
    QCOMPARE(rig.screen->PageBack(), 0);
    QCOMPARE(rig.chart().WindowEnd(), 1000);
    QCOMPARE(rig.chart().WindowLen(), kFollowLen);
    QVERIFY(rig.screen->RulerMode());
    rig.hc()->setValue(12001 - 1);
    rig.hc()->setValue(12001); // nothing newer: no paging
    QCOMPARE(rig.screen->PageBack(), 0);
}

void TestCurveScreen::leavingTheRulerFollowsAgain() {
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.load();
    rig.screen->Command8_Click();
    rig.screen->Command5_Click();
    rig.hc()->setValue(3000);
    for (int k = 0; k < 2; ++k)
        rig.newRecord();
    rig.screen->Command5_Click();
    QVERIFY(!rig.screen->RulerMode());
    QCOMPARE(rig.hc()->value(), 0);
    QVERIFY(!rig.hc()->isEnabled());
    QCOMPARE(rig.button("Command5")->text(), QStringLiteral("F4 标尺"));
    QCOMPARE(rig.rulerLine()->units(), QLineF(0, 0, 0, 330));
    QCOMPARE(rig.rulerLine()->colour(), qRgb(0, 255, 0));
    QVERIFY(rig.timer1.isActive());
    QCOMPARE(rig.chart().WindowEnd(), 1002); // newest, even though paged back before
    QCOMPARE(rig.chart().WindowLen(), kFollowLen);
    QCOMPARE(rig.screen->PageBack(), 1); // kept: F6 stays enabled
    QVERIFY(rig.button("Command7")->isEnabled());
    // The readout of the move back to 0 stands until the next tick restores the colours.
    QCOMPARE(window_colour(rig.d3w[4]), QColor(255, 255, 0));
    rig.screen->Timer1_Timer();
    QCOMPARE(window_colour(rig.label(QStringLiteral("Label2(9)"))), QColor(128, 255, 128));
    QCOMPARE(window_colour(rig.d3w[2]), QColor(255, 192, 255));
    QCOMPARE(window_colour(rig.d3w[4]), QColor(255, 255, 0)); // 3..5 keep the yellow
}

void TestCurveScreen::valueRange_data() {
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<int>("yMin");
    QTest::addColumn<int>("yMax");
    QTest::addColumn<int>("ySpan");
    // Before each row: YMin 100, YMax 1600, YSpan 1500.
    QTest::newRow("2000 with 200") << "2000"
                                   << "200" << true << 200 << 2000 << 1800;
    QTest::newRow("0 with 0: flat") << "0"
                                    << "0" << true << 0 << 0 << 0;
    QTest::newRow("empty reads 0") << ""
                                   << "" << true << 0 << 0 << 0;
    QTest::newRow("ties to even") << "12.5"
                                  << "2.5" << true << 2 << 12 << 10;
    QTest::newRow("36000 with -12000 at the bounds, span too wide")
        << "36000"
        << "-12000" << false << 100 << 1600 << 1500;
    QTest::newRow("32767 with -0.4 fits") << "32767"
                                          << "-0.4" << true << 0 << 32767 << 32767;
    QTest::newRow("maximum 36001") << "36001"
                                   << "0" << false << 100 << 1600 << 1500;
    QTest::newRow("maximum below -12000") << "-12001"
                                          << "-12001" << false << 100 << 1600 << 1500;
    QTest::newRow("minimum 35001") << "36000"
                                   << "35001" << false << 100 << 1600 << 1500;
    QTest::newRow("33000 with 0 changes nothing") << "33000"
                                                  << "0" << false << 100 << 1600 << 1500;
    QTest::newRow("minimum above maximum") << "100"
                                           << "200" << false << 100 << 1600 << 1500;
    QTest::newRow("leading number of the text") << "1200abc"
                                                << " 3 00" << true << 300 << 1200 << 900;
}

void TestCurveScreen::valueRange() {
    QFETCH(QString, maximum);
    QFETCH(QString, minimum);
    QFETCH(bool, applied);
    QFETCH(int, yMin);
    QFETCH(int, yMax);
    QFETCH(int, ySpan);
    CurveRig rig;
    rig.load();
    rig.axis.YMin = 100;
    rig.axis.YMax = 1600;
    rig.axis.YSpan = 1500;
    auto* ykd = rig.get<QLineEdit>(QStringLiteral("YKD"));
    auto* ykd1 = rig.get<QLineEdit>(QStringLiteral("YKD1"));
    QVERIFY(ykd->isVisibleTo(&rig.host));
    ykd->setText(maximum);
    ykd1->setText(minimum);
    const QColor base = ykd->palette().color(QPalette::Base);
    QTest::mouseClick(rig.button("Command26"), Qt::LeftButton);
    QCOMPARE(rig.axis.YMin, yMin);
    QCOMPARE(rig.axis.YMax, yMax);
    QCOMPARE(rig.axis.YSpan, ySpan);
    // A refusal is shown on the boxes; an accepted range leaves them plain.
    QCOMPARE(ykd->toolTip().isEmpty(), applied);
    QCOMPARE(ykd->palette().color(QPalette::Base) == base, applied);
    QVERIFY(ykd->isVisibleTo(&rig.host)); // the overview's editor stays
    // The value axis follows at the next tick.
    rig.screen->Timer1_Timer();
    QCOMPARE(rig.label(QStringLiteral("Label5(0)"))->text(), QString::number(yMin));
    if (!applied) {
        QTest::keyClick(ykd, Qt::Key_1); // editing takes the sign away
        QVERIFY(ykd->toolTip().isEmpty());
    }
}

void TestCurveScreen::flatRangeDrawsFlatCurves() {
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.load();
    rig.get<QLineEdit>(QStringLiteral("YKD"))->setText(QStringLiteral("0"));
    rig.get<QLineEdit>(QStringLiteral("YKD1"))->setText(QStringLiteral("0"));
    rig.screen->Command26_Click();
    QCOMPARE(rig.axis.YSpan, 0);
    rig.screen->Timer2_Timer();
    int curveLines = 0;
    for (const RecordedLine& l : rig.screen->view().shownLines().lines()) {
        if (l.pen.style != LineStyle::Solid)
            continue;
        ++curveLines;
        QCOMPARE(l.units.y1(), l.units.y2());
        QVERIFY(l.units.y1() == kHeight || l.units.y1() == kHeight - 625);
    }
    QCOMPARE(curveLines, 6 * 60);
}

void TestCurveScreen::functionKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("zoomMode");
    QTest::addColumn<int>("pageBack");
    QTest::addColumn<bool>("ruler");
    QTest::addColumn<int>("selected");
    QTest::newRow("F1 zooms out") << int(Qt::Key_F1) << 2 << 0 << false << 0;
    QTest::newRow("F2 at mode 1 does nothing") << int(Qt::Key_F2) << 1 << 0 << false << 0;
    QTest::newRow("F4 ruler") << int(Qt::Key_F4) << 1 << 0 << true << 0;
    QTest::newRow("F5 select") << int(Qt::Key_F5) << 1 << 0 << false << 1;
    QTest::newRow("F6 while following does nothing") << int(Qt::Key_F6) << 1 << 0 << false << 0;
    QTest::newRow("F7 pages back") << int(Qt::Key_F7) << 1 << 1 << false << 0;
}

void TestCurveScreen::functionKeys() {
    QFETCH(int, key);
    QFETCH(int, zoomMode);
    QFETCH(int, pageBack);
    QFETCH(bool, ruler);
    QFETCH(int, selected);
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    int selects = 0;
    rig.screen->setSelectAction([&] { ++selects; });
    rig.load();
    rig.host.show();
    // From inside an entry box the key still reaches the screen.
    QTest::keyClick(rig.get<QLineEdit>(QStringLiteral("YKD1")), Qt::Key(key));
    QCOMPARE(rig.chart().ZoomMode(), zoomMode);
    QCOMPARE(rig.screen->PageBack(), pageBack);
    QCOMPARE(rig.screen->RulerMode(), ruler);
    QCOMPARE(selects, selected);
}

void TestCurveScreen::clockLabels() {
    CurveRig rig;
    rig.load();
    rig.clock.set(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)));
    rig.screen->Timer3_Timer();
    QCOMPARE(rig.label(QStringLiteral("Label2(9)"))->text(), QStringLiteral("2024-12-31"));
    QCOMPARE(rig.label(QStringLiteral("Label2(10)"))->text(), QStringLiteral("23:59:59"));
    rig.screen->Command5_Click();
    rig.clock.advanceSeconds(1);
    rig.screen->Timer3_Timer(); // the ruler's readout stands
    QCOMPARE(rig.label(QStringLiteral("Label2(9)"))->text(), QStringLiteral("2024-12-31"));
    rig.screen->Command5_Click();
    rig.screen->Timer3_Timer();
    QCOMPARE(rig.label(QStringLiteral("Label2(9)"))->text(), QStringLiteral("2025-01-01"));
    QCOMPARE(rig.label(QStringLiteral("Label2(10)"))->text(), QStringLiteral("00:00:00"));
    // Label19 shows the chart width at load, then the point spacing after each tick.
    rig.screen->showZoomStep();
    QCOMPARE(rig.label(QStringLiteral("Label19"))->text(), QStringLiteral("150"));
    rig.screen->Command4_Click();
    rig.screen->Command4_Click();
    rig.screen->Command4_Click();
    rig.screen->showZoomStep();
    QCOMPARE(rig.label(QStringLiteral("Label19"))->text(), QStringLiteral("37.5"));
    QVERIFY(!rig.button("Command4")->isEnabled());
    QCOMPARE(rig.hc()->pageStep(), 38); // 37.5 to even
}

void TestCurveScreen::printToPdf() {
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.load();
    rig.host.show();
    const QString pdf = rig.dir.filePath(QStringLiteral("chart.pdf"));
    rig.screen->printer().setOutputFormat(QPrinter::PdfFormat);
    rig.screen->printer().setOutputFileName(pdf);
    QTest::mouseClick(rig.button("Command2"), Qt::LeftButton);
    auto* dialog = rig.screen->findChild<QPrintDialog*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible()); // open, not run: the screen goes on meanwhile
    rig.screen->Command2_Click();
    QCOMPARE(rig.screen->findChildren<QPrintDialog*>().size(), 1);
    dialog->accept();
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.size() > 1000);
    QCOMPARE(file.read(4), QByteArray("%PDF"));
}

void TestCurveScreen::exportOfTheWindowShown_data() {
    QTest::addColumn<int>("zoomMode");
    QTest::addColumn<bool>("paged");      // F7 once: points 1..321 hold records 620..940
    QTest::addColumn<int>("first");       // following, points 1..241 hold records 760..1000
    QTest::addColumn<int>("last");        // and point 241 is not drawn until the next one comes
    for (int mode = 1; mode <= 4; ++mode) // from ZoomOffset = 240 - 60 mode, or point 1
        QTest::addRow("mode %d", mode) << mode << false << std::max(760, 999 - 60 * mode) << 999;
    QTest::newRow("paged, mode 1: to the right edge") << 1 << true << 799 << 879;
}

void TestCurveScreen::exportOfTheWindowShown() {
    QFETCH(int, zoomMode);
    QFETCH(bool, paged);
    QFETCH(int, first);
    QFETCH(int, last);
    CurveRig rig;
    QVERIFY(rig.fillShort(1000, 1000));
    rig.screen->setExportSource(rig.path, false);
    rig.load();
    for (int m = 1; m < zoomMode; ++m)
        rig.screen->Command4_Click();
    if (paged)
        rig.screen->Command8_Click();
    rig.screen->exportClick();
    const QDateTime day(date_from_ole(45352), QTime(0, 0)); // record n at n - 1 seconds
    auto* from = rig.screen->exportWindow()->findChild<QDateTimeEdit*>("ExportFrom");
    auto* to = rig.screen->exportWindow()->findChild<QDateTimeEdit*>("ExportTo");
    QCOMPARE(from->dateTime(), day.addSecs(first - 1));
    QCOMPARE(to->dateTime(), day.addSecs(last - 1));
}

QTEST_MAIN(TestCurveScreen)
#include "test_curve_screen.moc"
