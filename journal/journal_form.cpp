#include "journal/journal_form.h"

#include "core/console_settings.h"
#include "core/fonts.h"
#include "core/naming.h"
#include "journal/event_journal.h"
#include "journal/journal_time.h"
#include "journal/journal_words.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kFolderKey = QStringLiteral("export/journalFolder");
const QColor kMarked(255, 200, 200); // a refused input, as the parameter screens mark one

void mark(QLineEdit* box, const QString& why) {
    QPalette p;
    if (!why.isEmpty())
        p.setColor(QPalette::Base, kMarked);
    box->setPalette(p);
    box->setToolTip(why);
}

bool same_filter(const JournalFilter& a, const JournalFilter& b) {
    return a.from == b.from && a.to == b.to && a.categories == b.categories && a.text == b.text;
}

// The widest text a column usually shows, for its starting width.
struct ColumnWidth {
    int column;
    const char* sample;
};
constexpr ColumnWidth kWidths[] = {
    {JournalModel::Seq, "0000000"},     {JournalModel::Time, "2024-03-05 12:30:15.250"},
    {JournalModel::Address, "000"},     {JournalModel::Category, "Instrument file"},
    {JournalModel::Code, "alarm1_off"}, {JournalModel::Source, "CONFIG1 T_3RW(263)"},
    {JournalModel::OldValue, "000000"}, {JournalModel::NewValue, "000000"},
    {JournalModel::Pv, "0000.0"},       {JournalModel::Result, "failed: no answer"},
    {JournalModel::User, "operator"},   {JournalModel::Host, "line-3"},
};
} // namespace

JournalForm::JournalForm(EventJournal& journal, std::function<void()> backToOverview,
                         QWidget* parent)
    : ScreenFrame(std::move(backToOverview), parent), reader(journal.store().path()), rows(reader) {
    name_control(this, QStringLiteral("JournalForm"));
    setWindowTitle(QStringLiteral("事件记录"));
    use_cjk_font(*this, 10);
    buildControls();
    buildLayout();

    connect(from, &QLineEdit::editingFinished, this, &JournalForm::applyFilter);
    connect(to, &QLineEdit::editingFinished, this, &JournalForm::applyFilter);
    // A text of one or two characters has no index to use: it reads the whole journal, so it
    // waits for Return or leaving the box instead of a pause in the typing.
    connect(text, &QLineEdit::textEdited, this, [this](const QString& typed) {
        if (typed.trimmed().size() >= 3 || typed.trimmed().isEmpty())
            textPause.start();
        else
            textPause.stop();
    });
    connect(text, &QLineEdit::editingFinished, this, &JournalForm::applyFilter);
    textPause.setSingleShot(true);
    textPause.setInterval(kTextPauseMs);
    connect(&textPause, &QTimer::timeout, this, &JournalForm::applyFilter);
    connect(all, &QCheckBox::clicked, this, &JournalForm::allClicked);
    for (QCheckBox* c : categories)
        connect(c, &QCheckBox::clicked, this, &JournalForm::categoryClicked);
    connect(clearButton, &QPushButton::clicked, this, &JournalForm::clearFilters);
    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, this, &JournalForm::nearTheEnd);
    connect(&rows, &JournalModel::rowsInserted, this, &JournalForm::showCount);
    connect(&rows, &JournalModel::modelReset, this, &JournalForm::showCount);
    connect(&rows, &JournalModel::readFailed, this, &JournalForm::showCount);
    connect(browseButton, &QPushButton::clicked, this, &JournalForm::browse);
    connect(exportButton, &QPushButton::clicked, this, &JournalForm::exportClick);
    exportTimer.setInterval(0);
    connect(&exportTimer, &QTimer::timeout, this, &JournalForm::exportStep);
    chainTimer.setInterval(0);
    connect(&chainTimer, &QTimer::timeout, this, &JournalForm::chainStep);
    // Events journaled while the screen is shown.
    connect(&journal, &EventJournal::appended, this, &JournalForm::liveEvent);
    resize(1280, 800);
}

JournalForm::~JournalForm() = default;

void JournalForm::buildControls() {
    from = named(new QLineEdit(this), QStringLiteral("JournalFrom"));
    to = named(new QLineEdit(this), QStringLiteral("JournalTo"));
    for (QLineEdit* box : {from, to}) {
        box->setPlaceholderText(tr("yyyy-MM-dd [HH:mm[:ss]]"));
        box->setClearButtonEnabled(true);
        box->setMinimumWidth(
            fontMetrics().horizontalAdvance(QStringLiteral("2024-03-05 12:30:15")) + 40);
    }
    text = named(new QLineEdit(this), QStringLiteral("JournalText"));
    text->setPlaceholderText(tr("a word in code, source, values, result, detail, user or host"));
    text->setClearButtonEnabled(true);
    all = named(new QCheckBox(tr("All"), this), QStringLiteral("JournalAll"));
    all->setChecked(true);
    for (std::size_t k = 0; k < categories.size(); ++k)
        categories[k] = named(new QCheckBox(category_title(kEventCategories[k]), this),
                              QStringLiteral("JournalCategory"), int(k));
    clearButton = named(new QPushButton(tr("Clear filters"), this), QStringLiteral("JournalClear"));

    table = named(new QTableView(this), QStringLiteral("JournalTable"));
    table->setModel(&rows);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    QHeaderView* header = table->horizontalHeader();
    header->setSectionResizeMode(JournalModel::Detail, QHeaderView::Stretch);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (const ColumnWidth& w : kWidths) {
        // The titles in the interface's language; a code is shown as a title.
        const QString sample =
            w.column == JournalModel::Category ? category_title(EventCategory::File)
            : w.column == JournalModel::Code
                ? journal_words::codeTitle(EventCategory::Write, QStringLiteral("register"))
                : QString::fromLatin1(w.sample);
        const QString caption =
            rows.headerData(w.column, Qt::Horizontal, Qt::DisplayRole).toString();
        table->setColumnWidth(w.column, std::max(fontMetrics().horizontalAdvance(sample),
                                                 fontMetrics().horizontalAdvance(caption)) +
                                            16);
    }

    status = named(new QLabel(this), QStringLiteral("JournalStatus"));
    chainLine = named(new QLabel(this), QStringLiteral("JournalChain"));
    note = named(new QLabel(this), QStringLiteral("JournalNote"));
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    exportFile = named(new QLineEdit(this), QStringLiteral("JournalExportFile"));
    exportFile->setText(QDir(console_settings::folder(kFolderKey))
                            .filePath(QStringLiteral("mt3600-events-%1.csv")
                                          .arg(QDateTime::currentDateTime().toString(
                                              QStringLiteral("yyyyMMdd-HHmmss")))));
    browseButton = new QPushButton(tr("Browse…"), this);
    exportButton =
        named(new QPushButton(QStringLiteral("导出"), this), QStringLiteral("JournalExport"));
    exportButton->setToolTip(tr("Write the events the filter shows to a CSV file, oldest first"));
    makeReturnButton(QStringLiteral("返回"), QStringLiteral("Command1"));
}

void JournalForm::buildLayout() {
    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(tr("From"), this));
    filters->addWidget(from);
    filters->addWidget(new QLabel(tr("to"), this));
    filters->addWidget(to);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(tr("Text"), this));
    filters->addWidget(text, 1);
    filters->addWidget(clearButton);

    auto* kinds = new QHBoxLayout;
    kinds->addWidget(new QLabel(tr("Category"), this));
    kinds->addWidget(all);
    for (QCheckBox* c : categories)
        kinds->addWidget(c);
    kinds->addStretch(1);

    auto* out = new QHBoxLayout;
    out->addWidget(new QLabel(tr("Export to"), this));
    out->addWidget(exportFile, 1);
    out->addWidget(browseButton);
    out->addWidget(exportButton);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status);
    bottom->addSpacing(16);
    bottom->addWidget(chainLine);
    bottom->addSpacing(16);
    bottom->addWidget(note, 1);
    bottom->addWidget(returnButton());

    auto* page = new QVBoxLayout(this);
    page->addLayout(filters);
    page->addLayout(kinds);
    page->addWidget(table, 1);
    page->addLayout(out);
    page->addLayout(bottom);
}

void JournalForm::Form_Load() {
    ScreenFrame::Form_Load();
    // The chain is checked from its first event a chunk per turn of the event loop, so a
    // million events do not hold the screen.
    chain = std::make_unique<ChainCheck>(reader.path());
    chainTimer.start();
    chainStep();
    table->setFocus(); // the arrow keys and Page Down move through the events at once
    if (!rows.reload({}))
        refuse({}, tr("The record file cannot be read: %1").arg(rows.error()));
    restoreFilters();
    applyFilter(); // the filters the operator last used, if any
}

void JournalForm::restoreFilters() {
    from->setText(console_settings::value(QStringLiteral("journal/from")).toString());
    to->setText(console_settings::value(QStringLiteral("journal/to")).toString());
    text->setText(console_settings::value(QStringLiteral("journal/text")).toString());
    const QStringList ticked =
        console_settings::value(QStringLiteral("journal/categories")).toStringList();
    for (std::size_t k = 0; k < categories.size(); ++k)
        categories[k]->setChecked(ticked.contains(QString::number(k)));
    all->setChecked(ticked.isEmpty());
}

void JournalForm::saveFilters() const {
    QStringList ticked;
    for (std::size_t k = 0; k < categories.size(); ++k)
        if (categories[k]->isChecked())
            ticked << QString::number(k);
    console_settings::set_value(QStringLiteral("journal/from"), from->text().trimmed());
    console_settings::set_value(QStringLiteral("journal/to"), to->text().trimmed());
    console_settings::set_value(QStringLiteral("journal/text"), text->text().trimmed());
    console_settings::set_value(QStringLiteral("journal/categories"), ticked);
}

void JournalForm::refuse(const QList<QLineEdit*>& boxes, const QString& why) {
    for (QLineEdit* box : boxes)
        mark(box, why);
    QPalette red = note->palette();
    red.setColor(QPalette::WindowText, QColor(170, 0, 0));
    note->setPalette(red);
    note->setText(why);
}

void JournalForm::applyFilter() {
    textPause.stop();
    JournalFilter f;
    const auto timeOf = [](QLineEdit* box, bool end, QDateTime& at) {
        if (box->text().trimmed().isEmpty())
            return true;
        const auto t = parse_journal_time(box->text(), end);
        if (t)
            at = *t;
        return t.has_value();
    };
    const bool fromOk = timeOf(from, false, f.from);
    const bool toOk = timeOf(to, true, f.to);
    mark(from, QString());
    mark(to, QString());
    if (!fromOk || !toOk) {
        QList<QLineEdit*> bad;
        if (!fromOk)
            bad << from;
        if (!toOk)
            bad << to;
        refuse(bad, tr("Not a time: type 2024-03-05, 2024-03-05 12:30 or 2024-03-05 12:30:15. "
                       "The table is unchanged."));
        return;
    }
    if (f.from.isValid() && f.to.isValid() && f.from > f.to) {
        refuse({from, to}, tr("The range starts after it ends. The table is unchanged."));
        return;
    }
    note->setPalette(palette());
    note->clear();
    for (std::size_t k = 0; k < categories.size(); ++k)
        if (categories[k]->isChecked())
            f.categories << kEventCategories[k];
    f.text = text->text().trimmed();
    if (same_filter(f, rows.filter()))
        return; // tabbing through the boxes reloads nothing
    if (!rows.reload(f))
        refuse({}, tr("The record file cannot be read: %1").arg(rows.error()));
    else
        saveFilters();
    table->scrollToTop();
}

void JournalForm::allClicked(bool checked) {
    if (!checked) { // "all" goes by ticking a category, not by itself
        all->setChecked(true);
        return;
    }
    for (QCheckBox* c : categories)
        c->setChecked(false);
    applyFilter();
}

void JournalForm::categoryClicked() {
    bool any = false;
    for (QCheckBox* c : categories)
        any = any || c->isChecked();
    all->setChecked(!any);
    applyFilter();
}

void JournalForm::clearFilters() {
    from->clear();
    to->clear();
    text->clear();
    all->setChecked(true);
    allClicked(true);
}

// A new event that the filter takes goes on top. An operator who scrolled down keeps the rows
// they look at: the view moves down with them.
void JournalForm::liveEvent(const JournalEntry& entry) {
    QScrollBar* bar = table->verticalScrollBar();
    const int was = bar->value();
    if (!rows.offerLive(entry) || was == 0)
        return;
    bar->setValue(was + 1);
}

// The next page loads once the last screenful of rows comes into view.
void JournalForm::nearTheEnd(int value) {
    QScrollBar* bar = table->verticalScrollBar();
    const int screenful =
        std::max(1, table->viewport()->height() / table->verticalHeader()->defaultSectionSize());
    if (bar->maximum() - value <= screenful && rows.canFetchMore({}))
        rows.fetchMore({});
}

void JournalForm::showCount() {
    QString t = tr("%1 events shown").arg(rows.rowCount());
    if (!rows.error().isEmpty())
        t += tr(" · incomplete: the record file cannot be read beyond them (%1)").arg(rows.error());
    else if (rows.hasMore())
        t += tr(" · more…");
    status->setText(t);
}

void JournalForm::browse() {
    auto* chooser = new QFileDialog(this, tr("Export to"), exportFile->text(),
                                    tr("CSV files (*.csv);;All files (*)"));
    chooser->setAcceptMode(QFileDialog::AcceptSave);
    chooser->setDefaultSuffix(QStringLiteral("csv"));
    chooser->setModal(false);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QFileDialog::fileSelected, exportFile, &QLineEdit::setText);
    chooser->show();
}

// The events the table shows (the filter applied, not one still being typed), oldest first.
void JournalForm::exportClick() {
    if (job)
        return;
    const QString file = exportFile->text().trimmed();
    if (file.isEmpty()) {
        refuse({exportFile}, tr("Name a file to export to."));
        return;
    }
    QString why;
    if (!console_settings::make_folder_of(file, why)) {
        refuse({exportFile}, why);
        return;
    }
    console_settings::remember_folder(kFolderKey, file);
    mark(exportFile, QString());
    note->setPalette(palette());
    job = std::make_unique<EventExport>(EventExportRequest{reader.path(), rows.filter(), file});
    if (!job->begin()) {
        exportDone(false);
        return;
    }
    exportButton->setEnabled(false);
    note->setText(tr("Exporting…"));
    exportTimer.start();
}

void JournalForm::exportStep() {
    if (!job)
        return;
    const bool more = job->step(kExportRowsPerStep);
    note->setText(tr("Exporting: %1 events written…").arg(job->written()));
    if (!more)
        exportDone(job->error().isEmpty() && job->finish());
}

void JournalForm::exportDone(bool ok) {
    exportTimer.stop();
    exportButton->setEnabled(true);
    if (ok)
        note->setText(tr("%1 events written to %2")
                          .arg(job->written())
                          .arg(QDir::toNativeSeparators(job->request().file)));
    else
        refuse({}, tr("Nothing exported: %1").arg(job->error()));
    job.reset();
}

// An export under way is given up (nothing is left behind) when the screen goes.
bool JournalForm::beforeReturn() {
    exportTimer.stop();
    job.reset();
    return true;
}

void JournalForm::chainStep() {
    if (!chain)
        return;
    if (chain->step(kChainRowsPerStep) != ChainCheck::State::Running)
        chainTimer.stop();
    chainLine->setText(chain->text());
    chainLine->setStyleSheet(chain->state() == ChainCheck::State::Broken ||
                                     chain->state() == ChainCheck::State::Unreadable
                                 ? QStringLiteral("color: #b00000;")
                                 : QString());
}
