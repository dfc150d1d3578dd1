#include "params/pid_form.h"

#include "core/naming.h"
#include "params/param_layout.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
ParamScreen::Look pid_look() {
    ScreenRules rules;
    rules.integer = IntegerRule::Truncate;
    rules.integerRetry = RetryRule::OnFailureCode;
    rules.tenthsRetry = RetryRule::OnNegative;
    rules.tenths = TenthsFormat::Shortest;
    rules.focus = QColor(255, 255, 192); // 0xC0FFFF
    return {
        QStringLiteral("PID参数设置"), "PIDC", "Command1", QStringLiteral("返回"), 800, rules, {}};
}
} // namespace

PIDC::PIDC(Instrument& shown, InstrumentLink& wire, std::function<void()> back, QWidget* parent)
    : ParamScreen(shown, wire, pid_look(), std::move(back), parent) {
    const ParamTable table = pid_table();
    auto* layout = new QVBoxLayout(this);
    auto* outputs = new QHBoxLayout;
    outputs->addWidget(
        param_frame(fields(), table, 0, array_name(QStringLiteral("Frame1"), 0), this));
    outputs->addWidget(
        param_frame(fields(), table, 1, array_name(QStringLiteral("Frame1"), 1), this));
    layout->addLayout(outputs);
    layout->addWidget(param_frame(fields(), table, 2, QStringLiteral("Frame2"), this, 2));
    layout->addStretch(1);
    layout->addWidget(bottomStrip());
    resize(1100, 520);
}

void PIDC::Timer1_Timer() {
    for (const auto& [k, f] : fields().all())
        fields().showScaled(k, instrument.image().Val4X4353[std::size_t(k)]);
}
