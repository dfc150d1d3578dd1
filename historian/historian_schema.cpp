#include "historian/historian_schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// The statements of version 1, in order.
const char* const kVersion1[] = {
    "create table consoles ("
    " id uuid primary key,"
    " name text not null,"
    " host text not null,"
    " first_seen timestamptz not null default now(),"
    " last_seen timestamptz not null default now(),"
    " cursors jsonb not null default '{}')",

    // Records and events name their console without a foreign key: the console's row is made
    // before it forwards anything, and a check per row would halve the rate of a catch-up.
    "create table records ("
    " console uuid not null,"
    " address integer,"
    " stream text not null check (stream in ('short', 'long')),"
    " ring_number integer not null,"
    " sampled_utc timestamptz not null,"
    " val0 real, val1 real, val2 real, val3 real, val4 real, val5 real, val6 real, val7 real,"
    " measured boolean,"
    // The ring reuses its numbers: a record is its number at its time.
    " unique (console, stream, sampled_utc, ring_number))",
    "create index records_console_time on records (console, sampled_utc)",

    "create table events ("
    " console uuid not null,"
    " seq bigint not null,"
    " utc_ms bigint not null,"
    " utc timestamptz not null,"
    " local_time text not null,"
    " address integer,"
    " category text not null,"
    " code text not null,"
    " source text not null,"
    " old_value text,"
    " new_value text,"
    " pv double precision,"
    " \"user\" text not null,"
    " host text not null,"
    " result text not null,"
    " detail text not null,"
    " session text not null,"
    " hash text,"
    " primary key (console, seq))",
    "create index events_console_time on events (console, utc)",

    // What a run row of the console holds, as it holds it (data), with its times where it names
    // them, so that runs are found by time without reading their data.
    "create table runs ("
    " console uuid not null references consoles(id),"
    " run_number bigint not null,"
    " started_utc timestamptz,"
    " ended_utc timestamptz,"
    " data jsonb not null,"
    " primary key (console, run_number))",
    "create index runs_console_time on runs (console, started_utc)",

    "create view latest_values as"
    " select c.id as console, c.name, c.host, c.last_seen, r.address, r.ring_number,"
    " r.sampled_utc, r.val0, r.val1, r.val2, r.val3, r.val4, r.val5, r.val6, r.val7, r.measured"
    " from consoles c left join lateral ("
    "  select * from records x where x.console = c.id and x.stream = 'short'"
    "  order by x.sampled_utc desc limit 1) r on true",

    "create view run_overview as"
    " select c.name as console_name, c.host, u.console, u.run_number, u.started_utc,"
    " u.ended_utc, u.ended_utc - u.started_utc as duration,"
    " (select count(*) from records x where x.console = u.console and x.stream = 'short'"
    "  and x.sampled_utc between u.started_utc and coalesce(u.ended_utc, now())) as short_records,"
    " u.data"
    " from runs u join consoles c on c.id = u.console",

    "create table schema_version ("
    " version integer primary key,"
    " applied timestamptz not null default now())",
};

bool run(QSqlQuery& q, const QString& sql, QString* why) {
    if (q.exec(sql))
        return true;
    *why = q.lastError().text();
    return false;
}

} // namespace

int HistorianSchema::versionOf(QSqlDatabase& db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select to_regclass('schema_version') is not null")) || !q.next())
        return -1;
    if (!q.value(0).toBool())
        return 0;
    if (!q.exec(QStringLiteral("select coalesce(max(version), 0) from schema_version")) ||
        !q.next())
        return -1;
    return q.value(0).toInt();
}

bool HistorianSchema::ensure(QSqlDatabase& db, QString* why) {
    if (!db.transaction()) {
        *why = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    // One console at a time makes or upgrades the tables; the lock ends with the transaction.
    bool ok = run(q, QStringLiteral("select pg_advisory_xact_lock(36000021)"), why);
    const int found = ok ? versionOf(db) : -1;
    if (ok && found < 0) {
        *why = tr("the historian's schema version cannot be read");
        ok = false;
    }
    if (ok && found > kHistorianSchemaVersion) {
        *why = tr("the historian's database is at schema version %1, newer than this console "
                  "knows (%2): update the console before it forwards there")
                   .arg(found)
                   .arg(kHistorianSchemaVersion);
        ok = false;
    }
    if (ok && found < 1) {
        for (const char* sql : kVersion1)
            if (!(ok = run(q, QLatin1String(sql), why)))
                break;
        ok = ok && run(q, QStringLiteral("insert into schema_version (version) values (1)"), why);
    }
    if (ok && db.commit())
        return true;
    if (ok)
        *why = db.lastError().text();
    db.rollback();
    return false;
}
