// The journaling link over the recording fake: one event per write however often its caller sent
// it, the value it replaces as last read (in the program window: on the curve it was read on),
// and its outcome even when the caller has gone.
#include "journal/event_journal.h"
#include "journal/journal_link.h"
#include "support/recording_link.h"

#include <QTemporaryDir>
#include <QTest>

class TestJournalLink : public QObject {
    Q_OBJECT
private slots:
    void oneEventPerWriteAndItsRetry_data();
    void oneEventPerWriteAndItsRetry();
    void callerGoneStillJournaled();
    void programWindowOldValueIsThatCurves_data();
    void programWindowOldValueIsThatCurves();
};

void TestJournalLink::oneEventPerWriteAndItsRetry_data() {
    QTest::addColumn<QList<int>>("results"); // of the attempts, in order
    QTest::addColumn<bool>("retries");       // the caller sends a failed write once more
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("mentionsFirstFailure");
    QTest::newRow("taken at once") << QList<int>{0} << true << "accepted" << false;
    QTest::newRow("taken at the repeat")
        << QList<int>{kLinkFailure, 0} << true << "accepted at attempt 2" << true;
    QTest::newRow("both fail") << QList<int>{kLinkFailure, kLinkFailure} << true
                               << "failed: " << true;
    QTest::newRow("fails, no repeat") << QList<int>{kLinkFailure} << false << "failed: " << false;
}

void TestJournalLink::oneEventPerWriteAndItsRetry() {
    QFETCH(QList<int>, results);
    QFETCH(bool, retries);
    QFETCH(QString, result);
    QFETCH(bool, mentionsFirstFailure);
    QTemporaryDir dir;
    EventJournal journal(dir.filePath(QStringLiteral("r.db")));
    QVERIFY(journal.open());
    RecordingLink fake;
    fake.linkStatus.lastMessage = QStringLiteral("Set_4X_D1 3 = 733: time out");
    fake.holdingRegisters[3] = 650;
    fake.writeResults = results;
    JournalLink link(fake, journal);

    qint32 read[16] = {};
    link.Get_4X_DX(1, 1, 1, 16, read, this, [](int) {});
    fake.completeAll();
    QObject caller;
    std::function<void(int)> again = [&](int r) {
        if (r != 0 && retries)
            link.Set_4X_D1(
                1, 1, 3, 733, &caller, [](int) {}, QStringLiteral("ssqx Command11"));
    };
    link.Set_4X_D1(1, 1, 3, 733, &caller, again, QStringLiteral("ssqx Command11"));
    fake.completeAll();

    QCOMPARE(fake.writes().size(), results.size());
    const auto events = journal.store().newerThan({{}, {}, {EventCategory::Write}, {}}, 0, 10);
    QCOMPARE(events.size(), std::size_t(1));
    const JournalEntry& e = events.front();
    QCOMPARE(e.source, QStringLiteral("Overview · SV1值"));
    QCOMPARE(e.oldValue, std::optional<QString>(QStringLiteral("650")));
    QCOMPARE(e.newValue, std::optional<QString>(QStringLiteral("733")));
    QVERIFY2(e.result.startsWith(result), qPrintable(e.result));
    QCOMPARE(e.detail.contains(QStringLiteral("time out")), mentionsFirstFailure);
}

void TestJournalLink::callerGoneStillJournaled() {
    QTemporaryDir dir;
    EventJournal journal(dir.filePath(QStringLiteral("r.db")));
    QVERIFY(journal.open());
    RecordingLink fake;
    JournalLink link(fake, journal);
    bool called = false;
    {
        QObject screen;
        link.Set_0X_Bit1(
            1, 1, 1, &screen, [&](int) { called = true; }, QStringLiteral("ssqx Command19"));
    }
    fake.completeAll();
    QVERIFY(!called); // the caller's completion belongs to the caller
    const auto events = journal.store().newerThan({}, 0, 10);
    QCOMPARE(events.size(), std::size_t(1));
    QCOMPARE(events.front().code, QStringLiteral("coil"));
    QCOMPARE(events.front().result, QStringLiteral("accepted"));
    // Written and accepted, the coil's value is known for the next write to it.
    QCOMPARE(link.knownCoil(1, 1), std::optional<qint64>(1));
}

void TestJournalLink::programWindowOldValueIsThatCurves_data() {
    // Steps "r N=V" (the instrument holds V at N and the console reads it), "w N=V" (a write the
    // instrument takes), "f N=V" (one it does not answer); then 1234 written to the register.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("old"); // empty: no old value
    QTest::addColumn<QString>("detail");
    QTest::newRow("back on a curve read before")
        << QStringList{"r 7=3",    "r 8204=0",   "r 8209=200", "r 7=5",
                       "r 8204=0", "r 8209=201", "r 7=3"}
        << 8209 << "200"
        << "curve 3 · segment 1 · 设定值SV1 200 → 1234 (register 8209)";
    QTest::newRow("a curve selected and not read")
        << QStringList{"r 7=3", "r 8204=0", "r 8209=200", "w 7=5"} << 8209 << ""
        << "curve 5 · segment table of a recipe not known set to 1234 (register 8209)";
    QTest::newRow("a selection not answered")
        << QStringList{"r 7=3", "r 8204=0", "r 8209=200", "f 7=5"} << 8209 << ""
        << "segment table of a curve not known set to 1234 (register 8209)";
    QTest::newRow("no curve read") << QStringList{"r 8209=200"} << 8209 << ""
                                   << "segment table of a curve not known set to 1234 (register "
                                      "8209)";
    QTest::newRow("the recipe places the table")
        << QStringList{"r 7=2", "r 8204=1", "r 8337=77", "r 8204=0", "r 8337=99", "r 8204=1"}
        << 8337 << "77"
        << "curve 2 · segment 1 · 设定值SV1 77 → 1234 (register 8337)";
    QTest::newRow("a header field")
        << QStringList{"r 7=4", "r 8196=6", "r 7=1", "r 8196=9", "r 7=4"} << 8196 << "6"
        << "curve 4 · 程序段数 6 → 1234 (register 8196)";
    QTest::newRow("written before, on the same curve")
        << QStringList{"r 7=6", "r 8204=0", "w 8218=30"} << 8218 << "30"
        << "curve 6 · segment 2 · 设定时间 30 → 1234 (register 8218)";
}

void TestJournalLink::programWindowOldValueIsThatCurves() {
    QFETCH(QStringList, steps);
    QFETCH(int, number);
    QFETCH(QString, old);
    QFETCH(QString, detail);
    QTemporaryDir dir;
    EventJournal journal(dir.filePath(QStringLiteral("r.db")));
    QVERIFY(journal.open());
    RecordingLink fake;
    JournalLink link(fake, journal);
    qint32 read[1] = {};
    for (const QString& step : steps) {
        const QStringList p = step.mid(2).split(u'=');
        const int n = p[0].toInt();
        const int v = p[1].toInt();
        if (step.startsWith(u'r')) {
            fake.holdingRegisters[n] = v;
            link.Get_4X_DX(1, 1, n, 1, read, this, [](int) {});
        } else {
            fake.writeResults = {step.startsWith(u'f') ? kLinkFailure : 0};
            link.Set_4X_D1(1, 1, n, v, this, [](int) {});
        }
        fake.completeAll();
    }
    link.Set_4X_D1(1, 1, number, 1234, this, [](int) {});
    fake.completeAll();
    const auto events = journal.store().page({}, std::nullopt, 1);
    QCOMPARE(events.size(), std::size_t(1));
    QCOMPARE(events.front().oldValue.value_or(QString()), old);
    QCOMPARE(events.front().detail, detail);
}

QTEST_GUILESS_MAIN(TestJournalLink)
#include "test_journal_link.moc"
