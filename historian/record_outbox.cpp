#include "historian/record_outbox.h"

#include "records/sqlite_connection.h"

#include "core/conversions.h"
#include "records/record_schema.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <cmath>

namespace {

const RecordTableSpec& spec_of(RecordTable table) {
    return table == RecordTable::Short ? kShortTableSpec : kLongTableSpec;
}

qint64 ring_next(qint64 number) {
    return number % kRingSize + 1;
}

const char* const kOutboxTables[] = {
    "create table if not exists historian_console (id text not null)",
    "create table if not exists historian_cursor (stream text primary key, position integer not "
    "null, sampled_ms integer not null, inclusive integer not null)",
};

// A time a run row names: milliseconds since 1970, a day number, or an ISO text.
QVariant run_time(const QVariant& v) {
    if (v.isNull())
        return QVariant(QMetaType(QMetaType::LongLong));
    bool number = false;
    const double d = v.toDouble(&number);
    if (number && d > 1e11)
        return qint64(d);
    if (number && d > 0 && d < 1e6)
        return RecordOutbox::sampled_ms(std::floor(d), d - std::floor(d));
    const QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
    return t.isValid() ? QVariant(t.toMSecsSinceEpoch()) : QVariant(QMetaType(QMetaType::LongLong));
}

} // namespace

QString stream_key(OutboxStream stream) {
    switch (stream) {
    case OutboxStream::Short:
        return QStringLiteral("short");
    case OutboxStream::Long:
        return QStringLiteral("long");
    case OutboxStream::Events:
        return QStringLiteral("events");
    case OutboxStream::Runs:
        break;
    }
    return QStringLiteral("runs");
}

RecordOutbox::RecordOutbox(QString path)
    : filePath(std::move(path)), connectionName(QStringLiteral("historian-outbox-") +
                                                QUuid::createUuid().toString(QUuid::Id128)) {}

RecordOutbox::~RecordOutbox() {
    close();
}

QSqlDatabase RecordOutbox::db() const {
    return QSqlDatabase::database(connectionName, false);
}

bool RecordOutbox::fail(const QString& error, QString* why) {
    *why = error;
    return false;
}

bool RecordOutbox::open(QString* why) {
    if (opened)
        return true;
    {
        // The logger commits a record in well under a millisecond: waiting for it is cheap.
        QString error;
        QSqlDatabase d = sqlite_connection::open(
            connectionName, filePath, QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"), &error);
        if (!d.isOpen())
            return fail(tr("the record file %1 cannot be opened: %2").arg(filePath, error), why);
        {
            QSqlQuery q(d);
            bool ok = q.exec(QStringLiteral("select count(*) from sqlite_master"));
            for (const char* sql : kOutboxTables)
                ok = ok && q.exec(QLatin1String(sql));
            if (ok) {
                opened = true;
                return true;
            }
            *why = tr("the record file %1 cannot be read: %2").arg(filePath, q.lastError().text());
        }
    }
    sqlite_connection::close(connectionName);
    return false;
}

void RecordOutbox::close() {
    sqlite_connection::close(connectionName);
    opened = false;
}

std::optional<QString> RecordOutbox::consoleId(QString* why) {
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("select id from historian_console limit 1"))) {
        fail(q.lastError().text(), why);
        return std::nullopt;
    }
    if (q.next())
        return q.value(0).toString();
    q.finish();
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    q.prepare(QStringLiteral("insert into historian_console (id) values (?)"));
    q.addBindValue(id);
    if (!q.exec()) {
        fail(q.lastError().text(), why);
        return std::nullopt;
    }
    return id;
}

std::optional<OutboxCursor> RecordOutbox::cursor(OutboxStream stream, QString* why) {
    QSqlQuery q(db());
    q.prepare(QStringLiteral(
        "select position, sampled_ms, inclusive from historian_cursor where stream = ?"));
    q.addBindValue(stream_key(stream));
    if (!q.exec()) {
        fail(q.lastError().text(), why);
        return std::nullopt;
    }
    OutboxCursor c;
    if (q.next()) {
        c.set = true;
        c.position = q.value(0).toLongLong();
        c.sampledMs = q.value(1).toLongLong();
        c.inclusive = q.value(2).toInt() != 0;
    }
    return c;
}

bool RecordOutbox::saveCursor(OutboxStream stream, const OutboxCursor& c, QString* why) {
    QSqlQuery q(db());
    q.prepare(QStringLiteral("insert or replace into historian_cursor (stream, position, "
                             "sampled_ms, inclusive) values (?, ?, ?, ?)"));
    q.addBindValue(stream_key(stream));
    q.addBindValue(c.position);
    q.addBindValue(c.sampledMs);
    q.addBindValue(c.inclusive ? 1 : 0);
    return q.exec() || fail(q.lastError().text(), why);
}

bool RecordOutbox::clearCursors(QString* why) {
    QSqlQuery q(db());
    return q.exec(QStringLiteral("delete from historian_cursor")) ||
           fail(q.lastError().text(), why);
}

qint64 RecordOutbox::sampled_ms(double date, double time) {
    // The local offset is looked up once an hour of records: asking the time zone for every row
    // would cost more than the rest of a catch-up.
    const QDate day = date_from_ole(date);
    const QTime at = time_from_ole(time);
    thread_local QDate lastDay;
    thread_local int lastHour = -1;
    thread_local qint64 offsetMs = 0;
    if (day != lastDay || at.hour() != lastHour) {
        const QDateTime local(day, QTime(at.hour(), 0));
        lastDay = day;
        lastHour = at.hour();
        offsetMs = qint64(local.offsetFromUtc()) * 1000;
    }
    return QDateTime(day, at, Qt::UTC).toMSecsSinceEpoch() - offsetMs;
}

std::optional<qint32> RecordOutbox::writePosition(RecordTable table, QString* why) {
    QSqlQuery q(db());
    if (!q.exec(QLatin1String(kSelectSlVoid)) || !q.next()) {
        fail(q.lastError().isValid() ? q.lastError().text() : tr("sl_void holds no row"), why);
        return std::nullopt;
    }
    return q.value(spec_of(table).positionColumn).toInt();
}

bool RecordOutbox::readRecords(RecordTable table, qint64 from, qint64 to,
                               std::vector<OutRecord>& rows, QString* why) {
    const RecordTableSpec& spec = spec_of(table);
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("select * from %1 where %2 between ? and ? order by %2, rowid")
                  .arg(QLatin1String(spec.name), QLatin1String(spec.key)));
    q.addBindValue(from);
    q.addBindValue(to);
    if (!q.exec())
        return fail(q.lastError().text(), why);
    while (q.next()) {
        OutRecord r;
        r.number = q.value(0).toInt();
        r.sampledMs = sampled_ms(q.value(1).toDouble(), q.value(2).toDouble());
        for (int i = 0; i < 8; ++i)
            r.values[i] = q.value(3 + i).toDouble();
        rows.push_back(r);
    }
    return !q.lastError().isValid() || fail(q.lastError().text(), why);
}

std::optional<OutRecord> RecordOutbox::recordAt(RecordTable table, qint64 number, QString* why) {
    std::vector<OutRecord> rows;
    if (!readRecords(table, number, number, rows, why) || rows.empty())
        return std::nullopt;
    return rows.front();
}

std::optional<RingBatch> RecordOutbox::nextRecords(RecordTable table, const OutboxCursor& after,
                                                   int limit, QString* why) {
    // One read transaction: the write position and the rows are of one moment.
    QSqlDatabase d = db();
    if (!d.transaction()) {
        fail(d.lastError().text(), why);
        return std::nullopt;
    }
    auto batch = ringBatch(table, after, limit, why);
    d.commit();
    return batch;
}

std::optional<RingBatch> RecordOutbox::ringBatch(RecordTable table, const OutboxCursor& after,
                                                 int limit, QString* why) {
    why->clear();
    RingBatch batch;
    batch.after = after;
    if (!hasTable(QStringLiteral("sl_void")) || !hasTable(QLatin1String(spec_of(table).name)))
        return batch; // a file with a journal only
    const auto pos = writePosition(table, why);
    if (!pos)
        return std::nullopt;
    if (*pos <= 0 || *pos > kRingSize)
        return batch; // nothing recorded yet
    // The oldest row held: the one the logger writes next, once the ring is full.
    const qint64 next = ring_next(*pos);
    auto oldest = recordAt(table, next, why);
    if (!oldest && why->isEmpty())
        oldest = recordAt(table, 1, why);
    if (!oldest)
        return std::nullopt;
    const OutboxCursor fromOldest{true, oldest->number, oldest->sampledMs, true};

    OutboxCursor c = after.set ? after : fromOldest;
    const auto held = recordAt(table, c.position, why);
    if (!why->isEmpty())
        return std::nullopt;
    if (!held || held->sampledMs != c.sampledMs) {
        // Overwritten: the rows from the cursor on up to the write position are lost.
        const qint64 firstLost = c.inclusive ? c.position : ring_next(c.position);
        qint64 lost = (*pos - firstLost + 1 + kRingSize) % kRingSize;
        if (lost == 0 && c.inclusive)
            lost = kRingSize;
        batch.gap = RingGap{lost, c.sampledMs, oldest->sampledMs, fromOldest};
        batch.waiting = kRingSize;
        return batch;
    }
    const qint64 first = c.inclusive ? c.position : ring_next(c.position);
    batch.waiting = (*pos - c.position + kRingSize) % kRingSize + (c.inclusive ? 1 : 0);
    const qint64 count = std::min<qint64>(batch.waiting, limit);
    if (count <= 0)
        return batch;
    const qint64 last = first + count - 1;
    if (!readRecords(table, first, std::min<qint64>(last, kRingSize), batch.rows, why) ||
        (last > kRingSize && !readRecords(table, 1, last - kRingSize, batch.rows, why)))
        return std::nullopt;
    if (batch.rows.empty()) {
        *why = tr("record %1 of %2 is missing").arg(first).arg(QLatin1String(spec_of(table).name));
        return std::nullopt;
    }
    batch.after = {true, batch.rows.back().number, batch.rows.back().sampledMs, false};
    return batch;
}

bool RecordOutbox::hasTable(const QString& name) {
    QSqlQuery q(db());
    q.prepare(
        QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ?"));
    q.addBindValue(name);
    return q.exec() && q.next() && q.value(0).toInt() > 0;
}

bool RecordOutbox::hasColumn(const QString& table, const QString& column) {
    QSqlQuery q(db());
    q.prepare(QStringLiteral("select count(*) from pragma_table_info(?) where name = ?"));
    q.addBindValue(table);
    q.addBindValue(column);
    return q.exec() && q.next() && q.value(0).toInt() > 0;
}

std::optional<RowBatch> RecordOutbox::nextEvents(const OutboxCursor& after, int limit,
                                                 QString* why) {
    RowBatch batch;
    batch.after = after;
    if (!hasTable(QStringLiteral("events")))
        return batch; // a file no console has journaled to
    // The hash of an event from before the chain is kept beside it, in events_sealed.
    const bool hash = hasColumn(QStringLiteral("events"), QStringLiteral("hash"));
    const bool sealed = hasTable(QStringLiteral("events_sealed"));
    const QString hashSql = !hash     ? QStringLiteral("null")
                            : !sealed ? QStringLiteral("e.hash")
                                      : QStringLiteral("coalesce(e.hash, s.hash)");
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("select e.seq, e.utc_ms, e.local_time, e.address, e.category, e.code, "
                             "e.source, e.old_value, e.new_value, e.pv, e.user, e.host, e.result, "
                             "e.detail, e.session, %1, (select count(*) from events w where w.seq "
                             "> ?) from events e %2 where e.seq > ? order by e.seq limit ?")
                  .arg(hashSql, sealed && hash ? QStringLiteral("left join events_sealed s on "
                                                                "s.seq = e.seq")
                                               : QString()));
    q.addBindValue(after.position);
    q.addBindValue(after.position);
    q.addBindValue(limit);
    if (!q.exec()) {
        fail(q.lastError().text(), why);
        return std::nullopt;
    }
    while (q.next()) {
        OutRow row;
        row.position = q.value(0).toLongLong();
        // isNull() of the query, not of the value: a NULL reads as a value 0 or "" otherwise.
        for (int i = 0; i < 16; ++i)
            row.values << (q.isNull(i) ? QVariant() : q.value(i));
        batch.waiting = q.value(16).toLongLong();
        batch.rows.push_back(std::move(row));
    }
    if (q.lastError().isValid()) {
        fail(q.lastError().text(), why);
        return std::nullopt;
    }
    if (!batch.rows.empty())
        batch.after = {true, batch.rows.back().position, 0, false};
    return batch;
}

std::optional<RowBatch> RecordOutbox::nextRuns(const OutboxCursor& after, int limit, QString* why) {
    RowBatch batch;
    batch.after = after;
    // Program runs go along once the record file keeps them, each once it has ended: the central
    // row is written once (its key makes a second send change nothing), so a run still going
    // waits, and the runs after it with it.
    if (!hasTable(QStringLiteral("program_runs")))
        return batch;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("select rowid, * from program_runs where rowid > ? "
                             "order by rowid limit ?"));
    q.addBindValue(after.position);
    q.addBindValue(limit);
    if (!q.exec()) {
        fail(q.lastError().text(), why);
        return std::nullopt;
    }
    while (q.next()) {
        const QSqlRecord rec = q.record();
        if (rec.value(QStringLiteral("ending")).toString() == u"running")
            break;
        QJsonObject data;
        for (int i = 1; i < rec.count(); ++i)
            data.insert(rec.fieldName(i),
                        q.isNull(i) ? QJsonValue() : QJsonValue::fromVariant(q.value(i)));
        OutRow row;
        row.position = q.value(0).toLongLong();
        row.values << rec.value(QStringLiteral("number")).toLongLong()
                   << run_time(rec.value(QStringLiteral("start_utc_ms")))
                   << run_time(rec.value(QStringLiteral("end_utc_ms")))
                   << QString::fromUtf8(QJsonDocument(data).toJson(QJsonDocument::Compact));
        batch.rows.push_back(std::move(row));
    }
    if (q.lastError().isValid()) {
        fail(q.lastError().text(), why);
        return std::nullopt;
    }
    batch.waiting = qint64(batch.rows.size());
    if (!batch.rows.empty())
        batch.after = {true, batch.rows.back().position, 0, false};
    return batch;
}
