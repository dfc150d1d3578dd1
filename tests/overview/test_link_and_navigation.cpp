// The overview's link settings with the opening and closing sequences, the link status indicator,
// the close guard and exit, and the screen changes with a screen made for the test.

#include "overview/link_indicator.h"
#include "overview_rig.h"

#include "link/poll_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A screen as the later parameter screens will be: its own return button, its own close guard.
class TestScreen final : public QWidget {
    Q_OBJECT
public:
    explicit TestScreen(bool guarded) : guard(guarded) {
        back = new QPushButton(QStringLiteral("返回"), this);
        auto* l = new QVBoxLayout(this);
        l->addWidget(back);
        connect(back, &QPushButton::clicked, this, [this] {
            guard = false;
            emit returnRequested();
        });
    }
    QPushButton* back;
    bool guard;

signals:
    void returnRequested();

protected:
    void closeEvent(QCloseEvent* e) override {
        if (guard)
            e->ignore();
    }
};

} // namespace

class TestLinkAndNavigation : public QObject {
    Q_OBJECT
    std::unique_ptr<OverviewRig> rig;
    QPointer<TestScreen> lastScreen;
    int built = 0;

    QPushButton* button(const char* name) { return rig->get<QPushButton>(QLatin1String(name)); }
    QComboBox* combo(const char* name) { return rig->get<QComboBox>(QLatin1String(name)); }

    void typeInto(QComboBox* c, const QString& text) {
        QTest::mouseClick(c->lineEdit(), Qt::LeftButton);
        c->lineEdit()->selectAll();
        QTest::keyClick(c->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(c->lineEdit(), text);
    }

    // On the round indicator: a radio button stretched by its layout is not hit in its middle.
    void choose(const QString& option) {
        auto* b = rig->get<QRadioButton>(option);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        QVERIFY(b->isChecked());
    }

    ScreenFactory factory(bool guarded = true) {
        return [this, guarded](ReturnToOverview back) {
            ++built;
            auto* s = new TestScreen(guarded);
            connect(s, &TestScreen::returnRequested, s, back);
            lastScreen = s;
            return s;
        };
    }

private slots:
    void init() {
        rig = std::make_unique<OverviewRig>();
        built = 0;
        QVERIFY(rig->showActive());
    }
    void cleanup() {
        delete lastScreen.data();
        rig.reset();
    }

    void linkControlsAsLoaded();
    void opening_data();
    void opening();
    void openingOrder();
    void closingBeforeOpening();
    void closingAfterOpening();
    void closingKeepsTheLastValuesRead();
    void commandLineOptions();
    void indicator_data();
    void indicator();
    void indicatorFollowsTheLink();
    void closeGuard();
    void exitButtonAndEsc_data();
    void exitButtonAndEsc();
    void buttonsWithoutScreens();
    void screenChange();
    void screenClosedByOtherMeans();
    void configFollowsTheLink();
    void historyReplacesTheOverview();
    void screenThatCannotBeBuilt();
};

void TestLinkAndNavigation::linkControlsAsLoaded() {
    QCOMPARE(rig->form.windowTitle(), QStringLiteral("过程控制仪表 MT3600  OverView"));
    QCOMPARE(combo("Combo1")->count(), 20);
    QCOMPARE(combo("Combo1")->itemText(19), QStringLiteral("20 "));
    QCOMPARE(combo("Combo1")->currentText(), QStringLiteral("1: /dev/ttyUSB0")); // with its device
    QCOMPARE(combo("Combo2")->count(), 16);
    QCOMPARE(combo("Combo2")->itemText(15), QStringLiteral("16 "));
    QVERIFY(rig->get<QRadioButton>("Option1(1)")->isChecked());
    QVERIFY(rig->get<QRadioButton>("Option2(0)")->isChecked());
    QCOMPARE(rig->get<QRadioButton>("Option2(2)")->text(), QStringLiteral("偶校验"));
    QCOMPARE(button("Command9")->text(), QStringLiteral("打开"));
    QCOMPARE(button("Command10")->text(), QStringLiteral("关闭"));
    QStringList titles;
    for (auto* f : rig->form.findChildren<QGroupBox*>())
        titles << f->title();
    for (const char* t :
         {"通讯端口选择", "模块地址", "波特率", "校验方式", "ALM", "State", "PROGRAM ", "PID"})
        QVERIFY2(titles.contains(QString::fromUtf8(t)), t);
    QVERIFY(rig->get<QLabel>("portNote")->text().contains("1 = /dev/ttyUSB0"));
    QVERIFY(button("Command23")->isHidden());
    QVERIFY(rig->link.calls.isEmpty()); // nothing is opened before "打开"
}

void TestLinkAndNavigation::opening_data() {
    QTest::addColumn<QString>("port");    // typed into Combo1; empty: as loaded
    QTest::addColumn<QString>("address"); // typed into Combo2; empty: as loaded
    QTest::addColumn<int>("baud");        // option clicked, -1: as loaded
    QTest::addColumn<int>("parity");
    QTest::addColumn<QList<int>>("expected"); // port, baud, parity and address of the target
    QTest::addColumn<QString>("device");
    QTest::newRow("as loaded") << ""
                               << "" << -1 << -1 << QList<int>{1, 1, 0, 1} << "";
    QTest::newRow("3 and letters") << "3 abc"
                                   << "" << -1 << -1 << QList<int>{3, 1, 0, 1} << "";
    QTest::newRow("letters only") << "abc"
                                  << "" << -1 << -1 << QList<int>{0, 1, 0, 1} << "";
    QTest::newRow("12.5 ties to even") << "12.5"
                                       << "" << -1 << -1 << QList<int>{12, 1, 0, 1} << "";
    QTest::newRow("13.5 ties to even") << "13.5"
                                       << "" << -1 << -1 << QList<int>{14, 1, 0, 1} << "";
    QTest::newRow("device path") << "/dev/ttyUSB3"
                                 << "" << -1 << -1 << QList<int>{0, 1, 0, 1} << "/dev/ttyUSB3";
    QTest::newRow("gateway") << "127.0.0.1:5020"
                             << "" << -1 << -1 << QList<int>{127, 1, 0, 1} << "127.0.0.1:5020";
    QTest::newRow("address 16") << ""
                                << "16 " << -1 << -1 << QList<int>{1, 1, 0, 16} << "";
    QTest::newRow("address letters") << ""
                                     << "x" << -1 << -1 << QList<int>{1, 1, 0, 0} << "";
    QTest::newRow("4800 odd") << ""
                              << "" << 0 << 1 << QList<int>{1, 0, 1, 1} << "";
    QTest::newRow("19200 even") << "2 "
                                << "5" << 2 << 2 << QList<int>{2, 2, 2, 5} << "";
}

void TestLinkAndNavigation::opening() {
    QFETCH(QString, port);
    QFETCH(QString, address);
    QFETCH(int, baud);
    QFETCH(int, parity);
    QFETCH(QList<int>, expected);
    QFETCH(QString, device);
    if (!port.isEmpty())
        typeInto(combo("Combo1"), port);
    if (!address.isEmpty())
        typeInto(combo("Combo2"), address);
    if (baud >= 0)
        choose(QStringLiteral("Option1(%1)").arg(baud));
    if (parity >= 0)
        choose(QStringLiteral("Option2(%1)").arg(parity));
    rig->link.openResult = kLinkFailure;
    QTest::mouseClick(button("Command9"), Qt::LeftButton);
    const LinkTarget& target = rig->target();
    QCOMPARE((QList<int>{target.port, target.baudCode, target.parityCode, target.address}),
             expected);
    QCOMPARE(target.openResult, kLinkFailure);
    QCOMPARE(rig->link.calls.size(), 1);
    const LinkCall open = rig->link.calls[0];
    QCOMPARE(open.op, QStringLiteral("OpenPort_Modbus"));
    QCOMPARE(open.port, expected[0]);
    QCOMPARE(open.first, expected[1]); // baud code
    QCOMPARE(open.count, expected[2]); // parity code
    QCOMPARE(open.device, device);
    QCOMPARE(rig->poll.calls, QList<bool>{true}); // the poll cycle runs even after a failed open
}

void TestLinkAndNavigation::openingOrder() {
    rig->form.setScreenFactory(Screen::Config, factory());
    rig->form.Command10_Click(); // CONFIG disabled
    bool configAtPollStart = false;
    int callsAtPollStart = -1;
    rig->poll.onSet = [&](bool) {
        configAtPollStart = button("Command21")->isEnabled();
        callsAtPollStart = int(rig->link.callsOf(QStringLiteral("OpenPort_Modbus")).size());
    };
    rig->form.Command9_Click();
    QVERIFY(configAtPollStart); // opened, then CONFIG enabled, then the poll started
    QCOMPARE(callsAtPollStart, 1);
    QVERIFY(button("Command23")->isEnabled());
    QVERIFY(button("Command23")->isHidden());
}

void TestLinkAndNavigation::closingBeforeOpening() {
    const auto frames = rig->form.findChildren<QGroupBox*>();
    for (auto* f : frames)
        f->hide();
    QTest::mouseClick(button("Command10"), Qt::LeftButton);
    QCOMPARE(rig->link.calls.size(), 1);
    QCOMPARE(rig->link.calls[0].text(), QStringLiteral("ClosePort_Modbus(0,0,0,0)"));
    QCOMPARE(rig->poll.calls, QList<bool>{false}); // stops a timer that never ran
    QVERIFY(!button("Command23")->isEnabled());
    for (const char* name : {"portFrame", "addressFrame", "baudFrame", "parityFrame"})
        QVERIFY2(!rig->get<QGroupBox>(QLatin1String(name))->isHidden(), name);
}

void TestLinkAndNavigation::closingAfterOpening() {
    typeInto(combo("Combo1"), QStringLiteral("7"));
    QTest::mouseClick(button("Command9"), Qt::LeftButton);
    typeInto(combo("Combo1"), QStringLiteral("9")); // changes nothing until the next "打开"
    QTest::mouseClick(button("Command10"), Qt::LeftButton);
    QCOMPARE(rig->link.callsOf(QStringLiteral("ClosePort_Modbus"))[0].port, 7);
    QCOMPARE(rig->poll.calls, (QList<bool>{true, false}));
    QTest::mouseClick(button("Command10"), Qt::LeftButton); // a second press runs it all again
    QCOMPARE(rig->link.callsOf(QStringLiteral("ClosePort_Modbus")).size(), 2);
}

// After "关闭" the image and the panel keep what the last cycle read: nothing is zeroed, and no
// further cycle runs to bring in what the instrument holds meanwhile.
void TestLinkAndNavigation::closingKeepsTheLastValuesRead() {
    Instrument instrument;
    RecordingLink link;
    Met1 poll(instrument, link);
    OverviewForm form(instrument, link, poll, PortTable({QStringLiteral("/dev/ttyUSB0")}));
    link.inputRegisters[1] = 1234;  // PV
    link.holdingRegisters[2] = 455; // SV, tenths
    form.Command9_Click();
    QVERIFY(poll.pollEnabled());
    poll.Timer1_Timer();
    link.completeAll();
    form.Timer1_Timer();
    auto* pv = form.statusPanel().d3w(0);
    const QString pvShown = pv->text();
    QVERIFY2(pvShown.contains(QStringLiteral("1234")), qPrintable(pvShown));
    QCOMPARE(instrument.image().Val3X[0], 1234.0f);
    QCOMPARE(instrument.image().Val4X[1], 45.5f);

    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command10")), Qt::LeftButton);
    QVERIFY(!poll.pollEnabled());
    link.inputRegisters[1] = 999;
    link.holdingRegisters[2] = 111;
    form.Timer1_Timer();
    QCOMPARE(instrument.image().Val3X[0], 1234.0f);
    QCOMPARE(instrument.image().Val4X[1], 45.5f);
    QCOMPARE(pv->text(), pvShown);
    QCOMPARE(poll.cyclesStarted(), 1u);
}

void TestLinkAndNavigation::commandLineOptions() {
    rig->form.applyLinkOptions(QStringLiteral("4"), 2, 1, 12);
    QCOMPARE(combo("Combo1")->currentText(), QStringLiteral("4 "));
    QCOMPARE(combo("Combo2")->currentText(), QStringLiteral("12 "));
    rig->form.Command9_Click();
    QCOMPARE(rig->link.calls[0].text(), QStringLiteral("OpenPort_Modbus(4,0,2,1)"));
    QCOMPARE(rig->target().address, 12);

    rig->form.applyLinkOptions(QStringLiteral("/tmp/mt3600-pty"), -1, -1, 0); // keeps the rest
    rig->form.Command9_Click();
    const LinkCall second = rig->link.calls.last();
    QCOMPARE(second.device, QStringLiteral("/tmp/mt3600-pty"));
    QCOMPARE(second.first, 2);
    QCOMPARE(second.count, 1);
    QCOMPARE(rig->target().address, 12);
}

void TestLinkAndNavigation::indicator_data() {
    QTest::addColumn<LinkStatus>("status");
    QTest::addColumn<int>("health");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("absent");
    LinkStatus closed;
    QTest::newRow("closed") << closed << int(LampHealth::Closed) << QStringList{"closed"}
                            << QStringList{};
    LinkStatus fresh;
    fresh.open = fresh.wanted = true;
    fresh.device = QStringLiteral("/dev/ttyUSB0");
    fresh.settings = QStringLiteral("9600 8N1, address 1");
    QTest::newRow("just opened") << fresh << int(LampHealth::Good)
                                 << QStringList{"/dev/ttyUSB0", "9600 8N1, address 1",
                                                "no transaction"}
                                 << QStringList{};
    LinkStatus good = fresh;
    good.anyTransaction = good.lastOk = true;
    good.good = 120;
    good.failed = 3;
    QTest::newRow("good") << good << int(LampHealth::Good)
                          << QStringList{"last: OK", "good 120", "failed 3"} << QStringList{};
    LinkStatus failing = good;
    failing.lastOk = false;
    failing.lastMessage = QStringLiteral("no answer within 500 ms");
    QTest::newRow("failing") << failing << int(LampHealth::Failing)
                             << QStringList{"no answer within 500 ms", "failed 3"} << QStringList{};
    LinkStatus notOpen = fresh;
    notOpen.open = false;
    notOpen.lastMessage = QStringLiteral("Permission denied");
    QTest::newRow("open failed") << notOpen << int(LampHealth::Failing)
                                 << QStringList{"not open", "Permission denied"} << QStringList{};
    LinkStatus lost = failing;
    lost.open = false;
    lost.everOpen = true;
    lost.reconnecting = true;
    lost.reconnectDelayMs = 2100;
    QTest::newRow("reconnecting") << lost << int(LampHealth::Failing)
                                  << QStringList{"lost", "reconnecting in 3 s", "/dev/ttyUSB0"}
                                  << QStringList{};
    lost.reconnectDelayMs = 0;
    QTest::newRow("reconnecting now")
        << lost << int(LampHealth::Failing) << QStringList{"reconnecting in 0 s"} << QStringList{};
    LinkStatus unplugged = lost;
    unplugged.problem = PortProblem::NotFound;
    unplugged.problemText = QStringLiteral("/dev/ttyUSB0 does not exist: check the adapter");
    QTest::newRow("lost, not back yet")
        << unplugged << int(LampHealth::Failing)
        << QStringList{"lost", "does not exist", "failed 3"} << QStringList{"no answer"};
    // A device that was never open since "打开" is not lost: the words say why it did not open,
    // not the transactions that failed meanwhile for want of a port.
    LinkStatus never = fresh;
    never.open = false;
    never.reconnecting = true;
    never.reconnectDelayMs = 900;
    never.anyTransaction = true;
    never.failed = 4;
    never.lastMessage = QStringLiteral("Get_3X_DX 1..7: port not open");
    never.problem = PortProblem::NotFound;
    never.problemText = QStringLiteral("/dev/ttyUSB0 does not exist: check the adapter");
    QTest::newRow("never there") << never << int(LampHealth::Failing)
                                 << QStringList{"/dev/ttyUSB0 does not exist",
                                                "trying again in 1 s"}
                                 << QStringList{"lost", "port not open"};
    LinkStatus refused = never;
    refused.problem = PortProblem::NoPermission;
    refused.problemText = QStringLiteral("no permission to open /dev/ttyUSB0: add user anna to "
                                         "the dialout group, then log out and log in again");
    QTest::newRow("no permission")
        << refused << int(LampHealth::Failing)
        << QStringList{"no permission", "dialout", "log in again", "trying again in 1 s"}
        << QStringList{"lost", "port not open"};
    LinkStatus gaveUp = refused;
    gaveUp.reconnecting = false;
    QTest::newRow("not open, not retrying")
        << gaveUp << int(LampHealth::Failing) << QStringList{"no permission", "dialout"}
        << QStringList{"port not open"};
    LinkStatus notYet = never;
    notYet.problem = PortProblem::None;
    notYet.problemText.clear();
    QTest::newRow("never open, no reason known")
        << notYet << int(LampHealth::Failing)
        << QStringList{"/dev/ttyUSB0 (9600 8N1, address 1) not open", "trying again in 1 s"}
        << QStringList{"lost"};
}

void TestLinkAndNavigation::indicator() {
    QFETCH(LinkStatus, status);
    QFETCH(int, health);
    QFETCH(QStringList, words);
    QFETCH(QStringList, absent);
    const LampView v = LinkStatusIndicator::view(status);
    QCOMPARE(int(v.health), health);
    for (const QString& w : words)
        QVERIFY2(v.text.contains(w, Qt::CaseInsensitive), qPrintable(v.text));
    for (const QString& w : absent)
        QVERIFY2(!v.text.contains(w, Qt::CaseInsensitive), qPrintable(v.text));
}

void TestLinkAndNavigation::indicatorFollowsTheLink() {
    auto* shown = rig->get<LinkStatusIndicator>("LinkStatus");
    QVERIFY(shown->isVisible());
    // A link that could not be opened for the operator (no simulated instrument) says why, in red,
    // until the operator opens one.
    rig->form.showLinkNote(QStringLiteral("mt3600-sim not found"));
    QCOMPARE(shown->health(), LampHealth::Failing);
    QVERIFY(shown->text().contains("mt3600-sim not found"));
    rig->form.Command9_Click();
    QVERIFY(!shown->text().contains("mt3600-sim"));
    QCOMPARE(shown->health(), LampHealth::Good);
    rig->link.linkStatus.anyTransaction = true;
    rig->link.linkStatus.lastOk = false;
    rig->link.linkStatus.lastMessage = QStringLiteral("CRC error");
    emit rig->link.statusChanged();
    QCOMPARE(shown->health(), LampHealth::Failing);
    QVERIFY(shown->text().contains("CRC error"));
    const QColor red = background(shown);
    rig->link.linkStatus.lastOk = true;
    emit rig->link.statusChanged();
    QCOMPARE(shown->health(), LampHealth::Good);
    QVERIFY(background(shown) != red);
    // The countdown moves with the overview's tick, without a status change.
    rig->link.linkStatus.open = false;
    rig->link.linkStatus.reconnecting = true;
    rig->link.linkStatus.reconnectDelayMs = 4000;
    emit rig->link.statusChanged();
    QVERIFY(shown->text().contains("in 4 s"));
    rig->link.linkStatus.reconnectDelayMs = 1000;
    rig->form.Timer1_Timer();
    QVERIFY(shown->text().contains("in 1 s"));
}

void TestLinkAndNavigation::closeGuard() {
    int unloads = 0;
    ChartHooks hooks;
    hooks.unload = [&] { ++unloads; };
    rig->form.setChartHooks(hooks);
    QVERIFY(rig->form.closeGuard());
    QVERIFY(!rig->form.close());
    QVERIFY(rig->form.isVisible());
    QCOMPARE(unloads, 0); // refused: the chart keeps its database objects
    QVERIFY(rig->form.timer1().isActive());
}

void TestLinkAndNavigation::exitButtonAndEsc_data() {
    QTest::addColumn<QString>("escFrom"); // the focused control Esc is pressed in; empty: 退出
    QTest::newRow("退出") << "";
    QTest::newRow("Esc in an entry box") << "T_3RW(2)";
    QTest::newRow("Esc in a list") << "Combo3";
    QTest::newRow("Esc on a button") << "Command13";
}

void TestLinkAndNavigation::exitButtonAndEsc() {
    QFETCH(QString, escFrom);
    int unloads = 0;
    ChartHooks hooks;
    hooks.unload = [&] { ++unloads; };
    rig->form.setChartHooks(hooks);
    rig->form.Command9_Click();
    QSignalSpy exits(&rig->form, &OverviewForm::exitRequested);
    if (!escFrom.isEmpty()) {
        auto* target = rig->get<QWidget>(escFrom);
        target->setFocus();
        QVERIFY(target->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else {
        QCOMPARE(button("Command1")->text(), QStringLiteral("退出"));
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
    }
    QCOMPARE(exits.size(), 1);
    QCOMPARE(rig->questions.size(), 1); // the link is open: ending the program was confirmed
    QVERIFY(!rig->form.closeGuard());
    QVERIFY(unloads >= 1);
    // Ending the program neither closes the port nor stops the poll cycle first.
    QVERIFY(rig->link.callsOf(QStringLiteral("ClosePort_Modbus")).isEmpty());
    QCOMPARE(rig->poll.calls, QList<bool>{true});
}

void TestLinkAndNavigation::buttonsWithoutScreens() {
    const std::pair<const char*, const char*> buttons[] = {
        {"Command14", "曲线设置"}, {"Command15", "报警设定"}, {"Command16", "PID"},
        {"Command21", "CONFIG"},   {"Command22", "分组PID"},  {"Command29", "历史曲线"}};
    for (const auto& [name, caption] : buttons) {
        QPushButton* b = button(name);
        QCOMPARE(b->text(), QString::fromUtf8(caption));
        QVERIFY2(!b->isEnabled(), name);
        QVERIFY2(b->toolTip().contains("not available"), name);
    }
}

void TestLinkAndNavigation::screenChange() {
    rig->form.setScreenFactory(Screen::Alarms, factory());
    QVERIFY(button("Command15")->isEnabled());
    QVERIFY(button("Command16")->isHidden() || !button("Command16")->isEnabled());
    QTest::mouseClick(button("Command15"), Qt::LeftButton);
    QCOMPARE(built, 1);
    QVERIFY(lastScreen);
    QVERIFY(lastScreen->isVisible());
    QVERIFY(!rig->form.isVisible());
    QVERIFY(rig->form.timer1().isActive()); // the overview's timers keep running
    QVERIFY(!lastScreen->close());          // the screen's own guard holds
    QVERIFY(!rig->form.isVisible());

    QTest::mouseClick(lastScreen->back, Qt::LeftButton);
    QVERIFY(rig->form.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(lastScreen.isNull(), 2000); // unloaded
    QVERIFY(rig->form.navigation().shownScreen() == nullptr);

    QTest::mouseClick(button("Command15"), Qt::LeftButton); // built afresh
    QCOMPARE(built, 2);
}

void TestLinkAndNavigation::screenClosedByOtherMeans() {
    rig->form.setScreenFactory(Screen::Pid, factory(false));
    QTest::mouseClick(button("Command16"), Qt::LeftButton);
    QVERIFY(!rig->form.isVisible());
    QVERIFY(lastScreen->close()); // no guard of its own: it goes, and the overview comes back
    QTRY_VERIFY_WITH_TIMEOUT(lastScreen.isNull(), 2000);
    QVERIFY(rig->form.isVisible());
}

void TestLinkAndNavigation::configFollowsTheLink() {
    QVERIFY(!button("Command21")->isEnabled()); // no screen yet
    rig->form.setScreenFactory(Screen::Config, factory());
    QVERIFY(button("Command21")->isEnabled()); // enabled at load, link closed or not
    rig->form.Command10_Click();
    QVERIFY(!button("Command21")->isEnabled());
    QVERIFY(!button("Command21")->toolTip().isEmpty());
    QTest::mouseClick(button("Command21"), Qt::LeftButton);
    QCOMPARE(built, 0);
    rig->form.Command9_Click();
    QVERIFY(button("Command21")->isEnabled());
    QTest::mouseClick(button("Command21"), Qt::LeftButton);
    QCOMPARE(built, 1);
}

void TestLinkAndNavigation::historyReplacesTheOverview() {
    QStringList steps;
    ChartHooks hooks;
    hooks.unload = [&] { steps << QStringLiteral("unload"); };
    hooks.load = [&] { steps << QStringLiteral("load"); };
    rig->form.setChartHooks(hooks);
    rig->form.setScreenFactory(Screen::History, factory());
    QTest::mouseClick(button("Command29"), Qt::LeftButton);
    QCOMPARE(steps, QStringList{"unload"});
    QVERIFY(!rig->form.closeGuard());
    QVERIFY(!rig->form.timer1().isActive()); // unloaded: its refresh stops
    QVERIFY(!rig->form.isVisible());
    QTest::mouseClick(lastScreen->back, Qt::LeftButton);
    QCOMPARE(steps, (QStringList{"unload", "load"}));
    QVERIFY(rig->form.closeGuard());
    QVERIFY(rig->form.timer1().isActive());
    QVERIFY(rig->form.isVisible());
}

void TestLinkAndNavigation::screenThatCannotBeBuilt() {
    rig->form.setScreenFactory(Screen::GroupedPid, [](ReturnToOverview) { return nullptr; });
    QTest::mouseClick(button("Command22"), Qt::LeftButton);
    QVERIFY(rig->form.isVisible());
    QVERIFY(rig->form.navigation().shownScreen() == nullptr);
}

QTEST_MAIN(TestLinkAndNavigation)
#include "test_link_and_navigation.moc"
