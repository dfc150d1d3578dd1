#pragma once
// Direct access to a record file over a connection of its own, beside the store under test:
// to build full rings, plant odd rows and triggers, and read back what the store wrote.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <array>
#include <cmath>
#include <optional>

class RecordFile {
public:
    explicit RecordFile(const QString& path)
        : name(QStringLiteral("record-file-%1").arg(++counter())) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        db.open();
    }
    ~RecordFile() {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }

    // Runs one statement; the error text, empty when it succeeded.
    QString run(const QString& sql) const {
        QSqlQuery query(db());
        return query.exec(sql) ? QString() : query.lastError().text();
    }

    // The first column of the first row of a query; empty on an error or no row.
    std::optional<QVariant> scalar(const QString& sql) const {
        QSqlQuery query(db());
        if (!query.exec(sql) || !query.next())
            return std::nullopt;
        return query.value(0);
    }

    int count(const QString& fromWhere) const {
        return scalar(QStringLiteral("select count(*) from ") + fromWhere)
            .value_or(QVariant(-1))
            .toInt();
    }

    std::optional<std::array<qint64, 4>> positions() const {
        QSqlQuery query(db());
        if (!query.exec(QStringLiteral("select * from sl_void")) || !query.next())
            return std::nullopt;
        std::array<qint64, 4> result{};
        for (int i = 0; i < 4; ++i)
            result[i] = query.value(i).toLongLong();
        return result;
    }

    bool setPositions(qint64 shortPos, qint64 longPos) const {
        return run(QStringLiteral("update sl_void set w_pos = %1, w_pos_copy = %1, lw_pos = %2, "
                                  "lw_pos_copy = %2")
                       .arg(shortPos)
                       .arg(longPos))
            .isEmpty();
    }

    // Rows 1..rows of a ring whose newest record is `position`: record n is the k-th oldest,
    // k = (n - position - 1) mod rows, dated `spacing` seconds after the one before it, starting
    // at day number `firstDay`. Value 0 of record n is n, value 1 is n / 2, value j is j + 0.3.
    bool fillRing(const QString& table, qint32 rows, qint32 position, int spacing = 1,
                  double firstDay = 45352) const {
        QSqlDatabase base = db();
        if (!base.transaction())
            return false;
        QSqlQuery insert(base);
        insert.prepare(
            QStringLiteral("insert into %1 values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)").arg(table));
        for (qint32 n = 1; n <= rows; ++n) {
            const qint64 k = ((qint64(n) - position - 1) % rows + rows) % rows;
            const qint64 seconds = k * spacing;
            insert.bindValue(0, n);
            insert.bindValue(1, firstDay + double(seconds / 86400));
            insert.bindValue(2, double(seconds % 86400) / 86400.0);
            insert.bindValue(3, double(n));
            insert.bindValue(4, double(float(n) / 2));
            for (int j = 2; j < 8; ++j) // fractions, stored at full width as real values are
                insert.bindValue(3 + j, double(float(j) + 0.3f));
            if (!insert.exec()) {
                base.rollback();
                return false;
            }
        }
        return base.commit();
    }

private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    QString name;
};
