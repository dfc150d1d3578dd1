// The logger mscom driven tick by tick with a settable clock against a temporary record file:
// ring numbering and the wrap, record spacing, clock changes, the new-record flags, the order of
// the two records in one tick and files that fail.

#include "core/conversions.h"
#include "core/register_image.h"
#include "records/logger_form.h"
#include "support/record_file.h"
#include "support/settable_clock.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kDay(2024, 3, 5);

struct Stamp {
    qint64 number;
    double date;
    double time;
};

// The rows of a table in record-number order.
std::vector<Stamp> stamps(const RecordFile& file, const QString& table) {
    QSqlQuery query(file.db());
    query.exec(QStringLiteral("select * from %1 order by 1").arg(table));
    std::vector<Stamp> result;
    while (query.next())
        result.push_back(
            {query.value(0).toLongLong(), query.value(1).toDouble(), query.value(2).toDouble()});
    return result;
}

// Whole seconds between two stamps.
qint64 seconds_between(const Stamp& a, const Stamp& b) {
    return qRound64(((b.date - a.date) + (b.time - a.time)) * kSecondsPerDay);
}

QString table_name(int table) {
    return table == 0 ? QStringLiteral("pv_data") : QStringLiteral("Lpv_wdjl");
}

} // namespace

class TestRecordLogger : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void elapsedSeconds_data();
    void elapsedSeconds();
    void firstTickWritesBothRecords();
    void freshFileAppendsAndSpaces();
    void ringNumbering_data();
    void ringNumbering();
    void clockJump_data();
    void clockJump();
    void acrossMidnight();
    void flags_data();
    void flags();
    void shortBeforeLongFromOnePositionRead();
    void slVoidWithoutRowUsesWorkingCopies();
    void unopenableFileKeepsRunningThenRecovers();

private:
    std::unique_ptr<mscom> startLogger();
    void tickFor(mscom& logger, qint64 ms); // a tick every 100 ms, like Timer1

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<RegisterImage> registers;
    std::unique_ptr<LoggerState> logging;
    QString path;
    SettableClock clock;
};

void TestRecordLogger::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    path = dir->filePath(QStringLiteral("records.db"));
    clock.set(QDateTime(kDay, QTime(12, 0, 0, 300)));
    registers = std::make_unique<RegisterImage>();
    logging = std::make_unique<LoggerState>();
}

void TestRecordLogger::cleanup() {
    dir.reset();
}

std::unique_ptr<mscom> TestRecordLogger::startLogger() {
    auto logger = std::make_unique<mscom>(*registers, *logging, path, &clock);
    logger->timer().stop(); // ticks are driven by the test
    return logger;
}

void TestRecordLogger::tickFor(mscom& logger, qint64 ms) {
    for (qint64 t = 0; t < ms; t += 100) {
        clock.advanceMs(100);
        logger.Timer1_Timer();
    }
}

void TestRecordLogger::elapsedSeconds_data() {
    QTest::addColumn<QDateTime>("last");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<double>("seconds");
    const QDateTime noon(kDay, QTime(12, 0, 0));
    QTest::newRow("same second, later milliseconds")
        << noon << QDateTime(kDay, QTime(12, 0, 0, 999)) << 0.0;
    QTest::newRow("next second") << noon << QDateTime(kDay, QTime(12, 0, 1, 1)) << 1.0;
    QTest::newRow("ten seconds") << noon << noon.addSecs(10) << 10.0;
    QTest::newRow("back one hour is positive") << noon << noon.addSecs(-3600) << 3600.0;
    QTest::newRow("across midnight")
        << QDateTime(kDay, QTime(23, 59, 59)) << QDateTime(kDay.addDays(1), QTime(0, 0, 0)) << 1.0;
    QTest::newRow("back across midnight") << QDateTime(kDay, QTime(0, 0, 5))
                                          << QDateTime(kDay.addDays(-1), QTime(23, 59, 55)) << 10.0;
}

void TestRecordLogger::elapsedSeconds() {
    QFETCH(QDateTime, last);
    QFETCH(QDateTime, now);
    QFETCH(double, seconds);
    auto logger = startLogger();
    clock.set(now);
    logging->LastShortDate = ole_date(last.date());
    logging->LastShortTime = ole_time(last.time());
    logging->LastLongDate = logging->LastShortDate;
    logging->LastLongTime = logging->LastShortTime;
    QCOMPARE(logger->okitime(), seconds);
    QCOMPARE(logger->Rec1_time(), seconds);
}

void TestRecordLogger::firstTickWritesBothRecords() {
    const std::array<float, 8> image{21.5f, 0.1f, 150.f, -3.7f, 1234.5f, 99.9f, 0.f, 4.f};
    std::copy(image.begin(), image.end(), registers->Val3X.begin());
    registers->Val3X[8] = 555.f; // not part of a record
    auto logger = startLogger();
    logger->Timer1_Timer();

    RecordFile file(path);
    QCOMPARE(*file.positions(), (std::array<qint64, 4>{1, 1, 1, 1}));
    for (int table : {0, 1}) {
        QSqlQuery row(file.db());
        QVERIFY(row.exec(QStringLiteral("select * from ") + table_name(table)));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toInt(), 1);
        QCOMPARE(row.value(1).toDouble(), ole_date(kDay));
        QCOMPARE(row.value(2).toDouble(), 0.5); // 12:00:00, the milliseconds dropped
        for (int i = 0; i < 8; ++i)             // single floats, not the nearest doubles
            QCOMPARE(row.value(3 + i).toDouble(), double(image[i]));
        QVERIFY(!row.next());
    }
    QCOMPARE(logging->LastShortDate, ole_date(kDay));
    QCOMPARE(logging->LastLongTime, 0.5);
    QCOMPARE(logger->okitime(), 0.0);

    tickFor(*logger, 600); // still 12:00:00
    QCOMPARE(file.count(QStringLiteral("pv_data")), 1);
    QCOMPARE(logger->store().status().state, RecordStoreState::Ok);
}

void TestRecordLogger::freshFileAppendsAndSpaces() {
    auto logger = startLogger();
    logger->Timer1_Timer();
    tickFor(*logger, 25000); // to 12:00:25.3

    RecordFile file(path);
    const auto shortRows = stamps(file, QStringLiteral("pv_data"));
    const auto longRows = stamps(file, QStringLiteral("Lpv_wdjl"));
    QCOMPARE(shortRows.size(), size_t(26));
    QCOMPARE(longRows.size(), size_t(3));
    for (size_t i = 0; i < shortRows.size(); ++i) {
        QCOMPARE(shortRows[i].number, qint64(i + 1));
        if (i > 0)
            QCOMPARE(seconds_between(shortRows[i - 1], shortRows[i]), qint64(1));
    }
    for (size_t i = 0; i < longRows.size(); ++i) {
        QCOMPARE(longRows[i].number, qint64(i + 1));
        if (i > 0)
            QCOMPARE(seconds_between(longRows[i - 1], longRows[i]), qint64(10));
    }
    QCOMPARE(*file.positions(), (std::array<qint64, 4>{26, 26, 3, 3}));
}

void TestRecordLogger::ringNumbering_data() {
    QTest::addColumn<int>("table");
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<int>("rowsBefore");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("second");
    QTest::addColumn<int>("rowsAfter");
    QTest::newRow("short 65499 -> 65500 -> 1")
        << 0 << qint64(65499) << kRingSize << qint64(65500) << qint64(1) << kRingSize;
    QTest::newRow("short 65500 -> 1 -> 2")
        << 0 << qint64(65500) << kRingSize << qint64(1) << qint64(2) << kRingSize;
    QTest::newRow("short above the ring -> 1")
        << 0 << qint64(65535) << 3 << qint64(1) << qint64(2) << 3;
    QTest::newRow("short fresh") << 0 << qint64(0) << 0 << qint64(1) << qint64(2) << 2;
    QTest::newRow("short negative -> 1") << 0 << qint64(-7) << 0 << qint64(1) << qint64(2) << 2;
    QTest::newRow("long 65499 -> 65500 -> 1")
        << 1 << qint64(65499) << kRingSize << qint64(65500) << qint64(1) << kRingSize;
    QTest::newRow("long above the ring -> 1")
        << 1 << qint64(70000) << 5 << qint64(1) << qint64(2) << 5;
}

void TestRecordLogger::ringNumbering() {
    QFETCH(int, table);
    QFETCH(qint64, stored);
    QFETCH(int, rowsBefore);
    QFETCH(qint64, first);
    QFETCH(qint64, second);
    QFETCH(int, rowsAfter);
    const QString name = table_name(table);
    auto logger = startLogger();
    {
        RecordFile file(path);
        if (rowsBefore > 0)
            QVERIFY(file.fillRing(name, rowsBefore, rowsBefore, 1, 45000));
        QVERIFY(file.setPositions(stored, stored));
    }
    registers->Val3X[0] = 11.f;
    logger->Timer1_Timer();
    registers->Val3X[0] = 22.f;
    tickFor(*logger, table == 0 ? 1000 : 10000);

    RecordFile file(path);
    QCOMPARE(file.count(name), rowsAfter);
    QCOMPARE((*file.positions())[table * 2], second);
    QCOMPARE((*file.positions())[table * 2 + 1], second);
    const QString key = table == 0 ? QStringLiteral("w_id") : QStringLiteral("lw_id");
    for (auto [number, value] : {std::pair{first, 11.f}, std::pair{second, 22.f}}) {
        const QString where = QStringLiteral("%1 where %2 = %3").arg(name, key).arg(number);
        QCOMPARE(file.count(where), 1); // overwritten in place, never doubled
        QCOMPARE(file.scalar(QStringLiteral("select val0 from ") + where)->toFloat(), value);
        QCOMPARE(file.scalar(QStringLiteral("select w_date from ") + where)->toDouble(),
                 ole_date(kDay));
    }
    QCOMPARE(file.count(name + QStringLiteral(" where ") + key + QStringLiteral(" <= 0")), 0);
}

void TestRecordLogger::clockJump_data() {
    QTest::addColumn<int>("jump"); // seconds the clock is set by, between two ticks
    QTest::addColumn<bool>("longAtOnce");
    QTest::newRow("back one hour") << -3600 << true;
    QTest::newRow("back one second") << -1 << false;
    QTest::newRow("forward one hour") << 3600 << true;
}

void TestRecordLogger::clockJump() {
    QFETCH(int, jump);
    QFETCH(bool, longAtOnce);
    auto logger = startLogger();
    logger->Timer1_Timer(); // 12:00:00.3: both records
    tickFor(*logger, 500);  // 12:00:00.8: nothing
    clock.advanceSeconds(jump);
    logger->Timer1_Timer();
    RecordFile file(path);
    QCOMPARE(file.count(QStringLiteral("pv_data")), 2);
    QCOMPARE(file.count(QStringLiteral("Lpv_wdjl")), longAtOnce ? 2 : 1);

    // From the new time on: a short record each second, a long one each ten seconds.
    const QDateTime jumped = clock.now();
    tickFor(*logger, 20000);
    const auto shortRows = stamps(file, QStringLiteral("pv_data"));
    QCOMPARE(shortRows.size(), size_t(22));
    const Stamp origin{0, ole_date(jumped.date()), ole_time(jumped.time())};
    for (size_t i = 1; i < shortRows.size(); ++i)
        QCOMPARE(seconds_between(origin, shortRows[i]), qint64(i - 1));
    if (longAtOnce) {
        const auto longRows = stamps(file, QStringLiteral("Lpv_wdjl"));
        QCOMPARE(longRows.size(), size_t(4));
        for (size_t i = 1; i < longRows.size(); ++i)
            QCOMPARE(seconds_between(origin, longRows[i]), qint64(10 * (i - 1)));
    }
}

void TestRecordLogger::acrossMidnight() {
    clock.set(QDateTime(kDay, QTime(23, 59, 55, 50)));
    auto logger = startLogger();
    logger->Timer1_Timer();
    tickFor(*logger, 20000); // to 00:00:15.05

    RecordFile file(path);
    const auto shortRows = stamps(file, QStringLiteral("pv_data"));
    QCOMPARE(shortRows.size(), size_t(21));
    for (size_t i = 1; i < shortRows.size(); ++i)
        QCOMPARE(seconds_between(shortRows[i - 1], shortRows[i]), qint64(1));
    QCOMPARE(shortRows[5].date, ole_date(kDay.addDays(1))); // 00:00:00 of the next day
    QCOMPARE(shortRows[5].time, 0.0);
    const auto longRows = stamps(file, QStringLiteral("Lpv_wdjl"));
    QCOMPARE(longRows.size(), size_t(3)); // 23:59:55, 00:00:05, 00:00:15
    QCOMPARE(longRows[1].date, ole_date(kDay.addDays(1)));
    QCOMPARE(qRound64(longRows[1].time * kSecondsPerDay), qint64(5));
}

void TestRecordLogger::flags_data() {
    QTest::addColumn<bool>("screenOpen");
    QTest::addColumn<bool>("shortBefore");
    QTest::addColumn<bool>("longBefore");
    QTest::addColumn<int>("advance"); // seconds after the first record
    QTest::addColumn<bool>("shortAfter");
    QTest::addColumn<bool>("longAfter");
    QTest::newRow("no screen: nothing raised") << false << false << false << 10 << false << false;
    QTest::newRow("no screen: raised flags kept") << false << true << true << 10 << true << true;
    QTest::newRow("no screen: one raised kept") << false << false << true << 1 << false << true;
    QTest::newRow("screen: both records") << true << false << false << 10 << true << true;
    QTest::newRow("screen: short record only") << true << false << false << 1 << true << false;
    QTest::newRow("screen: long flag left raised") << true << false << true << 1 << true << true;
    QTest::newRow("screen: no record due") << true << false << false << 0 << false << false;
}

void TestRecordLogger::flags() {
    QFETCH(bool, screenOpen);
    QFETCH(bool, shortBefore);
    QFETCH(bool, longBefore);
    QFETCH(int, advance);
    QFETCH(bool, shortAfter);
    QFETCH(bool, longAfter);
    auto logger = startLogger();
    logger->Timer1_Timer();
    logging->CurveScreenOpen = screenOpen;
    logging->NewShortRecord = shortBefore;
    logging->NewLongRecord = longBefore;
    clock.advanceSeconds(advance);
    logger->Timer1_Timer();
    QCOMPARE(logging->NewShortRecord, shortAfter);
    QCOMPARE(logging->NewLongRecord, longAfter);
}

void TestRecordLogger::shortBeforeLongFromOnePositionRead() {
    auto logger = startLogger();
    {
        RecordFile file(path);
        QVERIFY(file.setPositions(5, 9));
        // Every row written lands in a log, in the order written.
        QCOMPARE(file.run(QStringLiteral("create table written (name text)")), QString());
        for (const char* table : {"pv_data", "Lpv_wdjl"}) {
            QCOMPARE(file.run(QStringLiteral("create trigger log_%1 after insert on %1 begin "
                                             "insert into written values ('%1'); end")
                                  .arg(QLatin1StringView(table))),
                     QString());
        }
    }
    logger->Timer1_Timer();
    RecordFile file(path);
    QSqlQuery log(file.db());
    QVERIFY(log.exec(QStringLiteral("select name from written order by rowid")));
    QStringList order;
    while (log.next())
        order << log.value(0).toString();
    QCOMPARE(order, (QStringList{QStringLiteral("pv_data"), QStringLiteral("Lpv_wdjl")}));
    QCOMPARE(*file.positions(), (std::array<qint64, 4>{6, 6, 10, 10}));
    QCOMPARE(file.count(QStringLiteral("pv_data where w_id = 6")), 1);
    QCOMPARE(file.count(QStringLiteral("Lpv_wdjl where lw_id = 10")), 1);
}

void TestRecordLogger::slVoidWithoutRowUsesWorkingCopies() {
    auto logger = startLogger();
    logger->Timer1_Timer(); // records 1 and 1
    RecordFile file(path);
    QCOMPARE(file.run(QStringLiteral("delete from sl_void")), QString());
    clock.advanceSeconds(10);
    logger->Timer1_Timer();
    // Numbering went on in memory; with no position to store, the records were not kept.
    QCOMPARE(logger->shortPosition(), 2);
    QCOMPARE(logger->longPosition(), 2);
    QCOMPARE(file.count(QStringLiteral("pv_data")), 1);
    QCOMPARE(logger->store().status().state, RecordStoreState::Failed);

    QCOMPARE(file.run(QStringLiteral("insert into sl_void values (40, 40, 7, 7)")), QString());
    clock.advanceSeconds(10);
    logger->Timer1_Timer();
    QCOMPARE(*file.positions(), (std::array<qint64, 4>{41, 41, 8, 8}));
    QCOMPARE(file.count(QStringLiteral("pv_data where w_id = 41")), 1);
    QCOMPARE(logger->store().status().state, RecordStoreState::Ok);
}

void TestRecordLogger::unopenableFileKeepsRunningThenRecovers() {
    QVERIFY(QDir().mkpath(path)); // a folder where the file should be
    auto logger = startLogger();
    logging->CurveScreenOpen = true;
    logger->Timer1_Timer();
    tickFor(*logger, 3000);
    QCOMPARE(logger->store().status().state, RecordStoreState::Unreadable);
    QCOMPARE(logger->shortPosition(), 0); // nothing recorded, nothing numbered
    QCOMPARE(logging->LastShortTime, ole_time(clock.now().time()));
    QVERIFY(logging->NewShortRecord); // the screen still takes its points from the register image

    QVERIFY(QDir(path).removeRecursively());
    tickFor(*logger, 1000);
    QCOMPARE(logger->store().status().state, RecordStoreState::Ok);
    RecordFile file(path);
    QCOMPARE(file.count(QStringLiteral("pv_data")), 1);
    QCOMPARE((*file.positions())[0], qint64(1));
}

QTEST_GUILESS_MAIN(TestRecordLogger)
#include "test_record_logger.moc"
