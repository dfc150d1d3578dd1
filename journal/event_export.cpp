#include "journal/event_export.h"

#include "records/record_store.h"

#include <QLocale>

namespace {
// "2024-03-05 12:30:15.250" as kept, in ISO 8601 form.
QString iso_local(const QString& shown) {
    QString t = shown;
    if (t.size() > 10 && t[10] == u' ')
        t[10] = u'T';
    return t;
}
} // namespace

EventExport::EventExport(EventExportRequest request)
    : CsvWriter(request.file,
                request.dbPath.isEmpty() ? RecordStore::defaultPath() : request.dbPath),
      req(std::move(request)) {
    req.dbPath = recordFile();
}

EventExport::~EventExport() {
    cancel();
}

QStringList EventExport::header() {
    return {tr("seq"),  tr("time (UTC)"), tr("time (local)"), tr("address"),   tr("category"),
            tr("code"), tr("source"),     tr("old value"),    tr("new value"), tr("PV"),
            tr("user"), tr("host"),       tr("result"),       tr("detail"),    tr("session")};
}

QByteArray EventExport::line(const JournalEntry& e) {
    const QString pv =
        e.pv ? QLocale::c().toString(*e.pv, 'g', QLocale::FloatingPointShortest) : QString();
    return csv_line({QString::number(e.seq), e.utc().toString(Qt::ISODateWithMs),
                     iso_local(e.localTime), e.address ? QString::number(*e.address) : QString(),
                     category_title(e.category), e.code, e.source, e.oldValue.value_or(QString()),
                     e.newValue.value_or(QString()), pv, e.user, e.host, e.result, e.detail,
                     e.session});
}

// Read-only: an export changes nothing in the record file, and one without a journal reads as a
// journal with no events.
bool EventExport::openRows() {
    store = std::make_unique<JournalStore>(req.dbPath, JournalStore::Access::ReadOnly);
    if (!store->open()) {
        failRead(store->lastError());
        return false;
    }
    return true;
}

bool EventExport::writeRows(int count) {
    if (!store || done)
        return false;
    const auto chunk = store->pageForward(req.filter, cursor, count);
    if (!store->lastError().isEmpty()) {
        failRead(store->lastError());
        return false;
    }
    for (const JournalEntry& e : chunk)
        if (!put(line(e)))
            return false;
    if (!chunk.empty())
        cursor = JournalCursor{chunk.back().utcMs, chunk.back().seq};
    done = int(chunk.size()) < count;
    return !done;
}

bool EventExport::run(const EventExportRequest& request, qint64* rows, QString* why) {
    return run_export_to_end<EventExport>(request, rows, why);
}
