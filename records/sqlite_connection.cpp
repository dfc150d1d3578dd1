#include "records/sqlite_connection.h"

#include <QSqlError>

namespace sqlite_connection {

QSqlDatabase open(const QString& name, const QString& path, const QString& options, QString* why) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(options);
        if (db.open())
            return db;
        *why = db.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    return QSqlDatabase();
}

void close(const QString& name) {
    if (!QSqlDatabase::contains(name))
        return;
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

} // namespace sqlite_connection
