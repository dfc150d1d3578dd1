#include "journal/journal_store.h"

#include "journal/journal_chain.h"
#include "records/sqlite_connection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <QVariant>
#include <cmath>

namespace {

const char* const kCreate[] = {
    "create table if not exists events ("
    " seq integer primary key autoincrement,"
    " utc_ms integer not null,"
    " local_time text not null,"
    " address integer,"
    " category text not null,"
    " code text not null,"
    " source text not null default '',"
    " old_value text,"
    " new_value text,"
    " pv real,"
    " user text not null default '',"
    " host text not null default '',"
    " result text not null default '',"
    " detail text not null default '',"
    " session text not null default '')",
    "create index if not exists events_time on events(utc_ms)",
    "create index if not exists events_category_time on events(category, utc_ms)",
    // The charts ask, every second, for the newest "on" or "off" of each alarm before their
    // window: one index step each, however rare the code.
    "create index if not exists events_code_time on events(category, code, utc_ms)",
    // The journal is a trail: a row once written stays as it was.
    "create trigger if not exists events_no_update before update on events begin"
    " select raise(abort, 'the event journal is append-only: rows cannot be changed'); end",
    "create trigger if not exists events_no_delete before delete on events begin"
    " select raise(abort, 'the event journal is append-only: rows cannot be deleted'); end",
    // At start: the consoles that began and never said their end, one index step a session.
    "create index if not exists events_console_session on events(session, code)"
    " where category = 'console'",
};

// The text index behind the text filter: every trigram of the searched columns (any case), so a
// text found in few events (or none) is not looked for row by row through the whole journal.
// Only which rows hold a trigram is kept (detail=none): the filter's LIKE still decides.
const char* const kTextIndex =
    "create virtual table events_text using fts5(code, source, old_value, new_value, result,"
    " detail, user, host, content='events', content_rowid='seq', tokenize='trigram',"
    " detail='none')";
const char* const kTextIndexFed =
    "create trigger if not exists events_text_insert after insert on events begin"
    " insert into events_text(rowid, code, source, old_value, new_value, result, detail, user,"
    " host) values (new.seq, new.code, new.source, new.old_value, new.new_value, new.result,"
    " new.detail, new.user, new.host); end";

const char* const kColumns = "seq, utc_ms, local_time, address, category, code, source, "
                             "old_value, new_value, pv, user, host, result, detail, session";

QVariant optional_text(const std::optional<QString>& v) {
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::QString));
}

// A text column that is "not null": Qt binds a null QString (a draft's result left unset) as NULL,
// which the file refuses, so it goes in as an empty text.
QVariant text_of(const QString& v) {
    return v.isNull() ? QVariant(QStringLiteral("")) : QVariant(v);
}

std::optional<QString> text_or_none(const QVariant& v) {
    if (v.isNull())
        return std::nullopt;
    return v.toString();
}

JournalEntry entry_of(const QSqlQuery& q) {
    JournalEntry e;
    e.seq = q.value(0).toLongLong();
    e.utcMs = q.value(1).toLongLong();
    e.localTime = q.value(2).toString();
    if (!q.value(3).isNull())
        e.address = q.value(3).toInt();
    e.category = category_of_key(q.value(4).toString()).value_or(EventCategory::Console);
    e.code = q.value(5).toString();
    e.source = q.value(6).toString();
    e.oldValue = text_or_none(q.value(7));
    e.newValue = text_or_none(q.value(8));
    if (!q.value(9).isNull())
        e.pv = q.value(9).toDouble();
    e.user = q.value(10).toString();
    e.host = q.value(11).toString();
    e.result = q.value(12).toString();
    e.detail = q.value(13).toString();
    e.session = q.value(14).toString();
    return e;
}

// The text's trigrams as a full-text query that every event holding the text matches: "abc" AND
// "bcd" ... Empty when the text is too short to have one.
QString trigram_query(const QString& text) {
    const QList<uint> points = text.toUcs4();
    // A long text is looked up by a few trigrams spread over it: each costs its list of rows.
    constexpr qsizetype kMostTrigrams = 8;
    const qsizetype count = points.size() - 2;
    QStringList terms;
    for (qsizetype n = 0; n < std::min(count, kMostTrigrams); ++n) {
        const qsizetype i = count <= kMostTrigrams ? n : n * (count - 1) / (kMostTrigrams - 1);
        QString t = QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData() + i), 3);
        t = u'"' + t.replace(u'"', QStringLiteral("\"\"")) + u'"';
        if (!terms.contains(t))
            terms << t;
    }
    return terms.join(QStringLiteral(" AND "));
}

// The filter as a where clause and its bound values. With the text index, the rows that hold
// the text's trigrams are looked up first; "+seq" keeps the walk in time order, so a page
// of a common text stops at its 200th event and a rare one costs the index look-up.
QString filter_sql(const JournalFilter& f, QVariantList& values, bool textIndex = false) {
    QStringList parts;
    if (f.from.isValid()) {
        parts << QStringLiteral("utc_ms >= ?");
        values << f.from.toMSecsSinceEpoch();
    }
    if (f.to.isValid()) {
        parts << QStringLiteral("utc_ms <= ?");
        values << f.to.toMSecsSinceEpoch();
    }
    if (!f.categories.isEmpty()) {
        QStringList marks;
        for (EventCategory c : f.categories) {
            marks << QStringLiteral("?");
            values << category_key(c);
        }
        parts << QStringLiteral("category in (%1)").arg(marks.join(u','));
    }
    const QString text = f.text.trimmed();
    if (!text.isEmpty()) {
        QString pattern = text;
        pattern.replace(u'\\', QStringLiteral("\\\\"))
            .replace(u'%', QStringLiteral("\\%"))
            .replace(u'_', QStringLiteral("\\_"));
        pattern = u'%' + pattern + u'%';
        QStringList any;
        for (const char* column :
             {"code", "source", "old_value", "new_value", "result", "detail", "user", "host"}) {
            any << QStringLiteral("%1 like ? escape '\\'").arg(QLatin1String(column));
            values << pattern;
        }
        parts << u'(' + any.join(QStringLiteral(" or ")) + u')';
        const QString trigrams = textIndex ? trigram_query(text) : QString();
        if (!trigrams.isEmpty()) {
            parts << QStringLiteral("+seq in (select rowid from events_text where events_text "
                                    "match ?)");
            values << trigrams;
        }
    }
    return parts.join(QStringLiteral(" and "));
}

// The text index, made once in one transaction with the events already in the file. False when
// this SQLite has no full-text module: the text filter then reads row by row.
bool ensure_text_index(QSqlQuery& q) {
    if (!q.exec(QStringLiteral("begin immediate")))
        return false;
    bool ok =
        q.exec(QStringLiteral("select count(*) from sqlite_master where name = 'events_text'")) &&
        q.next();
    const bool made = ok && q.value(0).toInt() > 0;
    q.finish();
    if (ok && !made)
        ok = q.exec(QLatin1String(kTextIndex)) &&
             q.exec(QStringLiteral("insert into events_text(events_text) values ('rebuild')"));
    ok = ok && q.exec(QLatin1String(kTextIndexFed));
    q.exec(ok ? QStringLiteral("commit") : QStringLiteral("rollback"));
    return ok;
}

QString and_of(const QString& a, const QString& b) {
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a + QStringLiteral(" and ") + b;
}

} // namespace

JournalStore::JournalStore(QString path, Access how)
    : filePath(std::move(path)),
      connectionName(QStringLiteral("journal-") + QUuid::createUuid().toString(QUuid::Id128)),
      access(how) {}

JournalStore::~JournalStore() {
    close();
}

bool JournalStore::open() {
    close();
    if (access == Access::ReadOnly)
        return openReadOnly();
    const QFileInfo info(filePath);
    if (!QDir().mkpath(info.absolutePath())) {
        error = QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
        return false;
    }
    {
        QSqlDatabase db = sqlite_connection::open(
            connectionName, filePath, QStringLiteral("QSQLITE_BUSY_TIMEOUT=500"), &error);
        if (!db.isOpen())
            return false;
        {
            QSqlQuery q(db);
            // A file that is not a database fails here, before anything is written to it.
            bool ok = q.exec(QStringLiteral("select count(*) from sqlite_master"));
            if (ok) {
                q.exec(QStringLiteral("pragma journal_mode=WAL"));
                q.exec(QStringLiteral("pragma synchronous=NORMAL"));
            }
            const QStringList before = ok ? schemaNames(q) : QStringList();
            for (const char* sql : kCreate) {
                if (!ok)
                    break;
                ok = q.exec(QLatin1String(sql));
            }
            ok = ok && prepareChain(q, before);
            if (ok) {
                textIndex = ensure_text_index(q);
                opened = true;
                error.clear();
                return true;
            }
            error = q.lastError().text();
        }
    }
    sqlite_connection::close(connectionName);
    return false;
}

bool JournalStore::openReadOnly() {
    {
        QSqlDatabase db = sqlite_connection::open(
            connectionName, filePath,
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500"), &error);
        if (!db.isOpen())
            return false;
        {
            QSqlQuery q(db);
            // A file that is not a database fails here.
            if (q.exec(QStringLiteral("select count(*) from sqlite_master where type = 'table' "
                                      "and name = 'events'")) &&
                q.next()) {
                hasEvents = q.value(0).toInt() > 0;
                q.finish();
                // The text index where a console made it and this SQLite can read it.
                textIndex =
                    hasEvents && q.exec(QStringLiteral("select rowid from events_text limit 0"));
                opened = true;
                error.clear();
                return true;
            }
            error = q.lastError().text();
        }
    }
    sqlite_connection::close(connectionName);
    return false;
}

void JournalStore::close() {
    sqlite_connection::close(connectionName);
    opened = false;
}

bool JournalStore::ensureOpen() {
    return opened || open();
}

std::optional<qint64> JournalStore::append(const JournalEntry& e) {
    if (!ensureOpen())
        return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    // The newest hash is read and the event inserted under one write lock: another console on
    // the same file appends before or after this event, never between.
    std::optional<qint64> seq;
    if (q.exec(QStringLiteral("begin immediate"))) {
        seq = insertChained(q, e);
        if (seq && !q.exec(QStringLiteral("commit")))
            seq.reset();
        if (!seq) {
            error = q.lastError().text();
            q.exec(QStringLiteral("rollback"));
        }
    } else {
        error = q.lastError().text();
    }
    if (!seq) {
        close(); // the next event opens the file again
        return std::nullopt;
    }
    error.clear();
    return seq;
}

// Inside the write transaction: the next number (never one given out before, even when the
// newest rows were taken away) and the hash of the event before it.
std::optional<qint64> JournalStore::insertChained(QSqlQuery& q, const JournalEntry& e) {
    if (!q.exec(QStringLiteral("select max(coalesce((select seq from sqlite_sequence where name "
                               "= 'events'), 0), coalesce((select max(seq) from events), 0))")) ||
        !q.next())
        return std::nullopt;
    const qint64 seq = q.value(0).toLongLong() + 1;
    q.finish();
    QByteArray previous;
    q.prepare(QStringLiteral("select coalesce(e.hash, s.hash) from events e left join "
                             "events_sealed s on s.seq = e.seq where e.seq = ?"));
    q.addBindValue(seq - 1);
    if (!q.exec())
        return std::nullopt;
    if (q.next())
        previous = QByteArray::fromHex(q.value(0).toString().toLatin1());
    q.finish();
    // SQLite keeps a NaN as NULL: the hash is over what the file will hold.
    const bool pv = e.pv && std::isfinite(*e.pv);
    const QVariantList values{seq,
                              e.utcMs,
                              text_of(e.localTime),
                              e.address ? QVariant(*e.address)
                                        : QVariant(QMetaType(QMetaType::Int)),
                              category_key(e.category),
                              text_of(e.code),
                              text_of(e.source),
                              optional_text(e.oldValue),
                              optional_text(e.newValue),
                              pv ? QVariant(*e.pv) : QVariant(QMetaType(QMetaType::Double)),
                              text_of(e.user),
                              text_of(e.host),
                              text_of(e.result),
                              text_of(e.detail),
                              text_of(e.session)};
    q.prepare(QStringLiteral("insert into events (%1, hash) values (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                             "?, ?, ?, ?, ?, ?, ?)")
                  .arg(QLatin1String(kChainedColumns)));
    for (const QVariant& v : values)
        q.addBindValue(v);
    q.addBindValue(QString::fromLatin1(chain_hash(previous, values).toHex()));
    if (!q.exec())
        return std::nullopt;
    return seq;
}

std::vector<JournalEntry> JournalStore::select(const QString& where, const QVariantList& values,
                                               const QString& order, int limit) {
    std::vector<JournalEntry> rows;
    if (!ensureOpen())
        return rows;
    if (!hasEvents) {
        error.clear();
        return rows;
    }
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.setForwardOnly(true);
    QString sql = QStringLiteral("select %1 from events").arg(QLatin1String(kColumns));
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    sql += QStringLiteral(" order by ") + order + QStringLiteral(" limit %1").arg(limit);
    q.prepare(sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        error = q.lastError().text();
        return rows;
    }
    rows.reserve(static_cast<std::size_t>(qMax(0, limit)));
    while (q.next())
        rows.push_back(entry_of(q));
    // next() is false at the end and on a failed read alike (a damaged page): the rows read so
    // far are returned, and why the rest are missing.
    if (q.lastError().isValid()) {
        error = q.lastError().text();
        return rows;
    }
    error.clear();
    return rows;
}

std::vector<JournalEntry> JournalStore::keysetPage(const JournalFilter& filter,
                                                   std::optional<JournalCursor> after, int limit,
                                                   bool newestFirst) {
    // A text found in few events is looked up in the text index, not read row by row.
    QVariantList values;
    QString where = filter_sql(filter, values, textIndex);
    if (after) {
        where = and_of(where, newestFirst ? QStringLiteral("(utc_ms, seq) < (?, ?)")
                                          : QStringLiteral("(utc_ms, seq) > (?, ?)"));
        values << after->utcMs << after->seq;
    }
    return select(where, values,
                  newestFirst ? QStringLiteral("utc_ms desc, seq desc")
                              : QStringLiteral("utc_ms, seq"),
                  limit);
}

std::vector<JournalEntry> JournalStore::page(const JournalFilter& filter,
                                             std::optional<JournalCursor> after, int limit) {
    return keysetPage(filter, after, limit, true);
}

std::vector<JournalEntry> JournalStore::newerThan(const JournalFilter& filter, qint64 seq,
                                                  int limit) {
    QVariantList values;
    QString where = filter_sql(filter, values);
    where = and_of(where, QStringLiteral("seq > ?"));
    values << seq;
    return select(where, values, QStringLiteral("seq"), limit);
}

std::vector<JournalEntry> JournalStore::pageForward(const JournalFilter& filter,
                                                    std::optional<JournalCursor> after, int limit) {
    return keysetPage(filter, after, limit, false);
}

std::optional<JournalEntry> JournalStore::newest(EventCategory category, const QString& code) {
    QVariantList values{category_key(category)};
    QString where = QStringLiteral("category = ?");
    if (!code.isEmpty()) {
        where += QStringLiteral(" and code = ?");
        values << code;
    }
    const auto rows = select(where, values, QStringLiteral("seq desc"), 1);
    if (rows.empty())
        return std::nullopt;
    return rows.front();
}

std::optional<JournalEntry> JournalStore::newestBefore(EventCategory category,
                                                       const QStringList& codes,
                                                       const QDateTime& before) {
    // One look-up a code on (category, code, utc_ms), the newest of them kept.
    std::optional<JournalEntry> newest;
    for (const QString& code : codes) {
        const auto rows = select(QStringLiteral("category = ? and code = ? and utc_ms < ?"),
                                 {category_key(category), code, before.toMSecsSinceEpoch()},
                                 QStringLiteral("utc_ms desc, seq desc"), 1);
        if (!rows.empty() && (!newest || std::pair(rows.front().utcMs, rows.front().seq) >
                                             std::pair(newest->utcMs, newest->seq)))
            newest = rows.front();
    }
    return newest;
}

bool JournalStore::hasEvent(EventCategory category, const QString& code, const QString& session) {
    return !select(QStringLiteral("category = ? and code = ? and session = ?"),
                   {category_key(category), code, session}, QStringLiteral("seq"), 1)
                .empty();
}

std::optional<qint64> JournalStore::rowCount() {
    if (!ensureOpen())
        return std::nullopt;
    if (!hasEvents)
        return 0;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    if (!q.exec(QStringLiteral("select count(*) from events")) || !q.next()) {
        error = q.lastError().text();
        return std::nullopt;
    }
    return q.value(0).toLongLong();
}

qint64 JournalStore::fileBytes() const {
    return QFileInfo(filePath).size() + QFileInfo(filePath + QStringLiteral("-wal")).size();
}
