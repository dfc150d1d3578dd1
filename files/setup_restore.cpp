// The restore: a file written back onto the instrument, guarded before, during and after.
#include "files/setup_job.h"


#include <QSaveFile>

namespace {

// The communication settings: compared, but left out of the verdict (not asked for, or written
// after the compare, when they cannot be read back at the old settings).
int differences(const std::vector<CompareRow>& rows, bool comms) {
    return int(std::count_if(rows.begin(), rows.end(), [comms](const CompareRow& r) {
        return r.differs() && r.entry->comms == comms;
    }));
}

} // namespace

void SetupJob::restore(const QString& path, bool includeComms) {
    begin("restore", path);
    const auto file = load(path);
    if (!file)
        return;
    if (const auto why = restore_refusal(*file)) {
        fail(tr("%1 refused, nothing written: %2").arg(path, *why));
        return;
    }
    if (!io.linkOpen()) {
        fail(tr("the link is not open: nothing written"));
        return;
    }
    // No write goes out that the event journal cannot keep.
    if (const auto why = audit ? audit() : std::nullopt) {
        fail(tr("Nothing written: the event journal cannot record the writes: %1").arg(*why));
        return;
    }
    io.read([this, path, file = *file, includeComms](bool ok) {
        if (!ok) {
            fail(tr("Nothing written: %1").arg(io.error()));
            return;
        }
        compareWith(file);
        const SetupValues present = io.values();
        io.plan(file.values, present, includeComms);
        RestorePlan plan;
        plan.beforeCopy = before_copy_path(path, QDateTime::currentDateTime());
        for (const WriteResult& w : io.results()) {
            if (!w.why.isEmpty()) {
                ++plan.recipeDiffers;
                continue;
            }
            ++plan.writes;
            if (w.entry->comms)
                plan.comms << tr("%1 (%2): %3 → %4")
                                  .arg(w.entry->name(), w.entry->key(),
                                       w.entry->shown(present.at({w.entry->curve, w.entry->reg})),
                                       w.entry->shown(w.wanted));
        }
        if (plan.writes == 0) { // nothing to write, nothing to save: the comparison says so
            finishRestore(file, present, true, QString(), QString());
            return;
        }
        if (!confirm) {
            confirmed(file, present, includeComms, plan.beforeCopy);
            return;
        }
        confirm(plan, [this, file, present, includeComms, copy = plan.beforeCopy](bool yes) {
            if (yes) {
                confirmed(file, present, includeComms, copy);
                return;
            }
            fail(tr("Not confirmed: nothing written"));
        });
    });
}

// The instrument's setup as it is now, beside the file: restoring that copy undoes this restore.
void SetupJob::confirmed(const InstrumentFile& file, const SetupValues& present, bool includeComms,
                         const QString& copy) {
    const LinkStatus s = io.linkStatus();
    const QDateTime now = QDateTime::currentDateTime();
    const FileOrigin origin{now.toOffsetFromUtc(now.offsetFromUtc()), s.device, s.settings,
                            io.linkTarget().address};
    QSaveFile out(copy);
    if (!out.open(QIODevice::WriteOnly) || out.write(instrument_file_json({origin, present})) < 0 ||
        !out.commit()) {
        fail(tr("Nothing written: the instrument's present setup cannot be saved to %1: %2")
                 .arg(copy, out.errorString()));
        return;
    }
    lines << tr("The instrument's setup before the restore is saved to %1").arg(copy);
    io.write(file.values, present, includeComms,
             [this, file, present](bool done) { written(file, present, done); });
}

// A full compare after the writes; the communication settings go after it, last of all.
void SetupJob::written(const InstrumentFile& file, const SetupValues& present, bool done) {
    const QString writeError = done ? QString() : io.error();
    io.read([this, file, present, done, writeError](bool ok) {
        if (ok)
            compareWith(file);
        const QString compareError = ok ? QString() : io.error();
        const bool comms = std::any_of(io.results().begin(), io.results().end(),
                                       [](const WriteResult& w) { return w.entry->comms; });
        auto finish = [this, file, present, done, writeError, compareError] {
            finishRestore(file, present, done, writeError, compareError);
        };
        if (done && ok && comms)
            io.writeComms([finish](bool) { finish(); });
        else
            finish();
    });
}

// The report: each write that was not verified, the counts, why the writing stopped, and last the
// compare made after it.
void SetupJob::finishRestore(const InstrumentFile& file, const SetupValues& present, bool done,
                             const QString& writeError, const QString& compareError) {
    const bool taken = reportWrites(file.values, present);
    if (!done)
        lines << writeError;
    bool same = false;
    if (compareError.isEmpty()) {
        const int setup = differences(compared, false);
        const int comms = differences(compared, true);
        same = setup == 0;
        lines << (comms == 0 ? tr("Compared after writing: %1 differences").arg(setup)
                             : tr("Compared after writing: %1 differences, and %2 in the address, "
                                  "baud rate and parity (written after the compare, or not asked "
                                  "for)")
                                   .arg(setup)
                                   .arg(comms));
    } else {
        lines << tr("Compared after writing: not possible: %1").arg(compareError);
    }
    emit finished(done && taken && same ? Status::Done : Status::Differences);
}

// One line for each write not verified, then the counts; true when every write was taken (the
// communication settings answered, the rest verified).
bool SetupJob::reportWrites(const SetupValues& wanted, const SetupValues& present) {
    int verified = 0, refused = 0, notVerified = 0, notWritten = 0, unread = 0;
    for (const WriteResult& w : io.results()) {
        const QString what =
            w.entry->name() + u'\t' + w.entry->key() + u'\t' + w.entry->shown(w.wanted);
        switch (w.outcome) {
        case WriteOutcome::Verified:
            ++verified;
            continue;
        case WriteOutcome::Refused:
            ++refused;
            lines << tr("refused\t%1: %2").arg(what, w.why);
            continue;
        case WriteOutcome::NotVerified:
            ++notVerified;
            lines << (w.entry->comms
                          ? tr("not verified\t%1: %2").arg(what, w.why)
                          : tr("not verified\t%1\treads %2").arg(what, w.entry->shown(w.readBack)));
            continue;
        case WriteOutcome::Written:
            ++unread;
            lines << (w.entry->comms ? tr("%1\t%2").arg(w.why, what)
                                     : tr("written, not read back\t%1: %2").arg(what, w.why));
            continue;
        case WriteOutcome::NotWritten:
            ++notWritten;
            lines << (w.why.isEmpty() ? tr("not written\t%1").arg(what)
                                      : tr("not written: %1\t%2").arg(w.why, what));
            continue;
        }
    }
    const int unchanged = int(register_map().size()) - int(differing(wanted, present).size());
    lines << tr("written and verified %1, written but not read back %2, refused %3, not "
                "verified %4, not written %5, unchanged %6")
                 .arg(verified)
                 .arg(unread)
                 .arg(refused)
                 .arg(notVerified)
                 .arg(notWritten)
                 .arg(unchanged);
    const bool commsOnly =
        std::all_of(io.results().begin(), io.results().end(), [](const WriteResult& w) {
            return w.outcome != WriteOutcome::Written || w.entry->comms;
        });
    return refused == 0 && notVerified == 0 && notWritten == 0 && commsOnly;
}
