#include "files/files_form.h"

#include "core/console_settings.h"
#include "core/ask_operator.h"
#include "core/fonts.h"
#include "core/naming.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString kLastFile = QStringLiteral("files/instrumentFile");
} // namespace

FilesForm::FilesForm(Instrument& instrument, InstrumentLink& wire,
                     std::function<void()> backToOverview, QWidget* parent)
    : ScreenFrame(std::move(backToOverview), parent), link(wire), target(instrument.target()),
      setupJob(wire, instrument.target(), this) {
    name_control(this, QStringLiteral("FilesForm"));
    setWindowTitle(QStringLiteral("仪表文件"));
    use_cjk_font(*this, 10);

    file = named(new QLineEdit(this), QStringLiteral("FilesPath"));
    // The file of the last job, so that a compare right after a backup finds it again.
    file->setText(
        console_settings::value(
            kLastFile,
            QDir(console_settings::folder(QString())).filePath(QStringLiteral("mt3600-setup.json")))
            .toString());
    auto* browseButton = new QPushButton(tr("Browse…"), this);
    backupButton =
        named(new QPushButton(tr("Back up to the file"), this), QStringLiteral("FilesBackup"));
    compareButton = named(new QPushButton(tr("Compare with the instrument"), this),
                          QStringLiteral("FilesCompare"));
    writeButton =
        named(new QPushButton(tr("Write the differences"), this), QStringLiteral("FilesWrite"));
    second = named(new QLineEdit(this), QStringLiteral("FilesSecond"));
    second->setPlaceholderText(tr("a second instrument file, to compare two files"));
    compareFilesButton = named(new QPushButton(tr("Compare the two files"), this),
                               QStringLiteral("FilesCompareFiles"));
    cancelButton = named(new QPushButton(tr("Cancel"), this), QStringLiteral("FilesCancel"));
    cancelButton->setEnabled(false);
    makeReturnButton(QStringLiteral("返回"), QStringLiteral("Command1"));
    onlyDifferences =
        named(new QCheckBox(tr("Only differences"), this), QStringLiteral("FilesOnlyDifferences"));
    onlyDifferences->setChecked(true);
    includeComms = named(new QCheckBox(tr("Also write the address, baud rate and parity (the "
                                          "conversation ends with them)"),
                                       this),
                         QStringLiteral("FilesIncludeComms"));
    table = named(new QTableWidget(0, 4, this), QStringLiteral("FilesTable"));
    table->setHorizontalHeaderLabels(
        {tr("Name"), tr("Register"), tr("In the file"), tr("In the instrument")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    progress = named(new QProgressBar(this), QStringLiteral("FilesProgress"));
    report = named(new QLabel(this), QStringLiteral("FilesReport"));
    report->setWordWrap(true);
    report->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(tr("Instrument file:"), this));
    fileRow->addWidget(file, 1);
    fileRow->addWidget(browseButton);
    auto* secondRow = new QHBoxLayout;
    secondRow->addWidget(new QLabel(tr("Second file:"), this));
    secondRow->addWidget(second, 1);
    secondRow->addWidget(compareFilesButton);
    auto* actions = new QHBoxLayout;
    for (QPushButton* b : {backupButton, compareButton, writeButton, cancelButton})
        actions->addWidget(b);
    actions->addStretch(1);
    auto* options = new QHBoxLayout;
    options->addWidget(onlyDifferences);
    options->addWidget(includeComms);
    options->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(report, 1);
    bottom->addWidget(returnButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(secondRow);
    layout->addLayout(actions);
    layout->addLayout(options);
    layout->addWidget(table, 1);
    layout->addWidget(progress);
    layout->addLayout(bottom);

    connect(browseButton, &QPushButton::clicked, this, &FilesForm::browse);
    connect(backupButton, &QPushButton::clicked, this, &FilesForm::backupClick);
    connect(compareButton, &QPushButton::clicked, this, &FilesForm::compareClick);
    connect(compareFilesButton, &QPushButton::clicked, this, &FilesForm::compareFilesClick);
    connect(writeButton, &QPushButton::clicked, this, &FilesForm::writeClick);
    connect(cancelButton, &QPushButton::clicked, this, [this] { setupJob.cancel(); });
    connect(onlyDifferences, &QCheckBox::toggled, this, &FilesForm::showTable);
    connect(&setupJob, &SetupJob::progress, this, [this](int done, int total) {
        progress->setRange(0, std::max(1, total));
        progress->setValue(done);
    });
    connect(&setupJob, &SetupJob::finished, this, &FilesForm::finished);
    setupJob.setConfirmation([this](const RestorePlan& plan, std::function<void(bool)> answer) {
        confirmRestore(plan, std::move(answer));
    });
    resize(1100, 680);
}

void FilesForm::browse() {
    auto* chooser = new QFileDialog(this, tr("Instrument file"), file->text(),
                                    tr("Instrument files (*.json);;All files (*)"));
    chooser->setAcceptMode(QFileDialog::AcceptSave); // a new file for a backup, or an old one
    chooser->setOption(QFileDialog::DontConfirmOverwrite);
    chooser->setDefaultSuffix(QStringLiteral("json"));
    chooser->setModal(false);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QFileDialog::fileSelected, file, &QLineEdit::setText);
    chooser->show();
}

void FilesForm::started(const QString& what) {
    for (QPushButton* b : {backupButton, compareButton, writeButton, compareFilesButton})
        b->setEnabled(false);
    cancelButton->setEnabled(true);
    progress->setValue(0);
    report->setText(what);
    console_settings::set_value(kLastFile, file->text().trimmed());
}

void FilesForm::backupClick() {
    if (setupJob.busy())
        return;
    const QString path = file->text().trimmed();
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        ask(QStringLiteral("FilesOverwrite"),
            tr("%1 exists. Replace it with this backup?").arg(path), QString(), false,
            [this](bool yes) {
                if (yes)
                    startBackup();
                else
                    report->setText(tr("Backup not made: the file was kept"));
            });
        return;
    }
    startBackup();
}

void FilesForm::startBackup() {
    QString why;
    if (!console_settings::make_folder_of(file->text().trimmed(), why)) {
        report->setText(why);
        return;
    }
    started(tr("Reading the instrument…"));
    const LinkStatus s = link.status();
    setupJob.backup(file->text().trimmed(), {QDateTime::currentDateTime().toOffsetFromUtc(
                                                 QDateTime::currentDateTime().offsetFromUtc()),
                                             s.device, s.settings, target.address});
}

void FilesForm::compareClick() {
    if (setupJob.busy())
        return;
    table->setHorizontalHeaderLabels(
        {tr("Name"), tr("Register"), tr("In the file"), tr("In the instrument")});
    started(tr("Reading the instrument…"));
    setupJob.compare(file->text().trimmed());
}

void FilesForm::compareFilesClick() {
    if (setupJob.busy())
        return;
    table->setHorizontalHeaderLabels(
        {tr("Name"), tr("Register"), tr("In the file"), tr("In the second file")});
    started(QString());
    setupJob.compareFiles(file->text().trimmed(), second->text().trimmed());
}

void FilesForm::writeClick() {
    if (setupJob.busy())
        return;
    started(tr("Writing the differences…"));
    setupJob.restore(file->text().trimmed(), includeComms->isChecked());
}

// A question beside the screen; `modal` only where the operator must answer before anything goes
// on (the restore's confirmation).
void FilesForm::ask(const QString& name, const QString& text, const QString& details, bool modal,
                    std::function<void(bool)> answer) {
    question_box(this, name, text, details, modal, std::move(answer));
}

void FilesForm::confirmRestore(const RestorePlan& plan, std::function<void(bool)> answer) {
    QStringList details;
    if (!plan.comms.isEmpty())
        details << tr("Last of all the link settings, which end the conversation:") +
                       QStringLiteral("\n  ") + plan.comms.join(QStringLiteral("\n  "));
    if (plan.recipeDiffers > 0)
        details << tr("%n segment register(s) are left out: the file holds their tables at "
                      "another recipe value than the instrument.",
                      nullptr, plan.recipeDiffers);
    details << tr("The instrument's present setup is saved first to %1; restoring that file "
                  "undoes this restore.")
                   .arg(plan.beforeCopy);
    report->setText(tr("Waiting for the confirmation…"));
    ask(QStringLiteral("FilesConfirm"),
        tr("Write %n register(s) to the instrument?", nullptr, plan.writes),
        details.join(QStringLiteral("\n\n")), true, std::move(answer));
}

void FilesForm::finished(SetupJob::Status) {
    if (leaving) {
        leaving = false;
        returnButton()->setEnabled(true);
        returnClick();
        return;
    }
    for (QPushButton* b : {backupButton, compareButton, writeButton, compareFilesButton})
        b->setEnabled(true);
    cancelButton->setEnabled(false);
    progress->setValue(progress->maximum());
    QStringList shown;
    for (const QString& line : setupJob.report())
        shown << QString(line).replace(u'\t', QStringLiteral("  "));
    report->setText(shown.join(u'\n'));
    showTable();
}

void FilesForm::showTable() {
    const QColor marked(255, 200, 200);
    table->setRowCount(0);
    for (const CompareRow& r : setupJob.rows()) {
        if (onlyDifferences->isChecked() && !r.differs())
            continue;
        const int row = table->rowCount();
        table->insertRow(row);
        const QString cells[] = {
            r.entry->name(), r.entry->key(), r.file ? r.entry->shown(*r.file) : QStringLiteral("-"),
            r.instrument ? r.entry->shown(*r.instrument) : QStringLiteral("-")};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (r.differs())
                item->setBackground(marked);
            table->setItem(row, c, item);
        }
    }
}

// A job under way is cancelled between two requests and the screen waits for its end: the
// operator's curve is put back before the screen goes.
bool FilesForm::beforeReturn() {
    if (setupJob.busy()) {
        leaving = true;
        returnButton()->setEnabled(false);
        setupJob.cancel();
        report->setText(tr("Stopping: the instrument's curve selection is put back…"));
        return false;
    }
    return true;
}
