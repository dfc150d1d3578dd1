#include "runs/run_records.h"

#include "core/conversions.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace {

const char* table_of(bool longRing) {
    return longRing ? "Lpv_wdjl" : "pv_data";
}

// A UTC time as the rings store it: the local day number plus the local time of day.
double stored_time(qint64 utcMs) {
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(utcMs).toLocalTime();
    return ole_date(local.date()) + ole_time(local.time());
}

// The local time's offset is looked up once an hour of records, not for each of them: a full
// ring is 65500 look-ups otherwise, the most of a report's time.
qint64 utc_of(double date, double time) {
    static thread_local qint64 hourKey = -1;
    static thread_local qint64 offsetMs = 0;
    const qint64 seconds = qRound64(time * kSecondsPerDay);
    const qint64 localMs = (qint64(date) - 25569) * 86400000 + seconds * 1000;
    const qint64 key = localMs / 3600000;
    if (key != hourKey) {
        const QDateTime at(date_from_ole(date), time_from_ole(time));
        offsetMs = localMs - at.toMSecsSinceEpoch();
        hourKey = key;
    }
    return localMs - offsetMs;
}

} // namespace

RunRecords::RunRecords(const QString& recordFile)
    : path(recordFile),
      connectionName(QStringLiteral("run-records-") + QUuid::createUuid().toString(QUuid::Id128)) {}

RunRecords::~RunRecords() {
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

bool RunRecords::open() {
    if (!QFileInfo::exists(path)) {
        error = QStringLiteral("no record file %1").arg(path);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500"));
    if (!db.open()) {
        error = db.lastError().text();
        return false;
    }
    return true;
}

std::optional<qint64> RunRecords::oldest(bool longRing) {
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    if (!q.exec(QStringLiteral("select w_date, w_time from %1 order by w_date + w_time limit 1")
                    .arg(QLatin1String(table_of(longRing))))) {
        error = q.lastError().text();
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    return utc_of(q.value(0).toDouble(), q.value(1).toDouble());
}

std::vector<RunSample> RunRecords::span(bool longRing, qint64 fromMs, qint64 toMs) {
    std::vector<RunSample> out;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.setForwardOnly(true);
    // Half a second either way: the stored times are whole seconds.
    const double slack = 0.5 / kSecondsPerDay;
    q.prepare(QStringLiteral("select * from %1 where w_date + w_time between ? and ? "
                             "order by w_date, w_time")
                  .arg(QLatin1String(table_of(longRing))));
    q.addBindValue(stored_time(fromMs) - slack);
    q.addBindValue(stored_time(toMs) + slack);
    if (!q.exec()) {
        error = q.lastError().text();
        return out;
    }
    while (q.next()) {
        RunSample s;
        s.ms = utc_of(q.value(1).toDouble(), q.value(2).toDouble());
        s.pv = q.value(3).toDouble();
        s.op = q.value(4).toDouble();
        s.sv = q.value(5).toDouble();
        out.push_back(s);
    }
    return out;
}
