#include "app/journal_wiring.h"

#include "files/setup_job.h"
#include "journal/event_journal.h"
#include "journal/journal_marks.h"
#include "records/record_indicator.h"
#include "registers/program_window.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <algorithm>
#include <memory>

namespace {

// "curves 0 to 8 selected in turn; curve 3 put back"
QString trail_words(const CurveTrail& trail) {
    const auto& c = trail.selected;
    if (c.empty())
        return QString();
    const bool run =
        std::adjacent_find(c.begin(), c.end(), [](int a, int b) { return b != a + 1; }) == c.end();
    QStringList each;
    for (int curve : c)
        each << QString::number(curve);
    QString said =
        c.size() == 1 ? QCoreApplication::translate("JournalWiring", "curve %1 selected").arg(c[0])
        : run && c.size() > 2
            ? QCoreApplication::translate("JournalWiring", "curves %1 to %2 selected in turn")
                  .arg(c.front())
                  .arg(c.back())
            : QCoreApplication::translate("JournalWiring", "curves %1 selected in turn")
                  .arg(each.join(QStringLiteral(", ")));
    // What became of the operator's curve, after the selections.
    const auto then = [&said](const QString& more) {
        said = QCoreApplication::translate("JournalWiring", "%1; %2").arg(said, more);
    };
    switch (trail.putBack) {
    case CurveTrail::PutBack::Done:
        then(QCoreApplication::translate("JournalWiring", "curve %1 put back").arg(trail.original));
        break;
    case CurveTrail::PutBack::Failed:
        then(QCoreApplication::translate("JournalWiring", "putting curve %1 back failed")
                 .arg(trail.original));
        break;
    case CurveTrail::PutBack::Withheld:
        then(QCoreApplication::translate("JournalWiring", "curve %1 not put back: a program runs")
                 .arg(trail.original));
        break;
    case CurveTrail::PutBack::NotNeeded:
        break;
    }
    return said;
}

EventDraft job_event(const SetupJob& job, SetupJob::Status status) {
    EventDraft d;
    d.category = EventCategory::File;
    d.code = job.kind();
    d.source = job.writeSource();
    d.newValue = job.file();
    d.result = status == SetupJob::Status::Done
                   ? QCoreApplication::translate("JournalWiring", "done")
               : status == SetupJob::Status::Differences
                   ? QCoreApplication::translate("JournalWiring", "differences")
                   : QCoreApplication::translate("JournalWiring", "failed");
    // The report's head: its summary; the writes themselves are journaled one by one, the curve
    // selections here.
    const QStringList& lines = job.report();
    QStringList parts = lines.mid(0, 5);
    if (lines.size() > 5)
        parts << QStringLiteral("…");
    if (const QString trail = trail_words(job.curveTrail()); !trail.isEmpty())
        parts << trail;
    d.detail = parts.join(QStringLiteral(" | "));
    return d;
}

} // namespace

void journal_file_jobs(SetupJob& job, EventJournal& journal) {
    // A restore whose writes the journal cannot keep writes nothing.
    QPointer<EventJournal> kept(&journal);
    job.setAuditCheck([kept]() -> std::optional<QString> {
        if (!kept)
            return QCoreApplication::translate("JournalWiring", "no event journal is kept");
        if (!kept->status().ok)
            return kept->status().text;
        return std::nullopt;
    });
    // The job's curve selections (register 7) go into its own event, and so one mark on a chart.
    auto folding = std::make_shared<QString>();
    QObject::connect(&job, &SetupJob::started, &journal, [&job, &journal, folding] {
        journal.unfoldWrites(*folding, program::kCurveRegister);
        *folding = job.writeSource();
        journal.foldWrites(*folding, program::kCurveRegister);
    });
    QObject::connect(&job, &SetupJob::finished, &journal,
                     [&job, &journal, folding](SetupJob::Status status) {
                         journal.record(job_event(job, status));
                         journal.unfoldWrites(*folding, program::kCurveRegister);
                     });
}

ChartMarkSource journal_mark_source(EventJournal& journal) {
    QPointer<EventJournal> from(&journal);
    return [from](const QDateTime& start, const QDateTime& end) {
        return from ? journal_marks(from->store(), start, end) : std::vector<ChartMark>{};
    };
}

void show_journal_state(RecordIndicator& indicator, EventJournal& journal) {
    auto show = [&indicator](const JournalStatus& s) {
        const QLocale locale;
        QString text = QCoreApplication::translate("JournalWiring", "Event journal: %1 events, %2")
                           .arg(s.rows < 0 ? QCoreApplication::translate("JournalWiring", "unknown")
                                           : locale.toString(s.rows),
                                locale.formattedDataSize(s.bytes));
        if (!s.ok)
            text +=
                u'\n' + QCoreApplication::translate("JournalWiring", "Event journal failing: %1")
                            .arg(s.text);
        if (s.dropped > 0)
            text += u'\n' + QCoreApplication::translate("JournalWiring",
                                                        "%1 events lost while the file was away")
                                .arg(s.dropped);
        if (s.waiting > 0)
            text +=
                u'\n' + QCoreApplication::translate("JournalWiring", "%1 events wait for the file")
                            .arg(s.waiting);
        indicator.setJournalState(text, !s.ok);
    };
    QObject::connect(&journal, &EventJournal::statusChanged, &indicator, show);
    show(journal.status());
}
