// The record store against real SQLite files in a temporary folder: creation of a missing file,
// the window queries with and without the wrap, the row-and-position transaction and the status
// of files that cannot be read or written.

#include "core/clock.h"
#include "records/record_store.h"
#include "support/record_file.h"
#include "support/settable_clock.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const std::array<float, 8> kValues{12.3f, 45.6f, 0.1f, -7.5f, 1500.f, 3.3f, 99.9f, 2.f};

// Ring order of a window: its record numbers oldest first.
std::vector<qint32> ring_window(qint32 windowStart, qint32 windowLen) {
    std::vector<qint32> numbers;
    for (qint32 k = 0; k < windowLen; ++k)
        numbers.push_back((windowStart + k) % kRingSize + 1);
    return numbers;
}

// Sets or clears the immutable attribute; false when the file system or rights refuse it.
bool set_immutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

QString query_plan(const RecordFile& file, const QString& sql) {
    QSqlQuery query(file.db());
    QStringList steps;
    if (!query.exec(QStringLiteral("explain query plan ") + sql))
        return query.lastError().text();
    while (query.next())
        steps << query.value(3).toString();
    return steps.join(QStringLiteral("; "));
}

} // namespace

class TestRecordStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void missingFileCreated();
    void recordEditedInPlaceOnceItExists();
    void nullNumberRowIsNotEdited();
    void window_data();
    void window();
    void windowWithFewerRowsThanAsked();
    void sourcesReadTheirOwnColumns();
    void failedPositionLeavesNoRow_data();
    void failedPositionLeavesNoRow();
    void emptySlVoidWritesNothing();
    void corruptFile();
    void unreadablePath_data();
    void unreadablePath();
    void unwritableFileThenWritableAgain();
    void lockedFile();
    void statusSignalOnWrite();
    void twoStoresOnOneFile();

private:
    QString freshPath() const { return dir->filePath(QStringLiteral("sub/folder/records.db")); }

    std::unique_ptr<QTemporaryDir> ringDir;
    QString ringPath; // full rings, shared by the window tests
    std::unique_ptr<QTemporaryDir> dir;
    SettableClock clock;
};

void TestRecordStore::initTestCase() {
    ringDir = std::make_unique<QTemporaryDir>();
    QVERIFY(ringDir->isValid());
    ringPath = ringDir->filePath(QStringLiteral("ring.db"));
    {
        RecordStore store(ringPath);
        QVERIFY(store.open());
    }
    RecordFile file(ringPath);
    QVERIFY(file.fillRing(QStringLiteral("pv_data"), kRingSize, 100, 1));
    QVERIFY(file.fillRing(QStringLiteral("Lpv_wdjl"), kRingSize, 100, 10));
    QVERIFY(file.setPositions(100, 100));
}

void TestRecordStore::cleanupTestCase() {
    ringDir.reset();
}

void TestRecordStore::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    set_console_clock(&clock);
}

void TestRecordStore::cleanup() {
    set_console_clock(nullptr);
    dir.reset();
}

void TestRecordStore::missingFileCreated() {
    RecordStore store(freshPath());
    QVERIFY(store.open());
    QCOMPARE(store.status().state, RecordStoreState::Ok);
    QVERIFY(QFile::exists(freshPath()));

    RecordFile file(freshPath());
    QCOMPARE(file.count(QStringLiteral("sl_void")), 1);
    QCOMPARE(*file.positions(), (std::array<qint64, 4>{0, 0, 0, 0}));
    QCOMPARE(file.count(QStringLiteral("pv_data")), 0);
    QCOMPARE(file.count(QStringLiteral("Lpv_wdjl")), 0);
    QCOMPARE(file.scalar(QStringLiteral("pragma journal_mode"))->toString(), QStringLiteral("wal"));
    // Column order of the record tables: number, date, time, then the eight values.
    QCOMPARE(file.count(QStringLiteral("pragma_table_info('pv_data')")), 11);
    QCOMPARE(file.scalar(QStringLiteral("select name from pragma_table_info('Lpv_wdjl') "
                                        "where cid = 0"))
                 ->toString(),
             QStringLiteral("lw_id"));
    // The window and number queries are answered from an index on the record number.
    const QString queries[] = {
        QStringLiteral("select * from  pv_data where w_id=5"),
        QStringLiteral("select * from  Lpv_wdjl   Where lw_id = 5"),
        QStringLiteral("select * from  pv_data where w_id  between 760 and 1000 order by "
                       "w_date,w_time"),
        QStringLiteral("select * from  lpv_wdjl where lw_id <= 100 or lw_id >= 65360 order by "
                       "w_date,w_time "),
    };
    for (const QString& query : queries) {
        const QString plan = query_plan(file, query);
        QVERIFY2(plan.contains(QStringLiteral("USING INDEX")), qPrintable(query + " : " + plan));
        QVERIFY2(!plan.contains(QStringLiteral("SCAN")), qPrintable(query + " : " + plan));
    }
    QCOMPARE(*store.readPositions(), (SlVoid{0, 0, 0, 0}));
}

void TestRecordStore::recordEditedInPlaceOnceItExists() {
    RecordStore store(freshPath());
    QVERIFY(store.open());
    QVERIFY(store.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    std::array<float, 8> later = kValues;
    later[0] = 777.25f;
    QVERIFY(store.writeRecord(RecordTable::Short, 1, 45001, 0.25, later));

    RecordFile file(freshPath());
    QCOMPARE(file.count(QStringLiteral("pv_data")), 1);
    QCOMPARE(file.scalar(QStringLiteral("select w_date from pv_data"))->toDouble(), 45001.0);
    QCOMPARE(file.scalar(QStringLiteral("select val0 from pv_data"))->toFloat(), 777.25f);
    QCOMPARE(*file.positions(), (std::array<qint64, 4>{1, 1, 0, 0}));
}

void TestRecordStore::nullNumberRowIsNotEdited() {
    RecordStore store(freshPath());
    QVERIFY(store.open());
    RecordFile file(freshPath());
    QCOMPARE(file.run(QStringLiteral("insert into pv_data (w_id, w_date, val0) values "
                                     "(null, 44000, 5)")),
             QString());
    QVERIFY(store.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    QCOMPARE(file.count(QStringLiteral("pv_data")), 2);
    QCOMPARE(file.count(QStringLiteral("pv_data where w_id is null and w_date = 44000 and "
                                       "val0 = 5")),
             1);
}

void TestRecordStore::window_data() {
    QTest::addColumn<int>("table");
    QTest::addColumn<qint32>("windowEnd");
    QTest::addColumn<qint32>("windowLen");
    // The chart computes the start: WindowEnd - WindowLen, or across the wrap
    // 65500 - (WindowLen - WindowEnd).
    QTest::newRow("following 1000/241") << 0 << 1000 << 241;
    QTest::newRow("wrap 100/241") << 0 << 100 << 241;
    QTest::newRow("wrap 100/321") << 0 << 100 << 321;
    QTest::newRow("end 241/241, no wrap") << 0 << 241 << 241;
    QTest::newRow("end 240/241, one past the wrap") << 0 << 240 << 241;
    QTest::newRow("ring end 65500/241") << 0 << 65500 << 241;
    QTest::newRow("paged back 65000/321") << 0 << 65000 << 321;
    QTest::newRow("long 1000/241") << 1 << 1000 << 241;
    QTest::newRow("long wrap 100/321") << 1 << 100 << 321;
}

void TestRecordStore::window() {
    QFETCH(int, table);
    QFETCH(qint32, windowEnd);
    QFETCH(qint32, windowLen);
    const qint32 windowStart =
        windowEnd >= windowLen ? windowEnd - windowLen : kRingSize - (windowLen - windowEnd);

    RecordStore store(ringPath);
    QVERIFY(store.open());
    RecordSource& source = table == 0 ? store.shortRecords() : store.longRecords();
    const std::vector<RecordRow> rows = source.window(windowStart, windowEnd);

    // The ring's newest record is 100: a window spanning it starts after it in time, so the
    // expected order is by age, which for these windows is ring order from the oldest.
    std::vector<qint32> expected = ring_window(windowStart, windowLen);
    std::stable_sort(expected.begin(), expected.end(), [](qint32 a, qint32 b) {
        auto age = [](qint32 n) { return ((n - 100 - 1) % kRingSize + kRingSize) % kRingSize; };
        return age(a) < age(b);
    });
    QCOMPARE(rows.size(), size_t(windowLen));
    for (size_t i = 0; i < rows.size(); ++i) {
        QCOMPARE(qint32(rows[i].values[0]), expected[i]);
        QCOMPARE(rows[i].values[1], float(expected[i]) / 2);
        if (i > 0)
            QVERIFY(rows[i].date + rows[i].time > rows[i - 1].date + rows[i - 1].time);
    }
    QCOMPARE(store.status().state, RecordStoreState::Ok);
}

void TestRecordStore::windowWithFewerRowsThanAsked() {
    RecordStore store(freshPath());
    QVERIFY(store.open());
    for (qint32 n = 1; n <= 10; ++n)
        QVERIFY(store.writeRecord(RecordTable::Short, n, 45000, n / 86400.0, kValues));
    const std::vector<RecordRow> rows = store.shortRecords().window(kRingSize - 231, 10);
    QCOMPARE(rows.size(), size_t(10));
    QCOMPARE(rows.front().time, 1 / 86400.0);
    QCOMPARE(rows.back().time, 10 / 86400.0);
}

void TestRecordStore::sourcesReadTheirOwnColumns() {
    RecordStore store(freshPath());
    QVERIFY(store.open());
    RecordFile file(freshPath());
    QCOMPARE(file.run(QStringLiteral("update sl_void set w_pos = 11, w_pos_copy = 12, "
                                     "lw_pos = 13, lw_pos_copy = 14")),
             QString());
    QCOMPARE(store.shortRecords().writePosition(), std::optional<qint32>(11));
    QCOMPARE(store.longRecords().writePosition(), std::optional<qint32>(13));
    QCOMPARE(*store.readPositions(), (SlVoid{11, 12, 13, 14}));
}

void TestRecordStore::failedPositionLeavesNoRow_data() {
    QTest::addColumn<int>("table");
    QTest::newRow("short record") << 0;
    QTest::newRow("long record") << 1;
}

void TestRecordStore::failedPositionLeavesNoRow() {
    QFETCH(int, table);
    const RecordTable which = table == 0 ? RecordTable::Short : RecordTable::Long;
    const QString name = table == 0 ? QStringLiteral("pv_data") : QStringLiteral("Lpv_wdjl");
    RecordStore store(freshPath());
    QVERIFY(store.open());
    RecordFile file(freshPath());
    // The position update fails after the row has been written inside the transaction.
    QCOMPARE(file.run(QStringLiteral("create trigger refuse before update on sl_void begin "
                                     "select raise(abort, 'position refused'); end")),
             QString());

    QVERIFY(!store.writeRecord(which, 1, 45000, 0.5, kValues));
    QCOMPARE(file.count(name), 0);
    QCOMPARE(*file.positions(), (std::array<qint64, 4>{0, 0, 0, 0}));
    QCOMPARE(store.status().state, RecordStoreState::Failed);
    QVERIFY2(store.status().text.contains(QStringLiteral("position refused")),
             qPrintable(store.status().text));
    QCOMPARE(store.status().writes, quint64(0));

    // An existing row keeps its old values too.
    QCOMPARE(file.run(QStringLiteral("drop trigger refuse")), QString());
    QVERIFY(store.writeRecord(which, 1, 45000, 0.5, kValues));
    QCOMPARE(file.run(QStringLiteral("create trigger refuse before update on sl_void begin "
                                     "select raise(abort, 'position refused'); end")),
             QString());
    QVERIFY(!store.writeRecord(which, 1, 46000, 0.75, kValues));
    QCOMPARE(file.scalar(QStringLiteral("select w_date from ") + name)->toDouble(), 45000.0);

    QCOMPARE(file.run(QStringLiteral("drop trigger refuse")), QString());
    QVERIFY(store.writeRecord(which, 2, 45000, 0.5, kValues));
    QCOMPARE(file.count(name), 2);
    QCOMPARE(store.status().state, RecordStoreState::Ok);
}

void TestRecordStore::emptySlVoidWritesNothing() {
    RecordStore store(freshPath());
    QVERIFY(store.open());
    RecordFile file(freshPath());
    QCOMPARE(file.run(QStringLiteral("delete from sl_void")), QString());
    QVERIFY(!store.readPositions());
    QVERIFY(!store.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    QCOMPARE(file.count(QStringLiteral("pv_data")), 0);
    QCOMPARE(store.status().state, RecordStoreState::Failed);
    QCOMPARE(store.status().text, QStringLiteral("sl_void holds no row"));
}

void TestRecordStore::corruptFile() {
    QVERIFY(QDir().mkpath(QFileInfo(freshPath()).absolutePath()));
    QFile garbage(freshPath());
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, '\x5a'));
    garbage.close();

    RecordStore store(freshPath());
    QVERIFY(!store.open());
    QCOMPARE(store.status().state, RecordStoreState::Corrupt);
    QVERIFY(!store.readPositions());
    QVERIFY(store.shortRecords().window(0, 241).empty());
    QVERIFY(!store.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    QCOMPARE(store.status().state, RecordStoreState::Corrupt);
    QCOMPARE(QFile(freshPath()).size(), 8192); // the damaged file is left as it was

    // Once the damaged file is taken away, the next operation starts a fresh one.
    QVERIFY(QFile::remove(freshPath()));
    QVERIFY(store.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    QCOMPARE(store.status().state, RecordStoreState::Ok);
}

void TestRecordStore::unreadablePath_data() {
    QTest::addColumn<QString>("setup");
    QTest::newRow("path is a folder") << QStringLiteral("folder");
    QTest::newRow("parent is a file") << QStringLiteral("file-parent");
}

void TestRecordStore::unreadablePath() {
    QFETCH(QString, setup);
    QString path = freshPath();
    if (setup == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QFile blocker(dir->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        path = dir->filePath(QStringLiteral("blocker/records.db"));
    }
    RecordStore store(path);
    QSignalSpy spy(&store, &RecordStore::statusChanged);
    QVERIFY(!store.open());
    QCOMPARE(store.status().state, RecordStoreState::Unreadable);
    QVERIFY(!store.status().text.isEmpty());
    QVERIFY(spy.count() >= 1);
    QVERIFY(!store.readPositions());
    QVERIFY(!store.writeRecord(RecordTable::Long, 1, 45000, 0.5, kValues));
    QCOMPARE(store.status().failures, quint64(3));
}

void TestRecordStore::unwritableFileThenWritableAgain() {
    {
        RecordStore first(freshPath());
        QVERIFY(first.open());
        QVERIFY(first.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    }
    if (!set_immutable(freshPath(), true)) {
        QFile::setPermissions(freshPath(), QFile::ReadOwner | QFile::ReadGroup);
        if (::access(QFile::encodeName(freshPath()).constData(), W_OK) == 0)
            QSKIP("no way to make a file read-only for this user on this file system");
    }
    RecordStore store(freshPath());
    store.open();
    const auto positions = store.readPositions(); // reading still works
    const bool written = store.writeRecord(RecordTable::Short, 2, 45000, 0.6, kValues);
    const RecordStoreStatus status = store.status();
    set_immutable(freshPath(), false);
    QFile::setPermissions(freshPath(), QFile::ReadOwner | QFile::WriteOwner);

    QCOMPARE(positions, std::optional<SlVoid>(SlVoid{1, 1, 0, 0}));
    QVERIFY(!written);
    QCOMPARE(status.state, RecordStoreState::Unwritable);
    // Writable again: the next record goes in without reopening by hand.
    QVERIFY(store.writeRecord(RecordTable::Short, 2, 45000, 0.6, kValues));
    QCOMPARE(store.status().state, RecordStoreState::Ok);
    QCOMPARE(*store.readPositions(), (SlVoid{2, 2, 0, 0}));
}

void TestRecordStore::lockedFile() {
    RecordStore store(freshPath());
    QVERIFY(store.open());
    RecordFile other(freshPath());
    QCOMPARE(other.run(QStringLiteral("begin exclusive")), QString());
    QVERIFY(!store.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    QCOMPARE(store.status().state, RecordStoreState::Locked);
    QCOMPARE(other.run(QStringLiteral("commit")), QString());
    QVERIFY(store.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    QCOMPARE(store.status().state, RecordStoreState::Ok);
    QCOMPARE(other.count(QStringLiteral("pv_data")), 1);
}

void TestRecordStore::statusSignalOnWrite() {
    RecordStore store(freshPath());
    QVERIFY(store.open());
    QSignalSpy spy(&store, &RecordStore::statusChanged);
    clock.set(QDateTime(QDate(2024, 3, 5), QTime(8, 30, 15)));
    QVERIFY(store.writeRecord(RecordTable::Long, 1, 45000, 0.5, kValues));
    QCOMPARE(spy.count(), 1);
    const auto status = spy.at(0).at(0).value<RecordStoreStatus>();
    QCOMPARE(status.writes, quint64(1));
    QCOMPARE(status.lastWrite, clock.now());
    QCOMPARE(status.text, QStringLiteral("ok"));
    // A read that changes nothing sends nothing.
    QVERIFY(store.readPositions());
    QCOMPARE(spy.count(), 1);
}

void TestRecordStore::twoStoresOnOneFile() {
    RecordStore logger(freshPath());
    RecordStore screen(freshPath());
    QVERIFY(logger.open());
    QVERIFY(screen.open());
    QVERIFY(logger.writeRecord(RecordTable::Short, 1, 45000, 0.5, kValues));
    QCOMPARE(screen.shortRecords().writePosition(), std::optional<qint32>(1));
    screen.close(); // the screen is unloaded; the logger carries on
    QVERIFY(!screen.readPositions());
    QVERIFY(logger.writeRecord(RecordTable::Short, 2, 45000, 0.6, kValues));
    QCOMPARE(logger.shortRecords().window(0, 2).size(), size_t(2));
}

QTEST_GUILESS_MAIN(TestRecordStore)
#include "test_record_store.moc"
