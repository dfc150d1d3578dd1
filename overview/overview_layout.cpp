// Where the overview's parts stand: an instrument front of framed groups on top (main values with
// their commands, alarms, program commands; then the controller's state, program and PID values
// beside the link settings), the chart area below with the screen buttons beside it, and a status
// strip along the bottom that always shows the link.

#include "core/elided_label.h"
#include "link_controls.h"
#include "link_indicator.h"
#include "operator_commands.h"
#include "overview_form.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kCaptionPoints = 12;
constexpr int kBigCaptionPoints = 14;

QLabel* caption(QWidget* owner, const QString& text, int points = kCaptionPoints) {
    auto* l = new QLabel(text, owner);
    QFont f = l->font();
    f.setPointSize(points);
    l->setFont(f);
    return l;
}

void keep_place_when_hidden(QWidget* w) {
    QSizePolicy sp = w->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    w->setSizePolicy(sp);
}

QFrame* separator(QWidget* owner) {
    auto* line = new QFrame(owner);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

void OverviewForm::buildLayout() {
    auto* top = new QHBoxLayout;
    top->addWidget(buildMainValues(), 0);
    top->addWidget(panel.alarmGroup(), 0);
    top->addWidget(buildProgramCommands(), 0);
    top->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(panel.stateGroup());
    middle->addWidget(panel.programGroup());
    middle->addWidget(panel.pidGroup());
    middle->addStretch(1);
    middle->addWidget(buildNavigationColumn());

    // The real-time chart, its buttons, slider, value-axis editor and clock labels go here.
    chartHost = new QWidget(this);
    chartHost->setObjectName(QStringLiteral("chartArea"));
    chartHost->setMinimumSize(640, 280);
    chartHost->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* side = new QVBoxLayout;
    side->addWidget(buildLinkFrames());
    side->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chartHost, 1);
    bottom->addLayout(side, 0);

    statusStrip = new QHBoxLayout;
    statusStrip->addWidget(link->indicator(), 3);
    messageLine = new ElidedLabel(this);
    messageLine->setObjectName(QStringLiteral("messageLine"));
    QPalette warn = messageLine->palette();
    warn.setColor(QPalette::WindowText, QColor(170, 0, 0));
    messageLine->setPalette(warn);
    statusStrip->addWidget(messageLine, 2);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 4, 6, 4);
    page->setSpacing(4);
    page->addLayout(top, 0);
    page->addLayout(middle, 0);
    page->addLayout(bottom, 1);
    page->addLayout(statusStrip, 0);
}

QWidget* OverviewForm::buildMainValues() {
    auto* box = new QGroupBox(this); // the main values carry no caption
    auto* row = new QHBoxLayout(box);

    auto* values = new QGridLayout;
    const QString big[] = {QStringLiteral("当前PV"), QStringLiteral("输出OP"),
                           QStringLiteral("SV当前值")};
    for (int i = 0; i < 3; ++i) {
        values->addWidget(caption(box, big[i], kBigCaptionPoints), 0, i * 2, 1, 2,
                          Qt::AlignHCenter);
        values->addWidget(panel.d3w(i), 1, i * 2, 1, 2);
    }
    // PV1 PV2 / SV1 with its written value, entry and button / SV2 likewise / OP likewise.
    values->addWidget(caption(box, QStringLiteral("PV1值")), 2, 0);
    values->addWidget(panel.d3w(3), 2, 1);
    values->addWidget(caption(box, QStringLiteral("PV2值")), 2, 2);
    values->addWidget(panel.d3w(4), 2, 3);
    struct EntryRow {
        QString caption;
        int shown;   // D_3W index, or -1
        int written; // D_4W index
        int entry;   // T_3RW index
    };
    const EntryRow rows[] = {{QStringLiteral("SV1值"), 5, 2, 2},
                             {QStringLiteral("SV2值"), 6, 3, 3},
                             {QStringLiteral("OP值"), -1, 1, 1}};
    for (int r = 0; r < 3; ++r) {
        const EntryRow& e = rows[r];
        values->addWidget(caption(box, e.caption), 3 + r, 0);
        if (e.shown >= 0)
            values->addWidget(panel.d3w(e.shown), 3 + r, 1);
        values->addWidget(panel.d4w(e.written), 3 + r, 2);
        QLineEdit* entry = operatorCommands->entry(e.entry);
        entry->setFont(panel.d4w(e.written)->font());
        entry->setMaximumWidth(panel.d4w(e.written)->minimumWidth() + 24);
        values->addWidget(entry, 3 + r, 3);
        QPushButton* b = operatorCommands->entryButton(e.entry);
        keep_place_when_hidden(b);
        values->addWidget(b, 3 + r, 4);
    }
    row->addLayout(values);
    row->addWidget(separator(box));

    auto* modes = new QGridLayout;
    const int modeFields[] = {0, 1, 2, 6};
    for (int k = 0; k < 4; ++k) {
        modes->addWidget(panel.d1rw(modeFields[k]), k, 0);
        modes->addWidget(operatorCommands->toggle(k), k, 1);
    }
    row->addLayout(modes);
    return box;
}

QWidget* OverviewForm::buildProgramCommands() {
    auto* box = new QGroupBox(this); // the program command group carries no caption
    auto* g = new QGridLayout(box);
    g->addWidget(panel.d4w(6), 0, 0);
    g->addWidget(operatorCommands->combo4(), 1, 0);
    g->addWidget(operatorCommands->command27(), 2, 0);
    g->addWidget(panel.d4w(7), 0, 1);
    g->addWidget(operatorCommands->combo3(), 1, 1);
    g->addWidget(operatorCommands->command13(), 2, 1);
    g->setRowStretch(3, 1);
    return box;
}

QWidget* OverviewForm::buildLinkFrames() {
    auto* holder = new QWidget(this);
    auto* g = new QGridLayout(holder);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(2);
    const auto frames = link->frames(); // port, address, baud, parity
    g->addWidget(frames[0], 0, 0, 1, 2);
    g->addWidget(frames[1], 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(link->openButton());
    buttons->addWidget(link->closeButton());
    g->addLayout(buttons, 1, 1);
    g->addWidget(frames[2], 2, 0, 1, 2);
    g->addWidget(frames[3], 3, 0, 1, 2);
    return holder;
}

QWidget* OverviewForm::buildNavigationColumn() {
    auto* holder = new QWidget(this);
    auto* g = new QGridLayout(holder);
    g->setContentsMargins(0, 0, 0, 0);
    const Screen order[] = {Screen::Config,     Screen::Alarms,        Screen::Pid,
                            Screen::GroupedPid, Screen::ProgramEditor, Screen::History,
                            Screen::Files,      Screen::Journal,       Screen::Runs};
    for (std::size_t k = 0; k < std::size(order); ++k) {
        QPushButton* b = nav->button(order[k]);
        b->setMinimumSize(80, 28);
        g->addWidget(b, int(k / 2), int(k % 2));
    }
    // Five rows of buttons fit beside the PID group at the height of its rows.
    g->setVerticalSpacing(4);
    g->addWidget(nav->command23(), 5, 0); // hidden for good
    Command1->setMinimumHeight(28);
    g->addWidget(Command1, 4, 1);
    return holder;
}
