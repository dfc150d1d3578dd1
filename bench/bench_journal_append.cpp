// bench_journal_append [events]: what journaling one event costs the UI thread
// (EventJournal::record: the stamp, one committed insert in WAL mode, the indicator's figures),
// median, 99th percentile and worst, on a fresh record file and on one already holding a million
// events; and the file's growth per million events.
#include "journal/event_journal.h"
#include "journal/journal_marks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
EventDraft write_event(int i) {
    EventDraft d;
    d.category = EventCategory::Write;
    d.code = QStringLiteral("register");
    d.source = QStringLiteral("CONFIG1 T_3RW(4103)");
    d.oldValue = QString::number(i);
    d.newValue = QString::number(i + 1);
    d.result = QStringLiteral("accepted");
    d.detail = QStringLiteral("Register 4103 = %1").arg(i + 1);
    return d;
}

// A million events in one transaction, as the journal would have written them one by one.
void fill(const QString& path, int rows) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("f"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        db.transaction();
        q.prepare(QStringLiteral(
            "insert into events (utc_ms, local_time, address, category, code, source, old_value, "
            "new_value, pv, user, host, result, detail, session) values (?, '2026-01-01 "
            "00:00:00.000', 1, ?, ?, 'CONFIG1 T_3RW(4103)', ?, ?, 812.5, "
            "'operator', 'furnace-3', 'accepted', ?, 'furnace-3:4242:2026-01-01T00:00:00Z')"));
        const qint64 start = 1767225600000;
        for (int i = 0; i < rows; ++i) {
            q.addBindValue(start + qint64(i) * 2500);
            // A quarter of them alarm 1 coming on and going off; alarm 2 and the faults never.
            const bool alarm = i % 4 == 0;
            q.addBindValue(alarm ? QStringLiteral("alarm") : QStringLiteral("write"));
            q.addBindValue(!alarm       ? QStringLiteral("register")
                           : i % 8 == 0 ? QStringLiteral("alarm1_on")
                                        : QStringLiteral("alarm1_off"));
            q.addBindValue(QString::number(i));
            q.addBindValue(QString::number(i + 1));
            q.addBindValue(QStringLiteral("Register 4103 = %1").arg(i + 1));
            q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("f"));
}

qint64 bytes(const QString& path) {
    return QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
}

void measure(const char* what, EventJournal& journal, int events) {
    std::vector<double> ms;
    ms.reserve(std::size_t(events));
    QElapsedTimer t;
    for (int i = 0; i < events; ++i) {
        t.start();
        journal.record(write_event(i));
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s median %.3f ms  p99 %.3f ms  worst %.3f ms  (%d events)\n", what,
                ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back(), events);
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int events = argc > 1 ? std::max(100, atoi(argv[1])) : 2000;
    QTemporaryDir dir;

    const QString fresh = dir.filePath(QStringLiteral("fresh.db"));
    {
        EventJournal journal(fresh);
        journal.open();
        measure("record(), fresh file", journal, events);
    }

    const QString big = dir.filePath(QStringLiteral("big.db"));
    {
        EventJournal journal(big);
        journal.open(); // creates the table, its indexes and guards
    }
    const qint64 empty = bytes(big);
    fill(big, 1000000);
    {
        EventJournal journal(big);
        journal.open();
        measure("record(), 1 000 000 events", journal, events);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("c"));
        db.setDatabaseName(big);
        db.open();
        QSqlQuery(db).exec(QStringLiteral("pragma wal_checkpoint(truncate)"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("c"));
    {
        // What a chart asks every second: the marks of a 241-point window in the middle.
        JournalStore store(big);
        store.open();
        const QDateTime mid = QDateTime::fromMSecsSinceEpoch(1767225600000 + 500000LL * 2500);
        std::vector<double> ms;
        QElapsedTimer t;
        std::size_t marks = 0;
        for (int i = 0; i < 21; ++i) {
            t.start();
            marks = journal_marks(store, mid, mid.addSecs(240)).size();
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-34s median %.3f ms  worst %.3f ms  (%zu marks, 21 runs)\n",
                    "chart marks, 240 s window", ms[ms.size() / 2], ms.back(), marks);
    }
    std::printf("file growth per 1 000 000 events: %.1f MB (%.0f bytes an event)\n",
                double(bytes(big) - empty) / 1e6, double(bytes(big) - empty) / 1e6);
    return 0;
}
