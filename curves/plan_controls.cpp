#include "curves/plan_controls.h"

#include "charts/trend_chart_view.h"
#include "core/console_settings.h"
#include "core/conversions.h"
#include "core/naming.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {
const QString kShownKey = QStringLiteral("plan/shown");
const QString kToleranceKey = QStringLiteral("plan/tolerance");
constexpr double kDefaultTolerance = 5;
constexpr double kMaxTolerance = 9999; // as a segment's set value is entered
const QColor kRefusedBase(255, 140, 140);
} // namespace

PlanControls::PlanControls(TrendChartView& chartView, QWidget* parent)
    : QWidget(parent), view(chartView) {
    toggleButton = named(new QPushButton(tr("F9 Plan"), this), QStringLiteral("PlanToggle"));
    toggleButton->setCheckable(true);
    toggleButton->setToolTip(tr("Show or hide the running program's plan over the curves"));
    auto* caption = new QLabel(QStringLiteral("±"), this); // the box's tooltip says of what
    tolerance = named(new QLineEdit(this), QStringLiteral("PlanTolerance"));
    tolerance->setMaximumWidth(40);
    // One narrow row, to fit beside the other chart buttons or under a group's fields.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(toggleButton, 1);
    row->addWidget(caption);
    row->addWidget(tolerance);

    const bool shown = console_settings::value(kShownKey, true).toBool();
    const double saved = console_settings::value(kToleranceKey, kDefaultTolerance).toDouble();
    view.chart().setPlanShown(shown);
    view.chart().setPlanTolerance(saved);
    tolerance->setText(number_text(float(saved)));
    showState();
    mark(QString());

    connect(toggleButton, &QPushButton::clicked, this, &PlanControls::toggle);
    connect(tolerance, &QLineEdit::editingFinished, this, &PlanControls::applyTolerance);
    connect(tolerance, &QLineEdit::textEdited, this, [this] { mark(QString()); });
}

void PlanControls::toggle() {
    const bool shown = !view.chart().planShown();
    view.chart().setPlanShown(shown);
    console_settings::set_value(kShownKey, shown);
    showState();
    view.fullRedraw();
}

void PlanControls::applyTolerance() {
    const auto value = text_number(tolerance->text());
    if (!value || !std::isfinite(*value) || *value < 0 || *value > kMaxTolerance) {
        mark(tr("Not applied: the soak tolerance is a number from 0 to %1").arg(kMaxTolerance));
        return;
    }
    mark(QString());
    if (*value == view.chart().planTolerance())
        return;
    view.chart().setPlanTolerance(*value);
    console_settings::set_value(kToleranceKey, *value);
    view.fullRedraw();
}

void PlanControls::showState() {
    toggleButton->setChecked(view.chart().planShown());
}

// An empty reason clears the sign.
void PlanControls::mark(const QString& why) {
    QPalette p = tolerance->palette();
    p.setColor(QPalette::Base, why.isEmpty() ? palette().color(QPalette::Base) : kRefusedBase);
    tolerance->setPalette(p);
    tolerance->setToolTip(why.isEmpty()
                              ? tr("± around soak segments, in the instrument's units, for "
                                   "programs whose wait type is 禁止")
                              : why);
}
