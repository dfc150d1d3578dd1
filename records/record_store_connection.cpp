#include "records/record_store_connection.h"

#include "records/record_schema.h"

#include <QVariant>

namespace {

const RecordTableSpec& spec_of(RecordTable table) {
    return table == RecordTable::Short ? kShortTableSpec : kLongTableSpec;
}

int index_of(RecordTable table) {
    return table == RecordTable::Short ? 0 : 1;
}

bool run(QSqlDatabase& db, const QString& sql, QSqlError* error) {
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    *error = query.lastError();
    return false;
}

} // namespace

bool RecordStore::Connection::prepare(QSqlError* error, QString* what) {
    // A file that is not a database fails here, before anything is written to it.
    if (!run(db, QStringLiteral("select count(*) from sqlite_master"), error))
        return false;
    // WAL: readers never block the logger. NORMAL synchronisation: a power cut may cost the
    // newest records but never splits a record from its position. A read-only file keeps its
    // mode; failures here are not fatal.
    QSqlError ignored;
    run(db, QStringLiteral("pragma journal_mode=WAL"), &ignored);
    run(db, QStringLiteral("pragma synchronous=NORMAL"), &ignored);
    if (!createMissingTables(error))
        return false;

    QStringList slVoid;
    if (!columnsOf("sl_void", kSlVoidColumns, &slVoid, error, what))
        return false;
    for (RecordTable table : {RecordTable::Short, RecordTable::Long}) {
        const RecordTableSpec& spec = spec_of(table);
        QStringList columns;
        if (!columnsOf(spec.name, kRecordColumns, &columns, error, what))
            return false;
        TableStatements& statements = tables[index_of(table)];
        const QString texts[] = {update_record_sql(spec, columns), insert_record_sql(spec, columns),
                                 update_position_sql(slVoid, spec.positionColumn)};
        std::optional<QSqlQuery>* targets[] = {&statements.update, &statements.insert,
                                               &statements.position};
        for (int i = 0; i < 3; ++i) {
            targets[i]->emplace(db);
            if (!(*targets[i])->prepare(texts[i])) {
                *error = (*targets[i])->lastError();
                return false;
            }
        }
    }
    return true;
}

bool RecordStore::Connection::createMissingTables(QSqlError* error) {
    QStringList statements;
    const bool haveSlVoid = tableExists("sl_void", error);
    if (error->isValid())
        return false;
    if (!haveSlVoid)
        statements << create_sl_void_sql();
    for (const RecordTableSpec* spec : {&kShortTableSpec, &kLongTableSpec}) {
        const bool have = tableExists(spec->name, error);
        if (error->isValid())
            return false;
        if (!have)
            statements << create_record_table_sql(*spec);
    }
    if (statements.isEmpty())
        return true;
    if (!db.transaction()) {
        *error = db.lastError();
        return false;
    }
    for (const QString& sql : statements) {
        if (!run(db, sql, error)) {
            db.rollback();
            return false;
        }
    }
    if (!db.commit()) {
        *error = db.lastError();
        db.rollback();
        return false;
    }
    return true;
}

bool RecordStore::Connection::tableExists(const char* name, QSqlError* error) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "select count(*) from sqlite_master where type = 'table' and name = ? collate nocase"));
    query.addBindValue(QLatin1StringView(name));
    if (!query.exec() || !query.next()) {
        *error = query.lastError();
        return false;
    }
    return query.value(0).toInt() > 0;
}

bool RecordStore::Connection::columnsOf(const char* name, int needed, QStringList* columns,
                                        QSqlError* error, QString* what) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("pragma table_info(%1)").arg(QLatin1StringView(name)))) {
        *error = query.lastError();
        return false;
    }
    while (query.next())
        *columns << query.value(1).toString();
    if (columns->size() < needed) {
        *what = RecordStore::tr("table %1 has %2 columns, %3 expected")
                    .arg(QLatin1StringView(name))
                    .arg(columns->size())
                    .arg(needed);
        return false;
    }
    return true;
}

void RecordStore::Connection::release() {
    for (TableStatements& statements : tables) {
        statements.update.reset();
        statements.insert.reset();
        statements.position.reset();
    }
    db.close();
    db = QSqlDatabase();
}

bool RecordStore::Connection::writeRecord(RecordTable table, qint32 number, double date,
                                          double time, const std::array<float, 8>& values,
                                          QSqlError* error, QString* what) {
    const RecordTableSpec& spec = spec_of(table);
    TableStatements& statements = tables[index_of(table)];

    QSqlQuery find(db);
    find.setForwardOnly(true);
    if (!find.exec(QLatin1StringView(spec.selectNumber) + QString::number(number))) {
        *error = find.lastError();
        return false;
    }
    // A row whose number reads null is never edited; a new row is appended instead.
    const bool found = find.next() && !find.value(0).isNull();
    if (find.lastError().isValid()) {
        *error = find.lastError();
        return false;
    }
    find.finish();

    QSqlQuery& write = found ? *statements.update : *statements.insert;
    write.bindValue(0, number);
    write.bindValue(1, date);
    write.bindValue(2, time);
    for (int i = 0; i < 8; ++i)
        write.bindValue(3 + i, double(values[i]));
    if (found)
        write.bindValue(kRecordColumns, number);
    if (!write.exec()) {
        *error = write.lastError();
        return false;
    }

    QSqlQuery& position = *statements.position;
    position.bindValue(0, number);
    position.bindValue(1, number);
    if (!position.exec()) {
        *error = position.lastError();
        return false;
    }
    if (position.numRowsAffected() < 1) {
        *what = RecordStore::tr("sl_void holds no row");
        return false;
    }
    return true;
}

std::vector<RecordRow> RecordStore::Connection::window(RecordTable table, qint32 windowStart,
                                                       qint32 windowEnd, QSqlError* error) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    std::vector<RecordRow> rows;
    if (!query.exec(window_sql(spec_of(table), windowStart, windowEnd))) {
        *error = query.lastError();
        return rows;
    }
    rows.reserve(322);
    while (query.next()) {
        RecordRow row;
        row.date = query.value(1).toDouble();
        row.time = query.value(2).toDouble();
        for (int j = 0; j < 8; ++j)
            row.values[j] = query.value(3 + j).toFloat();
        rows.push_back(row);
    }
    if (query.lastError().isValid())
        *error = query.lastError();
    return rows;
}
