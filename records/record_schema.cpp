#include "records/record_schema.h"

#include <QLatin1StringView>

namespace {

QString quoted(const QString& name) {
    QString inner = name;
    return QLatin1Char('"') + inner.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString placeholders(int count) {
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

} // namespace

QStringList create_sl_void_sql() {
    return {
        QStringLiteral("create table sl_void (w_pos integer, w_pos_copy integer, lw_pos integer, "
                       "lw_pos_copy integer)"),
        QStringLiteral("insert into sl_void values (0, 0, 0, 0)"),
    };
}

QStringList create_record_table_sql(const RecordTableSpec& table) {
    const QString name = QLatin1StringView(table.name);
    const QString key = QLatin1StringView(table.key);
    QStringList values;
    for (int i = 0; i < 8; ++i)
        values << QStringLiteral("val%1 real").arg(i);
    return {
        QStringLiteral("create table %1 (%2 integer, w_date real, w_time real, %3)")
            .arg(name, key, values.join(QStringLiteral(", "))),
        QStringLiteral("create index %1_%2 on %1 (%2)").arg(name, key),
    };
}

QString window_sql(const RecordTableSpec& table, qint32 windowStart, qint32 windowEnd) {
    const QString head =
        QStringLiteral("select * from  %1 where %2")
            .arg(QLatin1StringView(table.windowName), QLatin1StringView(table.key));
    if (windowEnd > windowStart)
        return head + QStringLiteral("  between %1 and %2 order by w_date,w_time")
                          .arg(qint64(windowStart) + 1)
                          .arg(windowEnd);
    return head + QStringLiteral(" <= %1 or %2 >= %3 order by w_date,w_time ")
                      .arg(windowEnd)
                      .arg(QLatin1StringView(table.key))
                      .arg(qint64(windowStart) + 1);
}

QString update_record_sql(const RecordTableSpec& table, const QStringList& columns) {
    QStringList sets;
    for (const QString& column : columns.mid(0, kRecordColumns))
        sets << quoted(column) + QStringLiteral(" = ?");
    // The first row carrying the number, as the system's recordset would edit it.
    return QStringLiteral("update %1 set %2 where rowid = (select rowid from %1 where %3 = ? "
                          "order by rowid limit 1)")
        .arg(QLatin1StringView(table.name), sets.join(QStringLiteral(", ")),
             quoted(columns.value(0)));
}

QString insert_record_sql(const RecordTableSpec& table, const QStringList& columns) {
    QStringList names;
    for (const QString& column : columns.mid(0, kRecordColumns))
        names << quoted(column);
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(QLatin1StringView(table.name), names.join(QStringLiteral(", ")),
             placeholders(kRecordColumns));
}

QString update_position_sql(const QStringList& slVoidColumns, int positionColumn) {
    return QStringLiteral("update sl_void set %1 = ?, %2 = ?")
        .arg(quoted(slVoidColumns.value(positionColumn)),
             quoted(slVoidColumns.value(positionColumn + 1)));
}
