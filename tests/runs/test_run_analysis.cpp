// The segment statistics of a run on a known record series: a ramp to 100, a two-minute soak at
// 100, a ramp down; PV off the target for the soak's first ten seconds by a row's deviation.
#include "runs/run_analysis.h"

#include <QTest>

namespace {
constexpr qint64 kT0 = 1'700'000'000'000; // run start, UTC ms
constexpr qint64 kSoakFrom = kT0 + 60'000, kSoakTo = kT0 + 180'000, kEnd = kT0 + 240'000;

ProgramRun three_segment_run(int waitType, int waitDeviation) {
    ProgramRun run;
    run.number = 1;
    run.startMs = kT0;
    run.endMs = kEnd;
    run.startSegment = 1;
    run.programRead = true;
    run.program.header[0] = qint16(waitType);
    run.program.header[1] = qint16(waitDeviation);
    run.program.header[2] = 1; // minutes
    run.program.header[3] = 3;
    run.program.segments[0] = {100, 1, 0, 0};
    run.program.segments[1] = {100, 2, 0, 0}; // the soak
    run.program.segments[2] = {50, 1, 0, 0};
    return run;
}

JournalEntry journal_event(EventCategory c, const QString& code, qint64 ms,
                           const QString& value = {}) {
    JournalEntry e;
    e.category = c;
    e.code = code;
    e.utcMs = ms;
    if (!value.isEmpty())
        e.newValue = value;
    return e;
}
} // namespace

class TestRunAnalysis : public QObject {
    Q_OBJECT
private slots:
    void soakStatistics_data();
    void soakStatistics();
};

void TestRunAnalysis::soakStatistics_data() {
    QTest::addColumn<double>("deviation"); // PV - target over the soak's first 10 s
    QTest::addColumn<int>("waitType");
    QTest::addColumn<int>("waitDeviation");
    QTest::addColumn<bool>("firstTenUnmeasured");
    QTest::addColumn<qint64>("holdS"); // held this long from the soak's 30th second
    QTest::addColumn<qint64>("outsideS");
    QTest::addColumn<qint64>("unmeasuredS");
    QTest::addColumn<double>("pvMax");
    QTest::addColumn<bool>("within");

    QTest::newRow("within the console's tolerance")
        << 3.0 << 0 << 9 << false << 0ll << 0ll << 0ll << 103.0 << true;
    QTest::newRow("outside it") << 8.0 << 0 << 9 << false << 0ll << 10ll << 0ll << 108.0 << false;
    QTest::newRow("exactly on it") << 5.0 << 0 << 9 << false << 0ll << 0ll << 0ll << 105.0 << true;
    QTest::newRow("the program's wait deviation")
        << 3.0 << 3 << 2 << false << 0ll << 10ll << 0ll << 103.0 << false;
    QTest::newRow("unmeasured records left out")
        << 8.0 << 0 << 9 << true << 0ll << 0ll << 10ll << 100.0 << true;
    QTest::newRow("held half a minute")
        << 0.0 << 0 << 9 << false << 30ll << 0ll << 0ll << 100.0 << true;
}

void TestRunAnalysis::soakStatistics() {
    QFETCH(double, deviation);
    QFETCH(int, waitType);
    QFETCH(int, waitDeviation);
    QFETCH(bool, firstTenUnmeasured);
    QFETCH(qint64, holdS);
    QFETCH(qint64, outsideS);
    QFETCH(qint64, unmeasuredS);
    QFETCH(double, pvMax);
    QFETCH(bool, within);

    const ProgramRun run = three_segment_run(waitType, waitDeviation);
    std::vector<RunSample> samples;
    for (qint64 ms = kT0; ms <= kEnd; ms += 1000) {
        const bool soak = ms >= kSoakFrom && ms < kSoakTo;
        const double ramp = ms < kSoakFrom ? 100.0 * double(ms - kT0) / 60000.0 : 60.0;
        samples.push_back(
            {ms, soak ? 100.0 + (ms < kSoakFrom + 10000 ? deviation : 0.0) : ramp, 0, 0});
    }
    std::vector<JournalEntry> events{journal_event(
        EventCategory::Program, QStringLiteral("segment"), kSoakFrom, QStringLiteral("2"))};
    if (holdS > 0) {
        events.push_back(journal_event(EventCategory::Program, QStringLiteral("state"),
                                       kSoakFrom + 30000, QStringLiteral("2")));
        events.push_back(
            journal_event(EventCategory::Alarm, QStringLiteral("alarm1_on"), kSoakFrom + 31000));
        events.push_back(journal_event(EventCategory::Program, QStringLiteral("state"),
                                       kSoakFrom + 30000 + holdS * 1000, QStringLiteral("1")));
    }
    events.push_back(journal_event(EventCategory::Program, QStringLiteral("segment"), kSoakTo,
                                   QStringLiteral("3")));
    const MeasuredCheck measured = [&](const QDateTime& at) {
        const qint64 ms = at.toMSecsSinceEpoch();
        return !(firstTenUnmeasured && ms >= kSoakFrom && ms < kSoakFrom + 10000);
    };
    const RunAnalysis a = analyse_run(run, samples, 1000, events, measured, 5.0);

    QCOMPARE(a.segments.size(), std::size_t(3));
    const SegmentReport& ramp = a.segments[0];
    const SegmentReport& soak = a.segments[1];
    QVERIFY(!ramp.soak && soak.soak && !a.segments[2].soak);
    QCOMPARE(ramp.pvMax, std::optional<double>()); // no statistics off the soaks
    QCOMPARE(soak.startMs, std::optional<qint64>(kSoakFrom));
    QCOMPARE(soak.endMs, std::optional<qint64>(kSoakTo));
    QCOMPARE(soak.lengthMs, kSoakTo - kSoakFrom);
    QCOMPARE(soak.plannedSeconds, 120ll);
    QCOMPARE(soak.holdMs, holdS * 1000);
    QCOMPARE(a.holdMs, holdS * 1000);
    // The plan of the run is shifted by the hold.
    QCOMPARE(a.pauses.size(), std::size_t(holdS > 0 ? 1 : 0));
    QCOMPARE(a.alarms, holdS > 0 ? 1 : 0);
    QCOMPARE(soak.outsideMs, outsideS * 1000);
    QCOMPARE(soak.unmeasuredMs, unmeasuredS * 1000);
    QCOMPARE(soak.measured, 120 - int(unmeasuredS));
    QCOMPARE(soak.pvMax, std::optional<double>(pvMax));
    QCOMPARE(soak.pvMin, std::optional<double>(100.0));
    QCOMPARE(a.soaksWithin, std::optional<bool>(within));
    QCOMPARE(a.segments[2].startMs, std::optional<qint64>(kSoakTo));
}

QTEST_GUILESS_MAIN(TestRunAnalysis)
#include "test_run_analysis.moc"
