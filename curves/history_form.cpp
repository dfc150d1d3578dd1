#include "curves/history_form.h"

#include "core/conversions.h"
#include "core/naming.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kTimer1Ms = 200;
constexpr quint32 kValueBgr = 0xFFC0FF; // RGB(255, 192, 255), the value fields
constexpr quint32 kStateBgr = 0xFFFFC0; // RGB(192, 255, 255), the state words

// Val3X index i is shown in D_3W(i), captioned as the overview captions the same value.
constexpr QStringView kValueCaptions[] = {u"当前PV", u"输出OP", u"SV当前值",
                                          u"PV1值",  u"PV2值",  u"SV1值"};

struct DesignField {
    const char* array;
    int index;
    QStringView caption;
};
// Fields that keep their design captions: nothing on this screen updates them.
constexpr DesignField kDesignFields[] = {
    {"D_3W", 6, u"报警1无报警"}, {"D_3W", 7, u"报警2无报警"}, {"D_1RW", 0, u"手自动"},
    {"D_1RW", 6, u"整定关"},     {"D_1RW", 7, u"整定关"},
};

struct IdleButton {
    const char* name;
    QStringView caption;
};
constexpr IdleButton kIdleButtons[] = {
    {"Command19", u"手动"}, {"Command20", u"主自整定"}, {"Command27", u"副自整定"}};

QLabel* field(QWidget* owner, const QString& array, int index, quint32 bgr) {
    auto* l = named(new QLabel(owner), array, index);
    l->setAutoFillBackground(true);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(72);
    set_label_background(l, bgr);
    return l;
}

} // namespace

lsqx::lsqx(const CurveShared& shared, const QString& dbPath, std::function<void()> back,
           Clock* clock, QWidget* parent)
    : QWidget(parent), image(shared.image), records(dbPath), backToOverview(std::move(back)) {
    name_control(this, QStringLiteral("lsqx"));
    setWindowTitle(QStringLiteral("过程控制仪表"));
    Timer1.setInterval(kTimer1Ms);
    connect(&Timer1, &QTimer::timeout, this, &lsqx::Timer1_Timer);

    screen = new CurveScreen(kHistoryCurves, shared, Timer1, this);
    screen->setClock(clock);
    screen->setKeyWindow(this);
    screen->setEscapeAction([this] { Command1_Click(); });
    screen->setSelectAction([this] { Command1_Click(); });
    screen->setPrintTitle(QStringLiteral("历史长周期曲线"));
    screen->setExportSource(records.path(), true);

    auto* title =
        named(new QLabel(QStringLiteral("历史长周期曲线"), this), QStringLiteral("Label12"));
    QFont big = title->font();
    big.setPointSize(16);
    big.setBold(true);
    title->setFont(big);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 4, 6, 4);
    page->addWidget(title, 0, Qt::AlignHCenter);
    page->addWidget(buildStatusArea(), 0);
    page->addWidget(screen, 1);
    std::array<QLabel*, 6> values{};
    std::copy_n(D_3W.begin(), values.size(), values.begin());
    screen->setValueLabels(values);
    resize(1280, 800);
}

lsqx::~lsqx() {
    unload();
}

QWidget* lsqx::buildStatusArea() {
    auto* box = new QGroupBox(this);
    auto* g = new QGridLayout(box);
    for (int i = 0; i < 6; ++i) {
        g->addWidget(new QLabel(kValueCaptions[i].toString(), box), 0, i, Qt::AlignHCenter);
        QLabel* value = field(box, QStringLiteral("D_3W"), i, kValueBgr);
        QFont f = value->font();
        f.setPointSize(14);
        f.setBold(true);
        value->setFont(f);
        D_3W[static_cast<std::size_t>(i)] = value;
        g->addWidget(D_3W[static_cast<std::size_t>(i)], 1, i);
    }
    int column = 0;
    for (const DesignField& f : kDesignFields) {
        QLabel* l = field(box, QString::fromLatin1(f.array), f.index, kStateBgr);
        l->setText(f.caption.toString());
        if (QLatin1String(f.array) == QLatin1String("D_3W"))
            D_3W[static_cast<std::size_t>(f.index)] = l;
        g->addWidget(l, 2, column++);
    }
    auto* buttons = new QHBoxLayout;
    for (const IdleButton& b : kIdleButtons) {
        auto* button =
            named(new QPushButton(b.caption.toString(), box), QString::fromLatin1(b.name));
        button->setEnabled(false);
        button->setToolTip(tr("No action on the history screen"));
        buttons->addWidget(button);
    }
    Command1 = named(new QPushButton(QStringLiteral("返回"), box), QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &lsqx::Command1_Click);
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    g->addLayout(buttons, 3, 0, 1, 6);
    return box;
}

void lsqx::Form_Load() {
    guard = true;
    loaded = true;
    records.open();
    screen->Load(records.longRecords());
    Timer1.start();
}

void lsqx::Timer1_Timer() {
    screen->Timer1_Timer();
    for (std::size_t i = 0; i < 6; ++i)
        D_3W[i]->setText(number_text(image.Val3X[i]));
    screen->showZoomStep();
}

void lsqx::unload() {
    if (!loaded)
        return;
    loaded = false;
    Timer1.stop();
    records.close();
    screen->Unload();
}

void lsqx::Command1_Click() {
    if (!loaded)
        return;
    // The record connection goes and the flag is lowered before the overview loads again.
    records.close();
    guard = false;
    unload();
    close();
    if (backToOverview)
        backToOverview();
}

void lsqx::closeEvent(QCloseEvent* event) {
    if (guard) {
        event->ignore(); // only "返回" leaves
        return;
    }
    unload();
    event->accept();
}
