// The curve screen's controls, its load and unload, its timers and its function keys.

#include "curves/curve_screen.h"

#include "charts/chart_span.h"
#include "core/clock.h"
#include "core/conversions.h"
#include "core/naming.h"
#include "curves/export_dialog.h"
#include "curves/plan_controls.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kTimer2Ms = 1000;
constexpr int kTimer3Ms = 1000;
constexpr int kSliderMin = -1;
constexpr int kSliderMax = 12001;

constexpr quint32 kClockBgr = 0x80FF80;     // RGB(128, 255, 128), the clock labels
constexpr quint32 kMainValueBgr = 0xFFC0FF; // RGB(255, 192, 255), D_3W(0..2)

struct ButtonDef {
    const char* name;
    QStringView caption;
};
// The chart buttons in the order of their function keys.
constexpr ButtonDef kButtons[] = {
    {"Command4", u"F1 缩小"}, {"Command3", u"F2 放大"}, {"Command2", u"F3 打印"},
    {"Command5", u"F4 标尺"}, {"Command6", u"F5 选择"}, {"Command7", u"F6 左移"},
    {"Command8", u"F7 右移"},
};

QLabel* clock_label(QWidget* owner, int index) {
    auto* l = named(new QLabel(owner), QStringLiteral("Label2"), index);
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}

} // namespace

void set_label_background(QLabel* label, quint32 bgr) {
    if (!label)
        return;
    QPalette p = label->palette();
    p.setColor(QPalette::Window, QColor(rgb_from_bgr(bgr)));
    label->setPalette(p);
}

CurveScreen::CurveScreen(const CurveScreenParams& screenParams, const CurveShared& sharedState,
                         QTimer& screenTimer1, QWidget* parent)
    : QWidget(parent), params(screenParams), shared(sharedState), timer1(screenTimer1),
      printerSetup(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printerSetup->setPageOrientation(QPageLayout::Landscape);
    buildControls();
    Timer2.setInterval(kTimer2Ms);
    Timer3.setInterval(kTimer3Ms);
    connect(&Timer2, &QTimer::timeout, this, &CurveScreen::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &CurveScreen::Timer3_Timer);
}

CurveScreen::~CurveScreen() = default;

// The handle's centre moves linearly with the value; the slider's width and place are chosen so
// that value v puts it over pt's pixel for chart unit v, where Line1 stands, from edge to edge.
void CurveScreen::placeSlider() {
    QWidget* pt = chartView->pictureBox();
    const QRect area(pt->mapTo(this, QPoint(0, 0)), pt->size());
    QStyleOptionSlider opt;
    opt.initFrom(hc);
    opt.orientation = Qt::Horizontal;
    opt.minimum = kSliderMin;
    opt.maximum = kSliderMax;
    opt.sliderPosition = opt.sliderValue = kSliderMin;
    opt.rect = QRect(0, 0, 400, hc->sizeHint().height());
    const QRect atMin =
        hc->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, hc);
    const int margin = atMin.left(); // before the handle at the minimum
    const int handle = atMin.width();
    const double range = kSliderMax - kSliderMin;
    const double perUnit = (area.width() - 1) / double(chart::kWidth); // as pt maps units
    const int span = int(std::lround(perUnit * range));
    const int width = span + handle + 2 * margin;
    const double centreAtZero = margin + handle / 2.0 + (0 - kSliderMin) * span / range;
    const int left = area.left() - int(std::lround(centreAtZero));
    hc->setGeometry(left, chartView->geometry().bottom() + 1, width, hc->sizeHint().height());
}

void CurveScreen::buildControls() {
    chartView = new TrendChartView(*params.chart, shared.axis, this);
    hc = named(new QSlider(Qt::Horizontal, this), QStringLiteral("hc"));
    hc->setRange(kSliderMin, kSliderMax);
    hc->setValue(0);
    hc->setEnabled(false);
    hc->setFocusPolicy(Qt::ClickFocus); // no tab stop
    connect(hc, &QSlider::valueChanged, this, &CurveScreen::hc_Change);
    connect(chartView, &TrendChartView::windowLoaded, this, &CurveScreen::showWindowCaption);
    connect(chartView, &TrendChartView::valueAxisDoubleClicked, this,
            &CurveScreen::showRangeEditor);

    auto* chartColumn = new QVBoxLayout;
    chartColumn->setContentsMargins(0, 0, 0, 0);
    chartColumn->setSpacing(0);
    chartColumn->addWidget(chartView, 1);
    chartColumn->addSpacing(hc->sizeHint().height()); // hc stands here, placed by placeSlider()
    chartView->installEventFilter(this);
    chartView->pictureBox()->installEventFilter(this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(chartColumn, 1);
    row->addWidget(buildSideColumn(), 0);
}

QWidget* CurveScreen::buildSideColumn() {
    auto* side = new QWidget(this);
    auto* col = new QVBoxLayout(side);
    col->setContentsMargins(2, 0, 0, 0);
    col->setSpacing(2);
    Label2[0] = clock_label(side, 9);
    Label2[1] = clock_label(side, 10);
    col->addWidget(Label2[0]);
    col->addWidget(Label2[1]);

    QPushButton** targets[] = {&Command4, &Command3, &Command2, &Command5,
                               &Command6, &Command7, &Command8};
    using Handler = void (CurveScreen::*)();
    constexpr Handler handlers[] = {&CurveScreen::Command4_Click, &CurveScreen::Command3_Click,
                                    &CurveScreen::Command2_Click, &CurveScreen::Command5_Click,
                                    &CurveScreen::Command6_Click, &CurveScreen::Command7_Click,
                                    &CurveScreen::Command8_Click};
    for (std::size_t k = 0; k < std::size(kButtons); ++k) {
        auto* b = named(new QPushButton(kButtons[k].caption.toString(), side),
                        QString::fromLatin1(kButtons[k].name));
        connect(b, &QPushButton::clicked, this, handlers[k]);
        *targets[k] = b;
        col->addWidget(b);
    }
    exportButton = named(new QPushButton(tr("F8 Export"), side), QStringLiteral("Export"));
    exportButton->setToolTip(tr("Records of the window shown, or of a period, to a CSV file"));
    exportButton->setEnabled(false); // until the screen says where its records are
    connect(exportButton, &QPushButton::clicked, this, &CurveScreen::exportClick);
    col->addWidget(exportButton);
    planControls = new PlanControls(*chartView, side);
    col->addWidget(planControls);

    auto* range = new QGridLayout;
    Label9 =
        named(new QLabel(QString::fromUtf16(params.yMaxCaption), side), QStringLiteral("Label9"));
    Label10 =
        named(new QLabel(QString::fromUtf16(params.yMinCaption), side), QStringLiteral("Label10"));
    YKD = named(new QLineEdit(side), QStringLiteral("YKD"));
    YKD1 = named(new QLineEdit(side), QStringLiteral("YKD1"));
    Command26 = named(new QPushButton(QStringLiteral("修改Y"), side), QStringLiteral("Command26"));
    for (QLineEdit* box : {YKD, YKD1}) {
        box->setMaximumWidth(72);
        connect(box, &QLineEdit::textEdited, this, [this] { markRange(QString()); });
    }
    connect(Command26, &QPushButton::clicked, this, &CurveScreen::Command26_Click);
    range->addWidget(Label9, 0, 0);
    range->addWidget(YKD, 0, 1);
    range->addWidget(Label10, 1, 0);
    range->addWidget(YKD1, 1, 1);
    range->addWidget(Command26, 2, 0, 1, 2);
    col->addLayout(range);

    Label19 = named(new QLabel(side), QStringLiteral("Label19"));
    Label20 = named(new QLabel(side), QStringLiteral("Label20"));
    auto* sizes = new QHBoxLayout;
    sizes->addWidget(Label19);
    sizes->addWidget(Label20);
    col->addLayout(sizes);
    col->addStretch(1);
    return side;
}

void CurveScreen::setValueLabels(const std::array<QLabel*, 6>& labels) {
    D_3W = labels;
    for (std::size_t i = 0; i < labels.size(); ++i) // as designed, for every fresh load
        designBackground[i] = labels[i] ? labels[i]->palette().color(QPalette::Window) : QColor();
}

void CurveScreen::setClock(Clock* c) {
    fixedClock = c;
}

Clock& CurveScreen::clock() const {
    return fixedClock ? *fixedClock : console_clock();
}

// The keys are caught for the whole window before any of its controls sees them: a focused
// combo box would otherwise take F4 for its list.
void CurveScreen::setKeyWindow(QWidget* window) {
    keyWindow = window;
    if (keyWindow)
        qApp->installEventFilter(this); // once: installing again only moves it to the front
}

void CurveScreen::setEscapeAction(std::function<void()> action) {
    escapeAction = std::move(action);
}

void CurveScreen::setSelectAction(std::function<void()> action) {
    selectAction = std::move(action);
}

void CurveScreen::setPrintTitle(const QString& title) {
    printTitle = title;
}

void CurveScreen::setExportSource(const QString& dbPath, bool longRecord) {
    exportPath = dbPath;
    exportLong = longRecord;
    exportButton->setEnabled(!dbPath.isEmpty());
}

void CurveScreen::setMarkSource(ChartMarkSource marks) {
    chart().setMarkSource(std::move(marks));
    if (source) // loaded: show the marks (or their absence) now
        chartView->fullRedraw();
}

void CurveScreen::exportClick() {
    if (exportPath.isEmpty())
        return;
    if (!exporter) {
        exporter = new ExportDialog(exportPath, exportLong, window());
        exporter->setAttribute(Qt::WA_DeleteOnClose);
    }
    // The window shown: exactly the span of points the chart shows.
    QDateTime first, last;
    if (const auto span = chart::shown_span(chart())) {
        first = span->first;
        last = span->last;
    }
    if (!exporter->exporting())
        exporter->setWindow(first, last);
    exporter->show();
    exporter->raise();
    exporter->activateWindow();
}

void CurveScreen::Load(RecordSource& records) {
    source = &records;
    loaded = true;
    atOldest = false;
    shared.logger.CurveScreenOpen = true;
    pageBack = 0;
    hc->setEnabled(false);
    Command3->setEnabled(false);
    Command7->setEnabled(false);
    // A fresh load starts from the design state of the buttons and the ruler.
    Command4->setEnabled(true);
    Command8->setEnabled(true);
    Command5->setText(QStringLiteral("F4 标尺"));
    {
        // Back to 0 without reading the ruler there: that would move Line1 from its place.
        const QSignalBlocker quiet(hc);
        hc->setValue(0);
    }
    chartView->setRulerLine(QLineF(0, 0, 0, 330), 0x00FF00, 2);
    // The ruler may have left its colour on the values (Timer1 restores only D_3W(0..2)).
    for (std::size_t i = 0; i < D_3W.size(); ++i) {
        if (!D_3W[i] || !designBackground[i].isValid())
            continue;
        QPalette p = D_3W[i]->palette();
        p.setColor(QPalette::Window, designBackground[i]);
        D_3W[i]->setPalette(p);
    }
    setRangeEditorVisible(!params.yEditorHiddenAtLoad);
    markRange(QString());
    chart().setZoomMode(1);

    chart().setCurPos(records.writePosition().value_or(0));
    chart().setWindowLen(chart::kFollowLen);
    chart().setWindowEnd(chart().CurPos());
    chart().setLastIndex(chart::kFollowLen);

    rulerMode = false;
    hc->setFocusPolicy(Qt::ClickFocus);
    Label19->setText(QString::number(chart::kWidth));
    Label20->setText(QString::number(chart::kHeight));

    chartView->reload(records);
    Timer2.start();
    Timer3.start();
}

// The screen closes its record connection; its timers live as long as the screen does.
void CurveScreen::Unload() {
    shared.logger.CurveScreenOpen = false;
    loaded = false;
}

void CurveScreen::Timer1_Timer() {
    if (!rulerMode) {
        for (QLabel* l : Label2)
            set_label_background(l, kClockBgr);
        for (int i = 0; i <= 2; ++i)
            set_label_background(D_3W[static_cast<std::size_t>(i)], kMainValueBgr);
    }
    chartView->showValueAxis();
    bool& newRecord = shared.logger.*params.newRecord;
    if (!newRecord || !source)
        return;
    chart().setLastIndex(static_cast<qint16>(chart().LastIndex() + 1));
    if (chart().reloadDue())
        chartView->followNewest(*source); // the window now ends with the record that raised it
    const QDateTime now = clock().now();
    std::array<float, 6> values{};
    std::copy_n(shared.image.Val3X.begin(), values.size(), values.begin());
    chart().appendLivePoint(values, ole_date(now.date()), ole_time(now.time()));
    newRecord = false;
    chartView->fullRedraw();
}

void CurveScreen::Timer2_Timer() {
    if (loaded) // an unloaded screen's window stays as it was: nothing new to ask about
        chartView->refreshMarks();
    chartView->fullRedraw();
}

void CurveScreen::Timer3_Timer() {
    if (rulerMode)
        return;
    const QDateTime now = clock().now();
    // ISO, as the chart's date labels and the ruler's readout in this same label write it.
    Label2[0]->setText(now.date().toString(Qt::ISODate));
    Label2[1]->setText(now.toString(QStringLiteral("HH:mm:ss")));
}

void CurveScreen::showZoomStep() {
    Label19->setText(number_text(chart().XStep()));
}

void CurveScreen::showWindowCaption(const QString& date, const QString& time) {
    Label2[0]->setText(date);
    Label2[1]->setText(time);
}

void CurveScreen::setTimer1(bool on) {
    if (on)
        timer1.start();
    else
        timer1.stop();
}

void CurveScreen::Command6_Click() {
    if (selectAction)
        selectAction();
}

bool CurveScreen::Form_KeyDown(int key) {
    switch (key) {
    case Qt::Key_F1:
        if (chart().ZoomMode() < 4)
            Command4_Click();
        return true;
    case Qt::Key_F2:
        if (chart().ZoomMode() > 1)
            Command3_Click();
        return true;
    case Qt::Key_F3:
        Command2_Click();
        return true;
    case Qt::Key_F4:
        Command5_Click();
        return true;
    case Qt::Key_F5:
        Command6_Click();
        return true;
    case Qt::Key_F6:
        if (pageBack > 0)
            Command7_Click();
        return true;
    case Qt::Key_F7:
        if (!atOldest)
            Command8_Click();
        return true;
    case Qt::Key_F8:
        exportClick();
        return true;
    case Qt::Key_F9:
        planControls->toggle();
        return true;
    case Qt::Key_Escape:
        if (!escapeAction)
            return false;
        escapeAction();
        return true;
    default:
        return false;
    }
}

bool CurveScreen::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == chartView || watched == chartView->pictureBox()) &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeSlider();
    if (event->type() != QEvent::KeyPress || !source || !keyWindow || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    if (static_cast<QWidget*>(watched)->window() != keyWindow)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier && Form_KeyDown(key->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}
