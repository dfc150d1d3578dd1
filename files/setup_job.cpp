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

namespace {
QString job_title(QStringView kind) {
    if (kind == u"backup")
        return SetupJob::tr("backup");
    if (kind == u"compare")
        return SetupJob::tr("compare");
    if (kind == u"restore")
        return SetupJob::tr("restore");
    return SetupJob::tr("compare two files");
}
} // namespace

void SetupJob::begin(const char* kind, const QString& file) {
    lines.clear();
    jobKind = QLatin1String(kind);
    jobFile = file;
    io.setWriteSource(base + QStringLiteral(" · ") + job_title(jobKind));
    emit started();
}

void SetupJob::backup(const QString& path, const FileOrigin& origin) {
    begin("backup", path);
    if (const auto why = refuseTarget(path)) {
        fail(tr("Backup refused, nothing read: %1").arg(*why));
        return;
    }
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

// A backup replaces only an instrument file of this console: anything else there stays.
std::optional<QString> SetupJob::refuseTarget(const QString& path) const {
    if (path.trimmed().isEmpty())
        return tr("no file named");
    if (targetCheck)
        if (auto why = targetCheck(path))
            return why;
    QFile old(path);
    if (!old.exists())
        return std::nullopt;
    QString why;
    if (!old.open(QIODevice::ReadOnly) || !parse_instrument_file(old.read(16 << 20), &why))
        return tr("%1 exists and is not an instrument file of this console (%2): not replaced")
            .arg(path, why.isEmpty() ? old.errorString() : why);
    return std::nullopt;
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
