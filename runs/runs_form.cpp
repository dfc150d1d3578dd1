#include "runs/runs_form.h"

#include "core/console_settings.h"
#include "core/conversions.h"
#include "core/fonts.h"
#include "core/naming.h"
#include "core/output_target.h"
#include "runs/run_chart.h"
#include "runs/run_report_writer.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
const QString kFolderKey = QStringLiteral("export/runsFolder");
const QColor kMarked(255, 200, 200); // a refused input, as the parameter screens mark one
enum Column { Number, Start, End, Curve, Segments, Ending, Deviation, Alarms, kColumns };

void mark(QLineEdit* box, const QString& why) {
    QPalette p;
    if (!why.isEmpty())
        p.setColor(QPalette::Base, kMarked);
    box->setPalette(p);
    box->setToolTip(why);
}

QTableWidget* table(QWidget* parent, const QString& name, const QStringList& header) {
    auto* t = named(new QTableWidget(0, int(header.size()), parent), name);
    t->setHorizontalHeaderLabels(header);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void set_row(QTableWidget* t, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c)
        t->setItem(row, c, new QTableWidgetItem(cells[c]));
}
} // namespace

RunsForm::RunsForm(const QString& path, std::function<void()> backToOverview, QWidget* parent)
    : ScreenFrame(std::move(backToOverview), parent), recordFile(path),
      store(path, RunStore::Access::ReadOnly) {
    name_control(this, QStringLiteral("RunsForm"));
    setWindowTitle(QStringLiteral("程序运行记录"));
    use_cjk_font(*this, 10);
    tolerance = remembered_run_tolerance();
    buildControls();
    buildLayout();
    connect(runs->verticalScrollBar(), &QScrollBar::valueChanged, this, &RunsForm::nearTheEnd);
    connect(runs, &QTableWidget::cellActivated, this, [this](int row, int) { openRun(row); });
    connect(runs, &QTableWidget::cellClicked, this, [this](int row, int) { openRun(row); });
    connect(toleranceBox, &QLineEdit::editingFinished, this, &RunsForm::applyTolerance);
    connect(printButton, &QPushButton::clicked, this, &RunsForm::printReport);
    connect(pdfButton, &QPushButton::clicked, this, [this] { writeReport(true); });
    connect(csvButton, &QPushButton::clicked, this, [this] { writeReport(false); });
    deviationTimer.setInterval(0);
    connect(&deviationTimer, &QTimer::timeout, this, &RunsForm::deviationStep);
    resize(1280, 800);
}

RunsForm::~RunsForm() = default;

void RunsForm::buildControls() {
    runs = table(this, QStringLiteral("RunsTable"),
                 {tr("Run"), tr("Start"), tr("End"), tr("Curve"), tr("Segments"),
                  tr("How it ended"), tr("Largest deviation on soaks"), tr("Alarms")});
    toleranceBox =
        named(new QLineEdit(QString::number(tolerance), this), QStringLiteral("RunsTolerance"));
    toleranceBox->setToolTip(tr("Used on soaks when the program does not wait on deviation"));
    summary = named(new QLabel(this), QStringLiteral("RunsSummary"));
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    chart = named(new RunChartView(this), QStringLiteral("RunsChart"));
    chart->setMinimumSize(400, 220);
    segments = table(this, QStringLiteral("RunsSegments"), RunReportWriter::segmentHeader());
    events = table(this, QStringLiteral("RunsEvents"), {tr("Time"), tr("Category"), tr("Event")});
    file = named(new QLineEdit(this), QStringLiteral("RunsFile"));
    file->setPlaceholderText(tr("file for PDF or CSV"));
    printButton = named(new QPushButton(tr("Print"), this), QStringLiteral("RunsPrint"));
    pdfButton = named(new QPushButton(tr("PDF"), this), QStringLiteral("RunsPdf"));
    csvButton = named(new QPushButton(tr("CSV"), this), QStringLiteral("RunsCsv"));
    status = named(new QLabel(this), QStringLiteral("RunsStatus"));
    for (QPushButton* b : {printButton, pdfButton, csvButton})
        b->setEnabled(false);
}

void RunsForm::buildLayout() {
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Tolerance when the program does not wait (±):"), this));
    top->addWidget(toleranceBox);
    top->addStretch(1);
    top->addWidget(makeReturnButton(QStringLiteral(" Esc 返回"), QStringLiteral("Command11")));
    auto* detail = new QWidget(this);
    auto* d = new QGridLayout(detail);
    d->setContentsMargins(0, 0, 0, 0);
    d->addWidget(summary, 0, 0);
    d->addWidget(chart, 0, 1);
    d->addWidget(segments, 1, 0);
    d->addWidget(events, 1, 1);
    auto* out = new QHBoxLayout;
    out->addWidget(file, 1);
    out->addWidget(printButton);
    out->addWidget(pdfButton);
    out->addWidget(csvButton);
    d->addLayout(out, 2, 0, 1, 2);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(runs);
    split->addWidget(detail);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(split, 1);
    v->addWidget(status);
}

void RunsForm::Form_Load() {
    ScreenFrame::Form_Load();
    store.open();
    nextPage();
}

void RunsForm::nextPage() {
    if (lastPage)
        return;
    std::optional<qint64> after;
    if (!listed.empty())
        after = listed.back().number;
    const std::vector<ProgramRun> page = store.page(after, kPageSize);
    if (!store.lastError().isEmpty()) {
        status->setText(tr("The runs cannot be read: %1").arg(store.lastError()));
        return;
    }
    lastPage = int(page.size()) < kPageSize;
    int row = runs->rowCount();
    runs->setRowCount(row + int(page.size()));
    for (const ProgramRun& r : page) {
        set_row(runs, row++,
                {QString::number(r.number), r.startLocal, r.endMs ? r.endLocal : QString(),
                 QString::number(r.curve),
                 r.programRead ? QString::number(r.program.segmentCount()) : tr("not read"),
                 ending_title(r.ending) + (r.joined ? tr(" (joined)") : QString()),
                 QStringLiteral("…"), QStringLiteral("…")});
        listed.push_back(r);
    }
    status->setText(tr("%n run(s) listed", nullptr, int(listed.size())));
    deviationTimer.start();
}

void RunsForm::nearTheEnd(int value) {
    if (value >= runs->verticalScrollBar()->maximum() - 5)
        nextPage();
}

RunReportRequest RunsForm::requestFor(qint64 run) const {
    RunReportRequest r;
    r.recordFile = recordFile;
    r.run = run;
    r.measured = measured;
    r.tolerance = tolerance;
    return r;
}

void RunsForm::deviationStep() {
    if (deviationNext >= listed.size()) {
        deviationTimer.stop();
        return;
    }
    const std::size_t k = deviationNext++;
    QString why;
    const auto r = RunReportLoader::load(requestFor(listed[k].number), &why);
    const QString deviation = !r ? tr("records gone")
                              : r->analysis.soaksWithin
                                  ? QString::number(r->analysis.largestSoakDeviation, 'f', 1)
                                  : tr("no soak");
    runs->setItem(int(k), Deviation, new QTableWidgetItem(deviation));
    runs->setItem(int(k), Alarms,
                  new QTableWidgetItem(r ? QString::number(r->analysis.alarms) : QString()));
}

void RunsForm::openRun(int row) {
    if (row >= 0 && row < int(listed.size()))
        loadRun(listed[std::size_t(row)].number);
}

void RunsForm::loadRun(qint64 number) {
    QString why;
    chart->setReport(nullptr); // the report it shows is replaced
    report = RunReportLoader::load(requestFor(number), &why);
    if (!report) {
        summary->setText(why);
        segments->setRowCount(0);
        events->setRowCount(0);
    } else {
        showReport();
    }
    for (QPushButton* b : {printButton, pdfButton, csvButton})
        b->setEnabled(report.has_value());
    if (report && file->text().isEmpty())
        file->setText(QDir(console_settings::folder(kFolderKey))
                          .filePath(QStringLiteral("run-%1.pdf").arg(report->run.number)));
}

void RunsForm::showReport() {
    QString text;
    for (const auto& [name, value] : RunReportWriter::summary(*report))
        text += name + QStringLiteral(": ") + value + u'\n';
    summary->setText(text.trimmed());
    chart->setReport(&*report);
    const auto rows = RunReportWriter::segmentRows(*report);
    segments->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        set_row(segments, r, rows[std::size_t(r)]);
    events->setRowCount(int(report->events.size()));
    int r = 0;
    for (const JournalEntry& e : report->events)
        set_row(events, r++, {e.localTime, category_title(e.category), e.detail});
}

void RunsForm::applyTolerance() {
    bool ok = false;
    const double typed = QLocale::c().toDouble(toleranceBox->text().trimmed(), &ok);
    if (!ok || typed < 0 || typed > 10000) {
        mark(toleranceBox, tr("The tolerance must be a number from 0 to 10000"));
        return;
    }
    mark(toleranceBox, QString());
    if (typed == tolerance)
        return;
    tolerance = typed;
    remember_run_tolerance(typed);
    // Every listed deviation and the report shown change with it.
    deviationNext = 0;
    deviationTimer.start();
    if (report)
        loadRun(report->run.number);
}

bool RunsForm::writeReport(bool pdf) {
    if (!report)
        return false;
    QString path = file->text().trimmed();
    const QString ending = pdf ? QStringLiteral(".pdf") : QStringLiteral(".csv");
    if (!path.endsWith(ending, Qt::CaseInsensitive)) {
        const int dot = int(path.lastIndexOf(u'.'));
        path = (dot > int(path.lastIndexOf(u'/')) ? path.left(dot) : path) + ending;
    }
    QString why;
    if (path.isEmpty())
        why = tr("Name the file first");
    else if (const auto refused = refuse_output_target(path, recordFile))
        why = *refused;
    else if (!console_settings::make_folder_of(path, why))
        ;
    else if (pdf ? RunReportWriter::writePdf(*report, path, &why)
                 : RunReportWriter::writeCsv(*report, path, &why)) {
        mark(file, QString());
        console_settings::remember_folder(kFolderKey, path);
        status->setText(tr("Run %1 written to %2").arg(report->run.number).arg(path));
        return true;
    }
    mark(file, why);
    status->setText(why);
    return false;
}

void RunsForm::printReport() {
    if (!report)
        return;
    auto* printer = new QPrinter(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    auto* dialog = new QPrintDialog(printer, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, printer](int result) {
        if (result == QDialog::Accepted && report) {
            QTextDocument document;
            RunReportWriter::fill(document, *report);
            document.print(printer);
            status->setText(tr("Run %1 sent to the printer").arg(report->run.number));
        }
        delete printer;
    });
    dialog->open();
}
