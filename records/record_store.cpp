#include "records/record_store.h"

#include "core/clock.h"
#include "records/record_schema.h"
#include "records/record_store_connection.h"
#include "records/record_store_errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace {

int nextConnectionNumber = 0;

} // namespace

RecordStore::RecordStore(const QString& path, QObject* parent)
    : QObject(parent), filePath(path.isEmpty() ? defaultPath() : path),
      connectionName(QStringLiteral("records-%1").arg(++nextConnectionNumber)),
      shortSource(*this, RecordTable::Short), longSource(*this, RecordTable::Long) {
    current.text = tr("closed");
}

RecordStore::~RecordStore() {
    dropConnection();
}

QString RecordStore::defaultPath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base.isEmpty() ? QDir::homePath() : base)
        .filePath(QStringLiteral("Mlog/Rdatabj.db"));
}

bool RecordStore::open() {
    wanted = true;
    if (conn)
        return true;
    return ensureOpen(Kind::Read);
}

void RecordStore::close() {
    wanted = false;
    dropConnection();
    problem.reset();
    publish();
}

bool RecordStore::ensureOpen(Kind kind) {
    if (conn)
        return true;
    if (!wanted) {
        failed(kind, RecordStoreState::Closed, tr("closed"));
        return false;
    }
    return openConnection();
}

bool RecordStore::openConnection() {
    const QFileInfo info(filePath);
    if (info.isDir()) {
        failed(Kind::Read, RecordStoreState::Unreadable,
               tr("the record file cannot be opened: %1 is a folder").arg(filePath));
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        failed(Kind::Read, RecordStoreState::Unreadable,
               tr("the record folder %1 cannot be created").arg(info.absolutePath()));
        return false;
    }
    auto made = std::make_unique<Connection>();
    made->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    made->db.setDatabaseName(filePath);
    // A short wait for another writer, so a checkpoint or a reader elsewhere costs no record;
    // never long enough to be felt on the screen.
    made->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=20"));
    conn = std::move(made);
    if (!conn->db.open()) {
        const QSqlError error = conn->db.lastError();
        dropConnection();
        failed(Kind::Read, error);
        return false;
    }
    QString what;
    QSqlError error;
    if (!conn->prepare(&error, &what)) {
        const ErrorMeaning meaning = error.isValid() ? error_meaning(error, false)
                                                     : ErrorMeaning{RecordStoreState::Failed, what};
        dropConnection();
        failed(Kind::Read, meaning.state, meaning.text);
        return false;
    }
    succeeded(Kind::Read);
    return true;
}

void RecordStore::dropConnection() {
    if (!conn)
        return;
    conn->release();
    conn.reset();
    QSqlDatabase::removeDatabase(connectionName);
}

std::optional<SlVoid> RecordStore::readPositions() {
    if (!ensureOpen(Kind::Read))
        return std::nullopt;
    QSqlQuery query(conn->db);
    query.setForwardOnly(true);
    if (!query.exec(QLatin1StringView(kSelectSlVoid))) {
        failed(Kind::Read, query.lastError());
        return std::nullopt;
    }
    if (!query.next()) {
        if (query.lastError().isValid())
            failed(Kind::Read, query.lastError());
        else
            failed(Kind::Read, RecordStoreState::Failed, tr("sl_void holds no row"));
        return std::nullopt;
    }
    SlVoid positions{};
    for (int i = 0; i < kSlVoidColumns; ++i) {
        bool ok = false;
        const QVariant value = query.value(i);
        positions[i] = value.toInt(&ok);
        if (value.isNull() || !ok) {
            failed(Kind::Read, RecordStoreState::Failed,
                   tr("sl_void column %1 holds no number").arg(i));
            return std::nullopt;
        }
    }
    succeeded(Kind::Read);
    return positions;
}

bool RecordStore::writeRecord(RecordTable table, qint32 number, double date, double time,
                              const std::array<float, 8>& values) {
    if (!ensureOpen(Kind::Write))
        return false;
    if (!conn->db.transaction()) {
        failed(Kind::Write, conn->db.lastError());
        return false;
    }
    QString what;
    QSqlError error;
    if (!conn->writeRecord(table, number, date, time, values, &error, &what) ||
        !conn->db.commit()) {
        if (!error.isValid() && what.isEmpty())
            error = conn->db.lastError();
        conn->db.rollback();
        if (error.isValid())
            failed(Kind::Write, error);
        else
            failed(Kind::Write, RecordStoreState::Failed, what);
        return false;
    }
    succeeded(Kind::Write);
    return true;
}

std::vector<RecordRow> RecordStore::window(RecordTable table, qint32 windowStart,
                                           qint32 windowEnd) {
    if (!ensureOpen(Kind::Read))
        return {};
    QSqlError error;
    std::vector<RecordRow> rows = conn->window(table, windowStart, windowEnd, &error);
    if (error.isValid()) {
        failed(Kind::Read, error);
        return {};
    }
    succeeded(Kind::Read);
    return rows;
}

void RecordStore::succeeded(Kind kind) {
    if (kind == Kind::Write) {
        ++current.writes;
        current.lastWrite = console_clock().now();
        problem.reset();
    } else if (problem && problem->kind == Kind::Read) {
        problem.reset();
    }
    publish();
}

void RecordStore::failed(Kind kind, const QSqlError& error) {
    const ErrorMeaning meaning = error_meaning(error, kind == Kind::Write);
    if (!keeps_connection(meaning.state))
        dropConnection();
    failed(kind, meaning.state, meaning.text);
}

void RecordStore::failed(Kind kind, RecordStoreState state, const QString& text) {
    if (state != RecordStoreState::Closed) {
        ++current.failures;
        problem = Problem{kind, state, text};
    }
    publish();
}

void RecordStore::publish() {
    if (problem) {
        current.state = problem->state;
        current.text = problem->text;
    } else if (conn) {
        current.state = RecordStoreState::Ok;
        current.text = tr("ok");
    } else {
        current.state = RecordStoreState::Closed;
        current.text = tr("closed");
    }
    const bool changed =
        !announced || announced->state != current.state || announced->text != current.text ||
        announced->lastWrite != current.lastWrite || announced->writes != current.writes ||
        announced->failures != current.failures;
    if (!changed)
        return;
    announced = current;
    emit statusChanged(current);
}
