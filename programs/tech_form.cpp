#include "programs/tech_form.h"

#include "charts/chart_picture.h"
#include "core/conversions.h"
#include "core/naming.h"
#include "core/register_image.h"
#include "link/modbus_request.h"
#include "params/param_layout.h"
#include "programs/program_table.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace program;

namespace {
ParamScreen::Look tech_look() {
    ScreenRules rules;
    rules.integer = IntegerRule::RoundHalfEven;
    rules.integerRetry = RetryRule::OnFailureCode;
    rules.tenthsRetry = RetryRule::OnFailureCode;
    rules.optionRetry = RetryRule::OnFailureCode;
    FieldNames names{"Label3", "TextA", "Label1", "Label2", false};
    return {QStringLiteral("工艺曲线设定"),
            "Tech",
            "Command11",
            QStringLiteral(" Esc 返回"),
            600,
            rules,
            names};
}

constexpr int kReadBackMs = 500;
constexpr int kReads = 13; // the header, then 12 blocks of the segment table
constexpr int kGridRows = 32;
constexpr int kNumberedRows = 26;
// Column widths of the table, in twips as the instrument's screen gives them (15 to a pixel).
constexpr int kGridTwips[] = {550, 1200, 1200, 1000, 800};
constexpr QStringView kGridHeader[] = {u"段号 ", u"温度", u"时间", u"IO状态", u"PID组"};

bool is_segment_field(int k) {
    return k >= kSegmentRow;
}

// The 16-bit arrays take a value only when it fits; otherwise the element keeps what it held.
void keep16(qint16& element, qint32 value) {
    if (value >= -32768 && value <= 32767)
        element = qint16(value);
}
} // namespace

Tech::Tech(Instrument& shown, InstrumentLink& wire, std::function<void()> back, QWidget* parent)
    : ParamScreen(shown, wire, tech_look(), std::move(back), parent),
      reader(
          wire, shown.target(), this, buffer, kReads,
          [this](int index) -> RegisterBlock {
              if (index == 0)
                  return {kHeaderFirst, kHeaderSize, 0};
              const int recipe = buffer[kRecipeIndex]; // as the header read just now left it
              // A recipe value outside 0..8 places no table: nothing is read for it.
              const int count = recipe >= 0 && recipe <= kMaxRecipe ? 16 : 0;
              return {kTableFirst + 16 * (index - 1) + kRecipeStride * recipe, count, 16 * index};
          },
          nullptr) {
    const ParamTable table = program_table();
    fields().setRegisterOf(
        [this](const ParamRow& row, QString& why) { return registerOf(row, why); });
    connect(&fields(), &ParamFields::writeFinished, this, [this](int k, bool) {
        if (is_segment_field(k))
            startReadBack();
    });
    Timer2.setInterval(kReadBackMs);
    connect(&Timer2, &QTimer::timeout, this, &Tech::Timer2_Timer);

    auto* left = new QVBoxLayout;
    left->addWidget(buildCurveChoice());
    left->addWidget(buildHeader(table));
    left->addWidget(buildSegment(table));
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildPlot(), 3);
    right->addWidget(buildGrid(), 2);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(bottomStrip());
    resize(1260, 760);
}

QWidget* Tech::buildCurveChoice() {
    auto* frame = new QGroupBox(QStringLiteral("当前曲线"), this);
    auto* row = new QHBoxLayout(frame);
    Combo4 = named(new QComboBox(frame), QStringLiteral("Combo4"));
    Combo4->setEditable(true);
    Combo4->setInsertPolicy(QComboBox::NoInsert);
    for (QStringView e : curve_entries())
        Combo4->addItem(e.toString());
    Command27 =
        named(new QPushButton(QStringLiteral("曲线选择"), frame), QStringLiteral("Command27"));
    connect(Command27, &QPushButton::clicked, this, &Tech::Command27_Click);
    curveNow = named(new QLabel(frame), array_name(QStringLiteral("D_4W"), 6));
    curveNow->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    curveNow->setMinimumWidth(50);
    row->addWidget(Combo4);
    row->addWidget(Command27);
    row->addWidget(curveNow);
    row->addStretch(1);
    return frame;
}

QWidget* Tech::buildHeader(const ParamTable& table) {
    auto* frame = new QGroupBox(table.groups[0].caption.toString(), this);
    auto* grid = new QGridLayout(frame);
    int line = 0;
    for (const ParamRow& row : table.rows)
        if (row.group == 0)
            place_row(*grid, fields().build(row, frame), line++);
    return frame;
}

QWidget* Tech::buildSegment(const ParamTable& table) {
    auto* frame = new QGroupBox(table.groups[1].caption.toString(), this);
    auto* grid = new QGridLayout(frame);
    HScl1 = named(new QScrollBar(Qt::Horizontal, frame), QStringLiteral("HScl1"));
    HScl1->setRange(1, kSegments);
    HScl1->setValue(1);
    // Clicked or turned, it takes the focus: an edit of the segment shown is committed to that
    // segment before another one is chosen.
    HScl1->setFocusPolicy(Qt::WheelFocus);
    connect(HScl1, &QScrollBar::valueChanged, this, &Tech::HScl1_Change);
    Label3A = named(new QLabel(QStringLiteral("1"), frame), QStringLiteral("Label3A"));
    Label3A->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    grid->addWidget(HScl1, 0, 0, 1, 3);
    grid->addWidget(Label3A, 0, 3);
    int line = 1;
    for (const ParamRow& row : table.rows) {
        if (row.group != 1)
            continue;
        const Field& f = fields().build(row, frame);
        place_row(*grid, f, line++);
        if (f.box) {
            f.box->setInputMask(QStringLiteral("0000;_")); // four digits, "_" where none is typed
            f.box->installEventFilter(this);
        }
    }
    return frame;
}

QWidget* Tech::buildPlot() {
    auto* area = new QWidget(this);
    auto* layout = new QGridLayout(area);
    layout->setSpacing(2);
    auto* figures = new QHBoxLayout;
    Label5 = named(new QLabel(area), QStringLiteral("Label5"));
    Label10 = named(new QLabel(area), QStringLiteral("Label10"));
    Label11 = named(new QLabel(area), QStringLiteral("Label11"));
    const QString captions[] = {tr("highest"), tr("lowest"), tr("step")};
    int n = 0;
    for (QLabel* l : {Label5, Label10, Label11}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setMinimumWidth(70);
        figures->addWidget(new QLabel(captions[n++], area));
        figures->addWidget(l);
    }
    figures->addStretch(1);
    layout->addLayout(figures, 0, 1);

    // The axis labels stand at their grid lines (placePlotLabels); the layout keeps room for them
    // left of and under the picture, and half a label right of it for the last time label.
    const QFontMetrics fm(area->font());
    const int axisWidth = fm.horizontalAdvance(QStringLiteral("-00000")) + 8;
    for (int i = 0; i < 10; ++i) {
        Label6[std::size_t(i)] = named(new QLabel(area), QStringLiteral("Label6"), i);
        Label6[std::size_t(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int i = 0; i < 16; ++i) {
        Label8[std::size_t(i)] = named(new QLabel(area), QStringLiteral("Label8"), i);
        Label8[std::size_t(i)]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    pt1 = named(new ChartPicture(area, kPlotUnits), QStringLiteral("pt1"));
    pt1->ruler()->hide();
    pt1->setMinimumSize(560, 300);
    pt1->installEventFilter(this); // its moves and resizes carry the labels along
    layout->addWidget(pt1, 1, 1);
    layout->setColumnMinimumWidth(0, axisWidth);
    layout->setColumnMinimumWidth(2, fm.horizontalAdvance(QStringLiteral("00000")) / 2 + 2);
    layout->setRowMinimumHeight(2, fm.height() + 2);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(1, 1);
    return area;
}

QWidget* Tech::buildGrid() {
    Flxg = named(new QTableWidget(kGridRows - 1, 5, this), QStringLiteral("Flxg"));
    QStringList header;
    for (QStringView h : kGridHeader)
        header << h.toString();
    Flxg->setHorizontalHeaderLabels(header);
    Flxg->verticalHeader()->hide();
    Flxg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int c = 0; c < 5; ++c)
        Flxg->setColumnWidth(c, kGridTwips[c] / 15);
    for (int r = 1; r <= kNumberedRows; ++r)
        Flxg->setItem(r - 1, 0, new QTableWidgetItem(QString::number(r)));
    return Flxg;
}

void Tech::Form_Load() {
    ParamScreen::Form_Load();
    startReadBack();
    pt1->fit();
    draw_program(pt1->surface(), shown, plotScale);
    showTimeLabels(); // the time axis the drawing found, from the start
}

// Label6(i) at the height of lowest + i x step, i.e. the horizontal grid line 1000 x i units up
// from the bottom; Label8(i) under the vertical grid line at x = 1000 x i.
void Tech::placePlotLabels() {
    const QRect plot = pt1->geometry();
    auto at = [&plot](double x, double y) {
        return plot.topLeft() + ImageSurface::pixel_of(plot.size(), {x, y}, kPlotUnits);
    };
    const int row = Label6[0]->fontMetrics().height() + 2;
    const int column = at(1000, 0).x() - at(0, 0).x();
    for (int i = 0; i < 10; ++i) {
        const int y = at(0, 9000.0 - 1000.0 * i).y();
        Label6[std::size_t(i)]->setGeometry(0, y - row / 2, plot.left() - 4, row);
    }
    for (int i = 0; i < 16; ++i) {
        const int x = at(1000.0 * i, 0).x();
        Label8[std::size_t(i)]->setGeometry(x - column / 2, plot.bottom() + 2, column, row);
    }
}

bool Tech::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pt1 && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placePlotLabels();
    // The segment's value and time boxes select their four characters when they get the focus.
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, [box] { box->setSelection(0, 4); });
    return ParamScreen::eventFilter(watched, event);
}

std::optional<int> Tech::registerOf(const ParamRow& row, QString& why) const {
    if (!is_segment_field(row.k))
        return row.reg;
    // The table that was read: the recipe's, not recipe 0's. A recipe value outside 0..8 would
    // place the fields anywhere, down to the manual output and the set values.
    const int recipe = buffer[kRecipeIndex];
    if (recipe < 0 || recipe > kMaxRecipe) {
        why = tr("the recipe value %1 places no segment table (0 to 8)").arg(recipe);
        return std::nullopt;
    }
    return segment_register(recipe, segment, row.k - kSegmentRow);
}

void Tech::startReadBack() {
    if (!Timer2.isActive()) // enabling it while it runs does not prolong it
        Timer2.start();
}

// A tick whose read cannot start (the one before is still reading, as on a slow, busy line) is
// not counted: the burst still reads the window three times.
void Tech::Timer2_Timer() {
    if (!reader.start())
        return;
    if (++ticks > 2) {
        ticks = 0;
        Timer2.stop();
    }
}

void Tech::HScl1_Change() {
    if (HScl1->value() != segment) // by the keyboard, say: what was typed belongs to the old one
        for (int offset = 0; offset < 4; ++offset)
            fields().commit(kSegmentRow + offset);
    segment = HScl1->value();
    Label3A->setText(QString::number(segment));
}

void Tech::Command27_Click() {
    QStringList entries;
    for (QStringView e : curve_entries())
        entries << e.toString();
    const auto code = list_code(entries, Combo4->currentText());
    if (!code) {
        markCurveChoice(
            tr("\"%1\" is no curve (0 to 8) — nothing written").arg(Combo4->currentText()));
        return;
    }
    ask_first(asking, this, this, program_running_or_held(instrument.image()),
              tr("A program is running or held. Select another curve under it?"),
              [this, code = *code] { selectCurve(code); });
}

void Tech::selectCurve(int code) {
    // On the link's own account, as the fields' writes: the repeat goes out whatever happens to
    // the screen meanwhile.
    const int port = instrument.target().port;
    const int slave = instrument.target().address;
    InstrumentLink* instrument = &link;
    const QPointer<Tech> self(this);
    auto finished = [self, instrument](int result) {
        if (!self)
            return;
        if (result < 0)
            self->markCurveChoice(
                tr("Curve selection was not taken: %1").arg(failure_words(instrument->status())));
        else
            self->markCurveChoice(QString());
        self->startReadBack();
    };
    const QString source = QStringLiteral("Tech Command27");
    link.Set_4X_D1(
        port, slave, kCurveRegister, code, instrument,
        [instrument, port, slave, code, finished, source](int result) {
            if (result != kLinkFailure) {
                finished(result);
                return;
            }
            instrument->Set_4X_D1(port, slave, kCurveRegister, code, instrument, finished, source);
        },
        source);
}

// A refused or failed curve selection marks Combo4 light red with the reason; a good one clears
// the mark.
void Tech::markCurveChoice(const QString& why) {
    QPalette p = Combo4->lineEdit()->palette();
    p.setColor(QPalette::Base, why.isEmpty() ? QColor(255, 255, 255) : QColor(255, 200, 200));
    Combo4->lineEdit()->setPalette(p);
    Combo4->setToolTip(why);
    if (!why.isEmpty())
        messageLine()->setText(why);
}

void Tech::fillCurve() {
    for (std::size_t s = 1; s <= kSegments; ++s) {
        const std::size_t at = 16 + 8 * (s - 1);
        keep16(shown.temperature[s], buffer[at]);
        shown.time[s] = buffer[at + 1];
        keep16(shown.relay[s], buffer[at + 2]);
        keep16(shown.pidGroup[s], buffer[at + 3]);
    }
}

void Tech::Timer1_Timer() {
    HScl1_Change();
    curveNow->setText(number_text(instrument.image().Val4X[6]));
    for (int i = 0; i < 12; ++i)
        if (Field* f = fields().field(i))
            f->value->setText(QString::number(buffer[std::size_t(i)]));
    const std::size_t record = 16 + 8 * std::size_t(segment - 1);
    for (int offset = 0; offset < 4; ++offset)
        if (Field* f = fields().field(kSegmentRow + offset))
            f->value->setText(QString::number(buffer[record + std::size_t(offset)]));
    fillCurve();
    for (int s = 1; s <= kSegments; ++s) {
        const auto at = std::size_t(s);
        const QString cells[] = {QString::number(s), QString::number(shown.temperature[at]),
                                 QString::number(shown.time[at]), QString::number(shown.relay[at]),
                                 QString::number(shown.pidGroup[at])};
        for (int c = 0; c < 5; ++c) {
            if (auto* item = Flxg->item(s - 1, c))
                item->setText(cells[c]);
            else
                Flxg->setItem(s - 1, c, new QTableWidgetItem(cells[c]));
        }
    }
    pt1->fit();
    draw_program(pt1->surface(), shown, plotScale);
    pt1->update();
    showTimeLabels();

    // What the next drawing uses: the start value and the figures of the segments.
    const RegisterImage& image = instrument.image();
    const double start =
        round_half_even(buffer[kStartChoiceIndex] != 0 ? image.Val3X[2] : image.Val3X[0]);
    keep16(shown.temperature[0], start >= -32768 && start <= 32767 ? qint32(start) : 99999);
    measure_program(shown, plotScale);
    showLabels();
}

void Tech::showTimeLabels() {
    for (int i = 0; i < 16; ++i)
        Label8[std::size_t(i)]->setText(QString::number(qint64(i) * plotScale.timeStep));
}

void Tech::showLabels() {
    Label5->setText(QString::number(plotScale.highest));
    Label10->setText(QString::number(plotScale.lowest));
    Label11->setText(number_text(plotScale.step));
    for (int i = 0; i < 10; ++i)
        Label6[std::size_t(i)]->setText(axis_label(plotScale, i));
}
