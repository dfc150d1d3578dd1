// The historian against a PostgreSQL server (MT_TEST_PG; scripts/bench starts a throwaway one):
// catch-up of a full short ring, a full long ring and 100 000 events, in rows a second (the aim:
// at least 20 000), the UI thread's worst lateness while the forwarder's thread catches up (under
// 16 ms), the lag from a record's writing to its central commit (median under 2 s), and one
// console-day of short records read back by the index with ten consoles' weeks in the table (the
// aim: under 100 ms). Run by hand: scripts/bench, or bench_historian after `source
// scripts/pg-throwaway && pg_throwaway_start`.
#include "core/conversions.h"
#include "historian/forwarder.h"
#include "journal/journal_store.h"
#include "records/record_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

ForwarderConfig config(const QString& file) {
    QString why;
    return {file,
            HistorianConninfo::parse(qEnvironmentVariable("MT_TEST_PG"), &why).value(),
            QStringLiteral("bench"),
            1,
            {},
            {},
            5000};
}

// Rows straight into the record file in one transaction: a full ring, or the journal.
bool fill(const QString& file, const QString& sql, int rows) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(file);
    bool ok = db.open() && db.transaction();
    {
        QSqlQuery q(db);
        ok = ok && q.prepare(sql);
        // Every mark takes the row's number.
        const qsizetype marks = sql.count(u'?');
        for (int n = 1; ok && n <= rows; ++n) {
            for (qsizetype m = 0; m < marks; ++m)
                q.bindValue(int(m), n);
            ok = q.exec();
        }
        if (!ok)
            std::fprintf(stderr, "bench_historian: %s\n", qPrintable(q.lastError().text()));
        ok = ok && db.commit();
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    return ok;
}

void catch_up(const char* what, const QString& file, qint64 rows) {
    ForwardPass pass(config(file));
    QString why;
    QElapsedTimer t;
    t.start();
    ForwardPass::Outcome outcome = ForwardPass::Outcome::Sent;
    if (pass.start(&why))
        while ((outcome = pass.step(&why)) == ForwardPass::Outcome::Sent) {
        }
    const double s = t.nsecsElapsed() / 1e9;
    if (outcome == ForwardPass::Outcome::Failed || pass.sent() < rows)
        std::printf("%-34s FAILED after %lld rows: %s\n", what, pass.sent(), qPrintable(why));
    else
        std::printf("%-34s %8lld rows in %6.2f s: %8.0f rows/s\n", what, qint64(pass.sent()), s,
                    double(pass.sent()) / s);
}

// Waits in the event loop (timers run) until `done`, at most `ms`.
bool wait_for(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

// The forwarder on its thread: the UI thread's worst lateness (a 10 ms timer) while it catches
// up a full short ring, then the lag from a record's commit in the file to its commit centrally.
void thread_and_lag(const QString& file) {
    HistorianForwarder forwarder(config(file));
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last)
            worst = std::max(worst, now - last - 10'000'000);
        last = now;
    });
    tick.start(10);
    forwarder.start();
    const auto current = [&] { return forwarder.state().phase == HistorianState::Phase::Current; };
    wait_for(current, 120000);
    std::printf("%-34s %8.1f ms late at worst (10 ms timer)\n", "UI thread while catching up",
                worst / 1e6);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("lag"));
    db.setConnectOptions(qEnvironmentVariable("MT_TEST_PG").replace(u' ', u';'));
    db.open();
    RecordStore store(file);
    store.open();
    std::vector<double> lags;
    for (int n = 1; n <= 10; ++n) {
        wait_for([] { return false; }, 1000); // one record a second, as the logger writes them
        const QDateTime now = QDateTime::currentDateTime();
        store.writeRecord(RecordTable::Short, n, ole_date(now.date()), ole_time(now.time()), {});
        QElapsedTimer lag;
        lag.start();
        QSqlQuery q(db);
        const auto arrived = [&] {
            return q.exec(QStringLiteral("select count(*) from records where stream = 'short' "
                                         "and ring_number = %1 and sampled_utc > now() - "
                                         "interval '1 min'")
                              .arg(n)) &&
                   q.next() && q.value(0).toInt() > 0;
        };
        wait_for(arrived, 30000);
        lags.push_back(lag.nsecsElapsed() / 1e6);
    }
    std::sort(lags.begin(), lags.end());
    std::printf("%-34s %8.0f ms median, %.0f ms at most\n", "record to central commit",
                lags[lags.size() / 2], lags.back());
}

void read_back(int consoles, int days) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("read"));
    db.setConnectOptions(qEnvironmentVariable("MT_TEST_PG").replace(u' ', u';'));
    if (!db.open())
        return;
    QSqlQuery q(db);
    QElapsedTimer t;
    t.start();
    // Ten consoles' weeks of short records, made by the server itself.
    q.exec(QStringLiteral("insert into records (console, address, stream, ring_number, "
                          "sampled_utc, val0) select ('00000000-0000-0000-0000-'||lpad(c::text, "
                          "12, '0'))::uuid, 1, 'short', s % 65500 + 1, timestamptz "
                          "'2026-01-01' + s * interval '1 s', s from generate_series(1, %1) c, "
                          "generate_series(0, %2) s on conflict do nothing")
               .arg(consoles)
               .arg(days * 86400 - 1));
    q.exec(QStringLiteral("analyze records"));
    std::printf("%-34s %8d consoles x %d days made in %.0f s\n", "read-back table", consoles, days,
                t.nsecsElapsed() / 1e9);
    for (int day = 1; day <= std::min(days, 3); ++day) {
        t.restart();
        q.exec(QStringLiteral("select sampled_utc, val0 from records where console = "
                              "'00000000-0000-0000-0000-000000000003' and sampled_utc >= "
                              "timestamptz '2026-01-0%1' and sampled_utc < timestamptz "
                              "'2026-01-0%2' order by sampled_utc")
                   .arg(day)
                   .arg(day + 1));
        int rows = 0;
        while (q.next())
            ++rows;
        std::printf("%-34s %8d rows in %6.1f ms%s\n", "one console-day read back", rows,
                    t.nsecsElapsed() / 1e6, qPrintable(q.lastError().text()));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("MT_TEST_PG")) {
        std::fprintf(stderr, "bench_historian: no server: source scripts/pg-throwaway && "
                             "pg_throwaway_start\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.db"));
    RecordStore(file).open();
    JournalStore(file).open();
    const auto filled = [](bool ok) {
        if (!ok)
            std::fprintf(stderr, "bench_historian: the record file cannot be filled\n");
    };
    // Record n sampled n seconds into day 46000 and on.
    const QString ring = QStringLiteral("insert into %1 values (?, 46000 + ? / 86400, (? % "
                                        "86400) / 86400.0, 1, 2, 3, 4, 5, 6, 7, 8)");
    const QString full = QStringLiteral("update sl_void set %1 = %2, %1_copy = %2");
    filled(fill(file, ring.arg("pv_data"), kRingSize));
    filled(fill(file, full.arg(QStringLiteral("w_pos")).arg(kRingSize), 1));
    catch_up("catch-up, a full short ring", file, kRingSize);
    filled(fill(file, ring.arg("Lpv_wdjl"), kRingSize));
    filled(fill(file, full.arg(QStringLiteral("lw_pos")).arg(kRingSize), 1));
    catch_up("catch-up, a full long ring", file, kRingSize);
    filled(fill(
        file,
        QStringLiteral("insert into events (utc_ms, local_time, category, code, source, detail) "
                       "values (1765000000000 + ?, '2026-01-01 00:00:00.000', 'write', "
                       "'register', 'bench', 'event ' || ?)"),
        100000));
    catch_up("catch-up, 100 000 events", file, 100000);
    const QString steady = dir.filePath(QStringLiteral("steady.db"));
    RecordStore(steady).open();
    filled(fill(steady, ring.arg("pv_data"), kRingSize));
    filled(fill(steady, full.arg(QStringLiteral("w_pos")).arg(kRingSize), 1));
    thread_and_lag(steady);
    const int consoles = qEnvironmentVariableIntValue("BENCH_CONSOLES");
    const int days = qEnvironmentVariableIntValue("BENCH_DAYS");
    read_back(consoles > 0 ? consoles : 10, days > 0 ? days : 7);
    return 0;
}
