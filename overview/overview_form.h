#pragma once
// The overview ssqx, the console's main screen: the live status panel, the instrument commands,
// the link settings with the link status indicator, and the screen changes. Its Timer1 (200 ms)
// refreshes the panel from the register image from the moment the form is first shown. A close
// guard keeps the window's close box from unloading it; only the exit button ends the program.
// The real-time chart is added later into chartArea() through the chart hooks.

#include "core/ask_operator.h"
#include "navigation.h"
#include "read_freshness.h"
#include "status_panel.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class ElidedLabel;
class Instrument;
class InstrumentLink;
class LinkControls;
class OperatorCommands;
class PollTimerControl;
class PortTable;
class QHBoxLayout;
class QLabel;
class QPushButton;

// What the chart part of the overview plugs in; every member may stay empty.
struct ChartHooks {
    std::function<bool()> rulerMode;    // the live colours are restored only outside ruler mode
    std::function<void()> tick;         // chart work of Timer1, before the panel refresh
    std::function<void()> afterRefresh; // last step of Timer1 (the zoom step label)
    std::function<void()> unload;       // closes the chart's database objects, lowers its flag
    std::function<void()> load;         // takes them up again when the overview comes back
};

class OverviewForm final : public QWidget {
    Q_OBJECT
public:
    // Shows and commands `instrument` over `link`; "打开" sets its target.
    OverviewForm(Instrument& instrument, InstrumentLink& link, PollTimerControl& poll,
                 PortTable ports, QWidget* parent = nullptr);
    ~OverviewForm() override;

    void Timer1_Timer();    // one tick: live colours, chart work, panel refresh
    void panelTick();       // the status panel while the chart is frozen (Timer1 stopped)
    void Command9_Click();  // "打开"
    void Command10_Click(); // "关闭"
    void Command1_Click();  // "退出" (also Esc): lets go of the guard and ends the program
    void applyLinkOptions(const QString& port, int baudCode, int parityCode, int address);
    void restoreLinkChoice(); // the link settings "打开" was last pressed with
    // Who answers the questions before "退出" with the link open, starting auto-tune and a curve
    // selection under a running program; a modal box by default.
    void setAsking(AskOperator ask);

    void setScreenFactory(Screen target, ScreenFactory factory);
    void setChartHooks(ChartHooks hooks);
    QWidget* chartArea() const { return chartHost; }
    void setRecordIndicator(QWidget* indicator); // placed beside the link status indicator

    bool closeGuard() const { return guard; }
    QTimer& timer1() { return Timer1; }
    QTimer& frozenPanelTimer() { return panelTimer; }
    StatusPanel& statusPanel() { return panel; }
    Navigation& navigation() { return *nav; }

    // A word on the link that the link itself cannot know (the simulated instrument did not start;
    // the instrument's own line settings were written), on the link status indicator until the
    // operator next presses "打开".
    void showLinkNote(const QString& text);

signals:
    void exitRequested(); // the application quits on it

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    QWidget* buildMainValues();
    QWidget* buildProgramCommands();
    QWidget* buildLinkFrames();
    QWidget* buildNavigationColumn();
    void runUnloadHook();
    void leaveForHistory();
    void returnFromHistory();
    void showFreshness(); // grey values and the last read's age while they are stale

    StatusPanel panel;
    const InstrumentLink& linkWire;
    void exitNow(); // "退出" answered, or not asked
    AskOperator asking = ask_in_box;
    OperatorCommands* operatorCommands = nullptr;
    LinkControls* link = nullptr;
    Navigation* nav = nullptr;
    QPushButton* Command1 = nullptr;
    QWidget* chartHost = nullptr;
    QHBoxLayout* statusStrip = nullptr;
    ElidedLabel* messageLine = nullptr;
    QTimer Timer1;
    QTimer panelTimer; // the status panel while Timer1 is stopped by the ruler or paging
    QTimer messageTimer;
    ChartHooks hooks;
    ReadFreshness freshness;
    bool guard = true; // set at load; only the exit and history buttons clear it
    bool everShown = false;
};
