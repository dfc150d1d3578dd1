// Zoom, paging through older records and back, and the ruler with its slider readouts.

#include "curves/curve_screen.h"

#include "core/conversions.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {

constexpr quint32 kRulerBgr = 0x00FFFF;   // yellow: the ruler line on entry, and the readouts
constexpr quint32 kRestBgr = 0x00FF00;    // green: the ruler line outside ruler mode
constexpr quint32 kReadingBgr = 0xC000C0; // purple: the ruler line while it is moved
constexpr int kSliderMin = -1;
constexpr int kSliderMax = 12001;

} // namespace

void CurveScreen::zoomTo(qint16 mode) {
    chartView->Cls();
    chartView->DrawGrid();
    chart().setZoomMode(mode);
    if (chart().ZoomMode() <= 1)
        Command3->setEnabled(false);
    if (chart().ZoomMode() > 1)
        Command3->setEnabled(true);
    if (chart().ZoomMode() < 4)
        Command4->setEnabled(true);
    if (chart().ZoomMode() >= 4)
        Command4->setEnabled(false);
    chartView->ApplyZoom();
    const int step = to_int32(chart().XStep()).value_or(1);
    hc->setPageStep(step);
    hc->setSingleStep(step);
    chartView->DrawCurves();
}

void CurveScreen::Command3_Click() {
    zoomTo(static_cast<qint16>(chart().ZoomMode() - 1));
}

void CurveScreen::Command4_Click() {
    zoomTo(static_cast<qint16>(chart().ZoomMode() + 1));
}

// A window of 321 records ending at windowEnd, loaded and drawn.
void CurveScreen::pageTo(qint32 windowEnd) {
    chart().setWindowEnd(windowEnd);
    chart().setLastIndex(chart::kPagedLen);
    chartView->reload(*source);
}

// Once the ring has wrapped, the record after the write position is the oldest one and exists.
bool CurveScreen::ringWrapped() {
    const qint32 cur = chart().CurPos();
    if (cur >= kRingSize)
        return true;
    return !source->window(cur, cur + 1).empty();
}

void CurveScreen::Command8_Click() {
    if (!source)
        return;
    pageBack = static_cast<qint16>(pageBack + 1);
    chart().setWindowLen(chart::kPagedLen);
    if (pageBack > 0) {
        setTimer1(false); // the chart stops following
        Command7->setEnabled(true);
    }
    const auto end = curves::older_window_end(chart().CurPos(), pageBack, ringWrapped());
    if (!end) {
        Command8->setEnabled(false);
        atOldest = true;
        return;
    }
    pageTo(*end);
}

void CurveScreen::Command7_Click() {
    if (!source)
        return;
    chartView->Cls();
    pageBack = static_cast<qint16>(pageBack - 1);
    chart().setWindowLen(chart::kPagedLen);
    if (pageBack != 0) {
        pageTo(curves::paged_window_end(chart().CurPos(), pageBack));
        if (!Command8->isEnabled()) {
            Command8->setEnabled(true);
            atOldest = false;
        }
        return;
    }
    // Back to the newest records, from a fresh write position.
    Command7->setEnabled(false);
    chartView->followNewest(*source);
    setTimer1(true);
}

void CurveScreen::Command5_Click() {
    if (!source)
        return;
    if (!rulerMode) {
        hc->setValue(0);
        chartView->setRulerLine(QLineF(1, 0, 1, 330), kRulerBgr, 2);
        hc->setEnabled(true);
        rulerMode = true;
        hc->setFocus();
        setTimer1(false);
        Command5->setText(QStringLiteral("F4 复原"));
        return;
    }
    hc->setValue(0);
    hc->setFocusPolicy(Qt::ClickFocus);
    chartView->setRulerLine(QLineF(0, 0, 0, 330), kRestBgr, 2);
    rulerMode = false;
    hc->setEnabled(false);
    Command5->setFocus();
    Command5->setText(QStringLiteral("F4 标尺"));
    setTimer1(true);
    // Always back to the newest records; PageBack and AtOldest stay as they are.
    chartView->followNewest(*source);
}

void CurveScreen::hc_Change(int v) {
    if (!source)
        return;
    if (v == kSliderMin && !atOldest)
        Command8_Click();
    if (v == kSliderMax && pageBack > 0)
        Command7_Click();
    chartView->setRulerLine(QLineF(v, 0, v, 7500), kReadingBgr, 2);
    const auto readout = chart().rulerReadout(v);
    if (!readout)
        return;
    Label2[0]->setText(readout->stamp.date);
    Label2[1]->setText(readout->stamp.time);
    for (QLabel* l : Label2)
        set_label_background(l, kRulerBgr);
    for (std::size_t j = 0; j < D_3W.size(); ++j) {
        if (!D_3W[j])
            continue;
        D_3W[j]->setText(readout->values[j]);
        set_label_background(D_3W[j], kRulerBgr);
    }
}
