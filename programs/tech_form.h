#pragma once
// The program editor Tech: one stored program of the instrument (the curve selected in holding
// register 7) as header fields, the fields of the current segment, a table of the 24 segments and
// a plotted curve. Every change is written field by field when its editor is left; a segment write
// or a curve selection is followed by three read-backs of the program window, 500 ms apart
// (Timer2). Timer1 refreshes the display from what was read every 600 ms.

#include "core/ask_operator.h"
#include "link/block_reader.h"
#include "params/param_screen.h"
#include "programs/program_plot.h"

#include <array>

class ChartPicture;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QTableWidget;

class Tech final : public ParamScreen {
    Q_OBJECT
public:
    Tech(Instrument& instrument, InstrumentLink& link, std::function<void()> back,
         QWidget* parent = nullptr);

    void Form_Load() override; // and the first read-back
    void Timer1_Timer() override;
    void Timer2_Timer();
    void Command27_Click();
    void HScl1_Change();
    // Who answers the question before a curve selection under a running or held program.
    void setAsking(AskOperator ask) { asking = std::move(ask); }

    QTimer& timer2() { return Timer2; }
    bool readingBack() const { return reader.reading(); } // a read of the window is under way
    int currentSegment() const { return segment; }
    const program::Curve& curve() const { return shown; }
    const program::Scale& scale() const { return plotScale; }
    ChartPicture* picture() const { return pt1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCurveChoice();
    QWidget* buildHeader(const ParamTable& table);
    QWidget* buildSegment(const ParamTable& table);
    QWidget* buildPlot();
    QWidget* buildGrid();
    void startReadBack();
    void markCurveChoice(const QString& why);
    std::optional<int> registerOf(const ParamRow& row, QString& why) const;
    void fillCurve();
    void showLabels();
    void showTimeLabels();  // Label8, from the time step of the last drawing
    void placePlotLabels(); // Label6 and Label8 at their grid lines beside pt1

    std::array<qint32, 501> buffer{}; // the program window: header 0..15, table 16..207
    BlockReader reader;
    QTimer Timer2;
    int ticks = 0;   // Timer2's count of read-backs
    int segment = 1; // the current segment, from HScl1
    program::Curve shown;
    program::Scale plotScale;

    QComboBox* Combo4 = nullptr;
    QPushButton* Command27 = nullptr;
    QLabel* curveNow = nullptr; // D_4W(6)
    void selectCurve(int code); // "曲线选择" answered, or not asked
    AskOperator asking = ask_in_box;
    QScrollBar* HScl1 = nullptr;
    QLabel* Label3A = nullptr;
    QTableWidget* Flxg = nullptr;
    ChartPicture* pt1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    std::array<QLabel*, 10> Label6{};
    std::array<QLabel*, 16> Label8{};
};
