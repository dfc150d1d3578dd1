#include "app/journal_wiring.h"

#include "files/setup_job.h"
#include "journal/event_journal.h"
#include "journal/journal_marks.h"
#include "records/record_indicator.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>

void journal_file_jobs(SetupJob& job, EventJournal& journal, const QString& source) {
    // A restore whose writes the journal cannot keep writes nothing.
    QPointer<EventJournal> kept(&journal);
    job.setAuditCheck([kept]() -> std::optional<QString> {
        if (!kept)
            return QCoreApplication::translate("JournalWiring", "no event journal is kept");
        if (!kept->status().ok)
            return kept->status().text;
        return std::nullopt;
    });
    QObject::connect(
        &job, &SetupJob::finished, &journal, [&job, &journal, source](SetupJob::Status status) {
            EventDraft d;
            d.category = EventCategory::File;
            d.code = job.kind();
            d.source = source;
            d.newValue = job.file();
            d.result = status == SetupJob::Status::Done
                           ? QCoreApplication::translate("JournalWiring", "done")
                       : status == SetupJob::Status::Differences
                           ? QCoreApplication::translate("JournalWiring", "differences")
                           : QCoreApplication::translate("JournalWiring", "failed");
            // The report's head: its summary; the writes themselves are journaled one
            // by one.
            const QStringList& lines = job.report();
            d.detail = lines.mid(0, 5).join(QStringLiteral(" | "));
            if (lines.size() > 5)
                d.detail += QStringLiteral(" | …");
            journal.record(d);
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
