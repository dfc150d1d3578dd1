// The value-axis range editor and printing of the chart as shown.

#include "curves/curve_screen.h"

#include "core/conversions.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>

namespace {

const QColor kRefusedBase(255, 140, 140); // an entry that was not applied

QString refusal_text(curves::RangeRefusal why) {
    switch (why) {
    case curves::RangeRefusal::MaximumOutside:
        return CurveScreen::tr("Not applied: the maximum must lie between -12000 and 36000");
    case curves::RangeRefusal::MinimumOutside:
        return CurveScreen::tr("Not applied: the minimum must lie between -12000 and 35000");
    case curves::RangeRefusal::MinimumAboveMaximum:
        return CurveScreen::tr("Not applied: the minimum is above the maximum");
    case curves::RangeRefusal::TooWide:
        return CurveScreen::tr(
            "Not applied: maximum, minimum and span must each lie between -32768 and 32767");
    case curves::RangeRefusal::None:
        break;
    }
    return QString();
}

} // namespace

void CurveScreen::Command26_Click() {
    const double maximum = text_to_number(YKD->text());
    const double minimum = text_to_number(YKD1->text());
    const curves::RangeDecision decision = curves::decide_range(maximum, minimum);
    if (!decision.range) {
        markRange(refusal_text(decision.refusal));
        return;
    }
    // Applied all together; the chart shows it at its next redraw, the axis at the next tick.
    shared.axis.YMin = decision.range->yMin;
    shared.axis.YMax = decision.range->yMax;
    shared.axis.YSpan = decision.range->ySpan;
    markRange(QString());
    if (params.yEditorHiddenAtLoad)
        setRangeEditorVisible(false);
}

// An empty reason clears the sign.
void CurveScreen::markRange(const QString& why) {
    for (QLineEdit* box : {YKD, YKD1}) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, why.isEmpty() ? palette().color(QPalette::Base) : kRefusedBase);
        box->setPalette(p);
        box->setToolTip(why);
    }
    Command26->setToolTip(why);
}

void CurveScreen::setRangeEditorVisible(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{Label9, Label10, YKD, YKD1, Command26})
        w->setVisible(visible);
}

void CurveScreen::showRangeEditor() {
    setRangeEditorVisible(true);
}

void CurveScreen::Command2_Click() {
    if (findChild<QPrintDialog*>())
        return; // one print dialog at a time
    auto* dialog = new QPrintDialog(printerSetup.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("F3 打印"));
    const QString title = printTitle.isEmpty() ? window()->windowTitle() : printTitle;
    connect(static_cast<QDialog*>(dialog), &QDialog::accepted, this,
            [this, title] { print_chart(*printerSetup, chartView->printout(title)); });
    dialog->open();
}
