#pragma once
// The named SQLite connections the stores keep to the record file, each store its own (the
// journal, the runs, the historian's outbox): opened with the store's options, closed and removed
// again, so that the next call of a store can open the file afresh.

#include <QSqlDatabase>
#include <QString>

namespace sqlite_connection {
// Adds the connection `name` to the file at `path` with the driver's connect `options` and opens
// it. On failure the connection is removed again, *why says why, and the result is not open.
QSqlDatabase open(const QString& name, const QString& path, const QString& options, QString* why);
// Closes the connection `name` and removes it; nothing when there is none. Every copy of it must
// be gone by then.
void close(const QString& name);
} // namespace sqlite_connection
