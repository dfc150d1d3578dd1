#include "params/config_form.h"

#include "core/naming.h"
#include "params/config_plots.h"
#include "params/param_layout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
ParamScreen::Look config_look() {
    ScreenRules rules;
    rules.integer = IntegerRule::RoundHalfEven;
    rules.integerRetry = RetryRule::OnFailureCode;
    rules.tenthsRetry = RetryRule::OnFailureCode;
    rules.optionRetry = RetryRule::OnFailureCode;
    rules.tenths = TenthsFormat::OneDecimal;
    return {QStringLiteral("MT3600 CONFIG "),
            "CONFIG1",
            "Command11",
            QStringLiteral(" Esc 返回"),
            1000,
            rules,
            {}};
}

constexpr int kBase = 4096; // image element k holds register 4096 + k
const std::vector<RegisterBlock> kBlocks = {{4097, 16, 1},  {4113, 16, 17}, {4129, 16, 33},
                                            {4145, 16, 49}, {4161, 8, 65},  {4169, 16, 73}};
constexpr int kOpeningTab = 4;    // tab 5
constexpr int kSwitchTab = 3;     // tab 4: sensor switch-over points 33 and 34
constexpr int kDigitalTab = 4;    // tab 5
constexpr int kCorrectionTab = 5; // tab 6: eight correction points, rows 73 to 88
constexpr int kFirstPointRow = 73;
} // namespace

CONFIG1::CONFIG1(Instrument& shown, InstrumentLink& wire, std::function<void()> back,
                 QWidget* parent)
    : ParamScreen(shown, wire, config_look(), std::move(back), parent),
      reader(wire, shown.target(), this, image, kBlocks, [this](int block) { showBlock(block); }) {
    const ParamTable table = config_table();
    auto* frame = named(new QGroupBox(QStringLiteral("CONFIG"), this), QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(frame);
    SSTab2 = named(new QTabWidget(frame), QStringLiteral("SSTab2"));
    for (int g = 0; g < int(table.groups.size()); ++g)
        SSTab2->addTab(buildTab(table, g), table.groups[std::size_t(g)].caption.toString());
    SSTab2->setCurrentIndex(kOpeningTab);
    frameLayout->addWidget(SSTab2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addWidget(
        named(new QLabel(QStringLiteral("输入数据后，鼠标离开当前焦点数据自动更新"), this),
              QStringLiteral("Label4")));
    layout->addWidget(bottomStrip());
    resize(1260, 720);
}

QWidget* CONFIG1::buildTab(const ParamTable& table, int group) {
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    auto* frame = named(new QGroupBox(page), array_name(QStringLiteral("Frame2"), group));
    pageLayout->addWidget(frame);
    auto* frameLayout = new QVBoxLayout(frame);
    auto* title = named(new QLabel(table.groups[std::size_t(group)].title.toString(), frame),
                        array_name(QStringLiteral("Label3"), group));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title->setFont(bold);
    frameLayout->addWidget(title);

    if (group == kDigitalTab) {
        frameLayout->addWidget(buildDigitalInputs(table, frame));
    } else if (group == kCorrectionTab) {
        frameLayout->addWidget(buildCorrectionPoints(table, frame));
    } else {
        auto* rows = new QWidget(frame);
        auto* grid = new QGridLayout(rows);
        int line = 0;
        for (const ParamRow& row : table.rows)
            if (row.group == group)
                place_row(*grid, fields().build(row, rows), line++);
        grid->setColumnStretch(3, 1);
        frameLayout->addWidget(rows);
        if (group == kSwitchTab) {
            switchPlot = new SwitchOverPlot(frame);
            frameLayout->addWidget(switchPlot);
        }
    }
    frameLayout->addStretch(1);
    return page;
}

// Digital inputs 1 and 2 share one tall hint (the meaning of every code); the third input's list
// is bound to no register; the standby time has no hint.
QWidget* CONFIG1::buildDigitalInputs(const ParamTable& table, QWidget* frame) {
    auto* rows = new QWidget(frame);
    auto* grid = new QGridLayout(rows);
    int line = 0;
    QLabel* sharedHint = nullptr;
    for (const ParamRow& row : table.rows) {
        if (row.group != kDigitalTab)
            continue;
        const Field& f = fields().build(row, rows);
        place_row(*grid, f, line, 0);
        if (f.hint && !sharedHint) {
            sharedHint = f.hint;
            grid->removeWidget(f.hint);
            grid->addWidget(f.hint, line, 3, 2, 1);
        }
        ++line;
    }
    grid->setColumnStretch(3, 1);
    return rows;
}

// Eight points, each an electrical value and the display value it shall read, with the two hints
// once, each beside its value of the first point; a plot of the curve as read beside them.
QWidget* CONFIG1::buildCorrectionPoints(const ParamTable& table, QWidget* frame) {
    auto* area = new QWidget(frame);
    auto* columns = new QHBoxLayout(area);
    auto* points = new QWidget(area);
    auto* grid = new QGridLayout(points);
    for (const ParamRow& row : table.rows) {
        if (row.group != kCorrectionTab)
            continue;
        const Field& f = fields().build(row, points);
        const int n = (row.k - kFirstPointRow) / 2;     // point 0..7
        const int block = (row.k - kFirstPointRow) % 2; // electrical, display
        const int column = block * 4; // name, value, editor, and the hint beside the first point
        grid->addWidget(f.name, n, column);
        grid->addWidget(f.value, n, column + 1);
        grid->addWidget(f.editor(), n, column + 2);
        f.editor()->setMinimumWidth(90);
        if (f.hint)
            grid->addWidget(f.hint, 0, column + 3, Qt::AlignLeft | Qt::AlignVCenter);
    }
    columns->addWidget(points);
    correctionPlot = new CorrectionPlot(area);
    columns->addWidget(correctionPlot, 1);
    return area;
}

void CONFIG1::Timer1_Timer() {
    reader.start();
}

void CONFIG1::showBlock(int block) {
    const RegisterBlock& b = kBlocks[std::size_t(block)];
    for (const auto& [k, f] : fields().all())
        if (f.row->reg >= b.first && f.row->reg < b.first + b.count)
            fields().showValue(k, image[std::size_t(f.row->reg - kBase)]);
    if (switchPlot && b.first == 4129)
        switchPlot->setPoints(image[33], image[34]);
    if (correctionPlot && b.first == 4169) {
        std::array<QPointF, 8> pts{};
        for (std::size_t n = 0; n < pts.size(); ++n)
            pts[n] = QPointF(image[kFirstPointRow + 2 * n], image[kFirstPointRow + 2 * n + 1]);
        correctionPlot->setPoints(pts);
    }
}
