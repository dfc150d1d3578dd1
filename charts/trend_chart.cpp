#include "trend_chart.h"

#include "core/conversions.h"
#include "plan_layer.h"

#include <algorithm>
#include <cmath>

using namespace chart;

namespace {

const ChartPen kGridPen{rgb_from_bgr(kGridBgr), 1, LineStyle::Dotted};
const ChartPen kGapPen{rgb_from_bgr(kGapBgr), 1, LineStyle::Dashed};

// Points and labels the chart does not hold read as nothing rather than failing.
const QString kNoText;

} // namespace

TrendChart::TrendChart(const ChartScreenParams& params, ValueAxis& axis)
    : params_(params), axis_(axis) {}

void TrendChart::Cls(ChartSurface& surface) const {
    surface.clear(rgb_from_bgr(kBackgroundBgr));
}

void TrendChart::DrawGrid(ChartSurface& surface) const {
    surface.clear(rgb_from_bgr(kBackgroundBgr));
    surface.line(QLineF(0, 0, kWidth, 0), kGridPen);
    surface.line(QLineF(0, 7500, kWidth, 7500), kGridPen);
    for (int i = 0; i < kGridRows; ++i) {
        const int y = grid_row_y(i);
        surface.line(QLineF(0, y, kWidth, y), kGridPen);
    }
    surface.line(QLineF(8, 0, 8, kHeight), kGridPen);
    surface.line(QLineF(9000, 0, 9000, kHeight), kGridPen);
    for (int i = 0; i < kGridColumns; ++i) {
        const int x = grid_column_x(i);
        surface.line(QLineF(x, 0, x, kHeight), kGridPen);
    }
}

void TrendChart::ApplyZoom() {
    if (const auto step = zoom_step(zoomMode_)) {
        xStep_ = step->xStep;
        zoomOffset_ = step->zoomOffset;
    }
}

void TrendChart::ClearBuffers() {
    for (int i = 0; i <= 321; ++i) {
        pointDate_[i] = 0;
        pointTime_[i] = 0;
        std::fill_n(pointValue_[i].begin(), 9, 0.0f);
    }
    held_.fill(false);
}

void TrendChart::LoadWindow(RecordSource& source) {
    ClearBuffers();
    std::fill_n(gapMark_.begin(), 322, qint16{0});
    windowStart_ = window_start(windowEnd_, windowLen_);
    const std::vector<RecordRow> rows = source.window(windowStart_, windowEnd_);
    // The newest record belongs at the window's last point, wherever the ring has fewer records
    // than the window (a fresh file, the oldest page): the rows fill the window from its end and
    // the points before them stay empty.
    const int last = std::min<int>(windowLen_, kPointCount - 1);
    const int first = std::max(1, last - static_cast<int>(rows.size()) + 1);
    for (int i = first; i <= last; ++i) {
        const RecordRow& row = rows[static_cast<size_t>(i - first)];
        pointDate_[i] = row.date;
        pointTime_[i] = row.time;
        std::copy(row.values.begin(), row.values.end(), pointValue_[i].begin());
        held_[i] = true;
        // Only the time of day is compared, so midnight inside the window counts as a gap. A
        // point after an empty one starts no gap: nothing was recorded there to part from.
        if (held_[i - 1] && std::abs(pointTime_[i] - pointTime_[i - 1]) > kGapDays)
            gapMark_[i] = static_cast<qint16>(i);
    }
    windowCaption_ = stampOf(zoomOffset_ + 1);
    refreshMarks();
}

void TrendChart::DrawCurves(ChartSurface& surface) {
    writeTimeLabels();
    if (windowLen_ < 320)
        extrapolateLastLabels();
    drawGapMarks(surface, curvePass());
    if (const auto offset = y_offset_px(value_scale(axis_.YSpan), axis_.YMin))
        axis_.YOffsetPx = *offset; // an offset too large for its integer keeps the previous one
    drawSegments(surface, curvePass());
    drawPlan(surface, curvePass());
    drawMarks(surface, curvePass());
}

void TrendChart::fullRedraw(ChartSurface& surface) {
    Cls(surface);
    DrawGrid(surface);
    ApplyZoom();
    DrawCurves(surface);
}

void TrendChart::reload(RecordSource& source, ChartSurface& surface) {
    LoadWindow(source);
    fullRedraw(surface);
}

void TrendChart::followNewest(RecordSource& source, ChartSurface& surface) {
    ClearBuffers();
    Cls(surface);
    if (const auto pos = source.writePosition())
        curPos_ = *pos;
    windowEnd_ = curPos_;
    windowLen_ = kFollowLen;
    lastIndex_ = kFollowLen;
    reload(source, surface);
}

void TrendChart::appendLivePoint(const std::array<float, 6>& values, double date, double time) {
    if (!inPoints(lastIndex_))
        return;
    std::copy(values.begin(), values.end(), pointValue_[lastIndex_].begin());
    pointDate_[lastIndex_] = date;
    pointTime_[lastIndex_] = time;
    held_[lastIndex_] = true;
}

bool TrendChart::reloadDue() const {
    return lastIndex_ >= kFollowLen + 20 * zoomMode_;
}

void TrendChart::setMarkSource(ChartMarkSource source) {
    markSource_ = std::move(source);
    refreshMarks();
}

void TrendChart::refreshMarks() {
    refreshPlan();
    marks_.clear();
    if (!markSource_)
        return;
    if (const auto span = heldSpan())
        marks_ = markSource_(span->first, span->second);
}

std::optional<std::pair<QDateTime, QDateTime>> TrendChart::heldSpan() const {
    int earliest = -1;
    int latest = -1;
    double from = 0;
    double to = 0;
    for (int i = 0; i < kPointCount; ++i) {
        if (!Held(i))
            continue;
        const double at = moment_of(PointDate(i), PointTime(i));
        if (earliest < 0 || at < from) {
            earliest = i;
            from = at;
        }
        if (latest < 0 || at > to) {
            latest = i;
            to = at;
        }
    }
    if (earliest < 0)
        return std::nullopt; // nothing recorded: no window to mark
    auto stamp = [this](int i) {
        return QDateTime(date_from_ole(PointDate(i)), time_from_ole(PointTime(i)));
    };
    return std::pair(stamp(earliest), stamp(latest));
}

void TrendChart::setPlanSource(PlanSource source) {
    planSource_ = std::move(source);
    refreshPlan();
}

void TrendChart::refreshPlan() {
    plan_.reset();
    if (!planSource_)
        return;
    if (const auto span = heldSpan()) {
        // As far ahead again as the window reaches back, for the plan right of the newest point.
        const qint64 ahead = qint64(kFollowLen) * params_.extrapolationSeconds / 10;
        plan_ = planSource_(span->first, span->second.addSecs(ahead));
    }
}

QStringList TrendChart::markTextsAt(QPointF at, QSizeF reach) const {
    return mark_texts_at(placed_, marks_, at, reach);
}

float TrendChart::PointValue(int i, int j) const {
    if (!inPoints(i) || j < 0 || j >= kColumnCount)
        return 0;
    return pointValue_[i][j];
}

double TrendChart::PointDate(int i) const {
    return inPoints(i) ? pointDate_[i] : 0;
}

double TrendChart::PointTime(int i) const {
    return inPoints(i) ? pointTime_[i] : 0;
}

qint16 TrendChart::GapMark(int i) const {
    return inPoints(i) ? gapMark_[i] : qint16{0};
}

const QString& TrendChart::timeLabel(int k) const {
    return k >= 0 && k < 9 ? timeLabels_[k] : kNoText;
}

const QString& TrendChart::dateLabel(int k) const {
    return k >= 0 && k < 9 ? dateLabels_[k] : kNoText;
}

PointStamp TrendChart::stampOf(int point) const {
    if (!Held(point))
        return {}; // no record, no date: never the zero date
    return {date_text(PointDate(point)), time_text(PointTime(point))};
}

std::optional<RulerReadout> TrendChart::rulerReadout(int v) const {
    if (xStep_ == 0)
        return std::nullopt; // not zoomed yet: nothing to read
    const double steps = static_cast<double>(v) / static_cast<double>(xStep_);
    RulerReadout r;
    r.p = static_cast<int>(round_half_even(steps)) + zoomOffset_;
    r.q = to_int32(steps + zoomOffset_).value_or(0);
    r.stamp = stampOf(r.p);
    for (int j = 0; j < 6; ++j)
        r.values[j] = Held(r.q) ? number_text(PointValue(r.q, j)) : QString();
    return r;
}

CurvePass TrendChart::curvePass() const {
    CurvePass pass;
    pass.xStep = xStep_;
    pass.zoomOffset = zoomOffset_;
    pass.segments = 60 * zoomMode_ + (lastIndex_ - kFollowLen);
    pass.scale = value_scale(axis_.YSpan);
    pass.yOffsetPx = axis_.YOffsetPx;
    pass.outputBaseline = kHeight - params_.outputBaselineOffset;
    return pass;
}

void TrendChart::writeTimeLabels() {
    for (int k = 0; k < 9; ++k) {
        const int p = 10 * zoomMode_ * k + zoomOffset_ + 1;
        if (!inPoints(p))
            continue;
        const PointStamp stamp = stampOf(p);
        timeLabels_[k] = stamp.time;
        dateLabels_[k] = stamp.date;
    }
}

// While following, the last two labels lie beyond the newest point: they are counted on from
// point 241 by one label interval of the screen's record each.
void TrendChart::extrapolateLastLabels() {
    if (!Held(kFollowLen)) {
        timeLabels_[7] = timeLabels_[8] = dateLabels_[7] = dateLabels_[8] = QString();
        return; // nothing recorded to count on from
    }
    float d = static_cast<float>(zoomMode_) * 0.00347222f / 30.0f;
    if (params_.extrapolationSeconds != 10)
        d *= static_cast<float>(params_.extrapolationSeconds) / 10.0f;
    for (int n = 1; n <= 2; ++n) {
        double time = pointTime_[kFollowLen] + static_cast<double>(d * static_cast<float>(n));
        double date = pointDate_[kFollowLen];
        if (time > 1) { // midnight passed
            date += 1;
            time -= 1;
        }
        timeLabels_[6 + n] = time_text(time);
        dateLabels_[6 + n] = date_text(date);
    }
}

void TrendChart::drawGapMarks(ChartSurface& surface, const CurvePass& pass) const {
    const int last = std::min(pass.segments, kPointCount - 1 - pass.zoomOffset);
    for (int i = 1; i <= last; ++i) {
        if (GapMark(i + pass.zoomOffset) <= 0)
            continue;
        const double x = static_cast<double>(pass.xStep * static_cast<float>(i));
        surface.line(QLineF(x, 0, x, 9000), kGapPen);
    }
}

double TrendChart::curveY(const CurvePass& pass, const CurveStyle& curve, int n) const {
    double baseline = kHeight;
    if (curve.usesYOffset)
        baseline += pass.yOffsetPx;
    else if (curve.isOutput)
        baseline = pass.outputBaseline;
    return value_y(baseline, pass.scale, pointValue_[n][curve.column]);
}

std::vector<MarkPoint> TrendChart::drawnPoints(const CurvePass& pass) const {
    std::vector<MarkPoint> points;
    const int last = std::min(pass.segments, kPointCount - 1 - pass.zoomOffset);
    for (int i = 0; i <= last; ++i) {
        const int n = pass.zoomOffset + i;
        if (Held(n))
            points.push_back({segment_x(i, pass.xStep), moment_of(PointDate(n), PointTime(n))});
    }
    return points;
}

// Over the points as drawn, so a mark stands where the curves show its moment.
void TrendChart::drawMarks(ChartSurface& surface, const CurvePass& pass) {
    placed_.clear();
    if (marks_.empty() || pass.xStep == 0)
        return; // nothing to mark, or no point spacing yet
    placed_ = place_marks(drawnPoints(pass), marks_);
    draw_placed_marks(surface, placed_, kHeight);
}

// On the set value's scale and baseline, between the points as drawn like the marks.
void TrendChart::drawPlan(ChartSurface& surface, const CurvePass& pass) const {
    if (!planShown_ || !plan_ || pass.xStep == 0)
        return;
    PlanPass p;
    p.points = drawnPoints(pass);
    // One point is one record: 1 s on the real-time chart, 10 s on the history screen.
    p.unitsPerSecond = double(pass.xStep) * 10.0 / params_.extrapolationSeconds;
    p.scale = pass.scale;
    p.baseline = kHeight + pass.yOffsetPx;
    p.tolerance = planTolerance_;
    p.width = kWidth;
    draw_plan(surface, *plan_, p);
}

// Segment by segment, all six curves each, so later curves of the table lie on top.
void TrendChart::drawSegments(ChartSurface& surface, const CurvePass& pass) const {
    const int last = std::min(pass.segments, kPointCount - 1 - pass.zoomOffset);
    for (int i = 1; i <= last; ++i) {
        const int a = pass.zoomOffset + i - 1;
        const int b = pass.zoomOffset + i;
        if (!Held(a) || !Held(b))
            continue; // a segment to or from an empty point is not drawn
        const double x1 = segment_x(i - 1, pass.xStep);
        const double x2 = segment_x(i, pass.xStep);
        for (const CurveStyle& curve : kCurves) {
            const ChartPen pen{rgb_from_bgr(curve.bgr), curve.width, LineStyle::Solid};
            surface.line(QLineF(x1, curveY(pass, curve, a), x2, curveY(pass, curve, b)), pen);
        }
    }
}
