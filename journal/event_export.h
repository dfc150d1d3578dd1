#pragma once
// Journal events out to CSV, oldest first, as a spreadsheet opens them and with the conventions of
// the records export: UTF-8 with a byte-order mark, a header row, times in ISO 8601 (UTC with its
// Z, and the local time as it was shown at the event), fields quoted where they hold a separator,
// a quote or a line break. The file appears whole or not at all (QSaveFile). The record file is
// read on a connection of its own, a chunk at a time continuing from the last row written, so the
// journal goes on taking events meanwhile and a screen can write a chunk per turn of its event
// loop.

#include "core/csv_writer.h"
#include "journal/journal_store.h"

#include <memory>

struct EventExportRequest {
    QString dbPath; // the record file; empty: the default one
    JournalFilter filter;
    QString file;
};

// A row is an event; a step writes up to that many events.
class EventExport final : public CsvWriter {
    Q_DECLARE_TR_FUNCTIONS(EventExport)
public:
    explicit EventExport(EventExportRequest request);
    ~EventExport() override;

    const EventExportRequest& request() const { return req; }

    // begin, every step, finish.
    static bool run(const EventExportRequest& request, qint64* rows, QString* why);

    static QStringList header();
    static QByteArray line(const JournalEntry& entry); // with its line end

private:
    QStringList headerRow() const override { return header(); }
    bool openRows() override;
    bool writeRows(int count) override;
    void closeRows() override { store.reset(); }

    EventExportRequest req;
    std::unique_ptr<JournalStore> store;
    std::optional<JournalCursor> cursor;
    bool done = false;
};
