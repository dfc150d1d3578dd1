#include "runs/run_report_writer.h"

#include "core/csv_writer.h"
#include "runs/run_chart.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSysInfo>
#include <QTextDocument>

QString ms_duration_text(qint64 ms) {
    const qint64 s = (ms + 500) / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

namespace {
QString number(const std::optional<double>& v) {
    return v ? QString::number(*v, 'f', 1) : QString();
}
QString time_of(const std::optional<qint64>& ms) {
    return ms ? local_text(*ms) : QString();
}
} // namespace

QStringList RunReportWriter::segmentHeader() {
    return {tr("Segment"),
            tr("Planned target"),
            tr("Planned time"),
            tr("Start"),
            tr("End"),
            tr("Length"),
            tr("On hold"),
            tr("Deviation wait"),
            tr("Soak"),
            tr("PV minimum"),
            tr("PV maximum"),
            tr("PV mean"),
            tr("Outside tolerance"),
            tr("Not measured")};
}

std::vector<QStringList> RunReportWriter::segmentRows(const RunReport& report) {
    std::vector<QStringList> rows;
    for (const SegmentReport& s : report.analysis.segments) {
        const bool reached = s.startMs.has_value();
        rows.push_back(
            {QString::number(s.segment), QString::number(s.plannedTarget),
             s.plannedSeconds < 0 ? tr("unknown unit") : ms_duration_text(s.plannedSeconds * 1000),
             time_of(s.startMs), time_of(s.endMs), reached ? ms_duration_text(s.lengthMs) : QString(),
             reached ? ms_duration_text(s.holdMs) : QString(),
             reached ? ms_duration_text(s.waitMs) : QString(), s.soak ? tr("yes") : tr("no"),
             number(s.pvMin), number(s.pvMax), number(s.pvMean),
             s.soak && reached ? ms_duration_text(s.outsideMs) : QString(),
             s.soak && reached ? ms_duration_text(s.unmeasuredMs) : QString()});
    }
    return rows;
}

std::vector<std::pair<QString, QString>> RunReportWriter::summary(const RunReport& r) {
    const ProgramRun& run = r.run;
    const RunAnalysis& a = r.analysis;
    const QString soaks = !a.soaksWithin ? tr("no soak measured")
                          : *a.soaksWithin
                              ? tr("yes: every soak stayed within ±%1").arg(a.tolerance)
                              : tr("NO: a soak went outside ±%1").arg(a.tolerance);
    QString program = tr("not read");
    if (run.programRead)
        program = tr("%1 segments, time unit %2 s, wait type %3, wait deviation %4, recipe %5")
                      .arg(run.program.segmentCount())
                      .arg(run.program.secondsPerUnit())
                      .arg(run.program.waitType())
                      .arg(run.program.waitDeviation())
                      .arg(run.program.recipe());
    return {
        {tr("Console"), tr("mt3600-console on %1").arg(QSysInfo::machineHostName())},
        {tr("Instrument address"), run.address ? QString::number(*run.address) : tr("unknown")},
        {tr("Run"), QString::number(run.number) +
                        (run.joined ? tr(" (joined at its start time)") : QString())},
        {tr("Curve"), QString::number(run.curve)},
        {tr("Program"), program},
        {tr("Start"), run.startLocal},
        {tr("End"), run.endMs ? run.endLocal : tr("%1 (last seen)").arg(local_text(run.seenMs))},
        {tr("Result"), ending_title(run.ending)},
        {tr("Soaks within tolerance"), soaks},
        {tr("Tolerance"), a.toleranceFromProgram
                              ? tr("±%1, the program's wait deviation").arg(a.tolerance)
                              : tr("±%1, set on the console").arg(a.tolerance)},
        {tr("On hold"), ms_duration_text(a.holdMs)},
        {tr("Deviation wait"), ms_duration_text(a.waitMs)},
        {tr("Alarms"), QString::number(a.alarms)},
        {tr("Records"), tr("%1, %2 records").arg(r.ringName()).arg(r.samples.size())},
    };
}

bool RunReportWriter::writeCsv(const RunReport& report, const QString& path, QString* why) {
    QSaveFile file(path);
    QByteArray bytes("\xEF\xBB\xBF");
    bytes += csv_line(segmentHeader());
    for (const QStringList& row : segmentRows(report))
        bytes += csv_line(row);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (why)
            *why = tr("%1 cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

void RunReportWriter::fill(QTextDocument& document, const RunReport& report) {
    QString html = QStringLiteral("<h2>%1</h2><table cellspacing=0 cellpadding=2>")
                       .arg(tr("Program run %1").arg(report.run.number).toHtmlEscaped());
    for (const auto& [name, value] : summary(report))
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(name.toHtmlEscaped(), value.toHtmlEscaped());
    html += QStringLiteral("</table><h3>%1</h3><table border=1 cellspacing=0 cellpadding=2><tr>")
                .arg(tr("Segments").toHtmlEscaped());
    for (const QString& h : segmentHeader())
        html += QStringLiteral("<th>%1</th>").arg(h.toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (const QStringList& row : segmentRows(report)) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row)
            html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table><h3>%1</h3><table cellspacing=0 cellpadding=1>")
                .arg(tr("Events during the run").toHtmlEscaped());
    for (const JournalEntry& e : report.events)
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(e.localTime.toHtmlEscaped(), category_title(e.category).toHtmlEscaped(),
                         e.detail.toHtmlEscaped());
    document.setHtml(html + QStringLiteral("</table>"));
}

bool RunReportWriter::writePdf(const RunReport& report, const QString& path, QString* why) {
    // Written beside the target and moved into place whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (why)
            *why = tr("%1 cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    {
        // One painter for the whole file: the report's pages, then the chart of the run.
        QPdfWriter pdf(&file);
        pdf.setTitle(tr("Program run %1").arg(report.run.number));
        pdf.setResolution(96);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            if (why)
                *why = tr("%1 cannot be written: %2").arg(path, tr("no PDF page"));
            return false;
        }
        const QSizeF page = pdf.pageLayout().paintRectPixels(96).size();
        QTextDocument document;
        QFont font = document.defaultFont();
        font.setPointSize(8);
        document.setDefaultFont(font);
        fill(document, report);
        document.setPageSize(page);
        for (int k = 0; k < document.pageCount(); ++k) {
            if (k > 0)
                pdf.newPage();
            painter.save();
            painter.translate(0, -k * page.height());
            document.drawContents(&painter, QRectF(QPointF(0, k * page.height()), page));
            painter.restore();
        }
        pdf.newPage();
        draw_run_chart(painter, QRectF(QPointF(0, 0), page), report);
        painter.end();
    }
    if (!file.commit()) {
        if (why)
            *why = tr("%1 cannot be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
