#include "trend_chart_view.h"

#include "chart_legend.h"
#include "chart_picture.h"
#include "core/naming.h"

#include <QEvent>
#include <QHelpEvent>
#include <QResizeEvent>
#include <QTextDocument>
#include <QToolTip>

namespace {

constexpr int kAxisColumn = 48; // width of one value-axis column (Label6, Label5)
constexpr int kTimeLabelWidth = 72;
constexpr int kRightMargin = kTimeLabelWidth / 2;
constexpr int kMarkReachPx = 4; // how near a tick the pointer must come to show its text

} // namespace

TrendChartView::TrendChartView(const ChartScreenParams& params, ValueAxis& axis, QWidget* parent)
    : QWidget(parent), chart_(params, axis), axis_(axis) {
    build();
}

TrendChartView::~TrendChartView() = default;

QWidget* TrendChartView::pictureBox() const {
    return pt_;
}

QLabel* TrendChartView::axisLabel(const QString& name, int index, Qt::Alignment alignment) {
    auto* label = named(new QLabel(this), name, index);
    label->setAlignment(alignment);
    return label;
}

void TrendChartView::build() {
    pt0_ = named(new QFrame(this), QStringLiteral("pt0"));
    pt0_->setFrameShape(QFrame::Box);
    pt0_->setLineWidth(1);
    pt_ = named(new ChartPicture(pt0_), QStringLiteral("pt"));
    pt_->installEventFilter(this);
    for (int k = 0; k < 9; ++k) {
        label4_[k] = axisLabel(QStringLiteral("Label4"), k, Qt::AlignHCenter | Qt::AlignTop);
        label7_[k] = axisLabel(QStringLiteral("Label7"), k, Qt::AlignHCenter | Qt::AlignTop);
    }
    for (int i = 0; i < 7; ++i) {
        label5_[i] = axisLabel(QStringLiteral("Label5"), i, Qt::AlignRight | Qt::AlignVCenter);
        label5_[i]->installEventFilter(this);
        label6_[i] = axisLabel(QStringLiteral("Label6"), i, Qt::AlignRight | Qt::AlignVCenter);
    }
    label8_ = named(new QLabel(this), QStringLiteral("Label8"));
    label8_->setTextFormat(Qt::RichText);
    label8_->setText(chart::legend_html());
    label8_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The fixed scale is the output curve's, in percent: said above it, in the output's colour.
    outputCaption_ =
        named(new QLabel(chart::output_axis_caption(), this), QStringLiteral("OutputAxisCaption"));
    outputCaption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette olive = outputCaption_->palette();
    for (const chart::LegendEntry& e : chart::legend_entries())
        if (e.column == 1)
            olive.setColor(QPalette::WindowText, QColor(e.colour));
    outputCaption_->setPalette(olive);
    setMinimumSize(320, 200);
    showOutputAxis();
    placeLabels();
}

void TrendChartView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeLabels();
}

void TrendChartView::placeLabels() {
    const int rowHeight = fontMetrics().height() + 2;
    const int left = 2 * kAxisColumn + 4;
    // Room above the chart for the legend and the scale captions, clear of the top axis labels.
    const int top = rowHeight + rowHeight / 2 + 4;
    const QSize frame(std::max(8, width() - left - kRightMargin),
                      std::max(8, height() - top - 2 * rowHeight - 4));
    pt0_->setGeometry(left, top, frame.width(), frame.height());
    pt_->setGeometry(1, 1, frame.width() - 2, frame.height() - 2);
    pt_->fit();

    const QPoint origin = pt0_->pos() + pt_->pos();
    for (int i = 0; i < 7; ++i) {
        const int y =
            origin.y() + ImageSurface::pixel_of(pt_->size(), {0, chart::value_axis_y(i)}).y();
        label5_[i]->setGeometry(left - kAxisColumn - 2, y - rowHeight / 2, kAxisColumn, rowHeight);
        label6_[i]->setGeometry(left - 2 * kAxisColumn - 2, y - rowHeight / 2, kAxisColumn,
                                rowHeight);
    }
    const int below = pt0_->geometry().bottom() + 2;
    for (int k = 0; k < 9; ++k) {
        const int x = origin.x() + ImageSurface::pixel_of(pt_->size(), {1500.0 * k, 0}).x();
        label4_[k]->setGeometry(x - kTimeLabelWidth / 2, below, kTimeLabelWidth, rowHeight);
        label7_[k]->setGeometry(x - kTimeLabelWidth / 2, below + rowHeight, kTimeLabelWidth,
                                rowHeight);
    }
    label8_->setGeometry(left, 2, frame.width(), rowHeight);
    outputCaption_->setGeometry(label6_[0]->x(), 2, left - label6_[0]->x(), rowHeight);
}

bool TrendChartView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pt_ && event->type() == QEvent::ToolTip)
        return showMarkTip(*static_cast<QHelpEvent*>(event));
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 7; ++i)
            if (watched == label5_[i])
                emit valueAxisDoubleClicked(i);
    }
    return QWidget::eventFilter(watched, event);
}

// The marks under the pointer, newest last; the tip stays while the pointer stays within reach.
bool TrendChartView::showMarkTip(const QHelpEvent& help) {
    const QSizeF perPixel(chart::kWidth / std::max(1.0, pt_->width() - 1.0),
                          chart::kHeight / std::max(1.0, pt_->height() - 1.0));
    const QPointF at(help.pos().x() * perPixel.width(), help.pos().y() * perPixel.height());
    const QStringList texts = chart_.markTextsAt(at, perPixel * kMarkReachPx);
    if (texts.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    const QRect reach(help.pos() - QPoint(kMarkReachPx, kMarkReachPx),
                      QSize(2 * kMarkReachPx + 1, 2 * kMarkReachPx + 1));
    QString tip = texts.join(QLatin1Char('\n'));
    if (Qt::mightBeRichText(tip)) // the journal's words are shown as they are, never as markup
        tip = Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal);
    QToolTip::showText(help.globalPos(), tip, pt_, reach);
    return true;
}

void TrendChartView::Cls() {
    chart_.Cls(pt_->surface());
    pt_->update();
}

void TrendChartView::DrawGrid() {
    chart_.DrawGrid(pt_->surface());
    pt_->update();
}

void TrendChartView::ApplyZoom() {
    chart_.ApplyZoom();
}

void TrendChartView::ClearBuffers() {
    chart_.ClearBuffers();
}

void TrendChartView::LoadWindow(RecordSource& source) {
    chart_.LoadWindow(source);
    emit windowLoaded(chart_.windowCaption().date, chart_.windowCaption().time);
}

void TrendChartView::DrawCurves() {
    chart_.DrawCurves(pt_->surface());
    showTimeLabels();
    pt_->update();
}

void TrendChartView::fullRedraw() {
    Cls();
    DrawGrid();
    ApplyZoom();
    DrawCurves();
}

void TrendChartView::reload(RecordSource& source) {
    LoadWindow(source);
    fullRedraw();
}

void TrendChartView::followNewest(RecordSource& source) {
    chart_.followNewest(source, pt_->surface());
    showTimeLabels();
    pt_->update();
    emit windowLoaded(chart_.windowCaption().date, chart_.windowCaption().time);
}

void TrendChartView::refreshMarks() {
    chart_.refreshMarks();
}

void TrendChartView::showTimeLabels() {
    for (int k = 0; k < 9; ++k) {
        label4_[k]->setText(chart_.timeLabel(k));
        label7_[k]->setText(chart_.dateLabel(k));
    }
}

void TrendChartView::showValueAxis() {
    const auto texts = chart::value_axis_texts(axis_.YMin, axis_.YSpan);
    for (int i = 0; i < 7; ++i)
        label5_[i]->setText(texts[i]);
    showOutputAxis();
}

// The output's scale follows the value axis's span, so it reads what the output curve shows.
void TrendChartView::showOutputAxis() {
    const auto texts = chart::output_axis_texts(axis_.YSpan, chart_.params().outputBaselineOffset);
    for (int i = 0; i < 7; ++i)
        label6_[i]->setText(texts[i]);
}

void TrendChartView::setRulerLine(const QLineF& units, quint32 bgr, int width) {
    pt_->ruler()->place(units, bgr, width);
}

void TrendChartView::setRulerVisible(bool visible) {
    pt_->ruler()->setVisible(visible);
}

ChartPrintout TrendChartView::printout(const QString& title) const {
    ChartPrintout p;
    p.title = title;
    p.picture = &pt_->shown();
    for (int k = 0; k < 9; ++k) {
        p.timeLabels[k] = label4_[k]->text();
        p.dateLabels[k] = label7_[k]->text();
    }
    for (int i = 0; i < 7; ++i) {
        p.valueLabels[i] = label5_[i]->text();
        p.fixedLabels[i] = label6_[i]->text();
    }
    p.dateRange = QStringLiteral("%1 %2 - %3 %4")
                      .arg(p.dateLabels[0], p.timeLabels[0], p.dateLabels[8], p.timeLabels[8]);
    return p;
}

const QImage& TrendChartView::picture() const {
    return pt_->image();
}

const RecordingSurface& TrendChartView::shownLines() const {
    return pt_->shown();
}

ChartSurface& TrendChartView::surface() {
    return pt_->surface();
}
