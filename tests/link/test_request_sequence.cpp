// The request sequencer against the recording fake link: steps in order, each started only from
// the previous one's completion; a start while running refused and counted; cancel and a failed
// step under both failure rules; the step that runs always; a step added while running.
#include "link/request_sequence.h"
#include "support/recording_link.h"

#include <QTest>

using Seq = RequestSequence;

class TestRequestSequence : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
};

void TestRequestSequence::run_data() {
    QTest::addColumn<bool>("stopOnFailure");
    QTest::addColumn<QList<int>>("writeResults"); // of the writes, in their order; then 0
    QTest::addColumn<int>("cancelAfter");         // requests completed before cancel(); -1: none
    QTest::addColumn<bool>("addWhileRunning");    // the first step adds a write of 150
    QTest::addColumn<QList<int>>("wire");         // registers written, in order
    QTest::addColumn<QString>("results");         // per step: + ok, x failed, - not run
    const int f = kLinkFailure;
    QTest::newRow("in order") << false << QList<int>{} << -1 << false
                              << QList<int>{100, 101, 102, 7} << "++++";
    QTest::newRow("middle fails, the rest goes on")
        << false << QList<int>{0, f} << -1 << false << QList<int>{100, 101, 102, 7} << "+x++";
    QTest::newRow("middle fails, the run stops, put-back runs")
        << true << QList<int>{0, f} << -1 << false << QList<int>{100, 101, 7} << "+x-+";
    QTest::newRow("failing put-back is said")
        << true << QList<int>{0, 0, 0, f} << -1 << false << QList<int>{100, 101, 102, 7} << "+++x";
    QTest::newRow("cancel during the first step")
        << false << QList<int>{} << 0 << false << QList<int>{100, 7} << "+--+";
    QTest::newRow("cancel during the last step")
        << false << QList<int>{} << 2 << false << QList<int>{100, 101, 102, 7} << "++++";
    QTest::newRow("added while running goes ahead of the put-back")
        << false << QList<int>{} << -1 << true << QList<int>{100, 101, 102, 150, 7} << "+++++";
}

void TestRequestSequence::run() {
    QFETCH(bool, stopOnFailure);
    QFETCH(QList<int>, writeResults);
    QFETCH(int, cancelAfter);
    QFETCH(bool, addWhileRunning);
    QFETCH(QList<int>, wire);
    QFETCH(QString, results);
    RecordingLink link;
    link.writeResults = writeResults;
    Seq seq(stopOnFailure ? Seq::OnFailure::Stop : Seq::OnFailure::Continue);
    auto write = [&link](int reg) {
        return [&link, reg](const Seq::Done& done) {
            link.Set_4X_D1(1, 1, reg, 5, &link,
                           [done](int r) { done(r == 0, QString::number(r)); });
        };
    };
    seq.add([&](const Seq::Done& done) {
        if (addWhileRunning)
            seq.add(write(150));
        write(100)(done);
    });
    seq.add(write(101));
    seq.add(write(102));
    seq.add(write(7), Seq::Run::Always); // the put-back
    int finished = 0;
    QVERIFY(seq.start([&finished] { ++finished; }));
    QCOMPARE(link.calls.size(), 1); // the next step waits for this one's completion
    QVERIFY(!seq.start());
    QCOMPARE(seq.skipped(), 1u);
    for (int n = 0;; ++n) {
        if (n == cancelAfter) // the n-th request is in flight
            seq.cancel();
        if (!link.completeNext())
            break;
    }
    QCOMPARE(finished, 1);
    QVERIFY(!seq.running());
    QList<int> got;
    for (const LinkCall& c : link.calls)
        got << c.first;
    QCOMPARE(got, wire);
    QString shown;
    for (const Seq::StepResult& r : seq.results())
        shown += !r.ran ? u'-' : r.ok ? u'+' : u'x';
    QCOMPARE(shown, results);
    QCOMPARE(seq.cancelled(), cancelAfter >= 0);
    QCOMPARE(seq.succeeded(),
             !results.contains(u'x') && !results.contains(u'-') && cancelAfter < 0);
    for (const Seq::StepResult& r : seq.results())
        QCOMPARE(r.why, r.ran && !r.ok ? QString::number(kLinkFailure) : QString());
}

QTEST_GUILESS_MAIN(TestRequestSequence)
#include "test_request_sequence.moc"
