#include "journal/journal_chain.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QtEndian>
#include <cstring>

namespace {

void put_be64(QByteArray& out, quint64 v) {
    char b[8];
    qToBigEndian(v, b);
    out.append(b, 8);
}

void put_sized(QByteArray& out, char tag, const QByteArray& bytes) {
    out.append(tag);
    char b[4];
    qToBigEndian(quint32(bytes.size()), b);
    out.append(b, 4);
    out.append(bytes);
}

void put_value(QByteArray& out, const QVariant& v) {
    if (v.isNull()) {
        out.append('\x00');
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        out.append('\x01');
        put_be64(out, quint64(v.toLongLong()));
        return;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        quint64 bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        out.append('\x02');
        put_be64(out, bits);
        return;
    }
    case QMetaType::QByteArray:
        put_sized(out, '\x04', v.toByteArray());
        return;
    default:
        put_sized(out, '\x03', v.toString().toUtf8());
        return;
    }
}

bool has_column(QSqlQuery& q, const QString& table, const QString& column) {
    if (!q.exec(QStringLiteral("select count(*) from pragma_table_info('%1') where name = '%2'")
                    .arg(table, column)) ||
        !q.next())
        return false;
    return q.value(0).toInt() > 0;
}

} // namespace

QByteArray chain_fields(const QVariantList& fields) {
    QByteArray out;
    out.reserve(320);
    for (const QVariant& v : fields)
        put_value(out, v);
    return out;
}

QByteArray chain_hash(const QByteArray& previous, const QVariantList& fields) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(previous.size() == kHashBytes ? previous : QByteArray(kHashBytes, '\0'));
    h.addData(chain_fields(fields));
    return h.result();
}

ChainCheck::ChainCheck(QString path)
    : filePath(std::move(path)),
      connectionName(QStringLiteral("chain-") + QUuid::createUuid().toString(QUuid::Id128)) {}

ChainCheck::~ChainCheck() {
    if (!QSqlDatabase::contains(connectionName))
        return;
    QSqlDatabase::database(connectionName, false).close();
    QSqlDatabase::removeDatabase(connectionName);
}

bool ChainCheck::openFile() {
    if (!QFileInfo(filePath).isFile()) {
        unreadable(tr("%1 not found").arg(filePath));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(filePath);
    // Checking changes nothing in the file, not even its journal mode.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        unreadable(db.lastError().text());
        return false;
    }
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select count(*) from sqlite_master where type = 'table' and "
                               "name = 'events'")) ||
        !q.next()) {
        unreadable(q.lastError().text());
        return false;
    }
    if (q.value(0).toInt() == 0) {
        unreadable(tr("%1 holds no event journal").arg(filePath));
        return false;
    }
    // A file no console has started on since the chain came has no hashes yet: every event
    // then reads as unhashed, which is what it is.
    const bool column = has_column(q, QStringLiteral("events"), QStringLiteral("hash"));
    const bool sealed = has_column(q, QStringLiteral("events_sealed"), QStringLiteral("hash"));
    QStringList columns;
    for (const QString& c : QString::fromLatin1(kChainedColumns).split(QStringLiteral(", ")))
        columns << QStringLiteral("e.") + c;
    selectSql =
        QStringLiteral("select %1, %2 from events e %3 where e.seq > ? order by e.seq "
                       "limit ?")
            .arg(columns.join(QStringLiteral(", ")),
                 column && sealed ? QStringLiteral("coalesce(e.hash, s.hash)")
                 : column         ? QStringLiteral("e.hash")
                 : sealed         ? QStringLiteral("s.hash")
                                  : QStringLiteral("null"),
                 sealed ? QStringLiteral("left join events_sealed s on s.seq = e.seq") : QString());
    opened = true;
    return true;
}

ChainCheck::State ChainCheck::step(int rows) {
    if (current != State::Running || (!opened && !openFile()))
        return current;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.setForwardOnly(true);
    q.prepare(selectSql);
    q.addBindValue(lastSeq);
    q.addBindValue(rows);
    if (!q.exec())
        return unreadable(q.lastError().text());
    int read = 0;
    QVariantList fields;
    while (q.next()) {
        ++read;
        fields.clear();
        for (int i = 0; i < kChainedColumnCount; ++i)
            fields << q.value(i);
        if (!checkRow(fields, q.value(kChainedColumnCount).toString()))
            return current;
    }
    // A damaged page ends the walk with an error, not with fewer rows.
    if (q.lastError().isValid())
        return unreadable(q.lastError().text());
    if (read < rows)
        finish();
    return current;
}

ChainCheck::State ChainCheck::runToEnd() {
    while (step(10000) == State::Running) {
    }
    return current;
}

bool ChainCheck::checkRow(const QVariantList& fields, const QString& stored) {
    const qint64 seq = fields[0].toLongLong();
    const QByteArray storedBytes = QByteArray::fromHex(stored.toLatin1());
    if (suspect) {
        const bool goesOn = !stored.isEmpty() && chain_hash(suspect->stored, fields) == storedBytes;
        broken(suspect->seq,
               goesOn ? tr("event %1 was changed after it was journaled (its fields no longer "
                           "give its hash)")
                            .arg(suspect->seq)
                      : tr("the hash of event %1 does not match the chain").arg(suspect->seq));
        return false;
    }
    if (seq != lastSeq + 1) {
        broken(lastSeq + 1, seq == lastSeq + 2
                                ? tr("event %1 is missing").arg(lastSeq + 1)
                                : tr("events %1 to %2 are missing").arg(lastSeq + 1).arg(seq - 1));
        return false;
    }
    if (stored.isEmpty()) {
        broken(seq, tr("event %1 has no hash").arg(seq));
        return false;
    }
    lastSeq = seq;
    const QByteArray computed = chain_hash(previous, fields);
    if (computed != storedBytes || stored.size() != 2 * kHashBytes) {
        suspect = Suspect{seq, storedBytes};
        return true;
    }
    previous = computed;
    ++count;
    return true;
}

void ChainCheck::finish() {
    if (suspect) {
        broken(suspect->seq,
               tr("event %1 or its hash was changed after it was journaled").arg(suspect->seq));
        return;
    }
    // The newest events deleted leave no gap behind them: the file's own count of the numbers it
    // gave out says they were there. Events journaled meanwhile are checked on the next step.
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.prepare(QStringLiteral("select (select seq from sqlite_sequence where name = 'events'), "
                             "(select count(*) from events where seq > ?)"));
    q.addBindValue(lastSeq);
    if (!q.exec() || !q.next()) {
        unreadable(q.lastError().text());
        return;
    }
    if (q.value(1).toLongLong() > 0)
        return;
    const qint64 given = q.value(0).toLongLong();
    if (given > lastSeq) {
        broken(lastSeq + 1,
               given == lastSeq + 1
                   ? tr("event %1, the newest, is missing").arg(given)
                   : tr("events %1 to %2, the newest, are missing").arg(lastSeq + 1).arg(given));
        return;
    }
    current = State::Intact;
}

ChainCheck::State ChainCheck::broken(qint64 seq, const QString& why) {
    current = State::Broken;
    brokenAt = seq;
    reason = why;
    return current;
}

ChainCheck::State ChainCheck::unreadable(const QString& why) {
    current = State::Unreadable;
    reason = why;
    return current;
}

QString ChainCheck::text() const {
    switch (current) {
    case State::Running:
        return tr("checking the chain: %1 events so far").arg(count);
    case State::Intact:
        return tr("chain intact: %1 events").arg(count);
    case State::Broken:
        return tr("chain broken at event %1: %2").arg(brokenAt).arg(reason);
    case State::Unreadable:
        break;
    }
    return tr("the chain cannot be checked: %1").arg(reason);
}
