// Stored curves: the window that shows the selected curve, the recipe value that places its
// segment table, and the program runner going through segments, loops, hold, end and reset.

#include "defaults.h"
#include "instrument.h"
#include "program_runner.h"

#include <QTest>

using namespace sim;

namespace {

// A curve in seconds from the set value: 0 -> 100 over 10 s, soak 10 s, down to 50 over 5 s.
CurveWindow three_segments() {
    CurveWindow w{};
    w[reg::TimeUnit] = 2;
    w[reg::SegmentCount] = 3;
    w[reg::RunCount] = 1;
    w[reg::StartFromSv] = 1;
    w[reg::HoldLastSv] = 1;
    const int sv[] = {100, 100, 50};
    const int time[] = {10, 10, 5};
    for (int s = 1; s <= 3; ++s) {
        w[kHeaderSize + 8 * (s - 1) + reg::SegSv] = std::int16_t(sv[s - 1]);
        w[kHeaderSize + 8 * (s - 1) + reg::SegTime] = std::int16_t(time[s - 1]);
        w[kHeaderSize + 8 * (s - 1) + reg::SegRelay] = std::int16_t(s == 2);
        w[kHeaderSize + 8 * (s - 1) + reg::SegPidGroup] = std::int16_t(s);
    }
    return w;
}

void step_for(ProgramRunner& r, const CurveWindow& w, double seconds, double pv = 0.0) {
    for (double t = 0; t < seconds - 1e-9; t += 0.5)
        r.step(0.5, w, pv);
}

std::vector<std::uint16_t> read_hr(const Instrument& inst, int first, int count) {
    std::vector<std::uint16_t> v;
    if (!inst.read(Table::HoldingRegisters, first, count, &v))
        v.clear();
    return v;
}

} // namespace

class TestSimProgram : public QObject {
    Q_OBJECT

private slots:
    void runsThroughTheSegments_data() {
        QTest::addColumn<double>("at");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("segment");
        QTest::addColumn<double>("sv");
        QTest::addColumn<int>("segmentLeft");
        QTest::addColumn<int>("totalLeft");
        QTest::addColumn<bool>("relay");
        QTest::newRow("start") << 0.0 << 1 << 1 << 0.0 << 10 << 25 << false;
        QTest::newRow("half way up the ramp") << 5.0 << 1 << 1 << 50.0 << 5 << 20 << false;
        QTest::newRow("soak begins") << 10.0 << 1 << 2 << 100.0 << 10 << 15 << true;
        QTest::newRow("ramp down") << 22.5 << 1 << 3 << 75.0 << 3 << 3 << false;
        QTest::newRow("ended, last set value held") << 25.0 << 4 << 3 << 50.0 << 0 << 0 << false;
        QTest::newRow("long after") << 100.0 << 4 << 3 << 50.0 << 0 << 0 << false;
    }
    void runsThroughTheSegments() {
        QFETCH(double, at);
        QFETCH(int, state);
        QFETCH(int, segment);
        QFETCH(double, sv);
        QFETCH(int, segmentLeft);
        QFETCH(int, totalLeft);
        QFETCH(bool, relay);
        const CurveWindow w = three_segments();
        ProgramRunner r;
        r.command(ProgramRunner::CmdRun, 0, w, 25.0, 0.0); // starts from the set value 0
        step_for(r, w, at);
        QCOMPARE(int(r.state()), state);
        QCOMPARE(r.segment(), segment);
        QVERIFY2(std::abs(r.sv() - sv) < 1e-6, qPrintable(QString::number(r.sv())));
        QCOMPARE(r.segmentLeft(w), segmentLeft);
        QCOMPARE(r.totalLeft(w), totalLeft);
        QCOMPARE(r.relay(w), relay);
    }

    void startsFromTheMeasuredValue() {
        CurveWindow w = three_segments();
        w[reg::StartFromSv] = 0;
        ProgramRunner r;
        r.command(ProgramRunner::CmdRun, 0, w, 40.0, 0.0);
        step_for(r, w, 5.0, 40.0);
        QCOMPARE(r.sv(), 70.0); // half way from 40 to 100
    }

    void holdFreezesAndRunResumes() {
        const CurveWindow w = three_segments();
        ProgramRunner r;
        r.command(ProgramRunner::CmdRun, 0, w, 0, 0);
        step_for(r, w, 5.0);
        r.command(ProgramRunner::CmdHold, 0, w, 0, 0);
        step_for(r, w, 60.0);
        QCOMPARE(int(r.state()), 2);
        QCOMPARE(r.sv(), 50.0);
        QCOMPARE(r.segmentLeft(w), 5);
        r.command(ProgramRunner::CmdRun, 0, w, 0, 0);
        step_for(r, w, 5.0);
        QCOMPARE(r.segment(), 2); // continued, not restarted
    }

    void endStopResetAndSleep() {
        const CurveWindow w = three_segments();
        ProgramRunner r;
        r.command(ProgramRunner::CmdRun, 0, w, 0, 0);
        step_for(r, w, 12.0);
        r.command(ProgramRunner::CmdEnd, 0, w, 0, 0);
        QCOMPARE(int(r.state()), 4);
        QVERIFY(!r.endedByItself());
        r.command(ProgramRunner::CmdStop, 0, w, 0, 0);
        QCOMPARE(int(r.state()), 0);
        QCOMPARE(r.segment(), 2); // stop keeps the position shown
        r.command(ProgramRunner::CmdReset, 0, w, 0, 0);
        QCOMPARE(r.segment(), 0);
        QCOMPARE(r.cycles(), 0);
        r.command(ProgramRunner::CmdSleep, 0, w, 0, 0);
        QVERIFY(r.sleeping());
        r.command(ProgramRunner::CmdRun, 0, w, 0, 0);
        QVERIFY(!r.sleeping());
        QCOMPARE(r.segment(), 1); // a fresh run
    }

    void commandCodes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("valid");
        for (int c : {0, 1, 2, 4, 8, 16})
            QTest::addRow("%d", c) << c << true;
        for (int c : {3, 5, -1, 32})
            QTest::addRow("%d", c) << c << false;
    }
    void commandCodes() {
        QFETCH(int, code);
        QFETCH(bool, valid);
        QCOMPARE(ProgramRunner::valid_command(code), valid);
        Instrument inst(1);
        QCOMPARE(inst.check_write(Table::HoldingRegisters, 8, code),
                 valid ? Accepted : IllegalValue);
    }

    void loopsAndRepeatedRuns() {
        CurveWindow w = three_segments();
        w[reg::LoopCount] = 2; // segments 1..2 three times in all
        w[reg::LoopStart] = 1;
        w[reg::LoopEnd] = 2;
        w[reg::RunCount] = 2; // and the whole program twice
        ProgramRunner r;
        r.command(ProgramRunner::CmdRun, 0, w, 0, 0);
        // one run: 3 x (10 + 10) + 5 = 65 s; two runs 130 s
        QCOMPARE(r.totalLeft(w), 130);
        step_for(r, w, 20.0);
        QCOMPARE(r.segment(), 1); // back to the loop start
        step_for(r, w, 45.0);
        QCOMPARE(r.cycles(), 1);
        QCOMPARE(r.segment(), 1);
        QCOMPARE(r.totalLeft(w), 65);
        step_for(r, w, 65.0);
        QCOMPARE(int(r.state()), 4);
        QCOMPARE(r.cycles(), 2);
        QVERIFY(r.endedByItself());
    }

    void deviationWaitStopsTheClock() {
        CurveWindow w = three_segments();
        w[reg::WaitType] = 1; // wait while below by more than 5
        w[reg::WaitDeviation] = 5;
        ProgramRunner r;
        r.command(ProgramRunner::CmdRun, 0, w, 0, 0);
        step_for(r, w, 4.0, 40.0); // sv reaches 40 at 4 s, pv 40: keeps up
        QVERIFY(!r.waiting());
        step_for(r, w, 10.0, 40.0); // at sv 50 the lag exceeds 5: the clock stands there
        QVERIFY(r.waiting());
        QCOMPARE(r.segment(), 1);
        QCOMPARE(r.sv(), 50.0);
        QCOMPARE(r.segmentLeft(w), 5);
        step_for(r, w, 1.0, 100.0);
        QVERIFY(!r.waiting());
    }

    void zeroTimeSegmentsAreSkipped() {
        CurveWindow w = three_segments();
        w[kHeaderSize + reg::SegTime] = 0;
        ProgramRunner r;
        r.command(ProgramRunner::CmdRun, 0, w, 0, 0);
        r.step(0.5, w, 0);
        QCOMPARE(r.segment(), 2);
        QCOMPARE(r.sv(), 100.0);
    }

    void windowShowsTheSelectedCurve_data() {
        QTest::addColumn<int>("curve");
        for (int c = 0; c < kCurves; ++c)
            QTest::addRow("curve %d", c) << c;
    }
    void windowShowsTheSelectedCurve() {
        QFETCH(int, curve);
        Instrument inst(1);
        QVERIFY(inst.write(Table::HoldingRegisters, 7, curve));
        const auto window = read_hr(inst, 8193, 16 + 192);
        const CurveWindow expected = default_curve(curve);
        QCOMPARE(window.size(), std::size_t(208));
        for (int i = 0; i < 208; ++i)
            QCOMPARE(qint16(window[i]), expected[i]);
    }

    void writesGoToTheSelectedCurveOnly() {
        Instrument inst(1);
        QVERIFY(inst.write(Table::HoldingRegisters, 7, 3));
        QVERIFY(inst.write(Table::HoldingRegisters, 8209, 777)); // curve 3, segment 1 set value
        QVERIFY(inst.write(Table::HoldingRegisters, 8196, 5));   // curve 3 segment count
        QVERIFY(inst.write(Table::HoldingRegisters, 7, 0));
        QCOMPARE(inst.holding(8209), int(default_curve(0)[16]));
        QVERIFY(inst.write(Table::HoldingRegisters, 7, 3));
        QCOMPARE(inst.holding(8209), 777);
        QCOMPARE(inst.holding(8196), 5);
    }

    void recipePlacesTheSegmentTable_data() {
        QTest::addColumn<int>("recipe");
        QTest::addColumn<int>("tableStart");
        QTest::newRow("0") << 0 << 8209;
        QTest::newRow("2") << 2 << 8465;
        QTest::newRow("8") << 8 << 9233;
    }
    void recipePlacesTheSegmentTable() {
        QFETCH(int, recipe);
        QFETCH(int, tableStart);
        QCOMPARE(segment_register(recipe, 1, 0), tableStart);
        Instrument inst(1);
        QVERIFY(inst.write(Table::HoldingRegisters, 8204, recipe));
        QVERIFY(inst.write(Table::HoldingRegisters, 8195, 2));              // seconds
        QVERIFY(inst.write(Table::HoldingRegisters, tableStart, 432));      // segment 1 set value
        QVERIFY(inst.write(Table::HoldingRegisters, tableStart + 1, 60));   // its time
        QVERIFY(inst.write(Table::HoldingRegisters, tableStart + 184, 99)); // segment 24's
        QCOMPARE(read_hr(inst, tableStart + 176, 16).size(), std::size_t(16));
        QVERIFY(inst.write(Table::Coils, 2, 1));            // program mode
        QVERIFY(inst.write(Table::HoldingRegisters, 8, 1)); // run
        inst.advance(0.1);
        QCOMPARE(inst.input(4097), 1);   // running
        QCOMPARE(inst.input(4100), 1);   // segment 1
        QCOMPARE(inst.input(4099), 432); // target from the table R placed
        QCOMPARE(inst.input(4101), 60);  // seconds left, rounded up
    }

    void recipeOutsideTheWindowIsRefused() {
        Instrument inst(1);
        QCOMPARE(inst.check_write(Table::HoldingRegisters, 8204, 9), IllegalValue);
        QCOMPARE(inst.check_write(Table::HoldingRegisters, 8204, -1), IllegalValue);
        QVERIFY(!inst.write(Table::HoldingRegisters, 8204, 9));
        QCOMPARE(inst.holding(8204), 0);
        QCOMPARE(inst.check_write(Table::HoldingRegisters, 9425, 0), IllegalAddress);
    }

    void programModeDrivesTheSetValue() {
        Instrument inst(1);
        QVERIFY(inst.write(Table::HoldingRegisters, 8195, 2)); // curve 0 in seconds
        QVERIFY(inst.write(Table::HoldingRegisters, 8199, 1)); // start from the set value
        QVERIFY(inst.write(Table::Coils, 2, 1));
        QVERIFY(inst.write(Table::HoldingRegisters, 8, 1));
        for (int i = 0; i < 50; ++i)
            inst.advance(0.1); // 5 s into 10 s from 600 to 200
        QCOMPARE(inst.input(3), 400);
        QCOMPARE(inst.input(33), 1); // segment 1 runs PID group 1
        QCOMPARE(inst.input(34), inst.holding(5121));
        for (int i = 0; i < 200 * 10; ++i)
            inst.advance(0.1);                              // past the 8 segments (140 s)
        QCOMPARE(inst.input(4097), 4);                      // ended
        QCOMPARE(inst.holding(8), 4);                       // the command register says so too
        QCOMPARE(inst.input(3), 100);                       // last set value held
        QVERIFY(inst.write(Table::HoldingRegisters, 8, 8)); // reset
        QCOMPARE(inst.input(4097), 0);
        QCOMPARE(inst.input(3), 600); // back to SV1
    }

    void curveOfARunningProgramStaysLatched() {
        Instrument inst(1);
        QVERIFY(inst.write(Table::HoldingRegisters, 8195, 2));
        QVERIFY(inst.write(Table::Coils, 2, 1));
        QVERIFY(inst.write(Table::HoldingRegisters, 8, 1));
        QVERIFY(inst.write(Table::HoldingRegisters, 7, 5)); // shows curve 5, runs curve 0
        inst.advance(0.1);
        QCOMPARE(inst.input(4099), int(default_curve(0)[16]));
        QCOMPARE(inst.holding(8195), 1); // curve 5 still in minutes
    }
};

QTEST_GUILESS_MAIN(TestSimProgram)
#include "test_sim_program.moc"
