#pragma once
// The central database as the forwarder writes it, on a connection of its own (made on the
// forwarder's thread): the console's row, and batches of records, events and runs, each batch
// one transaction of multi-row inserts that skip rows already there (ON CONFLICT DO NOTHING),
// with the console's last-seen time and cursors in the same transaction.

#include "historian/historian_conninfo.h"
#include "historian/record_outbox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDriver>
#include <QString>
#include <functional>
#include <optional>

// Whether the values of the record sampled at a moment were measured (the link good, the
// instrument answering); empty: not judged, kept as NULL. Called on the forwarder's thread.
using MeasuredJudge = std::function<bool(const QDateTime& utc)>;

class CentralWriter {
    Q_DECLARE_TR_FUNCTIONS(CentralWriter)
public:
    CentralWriter(HistorianConninfo info, QString consoleId);
    ~CentralWriter();
    CentralWriter(const CentralWriter&) = delete;
    CentralWriter& operator=(const CentralWriter&) = delete;

    // Opens the connection, makes or upgrades the schema and enters the console; `renames`: the
    // name and host replace those the console has there already.
    bool connect(const QString& name, const QString& host, bool renames, QString* why);
    void disconnect();
    bool isConnected() const { return connected; }
    // The database had never seen this console (a new server, or one wiped): at connect().
    bool consoleIsNew() const { return newHere; }

    // Each its own transaction, with the cursor the batch takes the stream to.
    bool sendRecords(RecordTable table, std::optional<int> address,
                     const std::vector<OutRecord>& rows, const MeasuredJudge& measured,
                     const OutboxCursor& after, QString* why);
    bool sendEvents(const std::vector<OutRow>& rows, const OutboxCursor& after, QString* why);
    bool sendRuns(const std::vector<OutRow>& rows, const OutboxCursor& after, QString* why);

private:
    bool runBatch(const QStringList& statements, OutboxStream stream, const OutboxCursor& after,
                  QString* why);
    QString literal(const QVariant& value) const;
    bool failed(const QString& text, QString* why);

    HistorianConninfo conninfo;
    QString console;
    QString connectionName;
    bool connected = false;
    bool newHere = false;
    QSqlDriver* driver = nullptr; // the open connection's, while connected
};
