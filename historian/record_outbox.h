#pragma once
// The record file as the forwarder reads it, on a connection of its own (made on the forwarder's
// thread): the console's identity, the cursors of what has reached the central database (the
// table historian_cursor), and the next rows after each cursor: the two record rings, the event
// journal and the program runs.
//
// A ring reuses its numbers, so a ring cursor is the number of the last row forwarded and the
// time that row was sampled at. While the row at that number still holds that time, the rows
// after it up to the write position are the ones waiting. When it holds another time, the logger
// has come round past the cursor and overwritten rows that were never forwarded: that span is
// a gap, and forwarding goes on from the oldest row still held (a cursor "from" that row,
// inclusive, until the first batch after it is sent).

#include "records/record_source.h"
#include "records/record_store.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <array>
#include <optional>
#include <vector>

enum class OutboxStream { Short, Long, Events, Runs };
inline constexpr OutboxStream kOutboxStreams[] = {OutboxStream::Short, OutboxStream::Long,
                                                  OutboxStream::Events, OutboxStream::Runs};
QString stream_key(OutboxStream stream); // "short", "long", "events", "runs"

struct OutboxCursor {
    bool set = false;       // false: nothing forwarded yet
    qint64 position = 0;    // ring number, event seq or run row
    qint64 sampledMs = 0;   // rings: the sampled time of the row at `position` (UTC ms)
    bool inclusive = false; // rings: the row at `position` itself is still to go
};

struct OutRecord {
    qint32 number = 0;
    qint64 sampledMs = 0; // UTC
    std::array<double, 8> values{};
};

// Rows the logger overwrote before they were forwarded.
struct RingGap {
    qint64 rows = 0;
    qint64 afterMs = 0;   // the last row forwarded (or the first row lost, when `inclusive`)
    qint64 oldestMs = 0;  // the oldest row still held
    OutboxCursor restart; // from the oldest row still held, inclusive
};

struct RingBatch {
    std::vector<OutRecord> rows; // in ring order
    qint64 waiting = 0;          // rows waiting, this batch included
    std::optional<RingGap> gap;  // when set, `rows` is empty: journal it, save its restart
    OutboxCursor after;          // the cursor once this batch is in
};

// An event or a run as it goes out: its key and the columns in the central table's order.
struct OutRow {
    qint64 position = 0;
    QVariantList values;
};

struct RowBatch {
    std::vector<OutRow> rows;
    qint64 waiting = 0;
    OutboxCursor after;
};

class RecordOutbox {
    Q_DECLARE_TR_FUNCTIONS(RecordOutbox)
public:
    explicit RecordOutbox(QString path);
    ~RecordOutbox();
    RecordOutbox(const RecordOutbox&) = delete;
    RecordOutbox& operator=(const RecordOutbox&) = delete;

    bool open(QString* why);
    void close();

    // The console's id (a random UUID made on first use and kept in the file).
    std::optional<QString> consoleId(QString* why);

    std::optional<OutboxCursor> cursor(OutboxStream stream, QString* why);
    bool saveCursor(OutboxStream stream, const OutboxCursor& cursor, QString* why);
    bool clearCursors(QString* why); // everything the file holds goes again

    // Up to `limit` rows after the cursor; empty on a database error.
    std::optional<RingBatch> nextRecords(RecordTable table, const OutboxCursor& after, int limit,
                                         QString* why);
    // Events: seq, utc_ms, local_time, address, category, code, source, old_value, new_value,
    // pv, user, host, result, detail, session, hash.
    std::optional<RowBatch> nextEvents(const OutboxCursor& after, int limit, QString* why);
    // Runs: run number, started (ms or null), ended (ms or null), the row as JSON.
    std::optional<RowBatch> nextRuns(const OutboxCursor& after, int limit, QString* why);

    // The sampled time of a record as the logger wrote it (the console's local time) in UTC ms.
    static qint64 sampled_ms(double date, double time);

private:
    QSqlDatabase db() const;
    bool fail(const QString& error, QString* why);
    std::optional<qint32> writePosition(RecordTable table, QString* why);
    std::optional<OutRecord> recordAt(RecordTable table, qint64 number, QString* why);
    bool readRecords(RecordTable table, qint64 from, qint64 to, std::vector<OutRecord>& rows,
                     QString* why);
    std::optional<RingBatch> ringBatch(RecordTable table, const OutboxCursor& after, int limit,
                                       QString* why);
    bool hasTable(const QString& name);
    bool hasColumn(const QString& table, const QString& column);

    QString filePath;
    QString connectionName;
    bool opened = false;
};
