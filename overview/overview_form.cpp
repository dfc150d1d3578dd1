#include "overview_form.h"

#include "core/clock.h"
#include "core/elided_label.h"
#include "core/fonts.h"
#include "core/naming.h"
#include "link/instrument.h"
#include "link/instrument_link.h"
#include "link_controls.h"
#include "link_indicator.h"
#include "operator_commands.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {
constexpr int kTimer1Ms = 200;
constexpr int kMessageMs = 10000; // how long a refused-input note stays on the message line
} // namespace

OverviewForm::OverviewForm(Instrument& instrument, InstrumentLink& wire, PollTimerControl& poll,
                           PortTable ports, QWidget* parent)
    : QWidget(parent), panel(instrument.image(), this), linkWire(wire) {
    name_control(this, QStringLiteral("ssqx"));
    setWindowTitle(QStringLiteral("过程控制仪表 MT3600  OverView"));
    use_cjk_font(*this, 10);

    operatorCommands = new OperatorCommands(instrument, wire, this);
    link = new LinkControls(instrument.target(), wire, poll, std::move(ports), this);
    nav = new Navigation(this);
    Command1 = named(new QPushButton(QStringLiteral("退出"), this), QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &OverviewForm::Command1_Click);
    connect(link, &LinkControls::configButtonsEnabled, nav, &Navigation::setLinkAllowsConfig);
    connect(nav, &Navigation::leavingForHistory, this, &OverviewForm::leaveForHistory);
    connect(nav, &Navigation::backFromHistory, this, &OverviewForm::returnFromHistory);

    buildLayout();
    // The window's first focus goes to "打开", not into an entry box (whose button would appear).
    link->openButton()->setFocus();
    connect(operatorCommands, &OperatorCommands::inputRefused, this, [this](const QString& m) {
        messageLine->setText(m);
        messageTimer.start();
    });
    messageTimer.setSingleShot(true);
    messageTimer.setInterval(kMessageMs);
    connect(&messageTimer, &QTimer::timeout, messageLine, &ElidedLabel::clear);

    Timer1.setInterval(kTimer1Ms);
    connect(&Timer1, &QTimer::timeout, this, &OverviewForm::Timer1_Timer);
    panelTimer.setInterval(kTimer1Ms);
    connect(&panelTimer, &QTimer::timeout, this, &OverviewForm::panelTick);
    resize(1280, 800);
}

OverviewForm::~OverviewForm() = default;

void OverviewForm::Timer1_Timer() {
    if (!hooks.rulerMode || !hooks.rulerMode())
        panel.resetMainBackgrounds();
    if (hooks.tick)
        hooks.tick();
    panel.refresh();
    showFreshness();
    if (hooks.afterRefresh)
        hooks.afterRefresh();
    if (link->indicatorCountingDown())
        link->refreshIndicator(); // the reopening countdown moves without a status change
}

// While the ruler or a page back freezes the chart (and Timer1 with it), the status panel goes on:
// an alarm that comes on meanwhile shows at once. D_3W(0..5) hold the ruler's readouts then.
void OverviewForm::panelTick() {
    if (Timer1.isActive() || !guard)
        return; // Timer1 refreshes the panel itself; at the history screen nothing is shown
    panel.refresh(false);
    showFreshness();
    if (link->indicatorCountingDown())
        link->refreshIndicator();
}

void OverviewForm::showFreshness() {
    const QDateTime now = console_clock().now();
    freshness.observe(linkWire.status(), now);
    panel.setStale(!freshness.fresh(now));
    link->indicator()->setStaleSeconds(freshness.staleSeconds(now));
}

void OverviewForm::Command9_Click() {
    link->Command9_Click();
}

void OverviewForm::Command10_Click() {
    link->Command10_Click();
}

void OverviewForm::applyLinkOptions(const QString& port, int baudCode, int parityCode,
                                    int address) {
    link->applyLinkOptions(port, baudCode, parityCode, address);
}

void OverviewForm::restoreLinkChoice() {
    link->restoreChoice();
}

void OverviewForm::setAsking(AskOperator ask) {
    asking = ask;
    operatorCommands->setAsking(std::move(ask));
}

void OverviewForm::Command1_Click() {
    // With the link open the poll cycle feeds the record file: ending the program ends logging.
    const LinkStatus now = linkWire.status();
    ask_first(asking, this, this, now.open || now.wanted,
              tr("The link is open: ending the program ends logging. Exit?"), [this] { exitNow(); });
}

void OverviewForm::exitNow() {
    runUnloadHook();
    guard = false;
    Timer1.stop();
    panelTimer.stop();
    close();
    // Ends at once: the port is not closed and the poll cycle not stopped first.
    emit exitRequested();
}

void OverviewForm::setScreenFactory(Screen target, ScreenFactory factory) {
    nav->setScreenFactory(target, std::move(factory));
}

void OverviewForm::setChartHooks(ChartHooks h) {
    hooks = std::move(h);
}

void OverviewForm::setRecordIndicator(QWidget* indicator) {
    statusStrip->insertWidget(1, indicator);
}

void OverviewForm::showLinkNote(const QString& text) {
    link->indicator()->setNote(text);
}

void OverviewForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Timer1 runs from the first showing on; later it is stopped and started only by the ruler,
    // paging and the history swap, so coming back to the overview does not undo those.
    if (!everShown && guard) {
        Timer1.start();
        panelTimer.start();
    }
    everShown = true;
}

void OverviewForm::closeEvent(QCloseEvent* event) {
    // A refused close changes nothing: letting go of the chart's database objects first would
    // leave a chart that no longer follows the records.
    if (guard) {
        event->ignore();
        return;
    }
    runUnloadHook();
    event->accept();
}

void OverviewForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command1_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OverviewForm::runUnloadHook() {
    if (hooks.unload)
        hooks.unload();
}

void OverviewForm::leaveForHistory() {
    runUnloadHook();
    guard = false;
    Timer1.stop();
}

void OverviewForm::returnFromHistory() {
    guard = true;
    if (hooks.load)
        hooks.load();
    Timer1.start();
}
