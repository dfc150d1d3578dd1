#pragma once
// The screen "事件记录": the event journal, newest first and live as events come, filtered by time
// range, category and text, and "导出" of the filtered events to CSV. The table holds only the
// pages fetched (keyset pages of 200 from the record file, on a connection of its own), so the
// screen opens as fast on a million events as on ten. A bad filter input is marked and refused:
// the table stays as it was. Nothing here is modal; the export writes a chunk per turn of the
// event loop, with its progress in the status line.

#include "core/screen_frame.h"
#include "journal/event_export.h"
#include "journal/journal_chain.h"
#include "journal/journal_model.h"

#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class EventJournal;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class JournalForm final : public ScreenFrame {
    Q_OBJECT
public:
    static constexpr int kExportRowsPerStep = 1000;
    static constexpr int kTextPauseMs = 400; // typing in the text box applies after this pause
    static constexpr int kChainRowsPerStep = 5000; // hash chain rows checked a turn

    JournalForm(EventJournal& journal, std::function<void()> back, QWidget* parent = nullptr);
    ~JournalForm() override;

    // The close guard and the first page.
    void Form_Load() override;
    void applyFilter(); // the filter as typed; a refused one changes nothing
    void exportClick(); // "导出"
    void exportStep();  // one chunk of the export (driven by its step timer)
    void chainStep();   // one chunk of the chain check (driven by its step timer)
    const ChainCheck* chainCheck() const { return chain.get(); }
    bool exporting() const { return job != nullptr; }
    JournalModel& model() { return rows; }

protected:
    bool beforeReturn() override; // gives up an export under way

private:
    void restoreFilters();    // as the operator last applied them
    void saveFilters() const; // remembered once applied
    void buildControls();
    void buildLayout();
    void allClicked(bool checked);
    void categoryClicked();
    void clearFilters();
    void liveEvent(const JournalEntry& entry);
    void nearTheEnd(int value);
    void showCount();
    void refuse(const QList<QLineEdit*>& boxes, const QString& why);
    void browse();
    void exportDone(bool ok);

    JournalStore reader;
    JournalModel rows;
    QLineEdit* from = nullptr;
    QLineEdit* to = nullptr;
    QLineEdit* text = nullptr;
    QCheckBox* all = nullptr;
    std::array<QCheckBox*, std::size(kEventCategories)> categories{};
    QPushButton* clearButton = nullptr;
    QTableView* table = nullptr;
    QLabel* status = nullptr;
    QLabel* note = nullptr;
    QLineEdit* exportFile = nullptr;
    QPushButton* browseButton = nullptr;
    QPushButton* exportButton = nullptr;
    QTimer textPause;
    QTimer exportTimer;
    QTimer chainTimer;
    std::unique_ptr<ChainCheck> chain;
    QLabel* chainLine = nullptr;
    std::unique_ptr<EventExport> job;
};
