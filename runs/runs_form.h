#pragma once
// The screen "程序运行记录": the program runs kept in the record file, newest first (start, end,
// curve, segments, how it ended, the largest deviation on soaks, the alarms during the run), in
// keyset pages of kPageSize fetched as the operator scrolls. Opening a run shows its report: what
// ran and how it went, the segment table and the run's journal events, with "Print", "PDF" and
// "CSV" of it. The largest deviation of each listed run is worked out after the page is shown,
// one run per turn of the event loop, so the first page shows at once. The tolerance for
// programs that do not wait on deviation is set here and remembered; a bad one is marked and
// refused.

#include "core/screen_frame.h"
#include "runs/run_report.h"
#include "runs/run_store.h"

#include <QTimer>
#include <functional>
#include <optional>

class QLabel;
class RunChartView;
class QLineEdit;
class QPushButton;
class QTableWidget;

class RunsForm final : public ScreenFrame {
    Q_OBJECT
public:
    static constexpr int kPageSize = 100;

    RunsForm(const QString& recordFile, std::function<void()> back, QWidget* parent = nullptr);
    ~RunsForm() override;

    void Form_Load() override;  // the close guard and the first page
    void nextPage();            // the page after the last run listed
    void openRun(int row);      // the report of the run listed in `row`
    void deviationStep();       // the largest deviation of the next listed run (its timer's)
    void applyTolerance();      // the tolerance as typed; a refused one changes nothing
    bool writeReport(bool pdf); // "PDF" / "CSV" into the file named in the box
    void printReport();         // "Print"

    QTableWidget* runsTable() const { return runs; }
    QTableWidget* segmentsTable() const { return segments; }
    QTableWidget* eventsTable() const { return events; }
    const std::optional<RunReport>& shownReport() const { return report; }
    void setMeasuredCheck(MeasuredCheck check) { measured = std::move(check); }

private:
    void buildControls();
    void buildLayout();
    void nearTheEnd(int value);
    void loadRun(qint64 number);
    void showReport();
    RunReportRequest requestFor(qint64 run) const;

    QString recordFile;
    RunStore store;
    std::vector<ProgramRun> listed;
    bool lastPage = false;
    std::size_t deviationNext = 0; // the next listed run whose deviation is still to be found
    QTimer deviationTimer;
    double tolerance = 5.0;
    MeasuredCheck measured;
    std::optional<RunReport> report;

    QTableWidget* runs = nullptr;
    QLineEdit* toleranceBox = nullptr;
    QLabel* summary = nullptr;
    RunChartView* chart = nullptr;
    QTableWidget* segments = nullptr;
    QTableWidget* events = nullptr;
    QLineEdit* file = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* pdfButton = nullptr;
    QPushButton* csvButton = nullptr;
    QLabel* status = nullptr;
};
