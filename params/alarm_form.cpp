#include "params/alarm_form.h"

#include "core/naming.h"
#include "params/param_layout.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace {
ParamScreen::Look alarm_look() {
    ScreenRules rules;
    rules.integer = IntegerRule::Truncate;
    rules.integerRetry = RetryRule::OnNegative;
    rules.tenthsRetry = RetryRule::OnNegative;
    rules.tenths = TenthsFormat::Shortest;
    rules.focus = QColor(192, 255, 255); // 0xFFFFC0
    return {QStringLiteral("ALARM"), "ALM1", "Command1", QStringLiteral("返回"), 500, rules, {}};
}
constexpr int kFirst = 257;
} // namespace

ALM1::ALM1(Instrument& shown, InstrumentLink& wire, std::function<void()> back, QWidget* parent)
    : ParamScreen(shown, wire, alarm_look(), std::move(back), parent),
      reader(wire, shown.target(), this, image, {{kFirst, 16, 0}}, [this](int) {
          for (const auto& [k, f] : fields().all())
              fields().showValue(k, image[std::size_t(f.row->reg - kFirst)]);
          firstReadDone();
      }) {
    const ParamTable table = alarm_table();
    auto* layout = new QVBoxLayout(this);
    const char* frames[] = {"Frame1", "Frame2", "Frame3"};
    for (int g = 0; g < int(table.groups.size()); ++g)
        layout->addWidget(param_frame(fields(), table, g, QLatin1String(frames[g]), this));
    layout->addStretch(1);
    layout->addWidget(bottomStrip());
    resize(640, 480);
    // A link that never answers still gives the window: after the wait it shows what it holds.
    firstReadWait.setSingleShot(true);
    firstReadWait.setInterval(kFirstReadWaitMs);
    connect(&firstReadWait, &QTimer::timeout, this, &ALM1::firstReadDone);
}

// The load reads before the window is shown, so the value labels are filled when it first
// appears; the read runs without blocking, and the show follows its answer.
void ALM1::Form_Load() {
    ParamScreen::Form_Load();
    firstRead = reader.start();
    if (firstRead)
        firstReadWait.start();
}

void ALM1::setVisible(bool visible) {
    if (firstRead) {
        showAsked = visible; // the last word counts: a hide meanwhile cancels the show
        if (visible)
            return;
    }
    ParamScreen::setVisible(visible);
}

void ALM1::firstReadDone() {
    firstReadWait.stop();
    if (!firstRead)
        return;
    firstRead = false;
    if (showAsked) {
        ParamScreen::setVisible(true);
        activateWindow();
    }
}

void ALM1::Timer1_Timer() {
    reader.start();
}
