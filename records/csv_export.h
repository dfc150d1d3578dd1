#pragma once
// Records out to CSV: the rows of the one-second or ten-second record in a period (or all of
// them), oldest first across the ring's wrap, as a spreadsheet opens them: UTF-8 with a byte-order
// mark, a header row (time, record number, the eight values under the overview's captions), times
// in ISO 8601 local time with its UTC offset. The record file is opened read-only on a connection
// of its own, so the logger goes on writing meanwhile (WAL). The file appears whole or not at all.
//
// Step by step for the screens (a few thousand rows a turn of the event loop), or in one go for
// the command line.

#include "records/record_schema.h"

#include <QDateTime>
#include <QSaveFile>
#include <QSqlQuery>
#include <QString>
#include <limits>
#include <memory>
#include <optional>

// A field as a spreadsheet reads it, UTF-8: quoted when it holds a separator, a quote or a line
// break, its quotes doubled. A text that begins with =, +, -, @, a tab or a carriage return gets
// a leading apostrophe, so a spreadsheet shows it instead of running it as a formula; a number
// (-12.5, 1e-05) is left as it is.
QByteArray csv_field(const QString& text);
// ISO 8601 with the UTC offset the local time had: "2026-12-08T09:30:00+08:00".
QString iso_with_offset(const QDateTime& at);

// An export (begin, step, finish) run to its end at once, as the command line runs it: the rows
// written and the reason of a failure, which leaves no file.
template <class Export, class Request>
bool run_export_to_end(const Request& request, qint64* rows, QString* why) {
    Export e(request);
    bool ok = e.begin();
    while (ok && e.step(5000)) {
    }
    ok = ok && e.error().isEmpty() && e.finish();
    if (rows)
        *rows = e.written();
    if (why)
        *why = e.error();
    return ok;
}

struct CsvRequest {
    QString dbPath; // empty: the default record file
    bool longRecord = false;
    std::optional<QDateTime> from; // local time, inclusive; none: from the oldest record
    std::optional<QDateTime> to;   // inclusive; none: to the newest
    QString file;
};

class CsvExport {
public:
    explicit CsvExport(CsvRequest request);
    ~CsvExport();
    CsvExport(const CsvExport&) = delete;
    CsvExport& operator=(const CsvExport&) = delete;

    // Opens the record file and the target, writes the header and starts the query. False with
    // error() when either cannot be opened.
    bool begin();
    // Writes up to `rows` more rows; false once no row is left (or writing failed).
    bool step(int rows);
    // Puts the file in place; false with error() when it cannot be written.
    bool finish();
    void cancel(); // nothing is left behind

    qint64 written() const { return rows; }
    qint64 total() const { return expected; } // rows in the period, counted at begin()
    const QString& error() const { return why; }
    const CsvRequest& request() const { return req; }

    // begin, every step, finish.
    static bool run(const CsvRequest& request, qint64* rows, QString* why);

    // The header row's texts.
    static QStringList header(bool longRecord);
    // One record as a line: ISO 8601 local time with its offset, record number, eight values (an
    // empty cell for a value the file does not hold).
    static QByteArray line(const QDateTime& at, qint64 number,
                           const std::optional<float> (&values)[8]);

private:
    void fail(const QString& text);

    CsvRequest req;
    QString connection;
    std::unique_ptr<QSqlQuery> query;
    std::unique_ptr<QSaveFile> out;
    qint64 rows = 0;
    qint64 expected = 0;
    qint64 lastWritten = std::numeric_limits<qint64>::min(); // the last record's instant, seconds
    QString why;
};
