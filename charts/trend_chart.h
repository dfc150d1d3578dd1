#pragma once
// The trend chart of a curve screen without its widgets: the point buffers, the chart state and the
// five routines that work on them (DrawGrid, ApplyZoom, ClearBuffers, LoadWindow, DrawCurves). The
// real-time overview and the history screen each own one, given their screen's parameters; the
// chart draws on whatever surface it is handed and reads windows from a record source. A running
// program's plan, when a plan source is set, is drawn over the curves, and journaled events, when
// a mark source is set, over that.

#include "chart_geometry.h"
#include "chart_mark_layout.h"
#include "chart_plan.h"
#include "chart_surface.h"
#include "records/record_source.h"
#include "value_axis.h"

#include <QString>
#include <array>
#include <optional>
#include <utility>

// What differs between the two curve screens.
struct ChartScreenParams {
    int extrapolationSeconds; // time of one label interval per zoom step: 10 or 100 seconds
    int outputBaselineOffset; // the output curve's baseline lies this far above H: 625 or 0
    std::array<const char*, 7> fixedScale; // Label6(0..6), bottom to top
    int writePositionColumn;               // sl_void column the screen reads CurPos from: 0 or 2
};

// The overview's one-second record and the history screen's ten-second record.
inline constexpr ChartScreenParams kRealTimeChart{
    10, 625, {"-10", "10", "30", "50", "70", "90", "110"}, 0};
inline constexpr ChartScreenParams kHistoryChart{
    100, 0, {"0", "20", "40", "60", "80", "100", "120"}, 2};

// Date and time of one buffer point as the labels show them.
struct PointStamp {
    QString date;
    QString time;
};

// What the ruler reads at slider value v.
struct RulerReadout {
    int p = 0; // point of the date and time readout
    int q = 0; // point of the value readouts
    PointStamp stamp;
    std::array<QString, 6> values; // D_3W(0..5)
};

// The values one pass of curve drawing works from, taken from the chart state.
struct CurvePass {
    float xStep = 0;
    qint16 zoomOffset = 0;
    int segments = 0; // 60 * ZoomMode + (LastIndex - 241)
    float scale = 0;  // units per value
    qint16 yOffsetPx = 0;
    double outputBaseline = chart::kHeight;
};

class TrendChart {
public:
    // Draws on the value axis `axis`, which both curve screens share (and which it keeps the pixel
    // offset of YMin in).
    TrendChart(const ChartScreenParams& params, ValueAxis& axis);

    const ChartScreenParams& params() const { return params_; }

    // The routines of the chart.
    void Cls(ChartSurface& surface) const;
    void DrawGrid(ChartSurface& surface) const;
    void ApplyZoom();
    void ClearBuffers();
    void LoadWindow(RecordSource& source);  // asks the mark source too
    void DrawCurves(ChartSurface& surface); // the plan over the curves, the marks last

    // Cls, DrawGrid, ApplyZoom, DrawCurves.
    void fullRedraw(ChartSurface& surface);
    // LoadWindow and a full redraw.
    void reload(RecordSource& source, ChartSurface& surface);
    // Back to the newest records: CurPos from the write position (kept when it cannot be read),
    // a window of 241 ending there, reloaded and redrawn.
    void followNewest(RecordSource& source, ChartSurface& surface);

    // A new record taken live: values 0..5 and its date and time at LastIndex (no gap mark).
    void appendLivePoint(const std::array<float, 6>& values, double date, double time);
    // The area right of x = 9000 is full: LastIndex reached 241 + 20 * ZoomMode.
    bool reloadDue() const;

    // Where the chart's marks come from; empty: no marks. A chart already holding a window asks
    // the new source at once (the picture changes with the next DrawCurves).
    void setMarkSource(ChartMarkSource source);
    // Asks the mark source for the marks between the earliest and the latest stamp of the points
    // that hold a record; with no source or no such point it keeps no marks. LoadWindow calls it;
    // a screen calls it for a full redraw on its own timer, never for every drawing. The plan is
    // asked afresh with the marks.
    void refreshMarks();

    // Where the plan comes from; empty: no plan. Like the marks, asked when a window is loaded
    // and with every refreshMarks, for the window and as far again ahead of its newest point.
    void setPlanSource(PlanSource source);
    void refreshPlan();
    const std::optional<PlanLayer>& plan() const { return plan_; }
    // The plan shown or hidden (the screen's toggle); shown at first.
    void setPlanShown(bool shown) { planShown_ = shown; }
    bool planShown() const { return planShown_; }
    // ± around a soak whose program sets no tolerance of its own.
    void setPlanTolerance(double tolerance) { planTolerance_ = tolerance; }
    double planTolerance() const { return planTolerance_; }
    const std::vector<ChartMark>& marks() const { return marks_; }
    // Where the last DrawCurves put the marks.
    const std::vector<chart::PlacedMark>& placedMarks() const { return placed_; }
    // The texts of the marks at a point of the chart (chart units), reach the pointer's slack.
    QStringList markTextsAt(QPointF at, QSizeF reach) const;

    // Chart state.
    qint16 ZoomMode() const { return zoomMode_; }
    void setZoomMode(qint16 mode) { zoomMode_ = mode; }
    float XStep() const { return xStep_; }
    qint16 ZoomOffset() const { return zoomOffset_; }
    qint32 CurPos() const { return curPos_; }
    void setCurPos(qint32 pos) { curPos_ = pos; }
    qint32 WindowEnd() const { return windowEnd_; }
    void setWindowEnd(qint32 end) { windowEnd_ = end; }
    qint32 WindowStart() const { return windowStart_; }
    qint16 WindowLen() const { return windowLen_; }
    void setWindowLen(qint16 len) { windowLen_ = len; }
    qint16 LastIndex() const { return lastIndex_; }
    void setLastIndex(qint16 index) { lastIndex_ = index; }

    // Buffers; an index outside them reads 0.
    float PointValue(int i, int j) const;
    double PointDate(int i) const;
    double PointTime(int i) const;
    qint16 GapMark(int i) const;
    // The point holds a record (loaded or appended live); an empty one is neither drawn nor
    // labelled.
    bool Held(int i) const { return inPoints(i) && held_[static_cast<std::size_t>(i)]; }

    // Texts the last DrawCurves gave Label4(k) (time) and Label7(k) (date), k = 0..8.
    const QString& timeLabel(int k) const;
    const QString& dateLabel(int k) const;
    // Date and time of point ZoomOffset + 1 as the last LoadWindow left them for Label2(9)/(10).
    const PointStamp& windowCaption() const { return windowCaption_; }

    PointStamp stampOf(int point) const;
    // Empty before the first ApplyZoom (no point spacing yet).
    std::optional<RulerReadout> rulerReadout(int v) const;
    CurvePass curvePass() const;

private:
    static bool inPoints(int i) { return i >= 0 && i < chart::kPointCount; }
    void writeTimeLabels();
    void extrapolateLastLabels();
    void drawGapMarks(ChartSurface& surface, const CurvePass& pass) const;
    void drawSegments(ChartSurface& surface, const CurvePass& pass) const;
    void drawMarks(ChartSurface& surface, const CurvePass& pass);
    void drawPlan(ChartSurface& surface, const CurvePass& pass) const;
    std::vector<chart::MarkPoint> drawnPoints(const CurvePass& pass) const;
    // The stamps of the earliest and the latest point that hold a record.
    std::optional<std::pair<QDateTime, QDateTime>> heldSpan() const;
    double curveY(const CurvePass& pass, const chart::CurveStyle& curve, int n) const;

    ChartScreenParams params_;
    ValueAxis& axis_;

    std::array<std::array<float, chart::kColumnCount>, chart::kPointCount> pointValue_{};
    std::array<double, chart::kPointCount> pointDate_{};
    std::array<double, chart::kPointCount> pointTime_{};
    std::array<qint16, chart::kPointCount> gapMark_{};
    std::array<bool, chart::kPointCount> held_{};

    qint16 zoomMode_ = 1;
    float xStep_ = 0;
    qint16 zoomOffset_ = 0;
    qint32 curPos_ = 0;
    qint32 windowEnd_ = 0;
    qint32 windowStart_ = 0;
    qint16 windowLen_ = chart::kFollowLen;
    qint16 lastIndex_ = chart::kFollowLen;

    std::array<QString, 9> timeLabels_;
    std::array<QString, 9> dateLabels_;
    PointStamp windowCaption_;

    ChartMarkSource markSource_;
    std::vector<ChartMark> marks_;
    std::vector<chart::PlacedMark> placed_;

    PlanSource planSource_;
    std::optional<PlanLayer> plan_;
    bool planShown_ = true;
    double planTolerance_ = 0;
};
