#pragma once
// The chart controls of a curve screen, shared by the real-time overview and the history screen:
// the chart with its slider `hc` and ruler line, the buttons F1..F7 (`Command4`, `Command3`,
// `Command2`, `Command5`, `Command6`, `Command7`, `Command8`), the value-axis range editor
// (`Label9`, `YKD`, `Label10`, `YKD1`, `Command26`), the clock labels `Label2(9)`, `Label2(10)` and
// `Label19`, `Label20`. The screen keeps its Timer1 (200 ms) and calls Timer1_Timer() from it as
// the chart part of its tick; this controller stops and restarts that timer while the ruler is
// shown or the chart is paged back. Timer2 (full redraw) and Timer3 (clock labels) are its own.

#include "core/register_image.h"
#include "curves/curve_paging.h"
#include "records/logger_state.h"
#include "charts/trend_chart_view.h"

#include "curves/export_dialog.h"
#include <QColor>

#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class Clock;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class PlanControls;

// What differs between the two screens' controls.
struct CurveScreenParams {
    const ChartScreenParams* chart; // table-independent chart parameters
    bool LoggerState::*newRecord;   // the logger flag the screen takes its points from
    const char16_t* yMaxCaption;    // Label9
    const char16_t* yMinCaption;    // Label10
    bool yEditorHiddenAtLoad;       // shown by a double-click on the value axis
};

// The real-time overview's chart controls and the history screen's.
inline constexpr CurveScreenParams kRealTimeCurves{&kRealTimeChart, &LoggerState::NewShortRecord,
                                                   u"Y轴最大值", u"Y轴最小值", false};
inline constexpr CurveScreenParams kHistoryCurves{&kHistoryChart, &LoggerState::NewLongRecord,
                                                  u"Y最大", u"Y最小", true};

// What a curve screen shares with the rest of the console: the register image its live points
// come from, the logger's state (its open flag and the new-record flags) and the value axis of
// both curve screens.
struct CurveShared {
    const RegisterImage& image;
    LoggerState& logger;
    ValueAxis& axis;
};

// Background of a label as a colour number 0xBBGGRR; a missing label is passed over.
void set_label_background(QLabel* label, quint32 bgr);

class CurveScreen final : public QWidget {
    Q_OBJECT
public:
    CurveScreen(const CurveScreenParams& params, const CurveShared& shared, QTimer& timer1,
                QWidget* parent = nullptr);
    ~CurveScreen() override;

    // D_3W(0..5) of the screen: live values, or the ruler point's values in ruler mode.
    void setValueLabels(const std::array<QLabel*, 6>& labels);
    void setClock(Clock* clock); // null: the console clock
    // The window whose key presses F1..F7 (and Esc, when an escape action is set) are taken.
    void setKeyWindow(QWidget* window);
    void setEscapeAction(std::function<void()> action); // Esc
    void setSelectAction(std::function<void()> action); // F5 "选择"
    void setPrintTitle(const QString& title);
    // Where "Export" (F8) reads the records: the record file and which record.
    void setExportSource(const QString& dbPath, bool longRecord);
    // Where the chart's journal marks come from; empty: none. The chart asks it when a window is
    // loaded and, while the screen is loaded, on the full redraw of Timer2 (once a second), not
    // for the live points between.
    void setMarkSource(ChartMarkSource marks);
    void exportClick(); // opens (or raises) the export window for the window shown
    ExportDialog* exportWindow() const { return exporter; } // heading of the printed chart

    // The chart part of the screen's load and unload. The source stays the screen's.
    void Load(RecordSource& source);
    void Unload();

    // Handlers.
    void Timer1_Timer();    // chart part of the screen's 200 ms tick
    void Timer2_Timer();    // full redraw, the journal marks asked afresh
    void Timer3_Timer();    // clock labels
    void showZoomStep();    // Label19 := XStep, the last step of the 200 ms tick
    void Command2_Click();  // F3 print
    void Command3_Click();  // F2 zoom in
    void Command4_Click();  // F1 zoom out
    void Command5_Click();  // F4 ruler on / off
    void Command6_Click();  // F5 select
    void Command7_Click();  // F6 towards newer records
    void Command8_Click();  // F7 towards older records
    void Command26_Click(); // apply the value-axis range
    void hc_Change(int v);
    // Lays hc under pt so that its handle stands where Line1 stands, at every value and size.
    void placeSlider();
    void showRangeEditor();     // a double-click on Label5
    bool Form_KeyDown(int key); // true when the key was taken
    // F9 and the soak tolerance.
    PlanControls& plan() { return *planControls; }

    // Screen state.
    bool RulerMode() const { return rulerMode; }
    qint16 PageBack() const { return pageBack; }
    bool AtOldest() const { return atOldest; }

    TrendChartView& view() { return *chartView; }
    TrendChart& chart() { return chartView->chart(); }
    QPrinter& printer() { return *printerSetup; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildSideColumn();
    void showWindowCaption(const QString& date, const QString& time);
    void setTimer1(bool on);
    void zoomTo(qint16 mode);
    void pageTo(qint32 windowEnd);
    bool ringWrapped();
    void markRange(const QString& why);
    void setRangeEditorVisible(bool visible);
    Clock& clock() const;

    CurveScreenParams params;
    CurveShared shared;
    QTimer& timer1;
    QTimer Timer2;
    QTimer Timer3;
    Clock* fixedClock = nullptr;
    RecordSource* source = nullptr;
    QPointer<QWidget> keyWindow;
    std::function<void()> escapeAction;
    std::function<void()> selectAction;
    QString printTitle;
    std::unique_ptr<QPrinter> printerSetup;

    bool loaded = false; // between Load and Unload
    bool rulerMode = false;
    qint16 pageBack = 0;
    bool atOldest = false;

    TrendChartView* chartView = nullptr;
    QSlider* hc = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command26 = nullptr;
    QPushButton* exportButton = nullptr;
    PlanControls* planControls = nullptr;
    QString exportPath;
    bool exportLong = false;
    QPointer<ExportDialog> exporter;
    QLineEdit* YKD = nullptr;
    QLineEdit* YKD1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    std::array<QLabel*, 2> Label2{}; // Label2(9) date, Label2(10) time
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    std::array<QLabel*, 6> D_3W{};
    std::array<QColor, 6> designBackground{};
};
