#pragma once
// One open connection of a RecordStore and the statements prepared on it. Private to the store.

#include "records/record_store.h"

#include <QSqlDatabase>
#include <QSqlQuery>

struct RecordStore::Connection {
    QSqlDatabase db;

    struct TableStatements {
        std::optional<QSqlQuery> update;   // edits the row carrying a number
        std::optional<QSqlQuery> insert;   // appends a row
        std::optional<QSqlQuery> position; // the table's two sl_void columns
    };
    std::array<TableStatements, 2> tables; // Short, Long

    // Checks that the file is a database, switches it to WAL, creates missing tables and
    // prepares the statements. On failure sets *error (a database error) or *what (words).
    bool prepare(QSqlError* error, QString* what);
    void release();

    // The row and the position; the caller holds the transaction.
    bool writeRecord(RecordTable table, qint32 number, double date, double time,
                     const std::array<float, 8>& values, QSqlError* error, QString* what);
    std::vector<RecordRow> window(RecordTable table, qint32 windowStart, qint32 windowEnd,
                                  QSqlError* error);

private:
    bool createMissingTables(QSqlError* error);
    bool tableExists(const char* name, QSqlError* error);
    bool columnsOf(const char* name, int needed, QStringList* columns, QSqlError* error,
                   QString* what);
};
