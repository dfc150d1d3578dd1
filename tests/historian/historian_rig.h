#pragma once
// The throwaway central server the historian's tests run against (scripts/test starts it and
// names it in MT_TEST_PG; scripts/pg-throwaway does the same by hand), and a record file that a
// test logs into as the logger would, fast: rows edited in place once the ring wraps.

#include "historian/record_outbox.h"
#include "records/record_store.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTest>
#include <set>
#include <tuple>

using RowKey = std::tuple<qint64, qint64, double>; // ring number, sampled ms, val0

inline QString central_conninfo() {
    return qEnvironmentVariable("MT_TEST_PG");
}

// The central database, emptied: every table and view of the historian dropped.
inline QSqlDatabase central_db(bool reset = false) {
    const QString name = QStringLiteral("historian-test");
    if (!QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setConnectOptions(QString(central_conninfo()).replace(u' ', u';'));
    }
    QSqlDatabase db = QSqlDatabase::database(name);
    if (reset) {
        QSqlQuery(db).exec(QStringLiteral("drop schema public cascade"));
        QSqlQuery(db).exec(QStringLiteral("create schema public"));
    }
    return db;
}

inline qint64 central_count(const QString& fromWhere) {
    QSqlQuery q(central_db());
    if (!q.exec(QStringLiteral("select count(*) from ") + fromWhere) || !q.next())
        return -1;
    return q.value(0).toLongLong();
}

inline std::multiset<RowKey> central_rows(const QString& console, const QString& stream) {
    QSqlQuery q(central_db());
    q.exec(QStringLiteral("select ring_number, (extract(epoch from sampled_utc) * 1000)::bigint, "
                          "val0 from records where console = '%1' and stream = '%2'")
               .arg(console, stream));
    std::multiset<RowKey> rows;
    while (q.next())
        rows.emplace(q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toDouble());
    return rows;
}

// The server stopped (immediately, as a crash would) or started again, as its owner.
inline bool pg_ctl(const QString& action) {
    QStringList args{qEnvironmentVariable("MT_TEST_PG_CTL"),
                     QStringLiteral("-D"),
                     qEnvironmentVariable("MT_TEST_PG_DATA"),
                     QStringLiteral("-w"),
                     QStringLiteral("-m"),
                     QStringLiteral("immediate"),
                     QStringLiteral("-l"),
                     qEnvironmentVariable("MT_TEST_PG_DATA") + QStringLiteral("/../server.log"),
                     action};
    if (const QString user = qEnvironmentVariable("MT_TEST_PG_USER"); !user.isEmpty())
        args = QStringList{QStringLiteral("-u"), user, QStringLiteral("--")} + args;
    QProcess p;
    p.start(args.first() == u"-u" ? QStringLiteral("runuser") : args.takeFirst(), args);
    return p.waitForFinished(60000) && p.exitCode() == 0;
}

// A record file logged into as the logger logs: each record the next number of its ring, a
// second (short) or ten (long) after the one before, values 0 = a running count.
class LoggedFile {
public:
    explicit LoggedFile(const QString& path) : store(path) { store.open(); }
    RecordStore store;
    QString db = QStringLiteral("logged-") + QString::number(quintptr(this));

    bool log(RecordTable table, qint64 count) {
        QSqlDatabase d = QSqlDatabase::contains(db) ? QSqlDatabase::database(db)
                                                    : QSqlDatabase::addDatabase("QSQLITE", db);
        d.setDatabaseName(store.path());
        if (!d.open() || !d.transaction())
            return false;
        const bool s = table == RecordTable::Short;
        const QString name = s ? "pv_data" : "Lpv_wdjl", key = s ? "w_id" : "lw_id";
        QSqlQuery q(d);
        for (qint64 i = 0; i < count; ++i) {
            qint64& pos = s ? shortPos : longPos;
            pos = pos % kRingSize + 1;
            const qint64 at = (s ? ++shortSeconds : (longSeconds += 10));
            const double day = 46000 + double(at / 86400), time = double(at % 86400) / 86400;
            q.exec(QStringLiteral("update %1 set w_date = %2, w_time = %3, val0 = %4 where %5 = %6")
                       .arg(name)
                       .arg(day, 0, 'f', 1)
                       .arg(time, 0, 'g', 17)
                       .arg(at)
                       .arg(key)
                       .arg(pos));
            if (q.numRowsAffected() < 1)
                q.exec(QStringLiteral("insert into %1 (%2, w_date, w_time, val0) values (%3, %4, "
                                      "%5, %6)")
                           .arg(name, key)
                           .arg(pos)
                           .arg(day, 0, 'f', 1)
                           .arg(time, 0, 'g', 17)
                           .arg(at));
        }
        q.exec(QStringLiteral("update sl_void set %1 = %2, %1_copy = %2")
                   .arg(s ? "w_pos" : "lw_pos")
                   .arg(s ? shortPos : longPos));
        return d.commit();
    }

    std::multiset<RowKey> rows(RecordTable table) {
        const bool s = table == RecordTable::Short;
        QSqlQuery q(QSqlDatabase::database(db));
        q.exec(QStringLiteral("select * from %1").arg(s ? "pv_data" : "Lpv_wdjl"));
        std::multiset<RowKey> rows;
        while (q.next())
            rows.emplace(q.value(0).toLongLong(),
                         RecordOutbox::sampled_ms(q.value(1).toDouble(), q.value(2).toDouble()),
                         q.value(3).toDouble());
        return rows;
    }

private:
    qint64 shortPos = 0, longPos = 0, shortSeconds = 0, longSeconds = 0;
};
