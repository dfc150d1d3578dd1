#include "journal/event_export.h"

#include "core/output_target.h"
#include "records/csv_export.h"
#include "records/record_store.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("EventExport", text);
}

// "2024-03-05 12:30:15.250" as kept, in ISO 8601 form.
QString iso_local(const QString& shown) {
    QString t = shown;
    if (t.size() > 10 && t[10] == u' ')
        t[10] = u'T';
    return t;
}
} // namespace

EventExport::EventExport(EventExportRequest request) : req(std::move(request)) {
    if (req.dbPath.isEmpty())
        req.dbPath = RecordStore::defaultPath();
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
    const QString fields[] = {QString::number(e.seq),
                              e.utc().toString(Qt::ISODateWithMs),
                              iso_local(e.localTime),
                              e.address ? QString::number(*e.address) : QString(),
                              category_title(e.category),
                              e.code,
                              e.source,
                              e.oldValue.value_or(QString()),
                              e.newValue.value_or(QString()),
                              pv,
                              e.user,
                              e.host,
                              e.result,
                              e.detail,
                              e.session};
    QByteArray out = csv_field(fields[0]);
    for (std::size_t i = 1; i < std::size(fields); ++i)
        out += ',' + csv_field(fields[i]);
    out += "\r\n";
    return out;
}

bool EventExport::begin() {
    if (const auto refused = refuse_output_target(req.file, req.dbPath)) {
        fail(*refused);
        return false;
    }
    if (!QFileInfo(req.dbPath).isFile()) {
        fail(tr("record file %1 not found").arg(req.dbPath));
        return false;
    }
    // Read-only: an export changes nothing in the record file, and one without a journal reads
    // as a journal with no events.
    store = std::make_unique<JournalStore>(req.dbPath, JournalStore::Access::ReadOnly);
    if (!store->open()) {
        fail(tr("record file %1 cannot be read: %2").arg(req.dbPath, store->lastError()));
        return false;
    }
    out = std::make_unique<QSaveFile>(req.file);
    if (!out->open(QIODevice::WriteOnly)) {
        fail(tr("%1 cannot be written: %2").arg(req.file, out->errorString()));
        return false;
    }
    QByteArray head = "\xEF\xBB\xBF"; // UTF-8 byte-order mark
    const QStringList names = header();
    for (int i = 0; i < names.size(); ++i)
        head += (i ? "," : "") + csv_field(names[i]);
    head += "\r\n";
    out->write(head);
    return true;
}

bool EventExport::step(int count) {
    if (!store || !out || done)
        return false;
    const auto chunk = store->pageForward(req.filter, cursor, count);
    if (!store->lastError().isEmpty()) {
        fail(tr("record file %1 cannot be read: %2").arg(req.dbPath, store->lastError()));
        return false;
    }
    for (const JournalEntry& e : chunk) {
        if (out->write(line(e)) < 0) {
            fail(tr("%1 cannot be written: %2").arg(req.file, out->errorString()));
            return false;
        }
        ++rows;
    }
    if (!chunk.empty())
        cursor = JournalCursor{chunk.back().utcMs, chunk.back().seq};
    done = int(chunk.size()) < count;
    return !done;
}

bool EventExport::finish() {
    if (!out || !why.isEmpty()) {
        cancel();
        return false;
    }
    const bool ok = out->commit();
    if (!ok)
        fail(tr("%1 cannot be written: %2").arg(req.file, out->errorString()));
    out.reset();
    cancel();
    return ok;
}

void EventExport::cancel() {
    if (out)
        out->cancelWriting(); // QSaveFile leaves nothing behind
    out.reset();
    store.reset();
}

void EventExport::fail(const QString& text) {
    if (why.isEmpty())
        why = text;
}

bool EventExport::run(const EventExportRequest& request, qint64* rows, QString* why) {
    return run_export_to_end<EventExport>(request, rows, why);
}
