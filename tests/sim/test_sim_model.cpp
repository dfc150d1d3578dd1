// The furnace, the heating loop and the alarms, stepped by simulated seconds without a clock.

#include "alarms.h"
#include "furnace.h"
#include "instrument.h"
#include "pid.h"

#include <QTest>

using namespace sim;

namespace {

FurnaceParams quiet(double deadTime) {
    FurnaceParams p;
    p.deadTime = deadTime;
    p.noise = 0.0;
    return p;
}

void run(Instrument& inst, double seconds, double dt = 0.1) {
    for (double t = 0; t < seconds - 1e-9; t += dt)
        inst.advance(dt);
}

void write(Instrument& inst, int reg, int value) {
    QVERIFY2(inst.write(Table::HoldingRegisters, reg, value), qPrintable(QString::number(reg)));
}

} // namespace

class TestSimModel : public QObject {
    Q_OBJECT

private slots:
    void deadTimeDelaysTheResponse_data() {
        QTest::addColumn<double>("deadTime");
        QTest::newRow("none") << 0.0;
        QTest::newRow("5 s") << 5.0;
        QTest::newRow("20 s") << 20.0;
    }
    void deadTimeDelaysTheResponse() {
        QFETCH(double, deadTime);
        Furnace f(quiet(deadTime), 1);
        double t = 0.0;
        for (; t < deadTime - 0.25; t += 0.1)
            f.step(0.1, 100.0);
        QCOMPARE(f.chamber(), f.params().ambient); // nothing yet
        for (; t < deadTime + 5.0; t += 0.1)
            f.step(0.1, 100.0);
        QVERIFY(f.chamber() > f.params().ambient + 1.0);
        QVERIFY(f.chamber() < f.params().ambient + 0.1 * f.params().gain * 100.0);
    }

    void settlesAtGainTimesOutput_data() {
        QTest::addColumn<double>("output");
        QTest::newRow("0 %") << 0.0;
        QTest::newRow("25 %") << 25.0;
        QTest::newRow("100 %") << 100.0;
        QTest::newRow("above 100 is 100") << 150.0;
    }
    void settlesAtGainTimesOutput() {
        QFETCH(double, output);
        Furnace f(quiet(20.0), 1);
        for (int i = 0; i < 200; ++i)
            f.step(60.0, output); // large steps stay exact and stable
        const double expected = f.params().ambient + f.params().gain * std::min(output, 100.0);
        QVERIFY2(std::abs(f.chamber() - expected) < 0.5, qPrintable(QString::number(f.chamber())));
        QVERIFY(std::abs(f.load() - f.chamber()) < 0.5); // the load has caught up
    }

    void loadSensorLagsTheChamber() {
        Furnace f(quiet(0.0), 1);
        for (int i = 0; i < 600; ++i)
            f.step(0.1, 100.0);
        QVERIFY(f.load() < f.chamber() - 5.0);
        QVERIFY(f.load() > f.params().ambient);
    }

    void noiseRepeatsWithTheSeed() {
        Furnace a({}, 42), b({}, 42), c({}, 43);
        bool differs = false;
        for (int i = 0; i < 50; ++i) {
            a.step(0.1, 30.0);
            b.step(0.1, 30.0);
            c.step(0.1, 30.0);
            QCOMPARE(a.pv1(), b.pv1());
            QCOMPARE(a.pv2(), b.pv2());
            differs = differs || a.pv1() != c.pv1();
        }
        QVERIFY(differs);
    }

    void instrumentRepeatsWithTheSeed() {
        Instrument a(9), b(9), c(10);
        std::vector<std::uint16_t> ra, rb, rc;
        bool differs = false;
        for (int i = 0; i < 300; ++i) {
            a.advance(0.1);
            b.advance(0.1);
            c.advance(0.1);
            QVERIFY(a.read(Table::InputRegisters, 1, 16, &ra));
            QVERIFY(b.read(Table::InputRegisters, 1, 16, &rb));
            QVERIFY(c.read(Table::InputRegisters, 1, 16, &rc));
            QCOMPARE(ra, rb);
            differs = differs || ra != rc;
        }
        QVERIFY(differs);
    }

    void automaticDrivesPvToSv_data() {
        QTest::addColumn<int>("sv");
        QTest::newRow("300") << 300;
        QTest::newRow("600") << 600;
        QTest::newRow("1000") << 1000;
    }
    void automaticDrivesPvToSv() {
        QFETCH(int, sv);
        Instrument inst(1);
        write(inst, 3, sv);
        run(inst, 3 * 3600.0, 0.5);
        QVERIFY2(std::abs(inst.input(1) - sv) <= 3, qPrintable(QString::number(inst.input(1))));
        QCOMPARE(inst.input(3), sv);
        // Holding needs a steady part output: what the furnace loses at that temperature.
        const double needed = (sv - 25.0) / 13.0 * 10.0;
        QVERIFY2(std::abs(inst.input(2) - needed) < 30, qPrintable(QString::number(inst.input(2))));
    }

    void setValueLimitsApply() {
        Instrument inst(1);
        write(inst, 3, 2000);
        QCOMPARE(inst.input(3), 1300); // SVHI
        QCOMPARE(inst.input(6), 2000); // SV1 as written
        QVERIFY(inst.write(Table::Coils, 3, 1));
        QCOMPARE(inst.input(3), 300); // SV2
    }

    void manualOutputHolds() {
        Instrument inst(1);
        QVERIFY(inst.write(Table::Coils, 1, 0));
        write(inst, 2, 250);
        for (int i = 0; i < 600; ++i) {
            inst.advance(1.0);
            QCOMPARE(inst.input(2), 250);
        }
        QVERIFY(inst.input(1) > 150); // heading for 25 + 13 * 25 = 350
        QVERIFY(inst.input(1) < 360);
    }

    void manualStartsFromTheAutomaticOutput() {
        Instrument inst(1);
        run(inst, 120.0);
        const int automatic = inst.input(2);
        QVERIFY(automatic > 0);
        QVERIFY(inst.write(Table::Coils, 1, 0));
        QCOMPARE(inst.holding(2), automatic);
        inst.advance(0.1);
        QCOMPARE(inst.input(2), automatic);
        // and back to automatic without a jump
        QVERIFY(inst.write(Table::Coils, 1, 1));
        inst.advance(0.1);
        QVERIFY(std::abs(inst.input(2) - automatic) <= 20);
    }

    void outputLimitsApply() {
        Instrument inst(1);
        write(inst, 4140, 400); // 40.0 %
        run(inst, 30.0);
        QCOMPARE(inst.input(2), 400);
    }

    void zeroBandIsOnOff() {
        Pid pid;
        PidTerms t;
        t.band = 0;
        t.hysteresis = 2;
        QCOMPARE(pid.update(0.1, 100, 97, t, 0, 100), 100.0); // below sv - hysteresis: on
        QCOMPARE(pid.update(0.1, 100, 99, t, 0, 100), 100.0); // inside: stays
        QCOMPARE(pid.update(0.1, 100, 101, t, 0, 100), 0.0);  // above: off
        QCOMPARE(pid.update(0.1, 100, 99, t, 0, 100), 0.0);   // inside: stays off
    }

    void integralDoesNotWindUp() {
        Pid pid;
        PidTerms t;
        for (int i = 0; i < 10000; ++i)
            pid.update(1.0, 600, 25, t, 0, 100); // far below, saturated for hours
        // Once above the set value the output must come off full at once, not hours later.
        QVERIFY(pid.update(1.0, 600, 650, t, 0, 100) < 100.0);
    }

    void alarms_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("hysteresis");
        QTest::addColumn<double>("sv");
        QTest::addColumn<QString>("pvs");
        QTest::addColumn<QString>("states");
        QTest::newRow("high above value, clears at value - hysteresis")
            << 1 << 100.0 << 5.0 << 0.0 << "99,100,101,97,96,95,101"
            << "0011101";
        QTest::newRow("low below value, clears at value + hysteresis")
            << 2 << 100.0 << 5.0 << 0.0 << "101,100,99,104,105,99"
            << "001101";
        QTest::newRow("high deviation") << 3 << 10.0 << 2.0 << 500.0 << "509,510,511,509,508"
                                        << "00110";
        QTest::newRow("low deviation") << 4 << 10.0 << 2.0 << 500.0 << "491,490,489,491,492"
                                       << "00110";
        QTest::newRow("band on both sides")
            << 5 << 10.0 << 2.0 << 500.0 << "510,511,509,508,489,491,492"
            << "0110110";
        QTest::newRow("no hysteresis") << 1 << 100.0 << 0.0 << 0.0 << "101,100,101"
                                       << "101";
        QTest::newRow("none never") << 0 << 0.0 << 0.0 << 0.0 << "-100,100"
                                    << "00";
        QTest::newRow("unknown code never") << 9 << 0.0 << 0.0 << 0.0 << "-100,100"
                                            << "00";
    }
    void alarms() {
        QFETCH(int, type);
        QFETCH(double, value);
        QFETCH(double, hysteresis);
        QFETCH(double, sv);
        QFETCH(QString, pvs);
        QFETCH(QString, states);
        Alarm a;
        AlarmSetting s;
        s.type = type;
        s.value = value;
        s.hysteresis = hysteresis;
        QString got;
        for (const QString& pv : pvs.split(',')) {
            AlarmInputs in;
            in.pv = pv.toDouble();
            in.sv = sv;
            got += a.step(0.1, s, in) ? '1' : '0';
        }
        QCOMPARE(got, states);
    }

    void alarmWaitsForItsDelay() {
        Alarm a;
        AlarmSetting s{High, 100, 0, 3.0};
        AlarmInputs over{150, 0};
        AlarmInputs under{50, 0};
        QVERIFY(!a.step(1.0, s, over));
        QVERIFY(!a.step(1.0, s, over));
        QVERIFY(!a.step(1.0, s, under)); // interrupted: the delay starts again
        QVERIFY(!a.step(1.0, s, over));
        QVERIFY(!a.step(1.0, s, over));
        QVERIFY(a.step(1.0, s, over)); // 3 s held
        QVERIFY(!a.step(1.0, s, under));
    }

    void powerOnSuppressionWaitsForAClearCondition() {
        Alarm a;
        AlarmSetting s{LowDeviation, 50, 2, 0};
        s.powerOnSuppression = true;
        QVERIFY(!a.step(1, s, {25, 600}));  // cold start: far below, but suppressed
        QVERIFY(!a.step(1, s, {590, 600})); // reached once
        QVERIFY(a.step(1, s, {500, 600}));  // a real drop now alarms
    }

    void heaterBreakAndSegmentContact() {
        Alarm a, b;
        AlarmSetting hb{HeaterBreak, 100, 0, 0};
        hb.breakOutput = 30;
        AlarmInputs in;
        in.output = 50;
        in.heaterCurrent = 80; // below 100 at 50 % output: broken
        QVERIFY(a.step(1, hb, in));
        in.output = 20; // below the judging output: not judged
        QVERIFY(!a.step(1, hb, in));
        AlarmSetting seg{Segment, 0, 0, 0};
        in.segmentContact = true;
        QVERIFY(b.step(1, seg, in));
    }

    void alarmReachesItsRegisters() {
        Instrument inst(1);
        write(inst, 4163, 0); // no power-on suppression
        write(inst, 257, 10); // high limit far below the cold furnace
        inst.advance(0.1);
        QCOMPARE(inst.input(8), 1); // alarm 1 code: high
        QVERIFY(inst.discrete(1));
        write(inst, 257, 1000);
        inst.advance(0.1);
        QCOMPARE(inst.input(8), 0);
        QVERIFY(!inst.discrete(1));
    }

    void autoTuneSetsTheTermsAndEnds() {
        Instrument inst(3);
        write(inst, 3, 400);
        QVERIFY(inst.write(Table::Coils, 7, 1));
        double t = 0;
        while (inst.coil(7) && t < AutoTune::kTimeLimit + 10) {
            inst.advance(0.5);
            t += 0.5;
        }
        QVERIFY(!inst.coil(7));
        QVERIFY(t < AutoTune::kTimeLimit); // finished, did not give up
        QVERIFY2(inst.holding(4353) >= 5 && inst.holding(4353) <= 500,
                 qPrintable(QString::number(inst.holding(4353))));
        QVERIFY(inst.holding(4354) > 0);
        QVERIFY(inst.holding(4355) > 0);
        QCOMPARE(inst.input(34), inst.holding(4353)); // reported as the main band
    }

    // What a real controller refuses, with the bounds it keeps: one row per rule, at its edges.
    void refusesWhatNoControllerTakes_data() {
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("lastTaken");
        QTest::addColumn<int>("refused");
        QTest::newRow("control type") << 4097 << 3 << 4;
        QTest::newRow("baud code") << 4157 << 2 << 3;
        QTest::newRow("parity code") << 4158 << 0 << -1;
        QTest::newRow("address") << 4159 << 247 << 248;
        QTest::newRow("alarm type") << 4162 << 7 << 8;
        QTest::newRow("output limit") << 4140 << 1000 << 1001;
        QTest::newRow("filter time") << 4103 << 1 << 0;
        QTest::newRow("hysteresis") << 258 << 0 << -1;
        QTest::newRow("delay") << 262 << 600 << 601;
        QTest::newRow("heater-break output") << 264 << 0 << -5;
        QTest::newRow("PID band") << 4353 << 0 << -1;
    }
    void refusesWhatNoControllerTakes() {
        QFETCH(int, reg);
        QFETCH(int, lastTaken);
        QFETCH(int, refused);
        Instrument inst(1);
        QCOMPARE(inst.check_write(Table::HoldingRegisters, reg, lastTaken), Accepted);
        QCOMPARE(inst.check_write(Table::HoldingRegisters, reg, refused), IllegalValue);
    }
};

QTEST_GUILESS_MAIN(TestSimModel)
#include "test_sim_model.moc"
