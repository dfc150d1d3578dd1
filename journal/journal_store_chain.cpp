// The journal store's hash chain and guards: the hash column and the table of the hashes of events
// journaled before the chain, the guards found missing, the sealing of unhashed events, and the
// look-ups of console runs that never said their end.
#include "journal/journal_chain.h"
#include "journal/journal_store.h"

#include <QSqlError>
#include <QSqlQuery>
#include <vector>

namespace {

// Hashes are kept as written: `events` refuses changes by its own guards; `events_sealed` (the
// hashes of events from before the chain: `events` itself refuses the UPDATE that would put
// them in their rows) refuses them too.
const char* const kChainSchema[] = {
    "create table if not exists events_sealed (seq integer primary key, hash text not null)",
    "create trigger if not exists events_sealed_no_update before update on events_sealed begin"
    " select raise(abort, 'the event journal is append-only: hashes cannot be changed'); end",
    "create trigger if not exists events_sealed_no_delete before delete on events_sealed begin"
    " select raise(abort, 'the event journal is append-only: hashes cannot be deleted'); end",
};

struct Guard {
    const char* trigger;
    const char* table;
};
constexpr Guard kGuards[] = {{"events_no_update", "events"},
                             {"events_no_delete", "events"},
                             {"events_sealed_no_update", "events_sealed"},
                             {"events_sealed_no_delete", "events_sealed"}};

constexpr int kSealRowsPerRead = 5000;

} // namespace

QStringList JournalStore::schemaNames(QSqlQuery& q) {
    QStringList names;
    if (q.exec(QStringLiteral("select name from sqlite_master where type in ('table', "
                              "'trigger')")))
        while (q.next())
            names << q.value(0).toString();
    return names;
}

bool JournalStore::prepareChain(QSqlQuery& q, const QStringList& before) {
    if (!q.exec(QStringLiteral("select count(*) from pragma_table_info('events') where name = "
                               "'hash'")) ||
        !q.next())
        return false;
    const bool hasHash = q.value(0).toInt() > 0;
    q.finish();
    // A column added to a table the guards protect: ALTER is not an UPDATE of any row.
    if (!hasHash && !q.exec(QStringLiteral("alter table events add column hash text")))
        return false;
    for (const char* sql : kChainSchema)
        if (!q.exec(QLatin1String(sql)))
            return false;
    remade.clear();
    for (const Guard& g : kGuards)
        if (before.contains(QLatin1String(g.table)) && !before.contains(QLatin1String(g.trigger)))
            remade << QLatin1String(g.trigger);
    return true;
}

std::optional<qint64> JournalStore::chainUnhashed() {
    if (!ensureOpen())
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("begin immediate"))) {
        error = q.lastError().text();
        return std::nullopt;
    }
    // The chain goes on from the newest event that has a hash; what follows it has none.
    bool ok = q.exec(QStringLiteral("select e.seq, coalesce(e.hash, s.hash) from events e left "
                                    "join events_sealed s on s.seq = e.seq where coalesce(e.hash, "
                                    "s.hash) is not null order by e.seq desc limit 1"));
    qint64 after = 0;
    QByteArray previous;
    if (ok && q.next()) {
        after = q.value(0).toLongLong();
        previous = QByteArray::fromHex(q.value(1).toString().toLatin1());
    }
    q.finish();
    qint64 sealed = 0;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("insert into events_sealed (seq, hash) values (?, ?)"));
    std::vector<QVariantList> rows;
    while (ok) {
        rows.clear();
        q.prepare(QStringLiteral("select %1 from events where seq > ? order by seq limit ?")
                      .arg(QLatin1String(kChainedColumns)));
        q.addBindValue(after);
        q.addBindValue(kSealRowsPerRead);
        ok = q.exec();
        while (ok && q.next()) {
            QVariantList fields;
            for (int i = 0; i < kChainedColumnCount; ++i)
                fields << q.value(i);
            rows.push_back(std::move(fields));
        }
        ok = ok && !q.lastError().isValid();
        q.finish();
        for (const QVariantList& fields : rows) {
            if (!ok)
                break;
            previous = chain_hash(previous, fields);
            insert.bindValue(0, fields[0]);
            insert.bindValue(1, QString::fromLatin1(previous.toHex()));
            ok = insert.exec();
            after = fields[0].toLongLong();
            ++sealed;
        }
        if (rows.size() < std::size_t(kSealRowsPerRead))
            break;
    }
    if (ok)
        ok = q.exec(QStringLiteral("commit"));
    if (!ok) {
        error = q.lastError().isValid() ? q.lastError().text() : insert.lastError().text();
        q.exec(QStringLiteral("rollback"));
        return std::nullopt;
    }
    error.clear();
    return sealed;
}

std::vector<JournalEntry> JournalStore::unendedStarts(const QString& except) {
    // An unclean end names its run in old_value; one journaled before it did named the newest
    // start of another console before it.
    return select(
        QStringLiteral("category = 'console' and code = 'started' and session != ?"
                       " and not exists (select 1 from events x where x.category = 'console'"
                       "   and x.session = events.session and x.code = 'ended')"
                       " and not exists (select 1 from events u where u.category = 'console'"
                       "   and u.code = 'unclean_end' and u.old_value = events.session)"
                       " and not exists (select 1 from events u where u.category = 'console'"
                       "   and u.code = 'unclean_end' and u.old_value is null and events.seq ="
                       "   (select max(p.seq) from events p where p.category = 'console'"
                       "    and p.code = 'started' and p.seq < u.seq and p.session != u.session))"),
        {except}, QStringLiteral("seq"), 1000);
}

std::optional<JournalEntry> JournalStore::newestOf(const QString& session) {
    const auto rows =
        select(QStringLiteral("session = ?"), {session}, QStringLiteral("seq desc"), 1);
    if (rows.empty())
        return std::nullopt;
    return rows.front();
}
