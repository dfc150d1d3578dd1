#include "navigation.h"

#include "core/naming.h"

#include <QPushButton>
#include <QWidget>

namespace {

struct NavButton {
    Screen target;
    const char* name;
    QStringView caption;
};
constexpr NavButton kNavButtons[] = {
    {Screen::ProgramEditor, "Command14", u"曲线设置"},
    {Screen::Alarms, "Command15", u"报警设定"},
    {Screen::Pid, "Command16", u"PID"},
    {Screen::Config, "Command21", u"CONFIG"},
    {Screen::GroupedPid, "Command22", u"分组PID"},
    {Screen::History, "Command29", u"历史曲线"},
    // The console's own: back up, compare and clone the instrument's setup.
    {Screen::Files, "CommandFiles", u"仪表文件"},
    // The console's own: the event journal.
    {Screen::Journal, "CommandJournal", u"事件记录"},
    // The console's own: the program runs kept, and their reports.
    {Screen::Runs, "CommandRuns", u"程序运行记录"},
};

} // namespace

Navigation::Navigation(QWidget* overview) : QObject(overview), overview(overview) {
    for (const NavButton& b : kNavButtons) {
        auto* button =
            named(new QPushButton(b.caption.toString(), overview), QString::fromLatin1(b.name));
        const Screen target = b.target;
        connect(button, &QPushButton::clicked, this, [this, target] { open(target); });
        buttons[index(target)] = button;
        updateButton(target);
    }
    // The calibration button has no screen and is never shown; it only follows the link state.
    Command23 =
        named(new QPushButton(QStringLiteral("参数校准"), overview), QStringLiteral("Command23"));
    Command23->hide();
}

void Navigation::setScreenFactory(Screen target, ScreenFactory factory) {
    factories[index(target)] = std::move(factory);
    updateButton(target);
}

bool Navigation::hasScreen(Screen target) const {
    return static_cast<bool>(factories[index(target)]);
}

void Navigation::setLinkAllowsConfig(bool allowed) {
    linkAllowsConfig = allowed;
    Command23->setEnabled(allowed);
    updateButton(Screen::Config);
}

void Navigation::updateButton(Screen target) {
    QPushButton* b = buttons[index(target)];
    if (!hasScreen(target)) {
        b->setEnabled(false);
        b->setToolTip(tr("This screen is not available yet"));
        return;
    }
    const bool linkOk = target != Screen::Config || linkAllowsConfig;
    b->setEnabled(linkOk);
    b->setToolTip(linkOk ? QString() : tr("Available while the link is open"));
}

void Navigation::open(Screen target) {
    const ScreenFactory& factory = factories[index(target)];
    if (!factory || shown || !buttons[index(target)]->isEnabled())
        return;
    if (target == Screen::History)
        emit leavingForHistory();
    QWidget* screen = factory([this, target] {
        if (shown && shownTarget == target)
            backToOverview(shown);
    });
    if (!screen) {
        if (target == Screen::History)
            emit backFromHistory();
        return;
    }
    shown = screen;
    shownTarget = target;
    screen->setAttribute(Qt::WA_DeleteOnClose);
    // A screen that goes away by other means than its return button still gives the overview back.
    connect(screen, &QObject::destroyed, this, [this, screen] {
        if (shown == screen)
            backToOverview(nullptr); // already on its way out: not touched again
    });
    overview->hide();
    screen->show();
}

void Navigation::backToOverview(QWidget* screen) {
    const Screen target = shownTarget;
    shown = nullptr;
    if (screen) {
        screen->hide();
        screen->deleteLater();
    }
    if (target == Screen::History)
        emit backFromHistory();
    overview->show();
}
