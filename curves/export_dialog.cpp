#include "curves/export_dialog.h"

#include "core/console_settings.h"
#include "core/naming.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kFolderKey = QStringLiteral("export/recordsFolder");
} // namespace

namespace {
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

ExportDialog::ExportDialog(const QString& path, bool longRecords, QWidget* parent)
    : QDialog(parent), dbPath(path), longRecord(longRecords) {
    name_control(this, QStringLiteral("ExportDialog"));
    setModal(false);
    setWindowTitle(longRecord ? tr("Export the ten-second record to CSV")
                              : tr("Export the one-second record to CSV"));
    wholeWindow = named(new QRadioButton(this), QStringLiteral("ExportWindow"));
    period = named(new QRadioButton(tr("A period:"), this), QStringLiteral("ExportPeriod"));
    from = named(new QDateTimeEdit(this), QStringLiteral("ExportFrom"));
    to = named(new QDateTimeEdit(this), QStringLiteral("ExportTo"));
    for (QDateTimeEdit* e : {from, to}) {
        e->setDisplayFormat(kTimeFormat);
        e->setCalendarPopup(true);
    }
    file = named(new QLineEdit(this), QStringLiteral("ExportFile"));
    file->setText(
        QDir(console_settings::folder(kFolderKey))
            .filePath(QStringLiteral("mt3600-%1-%2.csv")
                          .arg(longRecord ? QStringLiteral("long") : QStringLiteral("short"),
                               QDateTime::currentDateTime().toString(
                                   QStringLiteral("yyyyMMdd-HHmmss")))));
    auto* browseButton = new QPushButton(tr("Browse…"), this);
    exportButton = named(new QPushButton(tr("Export"), this), QStringLiteral("ExportStart"));
    auto* closeButton = new QPushButton(tr("Close"), this);
    progress = named(new QProgressBar(this), QStringLiteral("ExportProgress"));
    status = named(new QLabel(this), QStringLiteral("ExportStatus"));
    status->setWordWrap(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(wholeWindow, 0, 0, 1, 4);
    grid->addWidget(period, 1, 0);
    grid->addWidget(from, 1, 1);
    grid->addWidget(new QLabel(tr("to"), this), 1, 2);
    grid->addWidget(to, 1, 3);
    grid->addWidget(new QLabel(tr("File:"), this), 2, 0);
    grid->addWidget(file, 2, 1, 1, 2);
    grid->addWidget(browseButton, 2, 3);
    grid->addWidget(progress, 3, 0, 1, 4);
    grid->addWidget(status, 4, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(closeButton);
    grid->addLayout(buttons, 5, 0, 1, 4);

    connect(browseButton, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(exportButton, &QPushButton::clicked, this, &ExportDialog::startExport);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(from, &QDateTimeEdit::dateTimeChanged, period, [this] { period->setChecked(true); });
    connect(to, &QDateTimeEdit::dateTimeChanged, period, [this] { period->setChecked(true); });
    stepTimer.setInterval(0);
    connect(&stepTimer, &QTimer::timeout, this, &ExportDialog::exportStep);
    setWindow({}, {});
}

void ExportDialog::setWindow(const QDateTime& first, const QDateTime& last) {
    windowFirst = first;
    windowLast = last;
    const bool any = first.isValid() && last.isValid();
    wholeWindow->setText(any ? tr("The window shown, %1 to %2")
                                   .arg(first.toString(kTimeFormat), last.toString(kTimeFormat))
                             : tr("The window shown (it holds no record)"));
    wholeWindow->setEnabled(any);
    const QSignalBlocker quietFrom(from);
    const QSignalBlocker quietTo(to);
    from->setDateTime(any ? first : QDateTime::currentDateTime().addSecs(-3600));
    to->setDateTime(any ? last : QDateTime::currentDateTime());
    (any ? wholeWindow : period)->setChecked(true);
}

// A file dialog beside the screen, not in front of it: the screen goes on meanwhile.
void ExportDialog::browse() {
    auto* chooser = new QFileDialog(this, tr("Export to"), file->text(),
                                    tr("CSV files (*.csv);;All files (*)"));
    chooser->setAcceptMode(QFileDialog::AcceptSave);
    chooser->setDefaultSuffix(QStringLiteral("csv"));
    chooser->setModal(false);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QFileDialog::fileSelected, file, &QLineEdit::setText);
    chooser->show();
}

void ExportDialog::startExport() {
    if (job)
        return;
    if (file->text().trimmed().isEmpty()) {
        status->setText(tr("Name a file to export to."));
        return;
    }
    const bool whole = wholeWindow->isChecked();
    const QDateTime first = whole ? windowFirst : from->dateTime();
    const QDateTime last = whole ? windowLast : to->dateTime();
    if (first > last) {
        status->setText(tr("The period ends before it starts: nothing exported."));
        return;
    }
    QString why;
    if (!console_settings::make_folder_of(file->text().trimmed(), why)) {
        status->setText(why);
        return;
    }
    console_settings::remember_folder(kFolderKey, file->text().trimmed());
    job = std::make_unique<CsvExport>(
        CsvRequest{dbPath, longRecord, first, last, file->text().trimmed()});
    if (!job->begin()) {
        done(false);
        return;
    }
    progress->setRange(0, int(std::max<qint64>(1, job->total())));
    progress->setValue(0);
    exportButton->setEnabled(false);
    status->setText(tr("Exporting %1 records…").arg(job->total()));
    stepTimer.start();
}

void ExportDialog::exportStep() {
    if (!job)
        return;
    const bool more = job->step(kRowsPerStep);
    progress->setValue(int(std::min<qint64>(job->written(), progress->maximum())));
    if (!more)
        done(job->error().isEmpty() && job->finish());
}

void ExportDialog::done(bool ok) {
    stepTimer.stop();
    exportButton->setEnabled(true);
    if (ok) {
        progress->setValue(progress->maximum());
        status->setText(tr("%1 records written to %2")
                            .arg(job->written())
                            .arg(QDir::toNativeSeparators(job->request().file)));
    } else {
        status->setText(tr("Nothing exported: %1").arg(job->error()));
    }
    job.reset();
}
