#include "params/grouped_pid_form.h"

#include "core/naming.h"
#include "params/param_layout.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace {
ParamScreen::Look grouped_look() {
    ScreenRules rules;
    rules.integer = IntegerRule::Truncate;
    rules.integerRetry = RetryRule::OnFailureCode;
    rules.tenthsRetry = RetryRule::OnFailureCode;
    rules.tenths = TenthsFormat::Shortest;
    FieldNames names{"D_4WRWC", "Text1C", "Label3", "Label3", true};
    return {
        QStringLiteral("分组PID"), "PID1", "Command2", QStringLiteral("返回"), 800, rules, names};
}
constexpr int kFirst = 5121;
} // namespace

PID1::PID1(Instrument& shown, InstrumentLink& wire, std::function<void()> back, QWidget* parent)
    : ParamScreen(shown, wire, grouped_look(), std::move(back), parent),
      reader(wire, shown.target(), this, image, {{kFirst, 16, 0}, {kFirst + 16, 16, 16}},
             [this](int block) {
                 for (const auto& [k, f] : fields().all())
                     if (k / 16 == block)
                         fields().showValue(k, image[std::size_t(k)]);
             }) {
    const ParamTable table = grouped_pid_table();
    auto* layout = new QVBoxLayout(this);
    for (int g = 0; g < int(table.groups.size()); ++g)
        layout->addWidget(
            param_frame(fields(), table, g, array_name(QStringLiteral("Frame4"), g), this, 3));
    layout->addWidget(bottomStrip());
    resize(1200, 720);
}

void PID1::Timer1_Timer() {
    reader.start();
}
