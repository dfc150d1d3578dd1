// bench_runs [runs] [file]: the run report of an 18-hour run (the whole short ring, 65500 records,
// a 24-segment program with its segment changes in the journal) read and written to PDF and CSV,
// and the runs screen's first page on a file with 10 000 runs; median and worst of the runs each.
// The file is filled once in the temporary folder and used again by later runs.
// Targets: the report under 2 s, the first page under 200 ms.
#include "core/conversions.h"
#include "journal/event_journal.h"
#include "records/record_store.h"
#include "runs/run_report_writer.h"
#include "runs/run_store.h"
#include "runs/runs_form.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int kRecords = 65500;
constexpr int kRuns = 10000;

double elapsed_ms(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-52s median %8.2f ms  worst %8.2f ms\n", what, ms[ms.size() / 2], ms.back());
}

// The ring full of one record a second up to now, 10 000 short runs before the newest one, which
// spans the whole ring, and its 24 segment changes in the journal.
bool fill(const QString& path, const QDateTime& first) {
    {
        RecordStore records(path);
        RunStore runs(path);
        EventJournal journal(path);
        if (!records.open() || !runs.open() || !journal.open())
            return false;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fill");
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery q(db);
        q.prepare("insert into pv_data values (?,?,?,?,?,?,?,?,?,?,?)");
        for (int n = 1; n <= kRecords; ++n) {
            const QDateTime at = first.addSecs(n - 1);
            const QVariantList row{
                n, ole_date(at.date()), ole_time(at.time()), 500 + n % 7, 40.0, 500, 0, 0, 0, 0, 0};
            for (const QVariant& v : row)
                q.addBindValue(v);
            q.exec();
        }
        q.exec(QStringLiteral("update sl_void set w_pos = %1, w_pos_copy = %1").arg(kRecords));
        q.prepare("insert into program_runs (curve, start_utc_ms, start_local, end_utc_ms, "
                  "end_local, seen_utc_ms, ending, joined, start_segment, program_read, program) "
                  "values (1, ?, ?, ?, ?, ?, 'ended', 0, 1, 1, ?)");
        QStringList program{"0", "0", "1", "24"};
        for (int h = 4; h < 16; ++h)
            program << QStringLiteral("0");
        for (int s = 1; s <= 24; ++s)
            program << QString::number(500 + (s / 2) * 10) << "45"
                    << "0"
                    << "0";
        const qint64 t0 = first.toMSecsSinceEpoch();
        for (int r = 1; r <= kRuns; ++r) {
            const bool whole = r == kRuns;
            const qint64 start = whole ? t0 : t0 - qint64(kRuns - r + 1) * 3600000;
            const qint64 end = whole ? t0 + qint64(kRecords - 1) * 1000 : start + 3000000;
            for (const QVariant& v : QVariantList{start, local_text(start), end, local_text(end),
                                                  end, program.join(u',')})
                q.addBindValue(v);
            q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase("fill");
    JournalStore journal(path);
    journal.open();
    for (int s = 2; s <= 24; ++s) {
        JournalEntry e;
        e.utcMs = first.toMSecsSinceEpoch() + qint64(s - 1) * 2700000;
        e.localTime = local_text(e.utcMs);
        e.category = EventCategory::Program;
        e.code = QStringLiteral("segment");
        e.newValue = QString::number(s);
        journal.append(e);
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                  : QDir::temp().filePath(QStringLiteral("mt3600-runs-1e4.db"));
    const QDateTime first = QDateTime::currentDateTime().addSecs(-kRecords - 60);
    RunStore probe(path, RunStore::Access::ReadOnly);
    if (!probe.open() || !probe.run(kRuns)) {
        probe.close();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path + QLatin1String(suffix));
        const double ms = elapsed_ms([&] { fill(path, first); });
        std::printf("filled %s in %.0f ms\n", qPrintable(path), ms);
    }
    std::vector<double> pdf, csv, page;
    int segments = 0;
    std::size_t records = 0;
    for (int k = 0; k < repeats; ++k) {
        pdf.push_back(elapsed_ms([&] {
            QString why;
            const auto r = RunReportLoader::load({path, kRuns, {}, 5.0}, &why);
            if (!r || !RunReportWriter::writePdf(*r, path + QStringLiteral(".pdf"), &why))
                std::fprintf(stderr, "report: %s\n", qPrintable(why));
            segments = r ? int(r->analysis.segments.size()) : 0;
            records = r ? r->samples.size() : 0;
        }));
        csv.push_back(elapsed_ms([&] {
            QString why;
            const auto r = RunReportLoader::load({path, kRuns, {}, 5.0}, &why);
            if (!r || !RunReportWriter::writeCsv(*r, path + QStringLiteral(".csv"), &why))
                std::fprintf(stderr, "report: %s\n", qPrintable(why));
        }));
        page.push_back(elapsed_ms([&] {
            RunsForm form(path, [] {});
            form.Form_Load();
            if (form.runsTable()->rowCount() != RunsForm::kPageSize)
                std::fprintf(stderr, "first page: %d rows\n", form.runsTable()->rowCount());
        }));
    }
    std::printf("18-hour run: %zu records, %d segments\n", records, segments);
    report("report of an 18-hour run to PDF (target < 2000 ms)", pdf);
    report("report of an 18-hour run to CSV (target < 2000 ms)", csv);
    report("runs screen, first page of 10 000 runs (< 200 ms)", page);
    return 0;
}
