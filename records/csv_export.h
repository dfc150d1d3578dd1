#pragma once
// Records out to CSV: the rows of the one-second or ten-second record in a period (or all of
// them), oldest first across the ring's wrap, as a spreadsheet opens them: UTF-8 with a byte-order
// mark, a header row (time, record number, the eight values under the overview's captions, and
// whether the record was measured), times in ISO 8601 local time with its UTC offset. The record
// file is opened read-only on a connection of its own, so the logger goes on writing meanwhile
// (WAL). The file appears whole or not at all.
//
// Step by step for the screens (a few thousand rows a turn of the event loop), or in one go for
// the command line.

#include "core/csv_writer.h"
#include "records/measured_spans.h"
#include "records/record_schema.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <limits>
#include <memory>
#include <optional>

// ISO 8601 with the UTC offset the local time had: "2026-12-08T09:30:00+08:00".
QString iso_with_offset(const QDateTime& at);

struct CsvRequest {
    QString dbPath; // empty: the default record file
    bool longRecord = false;
    std::optional<QDateTime> from; // local time, inclusive; none: from the oldest record
    std::optional<QDateTime> to;   // inclusive; none: to the newest
    QString file;
};

// begin() opens the record file and the target, writes the header and starts the query.
class CsvExport final : public CsvWriter {
    Q_DECLARE_TR_FUNCTIONS(CsvExport)
public:
    explicit CsvExport(CsvRequest request);
    ~CsvExport() override;

    qint64 total() const { return expected; } // rows in the period, counted at begin()
    const CsvRequest& request() const { return req; }

    // begin, every step, finish.
    static bool run(const CsvRequest& request, qint64* rows, QString* why);

    // The header row's texts.
    static QStringList header(bool longRecord);
    // One record as a line: ISO 8601 local time with its offset, record number, eight values (an
    // empty cell for a value the file does not hold), measured "yes" or "no" (empty: not known).
    static QByteArray line(const QDateTime& at, qint64 number,
                           const std::optional<float> (&values)[8],
                           std::optional<bool> measured = std::nullopt);

private:
    QStringList headerRow() const override { return header(req.longRecord); }
    bool openRows() override;
    bool writeRows(int count) override;
    void closeRows() override;

    CsvRequest req;
    QString connection;
    std::unique_ptr<QSqlQuery> query;
    std::optional<MeasuredSpans> spans; // the journal's, for the period; none: not judged
    qint64 expected = 0;
    qint64 lastWritten = std::numeric_limits<qint64>::min(); // the last record's instant, seconds
};
