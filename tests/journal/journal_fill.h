#pragma once
// A journal of many events, written fast by one statement inside SQLite: the console's mix of
// categories (writes and alarms most, console starts fewest), one event every `stepMs` from
// `firstUtcMs`, with codes, sources, values, results and details shaped as the journal writes
// them. For the journal screen's tests on a large file and for its benchmark.

#include "journal/journal_store.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <vector>

inline bool fill_journal(const QString& path, qint64 rows, qint64 firstUtcMs, qint64 stepMs,
                         QString* why = nullptr) {
    {
        JournalStore schema(path); // the table, its indexes and its guards
        if (!schema.open()) {
            if (why)
                *why = schema.lastError();
            return false;
        }
    }
    static const char* const kSql = R"(
insert into events (utc_ms, local_time, address, category, code, source, old_value, new_value,
                    pv, user, host, result, detail, session)
with recursive n(i) as (select 0 union all select i + 1 from n where i < :rows - 1),
r as (select i, :first + i * :step as t, (i * 2654435761) % 1000 as k from n),
c as (select i, t, k,
         case when k < 300 then 'write' when k < 550 then 'alarm' when k < 750 then 'program'
              when k < 850 then 'mode' when k < 930 then 'link' when k < 975 then 'file'
              else 'console' end as cat
      from r)
select t,
       strftime('%Y-%m-%d %H:%M:%f', t / 1000.0, 'unixepoch', 'localtime'),
       case when cat = 'console' then null else 1 end,
       cat,
       case cat when 'write' then case when k % 3 = 0 then 'coil' else 'register' end
                when 'alarm' then case when k % 2 = 0 then 'on' else 'off' end
                when 'program' then case k % 4 when 0 then 'run' when 1 then 'hold'
                                               when 2 then 'segment' else 'stop' end
                when 'mode' then case when k % 2 = 0 then 'manual' else 'automatic' end
                when 'link' then case when k % 2 = 0 then 'lost' else 'restored' end
                when 'file' then 'backup'
                else case when k % 2 = 0 then 'started' else 'ended' end end,
       case cat when 'write' then printf('Command15 T_3RW(%d)', k % 20)
                when 'file' then 'FilesBackup'
                when 'console' then 'console'
                else case when k % 5 = 0 then 'instrument' else 'Met1 Timer1' end end,
       case when cat in ('write', 'mode') then printf('%d', k) end,
       case when cat in ('write', 'mode') then printf('%d', k + 5) end,
       case when cat = 'console' then null else 20 + (i % 1200) / 2.0 end,
       'operator', 'line-3',
       case when cat = 'write' then case when k % 97 = 0 then 'failed: no answer after 2 attempts'
                                         else 'accepted' end
            else '' end,
       case cat when 'write' then printf('Register %d: %d → %d', 4096 + k % 64, k, k + 5)
                when 'alarm' then printf('Alarm %d %s (alarm type %d, PV %d)', 1 + k % 2,
                                         case when k % 2 = 0 then 'on' else 'off' end, k % 8,
                                         20 + i % 600)
                when 'program' then printf('Segment %d → %d of curve %d', k % 16, k % 16 + 1,
                                           1 + k % 9)
                when 'mode' then 'Manual/automatic changed'
                when 'link' then printf('Link lost: 3 poll cycles in a row read nothing')
                when 'file' then printf('Backup of 1096 registers to setup-%d.json', k)
                else 'Console started' end,
       printf('line-3:%d:2024-03-01T00:00:00.000Z', 1000 + i / 50000)
from c)";
    const QString name = QStringLiteral("journal-fill-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.prepare(QString::fromUtf8(kSql));
        q.bindValue(QStringLiteral(":rows"), rows);
        q.bindValue(QStringLiteral(":first"), firstUtcMs);
        q.bindValue(QStringLiteral(":step"), stepMs);
        ok = ok && q.exec();
        if (!ok && why)
            *why = q.lastError().text() + db.lastError().text();
        // One statement writes the text index as many segments; the console's one event a
        // commit keeps it merged as it goes, as here.
        q.exec(QStringLiteral("insert into events_text(events_text) values ('optimize')"));
        q.exec(QStringLiteral("pragma wal_checkpoint(truncate)"));
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// Garbage over the middle leaf page of a table's b-tree, in a file no connection holds, so a
// query that reads through the table fails part-way (SQLITE_CORRUPT) after the rows before it.
inline bool damage_middle_page(const QString& path, const QString& table) {
    std::vector<qint64> leaves;
    qint64 pageSize = 0;
    const QString name = QStringLiteral("journal-damage-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QSqlQuery q(db.open() ? db : QSqlDatabase());
        q.exec(QStringLiteral("pragma journal_mode=delete")); // the log written into the file
        q.exec(QStringLiteral("select pageno from dbstat where name = '%1' and pagetype = 'leaf' "
                              "order by pageno")
                   .arg(table));
        while (q.next())
            leaves.push_back(q.value(0).toLongLong());
        if (q.exec(QStringLiteral("pragma page_size")) && q.next())
            pageSize = q.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase(name);
    QFile file(path);
    return leaves.size() > 4 && pageSize > 0 && file.open(QIODevice::ReadWrite) &&
           file.seek((leaves[leaves.size() / 2] - 1) * pageSize) &&
           file.write(QByteArray(pageSize, '\xff')) == pageSize;
}
