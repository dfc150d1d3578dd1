#include "status_panel.h"

#include "core/clock.h"
#include "core/conversions.h"
#include "core/elided_label.h"
#include "core/naming.h"
#include "core/register_image.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

constexpr int kFieldPoints = 11; // the small fields of the groups
constexpr int kLoopPoints = 15;  // PV1, PV2, SV1, SV2 and the written values
constexpr int kMainPoints = 30;  // current PV, output and set value: read across the room

// A framed group of captioned fields, laid out in columns (index lists, -1 ends a column).
struct GroupSpec {
    QStringView title;
    const char* array;
    const QStringView* captions;
    int columns[3][6];
};

constexpr QStringView kStateCaptions[] = {u"当前PID组", u"主比例带", u"主积分", u"主微分",
                                          u"副比例带",  u"副积分",   u"副微分"};
constexpr QStringView kProgramCaptions[] = {u"程序状态", u"当前PV",      u"目标SV",
                                            u"当前段号", u"段剩余时间",  u"总剩余时间",
                                            u"循环次数", u"偏差等待状态"};
constexpr QStringView kPidCaptions[] = {
    u"比例带1",     u"积分1",         u"微分1",      u"控制回差1", u"开关周期1", u"比例带2",
    u"积分2",       u"微分2",         u"控制回差2",  u"开关周期2", u"冷却死区",  u"微分滤波系数",
    u"分组PID设定", u"分段PID设定值", u"上过冲抑制", u"下过冲抑制"};

// Main loop beside secondary loop; program state and position beside the times; the two PID
// loops and then the settings they share.
constexpr GroupSpec kState{
    u"State", "D3WW", kStateCaptions, {{0, 1, 2, 3, -1}, {4, 5, 6, -1}, {-1}}};
constexpr GroupSpec kProgram{
    u"PROGRAM ", "D3XX", kProgramCaptions, {{0, 1, 2, 3, -1}, {4, 5, 6, 7, -1}, {-1}}};
constexpr GroupSpec kPid{u"PID",
                         "D3WWP",
                         kPidCaptions,
                         {{0, 1, 2, 3, 4, -1}, {5, 6, 7, 8, 9, -1}, {10, 11, 12, 13, 14, 15}}};

template <std::size_t N> void set_at(std::array<QLabel*, N>& a, int i, const QString& text) {
    if (i >= 0 && static_cast<std::size_t>(i) < N && a[static_cast<std::size_t>(i)])
        a[static_cast<std::size_t>(i)]->setText(text);
}

QLabel* caption(QWidget* owner, QStringView text) {
    auto* l = new QLabel(text.toString(), owner);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

template <std::size_t N>
QGroupBox* build_group(QWidget* owner, const GroupSpec& spec, std::array<QLabel*, N>& fields) {
    auto* box = new QGroupBox(spec.title.toString(), owner);
    auto* g = new QGridLayout(box);
    g->setVerticalSpacing(2);
    g->setHorizontalSpacing(4);
    g->setContentsMargins(4, 4, 4, 4);
    for (int col = 0; col < 3; ++col) {
        for (int row = 0; row < 6 && spec.columns[col][row] >= 0; ++row) {
            const int i = spec.columns[col][row];
            fields[static_cast<std::size_t>(i)] = StatusPanel::makeField(
                box, QLatin1String(spec.array), i, panel_colour::Field, kFieldPoints, u"-0000.0");
            g->addWidget(caption(box, spec.captions[i]), row, col * 3);
            g->addWidget(fields[static_cast<std::size_t>(i)], row, col * 3 + 1);
        }
    }
    return box;
}

} // namespace

StatusPanel::StatusPanel(const RegisterImage& shown, QWidget* owner) : image(shown) {
    using namespace panel_colour;
    for (int i = 0; i <= 2; ++i)
        D_3W[i] = makeField(owner, QStringLiteral("D_3W"), i, MainValue, kMainPoints, u"-0000.0");
    for (int i = 3; i <= 6; ++i)
        D_3W[i] = makeField(owner, QStringLiteral("D_3W"), i, MainValue, kLoopPoints, u"-0000.0");
    for (int i : {1, 2, 3, 6, 7})
        D_4W[i] = makeField(owner, QStringLiteral("D_4W"), i, Field, kLoopPoints, u"-0000.0");
    for (int i : {0, 1, 2, 6})
        D_1RW[i] = makeField(owner, QStringLiteral("D_1RW"), i, Field, kLoopPoints, u"主自整定开");
    D_1RW[0]->setText(QStringLiteral("手自动"));
    buildGroups(owner);
}

QLabel* StatusPanel::makeField(QWidget* owner, const QString& array, int index, Rgb background,
                               int pointSize, QStringView widest) {
    auto* l = named(new QLabel(owner), array, index);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    setBackground(l, background);
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(pointSize >= kLoopPoints);
    l->setFont(f);
    l->setMinimumWidth(QFontMetrics(f).horizontalAdvance(widest.toString()) + 8);
    return l;
}

void StatusPanel::setBackground(QLabel* field, Rgb colour) {
    QPalette p = field->palette();
    p.setColor(QPalette::Window, colour.color());
    field->setPalette(p);
}

void StatusPanel::buildGroups(QWidget* owner) {
    using namespace panel_colour;

    alm = new QGroupBox(QStringLiteral("ALM"), owner);
    auto* a = new QGridLayout(alm);
    a->setVerticalSpacing(2);
    a->setContentsMargins(6, 4, 6, 4);
    for (int i : {7, 8}) {
        D_3W[i] =
            makeField(alm, QStringLiteral("D_3W"), i, MainValue, kFieldPoints, u"上偏差报警1");
        a->addWidget(D_3W[i], 0, i - 7);
    }
    D_3W[7]->setText(QStringLiteral("报警1无报警"));
    D_3W[8]->setText(QStringLiteral("报警2无报警"));
    for (int i = 0; i < 8; ++i) {
        D_2R[i] = makeField(alm, QStringLiteral("D_2R"), i, AlarmBit, kFieldPoints, u"上偏差报警1");
        QSizePolicy sp = D_2R[i]->sizePolicy();
        sp.setRetainSizeWhenHidden(true); // a fault appearing must not shift the panel
        D_2R[i]->setSizePolicy(sp);
    }
    D_2R[0]->setText(QStringLiteral("报警一OFF"));
    D_2R[1]->setText(QStringLiteral("报警二OFF"));
    a->addWidget(D_2R[0], 1, 0);
    a->addWidget(D_2R[1], 1, 1);
    // D_2R(2) and (3) are spare fields the refresh never writes: kept, out of sight.
    D_2R[2]->hide();
    D_2R[3]->hide();
    for (const auto& f : kFaultFields) {
        a->addWidget(D_2R[f.index], 2 + (f.index - 4) / 2, (f.index - 4) % 2);
        D_2R[f.index]->hide();
    }

    state = build_group(owner, kState, D3WW);
    program = build_group(owner, kProgram, D3XX);
    // A second cycle-count field beside the first; nothing writes it.
    D3XX[8] = makeField(program, QStringLiteral("D3XX"), 8, Field, kFieldPoints, u"-0000.0");
    static_cast<QGridLayout*>(program->layout())->addWidget(D3XX[8], 2, 5);
    // Cut to the group's width rather than widening the overview; the tooltip holds it whole.
    progress = named(new ElidedLabel(program), QStringLiteral("ProgramProgress"));
    static_cast<QGridLayout*>(program->layout())->addWidget(progress, 4, 0, 1, 4);
    pid = build_group(owner, kPid, D3WWP);
}

void StatusPanel::setStale(bool stale) {
    if (stale == grey)
        return; // the palettes change only when the answer does, not every tick
    grey = stale;
    const QColor text = stale ? QColor(128, 128, 128) : QColor(Qt::black);
    const auto paint = [&text](const auto& fields) {
        for (QLabel* field : fields) {
            if (!field)
                continue;
            QPalette p = field->palette();
            p.setColor(QPalette::WindowText, text);
            field->setPalette(p);
        }
    };
    paint(D_3W);
    paint(D_4W);
    paint(D_1RW);
    paint(D_2R);
    paint(D3WW);
    paint(D3XX);
    paint(D3WWP);
}

void StatusPanel::setProgramShape(std::function<std::optional<ProgramShape>()> source) {
    shapeOf = std::move(source);
}

QLabel* StatusPanel::progressLine() const {
    return progress;
}

void StatusPanel::resetMainBackgrounds() {
    for (int i = 0; i <= 2; ++i)
        setBackground(D_3W[i], panel_colour::MainValue);
}

void StatusPanel::put(QLabel* field, const QString& text) {
    if (field)
        field->setText(text);
}

void StatusPanel::put(QLabel* field, const std::optional<PanelWord>& word) {
    if (!field || !word)
        return; // a code outside the table leaves word and colour standing
    field->setText(word->text.toString());
    if (const auto c = tint_colour(word->tint))
        setBackground(field, *c);
}

QLabel* StatusPanel::bitField(const BitField& f) const {
    const auto i = static_cast<std::size_t>(f.index);
    return f.source == BitImage::Coils ? D_1RW.at(i) : D_2R.at(i);
}

void StatusPanel::refresh(bool mainValues) {
    for (int i = mainValues ? 0 : 6; i <= 6; ++i)
        set_at(D_3W, i, number_text(image.Val3X[i]));
    put(D_3W[7], alarm_type_word(1, image.Val3X[7]));
    put(D_3W[8], alarm_type_word(2, image.Val3X[8]));

    for (int i = 0; i <= 15; ++i)
        set_at(D3WW, i, number_text(image.Val3X33[i]));

    for (int i = 0; i <= 7; ++i) {
        if (i == 0 || i == 7) {
            put(D3XX[0], program_state_word(image.Val3X4097[0]));
            put(D3XX[7], wait_word(image.Val3X4097[7]));
        } else {
            set_at(D3XX, i, number_text(image.Val3X4097[i]));
        }
    }
    progress->setText(
        program_progress(image, shapeOf ? shapeOf() : std::nullopt, console_clock().now()));

    for (int i = 0; i <= 7; ++i) {
        if (i == 7)
            put(D_4W[7], command_state_word(image.Val4X[7]));
        else
            set_at(D_4W, i, number_text(image.Val4X[i]));
    }

    for (int i = 0; i <= 15; ++i)
        set_at(D3WWP, i, number_text(image.Val4X4353[i]));

    for (const auto& f : kBitFields) {
        const qint32 bit =
            f.source == BitImage::Coils ? image.Bit0X[f.index] : image.Bit1X[f.index];
        put(bitField(f), bit_word(f, bit));
    }
    for (const auto& f : kFaultFields) {
        QLabel* field = D_2R[f.index];
        if (image.Bit1X[f.index] == 1) {
            field->setText(f.caption.toString());
            setBackground(field, panel_colour::On);
            field->setVisible(true);
        } else {
            field->setVisible(false);
        }
    }
}
