#pragma once
// A run's report written out: the segment table as CSV (UTF-8, spreadsheet-ready), or the whole
// report as PDF (its first page names the console, the instrument address, curve, program, start
// and end, the result and whether every soak stayed within the tolerance; then the segment table
// and the run's journal events). A file appears whole or not at all; a failure says why.

#include "runs/run_report.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QTextDocument;

class RunReportWriter {
    Q_DECLARE_TR_FUNCTIONS(RunReportWriter)
public:
    static QStringList segmentHeader();
    static std::vector<QStringList> segmentRows(const RunReport& report);
    // The report's first lines: what ran, when, and how it went.
    static std::vector<std::pair<QString, QString>> summary(const RunReport& report);

    static bool writeCsv(const RunReport& report, const QString& path, QString* why);
    static bool writePdf(const RunReport& report, const QString& path, QString* why);
    // The report as a document (the screen prints the same).
    static void fill(QTextDocument& document, const RunReport& report);
};

// "1:02:03" for a span of milliseconds.
QString ms_duration_text(qint64 ms);
