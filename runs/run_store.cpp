#include "runs/run_store.h"

#include "records/sqlite_connection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

namespace {

const char* const kCreate = "create table if not exists program_runs ("
                            " number integer primary key autoincrement,"
                            " address integer,"
                            " curve integer not null,"
                            " start_utc_ms integer not null,"
                            " start_local text not null,"
                            " end_utc_ms integer,"
                            " end_local text,"
                            " seen_utc_ms integer not null,"
                            " ending text not null,"
                            " joined integer not null,"
                            " start_segment integer not null default 0,"
                            " program_read integer not null default 0,"
                            " program text not null default '')";

const char* const kColumns =
    "number, address, curve, start_utc_ms, start_local, end_utc_ms, end_local, seen_utc_ms, "
    "ending, joined, start_segment, program_read, program";

// The 112 registers of the snapshot as decimal numbers, comma-separated.
QString program_text(const ProgramSnapshot& p) {
    QStringList values;
    for (qint16 v : p.registers())
        values << QString::number(v);
    return values.join(u',');
}

ProgramSnapshot program_of(int curve, const QString& text) {
    std::vector<qint16> values;
    for (const QString& v : text.split(u',', Qt::SkipEmptyParts))
        values.push_back(qint16(v.toInt()));
    return ProgramSnapshot::fromRegisters(curve, values.data(), int(values.size()));
}

ProgramRun run_of(const QSqlQuery& q) {
    ProgramRun r;
    r.number = q.value(0).toLongLong();
    if (!q.value(1).isNull())
        r.address = q.value(1).toInt();
    r.curve = q.value(2).toInt();
    r.startMs = q.value(3).toLongLong();
    r.startLocal = q.value(4).toString();
    if (!q.value(5).isNull())
        r.endMs = q.value(5).toLongLong();
    r.endLocal = q.value(6).toString();
    r.seenMs = q.value(7).toLongLong();
    r.ending = ending_of_key(q.value(8).toString()).value_or(RunEnding::Running);
    r.joined = q.value(9).toBool();
    r.startSegment = q.value(10).toInt();
    r.programRead = q.value(11).toBool();
    r.program = program_of(r.curve, q.value(12).toString());
    return r;
}

} // namespace

RunStore::RunStore(QString path, Access how)
    : filePath(std::move(path)),
      connectionName(QStringLiteral("runs-") + QUuid::createUuid().toString(QUuid::Id128)),
      access(how) {}

RunStore::~RunStore() {
    close();
}

bool RunStore::open() {
    close();
    const bool readOnly = access == Access::ReadOnly;
    if (readOnly && !QFileInfo::exists(filePath)) {
        error = QStringLiteral("no record file %1").arg(filePath);
        return false;
    }
    if (!readOnly && !QDir().mkpath(QFileInfo(filePath).absolutePath())) {
        error = QStringLiteral("cannot create the folder of %1").arg(filePath);
        return false;
    }
    {
        QSqlDatabase db = sqlite_connection::open(
            connectionName, filePath,
            readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500")
                     : QStringLiteral("QSQLITE_BUSY_TIMEOUT=500"),
            &error);
        if (!db.isOpen())
            return false;
        {
            QSqlQuery q(db);
            bool ok = q.exec(QStringLiteral("select count(*) from sqlite_master where type = "
                                            "'table' and name = 'program_runs'"));
            if (ok && q.next())
                hasTable = q.value(0).toInt() > 0;
            if (ok && !readOnly) {
                q.exec(QStringLiteral("pragma journal_mode=WAL"));
                ok = q.exec(QLatin1String(kCreate));
                hasTable = ok;
            }
            if (ok) {
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

void RunStore::close() {
    sqlite_connection::close(connectionName);
    opened = false;
}

bool RunStore::ensureOpen() {
    return opened || open();
}

// A failed statement lets the connection go: the next call opens the file again.
bool RunStore::exec(QSqlQuery& q) {
    if (q.exec())
        return true;
    error = q.lastError().text();
    return false;
}

std::optional<qint64> RunStore::begin(const ProgramRun& r) {
    if (!ensureOpen())
        return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.prepare(QStringLiteral(
        "insert into program_runs (address, curve, start_utc_ms, start_local, seen_utc_ms, "
        "ending, joined, start_segment, program_read, program) values (?,?,?,?,?,?,?,?,?,?)"));
    q.addBindValue(r.address ? QVariant(*r.address) : QVariant(QMetaType(QMetaType::Int)));
    q.addBindValue(r.curve);
    q.addBindValue(r.startMs);
    q.addBindValue(r.startLocal);
    q.addBindValue(r.startMs);
    q.addBindValue(ending_key(RunEnding::Running));
    q.addBindValue(int(r.joined));
    q.addBindValue(r.startSegment);
    q.addBindValue(int(r.programRead));
    q.addBindValue(r.programRead ? program_text(r.program) : QStringLiteral(""));
    if (!exec(q))
        return std::nullopt;
    return q.lastInsertId().toLongLong();
}

bool RunStore::setProgram(qint64 number, const ProgramSnapshot& program) {
    if (!ensureOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.prepare(QStringLiteral(
        "update program_runs set curve = ?, program_read = 1, program = ? where number = ?"));
    q.addBindValue(program.curve);
    q.addBindValue(program_text(program));
    q.addBindValue(number);
    return exec(q);
}

bool RunStore::seen(qint64 number, qint64 utcMs) {
    if (!ensureOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.prepare(QStringLiteral("update program_runs set seen_utc_ms = ? where number = ?"));
    q.addBindValue(utcMs);
    q.addBindValue(number);
    return exec(q);
}

bool RunStore::finish(qint64 number, RunEnding ending, qint64 utcMs) {
    if (!ensureOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.prepare(QStringLiteral("update program_runs set end_utc_ms = ?, end_local = ?, "
                             "seen_utc_ms = ?, ending = ? where number = ?"));
    q.addBindValue(utcMs);
    q.addBindValue(local_text(utcMs));
    q.addBindValue(utcMs);
    q.addBindValue(ending_key(ending));
    q.addBindValue(number);
    return exec(q);
}

std::optional<int> RunStore::closeUnfinished() {
    if (!ensureOpen())
        return std::nullopt;
    const std::vector<ProgramRun> open = select(QStringLiteral("ending = 'running'"), {}, 1000000);
    if (!error.isEmpty())
        return std::nullopt;
    for (const ProgramRun& r : open)
        if (!finish(r.number, RunEnding::ConsoleClosed, r.seenMs))
            return std::nullopt;
    return int(open.size());
}

std::vector<ProgramRun> RunStore::select(const QString& where, const QVariantList& values,
                                         int limit) {
    error.clear();
    std::vector<ProgramRun> out;
    if (!ensureOpen() || !hasTable)
        return out;
    QSqlQuery q(QSqlDatabase::database(connectionName, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("select %1 from program_runs%2 order by number desc limit %3")
                  .arg(QLatin1String(kColumns),
                       where.isEmpty() ? QString() : QStringLiteral(" where ") + where)
                  .arg(limit));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!exec(q))
        return out;
    while (q.next())
        out.push_back(run_of(q));
    return out;
}

std::optional<ProgramRun> RunStore::run(qint64 number) {
    auto runs = select(QStringLiteral("number = ?"), {number}, 1);
    if (runs.empty())
        return std::nullopt;
    return runs.front();
}

std::optional<ProgramRun> RunStore::newestEnded() {
    auto runs = select(QStringLiteral("ending <> 'running'"), {}, 1);
    if (runs.empty())
        return std::nullopt;
    return runs.front();
}

std::vector<ProgramRun> RunStore::page(std::optional<qint64> before, int limit) {
    if (before)
        return select(QStringLiteral("number < ?"), {*before}, limit);
    return select(QString(), {}, limit);
}
