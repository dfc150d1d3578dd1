#include "historian/central_writer.h"

#include "historian/historian_schema.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QUuid>
#include <array>
#include <cmath>

namespace {

// Rows a statement: a few hundred kilobytes of text, well inside what the server takes at once.
constexpr int kRowsPerStatement = 1000;

QString number(double v) {
    if (std::isnan(v))
        return QStringLiteral("'NaN'");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("'Infinity'") : QStringLiteral("'-Infinity'");
    return QString::number(v, 'g', 17);
}

// A number inside an array literal, where NaN and the infinities go unquoted.
QString array_number(double v) {
    if (std::isnan(v))
        return QStringLiteral("NaN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    return QString::number(v, 'g', 9);
}

QString utc_of_ms(qint64 ms) {
    return QStringLiteral("to_timestamp(%1e-3)").arg(ms);
}

QString cursor_json(const OutboxCursor& c) {
    return QStringLiteral("[%1, %2, %3]").arg(c.position).arg(c.sampledMs).arg(c.inclusive ? 1 : 0);
}

} // namespace

CentralWriter::CentralWriter(HistorianConninfo info, QString consoleId)
    : conninfo(std::move(info)), console(std::move(consoleId)),
      connectionName(QStringLiteral("historian-central-") +
                     QUuid::createUuid().toString(QUuid::Id128)) {}

CentralWriter::~CentralWriter() {
    disconnect();
}

bool CentralWriter::failed(const QString& text, QString* why) {
    *why = text.trimmed();
    connected = false; // the next attempt starts on a fresh connection
    return false;
}

bool CentralWriter::connect(const QString& name, const QString& host, bool renames, QString* why) {
    disconnect();
    QSqlDatabase db = historian_connection(conninfo, connectionName);
    if (!db.isValid())
        return failed(tr("Qt's PostgreSQL driver (QPSQL) is not installed: install "
                         "libqt6sql6-psql"),
                      why);
    if (!db.open())
        return failed(db.lastError().text(), why);
    connected = true;
    driver = db.driver();
    QString schemaWhy;
    if (!HistorianSchema::ensure(db, &schemaWhy))
        return failed(schemaWhy, why);
    QSqlQuery q(db);
    // A name given by the operator renames the console; a default one (a file forwarded from
    // another PC, say) leaves the name and host it had.
    q.prepare(QStringLiteral("insert into consoles (id, name, host) values (?::uuid, ?, ?) on "
                             "conflict (id) do update set name = case when ? then excluded.name "
                             "else consoles.name end, host = case when ? then excluded.host else "
                             "consoles.host end, last_seen = now() returning (xmax = 0)"));
    q.addBindValue(console);
    q.addBindValue(name);
    q.addBindValue(host);
    q.addBindValue(renames);
    q.addBindValue(renames);
    if (!q.exec() || !q.next())
        return failed(q.lastError().text(), why);
    newHere = q.value(0).toBool(); // a row inserted, not updated
    return true;
}

void CentralWriter::disconnect() {
    if (!QSqlDatabase::contains(connectionName))
        return;
    driver = nullptr;
    QSqlDatabase::database(connectionName, false).close();
    QSqlDatabase::removeDatabase(connectionName);
    connected = false;
}

QString CentralWriter::literal(const QVariant& value) const {
    if (value.isNull())
        return QStringLiteral("null");
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
        return number(value.toDouble());
    default:
        break;
    }
    if (!driver)
        return QStringLiteral("null"); // never sent: runBatch refuses without a connection
    QSqlField field(QString(), QMetaType(QMetaType::QString));
    field.setValue(value.toString());
    return driver->formatValue(field); // the server's own escaping of texts
}

bool CentralWriter::runBatch(const QStringList& statements, OutboxStream stream,
                             const OutboxCursor& after, QString* why) {
    if (!connected)
        return failed(tr("not connected"), why);
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.transaction())
        return failed(db.lastError().text(), why);
    QSqlQuery q(db);
    for (const QString& sql : statements) {
        if (!q.exec(sql)) {
            const QString error = q.lastError().text();
            db.rollback();
            return failed(error, why);
        }
    }
    const QString seen =
        QStringLiteral("update consoles set last_seen = now(), cursors = cursors || "
                       "jsonb_build_object(%1, %2::jsonb) where id = %3::uuid")
            .arg(literal(stream_key(stream)), literal(cursor_json(after)), literal(console));
    if (!q.exec(seen) || !db.commit()) {
        const QString error =
            q.lastError().isValid() ? q.lastError().text() : db.lastError().text();
        db.rollback();
        return failed(error, why);
    }
    return true;
}

bool CentralWriter::sendRecords(RecordTable table, std::optional<int> address,
                                const std::vector<OutRecord>& rows, const MeasuredJudge& measured,
                                const OutboxCursor& after, QString* why) {
    // A column an array: the server reads eleven array literals instead of parsing thousands of
    // row expressions, several times faster.
    QStringList statements;
    for (std::size_t first = 0; first < rows.size(); first += kRowsPerStatement) {
        const std::size_t end = std::min(rows.size(), first + kRowsPerStatement);
        std::array<QStringList, 11> columns; // number, ms, eight values, measured
        for (std::size_t i = first; i < end; ++i) {
            const OutRecord& r = rows[i];
            columns[0] << QString::number(r.number);
            columns[1] << QString::number(r.sampledMs);
            for (int v = 0; v < 8; ++v)
                columns[2 + v] << array_number(r.values[v]);
            columns[10] << (!measured ? QStringLiteral("NULL")
                            : measured(QDateTime::fromMSecsSinceEpoch(r.sampledMs, Qt::UTC))
                                ? QStringLiteral("t")
                                : QStringLiteral("f"));
        }
        const auto array = [&](int c, const char* type) {
            return QStringLiteral("'{%1}'::%2[]").arg(columns[c].join(u','), QLatin1String(type));
        };
        QStringList arrays{array(0, "integer"), array(1, "bigint")};
        for (int v = 0; v < 8; ++v)
            arrays << array(2 + v, "real");
        arrays << array(10, "boolean");
        statements << QStringLiteral(
                          "insert into records (console, address, stream, ring_number, "
                          "sampled_utc, val0, val1, val2, val3, val4, val5, val6, val7, measured) "
                          "select %1::uuid, %2, '%3', n, timestamptz 'epoch' + ms * interval "
                          "'1 ms', v0, v1, v2, v3, v4, v5, v6, v7, m from unnest(%4) as t(n, ms, "
                          "v0, v1, v2, v3, v4, v5, v6, v7, m) on conflict do nothing")
                          .arg(literal(console),
                               address ? QString::number(*address) : QStringLiteral("null"),
                               table == RecordTable::Short ? QStringLiteral("short")
                                                           : QStringLiteral("long"),
                               arrays.join(QStringLiteral(", ")));
    }
    return runBatch(statements,
                    table == RecordTable::Short ? OutboxStream::Short : OutboxStream::Long, after,
                    why);
}

bool CentralWriter::sendEvents(const std::vector<OutRow>& rows, const OutboxCursor& after,
                               QString* why) {
    // The rows as plain literals; the console, the time and the types are put on once a
    // statement, in the select list, not once a row.
    const QString head =
        QStringLiteral(
            "insert into events (console, seq, utc_ms, utc, local_time, address, category, code, "
            "source, old_value, new_value, pv, \"user\", host, result, detail, session, hash) "
            "select "
            "%1::uuid, seq::bigint, ms::bigint, timestamptz 'epoch' + ms::bigint * interval '1 "
            "ms', "
            "lt, a::integer, cat, code, src, o, n, pv::double precision, u, h, r, d, s, hash::text "
            "from (values ")
            .arg(literal(console));
    const QString tail = QStringLiteral(") as v(seq, ms, lt, a, cat, code, src, o, n, pv, u, h, r, "
                                        "d, s, hash) on conflict do nothing");
    QStringList statements;
    QString sql;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QVariantList& v = rows[i].values;
        QStringList cells;
        for (int c = 0; c < v.size(); ++c)
            cells << (v[c].isNull() && c != 3 && c != 7 && c != 8 && c != 9 && c != 15
                          ? QStringLiteral("''") // a "not null" column an older file left empty
                          : literal(v[c]));
        sql += (sql.isEmpty() ? head : QStringLiteral(", ")) + u'(' + cells.join(u',') + u')';
        if ((i + 1) % kRowsPerStatement == 0 || i + 1 == rows.size()) {
            statements << sql + tail;
            sql.clear();
        }
    }
    return runBatch(statements, OutboxStream::Events, after, why);
}

bool CentralWriter::sendRuns(const std::vector<OutRow>& rows, const OutboxCursor& after,
                             QString* why) {
    QStringList statements;
    for (const OutRow& row : rows) {
        const QVariantList& v = row.values;
        const auto time = [&](const QVariant& ms) {
            return ms.isNull() ? QStringLiteral("null") : utc_of_ms(ms.toLongLong());
        };
        statements << QStringLiteral("insert into runs (console, run_number, started_utc, "
                                     "ended_utc, data) values (%1::uuid, %2, %3, %4, %5::jsonb) "
                                     "on conflict do nothing")
                          .arg(literal(console), literal(v[0]), time(v[1]), time(v[2]),
                               literal(v[3]));
    }
    return runBatch(statements, OutboxStream::Runs, after, why);
}
