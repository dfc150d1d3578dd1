#pragma once
// Journal events out to CSV, oldest first, as a spreadsheet opens them and with the conventions of
// the records export: UTF-8 with a byte-order mark, a header row, times in ISO 8601 (UTC with its
// Z, and the local time as it was shown at the event), fields quoted where they hold a separator,
// a quote or a line break. The file appears whole or not at all (QSaveFile). The record file is
// read on a connection of its own, a chunk at a time continuing from the last row written, so the
// journal goes on taking events meanwhile and a screen can write a chunk per turn of its event
// loop.

#include "journal/journal_store.h"

#include <QSaveFile>
#include <memory>

struct EventExportRequest {
    QString dbPath; // the record file; empty: the default one
    JournalFilter filter;
    QString file;
};

class EventExport {
public:
    explicit EventExport(EventExportRequest request);
    ~EventExport();
    EventExport(const EventExport&) = delete;
    EventExport& operator=(const EventExport&) = delete;

    // Opens the record file and the target and writes the header. False with error() when either
    // cannot be opened.
    bool begin();
    // Writes up to `rows` more events; false once none is left (or writing failed).
    bool step(int rows);
    // Puts the file in place; false with error() when it cannot be written.
    bool finish();
    void cancel(); // nothing is left behind

    qint64 written() const { return rows; }
    const QString& error() const { return why; }
    const EventExportRequest& request() const { return req; }

    // begin, every step, finish.
    static bool run(const EventExportRequest& request, qint64* rows, QString* why);

    static QStringList header();
    static QByteArray line(const JournalEntry& entry); // with its line end

private:
    void fail(const QString& text);

    EventExportRequest req;
    std::unique_ptr<JournalStore> store;
    std::unique_ptr<QSaveFile> out;
    std::optional<JournalCursor> cursor;
    bool done = false;
    qint64 rows = 0;
    QString why;
};
