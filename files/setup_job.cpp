#include "files/setup_job.h"

#include <QFile>
#include <QSaveFile>

SetupJob::SetupJob(InstrumentLink& link, const LinkTarget& target, QObject* parent)
    : QObject(parent), io(link, target, this) {
    connect(&io, &SetupIo::progress, this, &SetupJob::progress);
}

// From the event loop, whether the failure came at once (a refused file) or in a completion:
// whoever started the job has connected to it by then.
void SetupJob::fail(const QString& why) {
    lines << why;
    QMetaObject::invokeMethod(
        this, [this] { emit finished(Status::Failed); }, Qt::QueuedConnection);
}

std::optional<InstrumentFile> SetupJob::load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        fail(tr("%1 cannot be read: %2").arg(path, f.errorString()));
        return std::nullopt;
    }
    QString why;
    auto file = parse_instrument_file(f.readAll(), &why);
    if (!file)
        fail(tr("%1 refused, nothing written: %2").arg(path, why));
    return file;
}

void SetupJob::begin(const char* kind, const QString& file) {
    lines.clear();
    jobKind = QLatin1String(kind);
    jobFile = file;
}

void SetupJob::backup(const QString& path, const FileOrigin& origin) {
    begin("backup", path);
    io.read([this, path, origin](bool ok) {
        if (!ok) {
            fail(tr("Backup failed, no file written: %1").arg(io.error()));
            return;
        }
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(instrument_file_json({origin, io.values()})) < 0 || !out.commit()) {
            fail(tr("%1 cannot be written: %2").arg(path, out.errorString()));
            return;
        }
        lines << tr("%1 registers backed up to %2").arg(io.values().size()).arg(path);
        emit finished(Status::Done);
    });
}

void SetupJob::compare(const QString& path) {
    begin("compare", path);
    const auto file = load(path);
    if (!file)
        return;
    io.read([this, file = *file](bool ok) {
        if (!ok) {
            fail(tr("Compare failed: %1").arg(io.error()));
            return;
        }
        compareWith(file);
        reportComparison();
    });
}

void SetupJob::compareFiles(const QString& first, const QString& second) {
    begin("compare_files", first + QStringLiteral(" / ") + second);
    const auto a = load(first);
    if (!a)
        return;
    const auto b = load(second);
    if (!b)
        return;
    compareValues(a->values, b->values);
    // From the event loop, as every job ends.
    QMetaObject::invokeMethod(
        this, [this] { reportComparison(); }, Qt::QueuedConnection);
}

void SetupJob::reportComparison() {
    const auto n = std::count_if(compared.begin(), compared.end(),
                                 [](const CompareRow& r) { return r.differs(); });
    for (const CompareRow& r : compared)
        if (r.differs())
            lines << QStringLiteral("%1\t%2\t%3\t%4")
                         .arg(r.entry->name(), r.entry->key(),
                              r.file ? r.entry->shown(*r.file) : QStringLiteral("-"),
                              r.instrument ? r.entry->shown(*r.instrument) : QStringLiteral("-"));
    lines << tr("%1 differences").arg(n);
    emit finished(n == 0 ? Status::Done : Status::Differences);
}

void SetupJob::compareWith(const InstrumentFile& file) {
    compareValues(file.values, io.values());
}

void SetupJob::compareValues(const SetupValues& first, const SetupValues& second) {
    compared.clear();
    for (const MapEntry& e : register_map()) {
        CompareRow r{&e, {}, {}};
        if (const auto v = first.find({e.curve, e.reg}); v != first.end())
            r.file = v->second;
        if (const auto v = second.find({e.curve, e.reg}); v != second.end())
            r.instrument = v->second;
        if (r.file || r.instrument)
            compared.push_back(r);
    }
}

void SetupJob::restore(const QString& path, bool includeComms) {
    begin("restore", path);
    const auto file = load(path);
    if (!file)
        return;
    if (!io.linkOpen()) {
        fail(tr("the link is not open: nothing written"));
        return;
    }
    io.read([this, file = *file, includeComms](bool ok) {
        if (!ok) {
            fail(tr("Nothing written: %1").arg(io.error()));
            return;
        }
        compareWith(file);
        const SetupValues present = io.values();
        io.write(file.values, present, includeComms, [this, present, file](bool done) {
            int verified = 0, refused = 0, notVerified = 0, notWritten = 0, unread = 0;
            for (const WriteResult& w : io.results()) {
                switch (w.outcome) {
                case WriteOutcome::Verified:
                    ++verified;
                    continue;
                case WriteOutcome::Refused:
                    ++refused;
                    lines << tr("refused\t%1\t%2\t%3: %4")
                                 .arg(w.entry->name(), w.entry->key(), w.entry->shown(w.wanted),
                                      w.why);
                    continue;
                case WriteOutcome::NotVerified:
                    ++notVerified;
                    lines << tr("not verified\t%1\t%2\twrote %3, reads %4")
                                 .arg(w.entry->name(), w.entry->key(), w.entry->shown(w.wanted),
                                      w.entry->shown(w.readBack));
                    continue;
                case WriteOutcome::Written:
                    ++unread;
                    lines << tr("written, not read back\t%1\t%2\t%3: %4")
                                 .arg(w.entry->name(), w.entry->key(), w.entry->shown(w.wanted),
                                      w.why);
                    continue;
                case WriteOutcome::NotWritten:
                    ++notWritten;
                    lines << tr("not written\t%1\t%2\t%3%4")
                                 .arg(w.entry->name(), w.entry->key(), w.entry->shown(w.wanted),
                                      w.why.isEmpty() ? QString() : QStringLiteral(": ") + w.why);
                    continue;
                }
            }
            const int unchanged =
                int(compared.size()) - int(differing(file.values, present).size());
            if (!done)
                lines << io.error();
            lines << tr("written and verified %1, written but not read back %2, refused %3, not "
                        "verified %4, not written %5, unchanged %6")
                         .arg(verified)
                         .arg(unread)
                         .arg(refused)
                         .arg(notVerified)
                         .arg(notWritten)
                         .arg(unchanged);
            const bool all =
                done && refused == 0 && notVerified == 0 && notWritten == 0 && unread == 0;
            emit finished(all ? Status::Done : Status::Differences);
        });
    });
}
