#pragma once
// The record database: one SQLite file holding the write positions (sl_void) and the two record
// rings, pv_data (one row a second) and Lpv_wdjl (one row every ten seconds). Each RecordStore
// owns its own named connection: the logger and each curve screen open their own, and closing
// the store closes it. A missing file is created with its three tables and sl_void = 0, 0, 0, 0.
//
// No failure stops the console: an operation that fails returns empty or false, the store's
// status says why in words, and the next operation opens the file again if the connection was
// lost, so a file that becomes readable or writable again is used without a restart.

#include "records/record_source.h"
#include "records/record_table_source.h"

#include <QDateTime>
#include <QObject>
#include <QSqlError>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

enum class RecordTable { Short, Long }; // pv_data, Lpv_wdjl

using SlVoid = std::array<qint32, 4>; // sl_void columns 0..3

enum class RecordStoreState {
    Closed,     // not opened yet, or closed
    Ok,         // the last reads and writes succeeded
    Unreadable, // the file cannot be opened or read (missing folder rights, not a file, ...)
    Unwritable, // the file opens but refuses writes (read-only file or file system)
    Locked,     // another program holds the file's lock
    Corrupt,    // not a database, or a damaged one
    Failed,     // any other database error (a missing table, an sl_void with no row, ...)
};

struct RecordStoreStatus {
    RecordStoreState state = RecordStoreState::Closed;
    QString text;         // "ok" or the error in words
    QDateTime lastWrite;  // console clock at the last committed record; invalid before it
    quint64 writes = 0;   // records committed
    quint64 failures = 0; // operations that failed
};

class RecordStore final : public QObject {
    Q_OBJECT
public:
    // path empty: defaultPath().
    explicit RecordStore(const QString& path = QString(), QObject* parent = nullptr);
    ~RecordStore() override;

    // <user's generic data folder>/Mlog/Rdatabj.db, e.g. ~/.local/share/Mlog/Rdatabj.db.
    static QString defaultPath();
    const QString& path() const { return filePath; }

    // Opens the connection, creating the folder, the file and its tables if missing.
    bool open();
    void close();
    bool isOpen() const { return conn != nullptr; }

    // "select * from  sl_void": the four write positions; empty when they cannot be read.
    std::optional<SlVoid> readPositions();

    // Writes record `number` of the table (edits the row with that number, else appends one) and
    // sets the table's two sl_void columns to `number`, in one transaction: either both or
    // neither reach the file.
    bool writeRecord(RecordTable table, qint32 number, double date, double time,
                     const std::array<float, 8>& values);

    // Records windowStart+1 .. windowEnd, or 1..windowEnd and windowStart+1..65500 when
    // windowEnd <= windowStart (the window spans the wrap), ordered by w_date, w_time.
    // Empty on a database error.
    std::vector<RecordRow> window(RecordTable table, qint32 windowStart, qint32 windowEnd);

    // The chart's view of one table (write position column 0 or 2).
    RecordSource& shortRecords() { return shortSource; }
    RecordSource& longRecords() { return longSource; }

    const RecordStoreStatus& status() const { return current; }

signals:
    void statusChanged(const RecordStoreStatus& status);

private:
    struct Connection;
    enum class Kind { Read, Write };

    bool ensureOpen(Kind kind);
    bool openConnection();
    void dropConnection();
    void succeeded(Kind kind);
    void failed(Kind kind, const QSqlError& error);
    void failed(Kind kind, RecordStoreState state, const QString& text);
    void publish();

    QString filePath;
    QString connectionName;
    std::unique_ptr<Connection> conn;
    bool wanted = false; // open() was called and close() was not

    // The newest failure; a read clears only a read failure, a committed record clears any.
    struct Problem {
        Kind kind;
        RecordStoreState state;
        QString text;
    };
    std::optional<Problem> problem;
    RecordStoreStatus current;
    std::optional<RecordStoreStatus> announced; // as last sent by statusChanged

    RecordTableSource shortSource;
    RecordTableSource longSource;
};
