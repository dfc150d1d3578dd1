// The parameter screens driven through their real controls, offscreen, against the recording
// link: what leaving an editor writes (conversion, retry), what an untouched pass writes
// (nothing), refusals and failed writes on the editor, what the labels show for the values read,
// the refresh that never queues behind itself, and the way there and back from the overview.
#include "app/screens.h"
#include "overview/link_indicator.h"
#include "overview/overview_rig.h"
#include "params/alarm_form.h"
#include "params/config_form.h"
#include "params/grouped_pid_form.h"
#include "params/pid_form.h"
#include "support/operator_typing.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <memory>

namespace {
std::unique_ptr<ParamScreen> make_screen(const QString& name, Instrument& instrument,
                                         InstrumentLink& link) {
    if (name == u"ALM1")
        return std::make_unique<ALM1>(instrument, link, [] {});
    if (name == u"CONFIG1")
        return std::make_unique<CONFIG1>(instrument, link, [] {});
    if (name == u"PIDC")
        return std::make_unique<PIDC>(instrument, link, [] {});
    return std::make_unique<PID1>(instrument, link, [] {});
}

QColor base_of(QWidget* w) {
    return w->palette().color(QPalette::Base);
}
} // namespace

class TestParamScreens : public QObject {
    Q_OBJECT
    RecordingLink link;
    std::unique_ptr<Instrument> instrument;
    std::unique_ptr<ParamScreen> screen;

    template <class W> W* get(const QString& name) {
        W* w = screen->findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    bool open(const QString& name) {
        screen = make_screen(name, *instrument, link);
        screen->Form_Load();
        link.completeAll(); // ALM1's first refresh at load
        link.clearCalls();
        screen->show();
        screen->activateWindow();
        return QTest::qWaitForWindowActive(screen.get(), 2000);
    }
    void typeAndLeave(QWidget* editor, const QString& text) {
        type_and_leave(editor, text, screen->returnButton());
    }

private slots:
    void init() {
        instrument = std::make_unique<Instrument>();
        instrument->target().port = 3;
        instrument->target().address = 5;
        link.writeResults.clear();
        link.holdingRegisters.clear();
        link.clearCalls();
    }
    void cleanup() {
        link.completeAll();
        screen.reset();
    }

    void leavingAnEntryWrites_data();
    void leavingAnEntryWrites();
    void optionLists_data();
    void optionLists();
    void retryRules_data();
    void retryRules();
    void failedWriteMarksTheEditorUntilAGoodOne();
    void untouchedPassWritesNothing_data();
    void untouchedPassWritesNothing();
    void grouped_pid_writesOnLeavingNotPerKeystroke();
    void labelsFromWhatWasRead_data();
    void labelsFromWhatWasRead();
    void configRefreshNeverQueuesBehindItself();
    void configLabelsAllFilledInOneTick();
    void focusColours_data();
    void focusColours();
    void closeBoxDoesNothing();
    void screensFromTheOverviewAndBack_data();
    void screensFromTheOverviewAndBack();
    void linkSettingsWrittenSayWhatFollows();
    void leavingBeforeTheAnswerKeepsTheRepeatAndTheNote();
    void emptiedBoxWritesNothing();
    void listTextInAnyCase();
    void wheelOverAListNotInUse();
};

void TestParamScreens::leavingAnEntryWrites_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("value"); // -99999: nothing written
    QTest::newRow("tenths 12.5") << "ALM1"
                                 << "T_3RW(263)"
                                 << "12.5" << 264 << 125;
    QTest::newRow("tenths -0.3") << "ALM1"
                                 << "T_3RW(263)"
                                 << "-0.3" << 264 << -3;
    QTest::newRow("tenths 2.25 ties to even") << "CONFIG1"
                                              << "T_3RW(7)"
                                              << "2.25" << 4103 << 22;
    QTest::newRow("tenths 37.5") << "ALM1"
                                 << "T_3RW(263)"
                                 << "37.5" << 264 << 375;
    QTest::newRow("config integer rounds 3.5") << "CONFIG1"
                                               << "T_3RW(10)"
                                               << "3.5" << 4106 << 4;
    QTest::newRow("config integer 2.5 to even") << "CONFIG1"
                                                << "T_3RW(10)"
                                                << "2.5" << 4106 << 2;
    QTest::newRow("config integer -2.5") << "CONFIG1"
                                         << "T_3RW(11)"
                                         << "-2.5" << 4107 << -2;
    QTest::newRow("alarm integer truncates 3.5") << "ALM1"
                                                 << "T_3RW(257)"
                                                 << "3.5" << 258 << 3;
    QTest::newRow("alarm 12.9") << "ALM1"
                                << "T_3RW(257)"
                                << "12.9" << 258 << 12;
    QTest::newRow("alarm -12.9") << "ALM1"
                                 << "T_3RW(257)"
                                 << "-12.9" << 258 << -12;
    QTest::newRow("12abc integer") << "CONFIG1"
                                   << "T_3RW(10)"
                                   << "12abc" << 4106 << 12;
    QTest::newRow("12abc tenths") << "CONFIG1"
                                  << "T_3RW(7)"
                                  << "12abc" << 4103 << 120;
    QTest::newRow("blanks inside") << "CONFIG1"
                                   << "T_3RW(10)"
                                   << "1 2 3" << 4106 << 123;
    QTest::newRow("pid tenths") << "PIDC"
                                << "T_3RW(2)"
                                << "12.5" << 4355 << 125;
    QTest::newRow("pid integer truncates") << "PIDC"
                                           << "T_3RW(0)"
                                           << "99.9" << 4353 << 99;
    QTest::newRow("grouped last box") << "PID1"
                                      << "Text1C(29)"
                                      << "12.5" << 5150 << 125;
    QTest::newRow("grouped integer") << "PID1"
                                     << "Text1C(0)"
                                     << "3.7" << 5121 << 3;
    QTest::newRow("letters alone, address") << "CONFIG1"
                                            << "T_3RW(63)"
                                            << "abc" << 4159 << -99999;
    QTest::newRow("point alone") << "PIDC"
                                 << "T_3RW(2)"
                                 << "." << 4355 << -99999;
    QTest::newRow("nan") << "ALM1"
                         << "T_3RW(263)"
                         << "nan" << 264 << -99999;
    QTest::newRow("full-width tenths") << "ALM1"
                                       << "T_3RW(263)"
                                       << "１２．５" << 264 << 125;
    QTest::newRow("does not fit") << "CONFIG1"
                                  << "T_3RW(10)"
                                  << "40000" << 4106 << -99999;
    QTest::newRow("tenths does not fit") << "PIDC"
                                         << "T_3RW(2)"
                                         << "3276.8" << 4355 << -99999;
}

void TestParamScreens::leavingAnEntryWrites() {
    QFETCH(QString, form);
    QFETCH(QString, editor);
    QFETCH(QString, text);
    QFETCH(int, reg);
    QFETCH(int, value);
    QVERIFY(open(form));
    auto* box = get<QLineEdit>(editor);
    auto* label = screen->findChild<QLabel*>(editor.replace(QStringLiteral("T_3RW"), "D_4W")
                                                 .replace(QStringLiteral("Text1C"), "D_4WRWC"));
    const QString shownBefore = label->text();
    typeAndLeave(box, text);
    const auto writes = link.writes();
    if (value == -99999) {
        QVERIFY(writes.isEmpty());
        QCOMPARE(base_of(box), QColor(255, 200, 200));
        QVERIFY2(box->toolTip().contains(QStringLiteral("nothing written")),
                 qPrintable(box->toolTip()));
        return;
    }
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes[0].text(), QStringLiteral("Set_4X_D1(3,5,%1,%2)").arg(reg).arg(value));
    QCOMPARE(label->text(), shownBefore); // the label waits for the next refresh
}

void TestParamScreens::optionLists_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("downs");     // entries moved down with the arrow key
    QTest::addColumn<QString>("typed"); // or typed over the edit field
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("left");
    QTest::newRow("third entry") << "Combo0" << 2 << ""
                                 << "Set_4X_D1(3,5,4097,2)"
                                 << "2";
    QTest::newRow("code typed") << "Combo30" << 0 << "5"
                                << "Set_4X_D1(3,5,4161,5)"
                                << "5";
    QTest::newRow("entry typed") << "Combo19" << 0 << "1:奇校验"
                                 << "Set_4X_D1(3,5,4158,1)"
                                 << "1";
    QTest::newRow("no such entry") << "Combo0" << 0 << "9:什么"
                                   << ""
                                   << "9:什么";
    QTest::newRow("bound to none") << "Combo16" << 3 << ""
                                   << ""
                                   << "3:自整定 ";
}

void TestParamScreens::optionLists() {
    QFETCH(QString, list);
    QFETCH(int, downs);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QString, left);
    QVERIFY(open(QStringLiteral("CONFIG1")));
    auto* combo = get<QComboBox>(list);
    combo->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    if (!typed.isEmpty())
        typeAndLeave(combo, typed);
    screen->returnButton()->setFocus(Qt::TabFocusReason);
    QStringList got;
    for (const auto& c : link.writes())
        got << c.text();
    QCOMPARE(got, written.isEmpty() ? QStringList() : QStringList{written});
    QCOMPARE(combo->currentText(), left);
    if (list != u"Combo16" && written.isEmpty())
        QVERIFY(combo->toolTip().contains(QStringLiteral("no entry")));
}

void TestParamScreens::retryRules_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<int>("sent");
    QTest::newRow("config failure code") << "CONFIG1"
                                         << "T_3RW(10)" << QList<int>{-8888} << 2;
    QTest::newRow("config other negative") << "CONFIG1"
                                           << "T_3RW(10)" << QList<int>{-1} << 1;
    QTest::newRow("config ok") << "CONFIG1"
                               << "T_3RW(10)" << QList<int>{0} << 1;
    QTest::newRow("alarm any negative") << "ALM1"
                                        << "T_3RW(256)" << QList<int>{-1} << 2;
    QTest::newRow("alarm failure code") << "ALM1"
                                        << "T_3RW(256)" << QList<int>{-8888} << 2;
    QTest::newRow("alarm ok") << "ALM1"
                              << "T_3RW(256)" << QList<int>{0} << 1;
    QTest::newRow("pid integer, other negative") << "PIDC"
                                                 << "T_3RW(0)" << QList<int>{-1} << 1;
    QTest::newRow("pid integer, failure code") << "PIDC"
                                               << "T_3RW(0)" << QList<int>{-8888} << 2;
    QTest::newRow("pid tenths, any negative") << "PIDC"
                                              << "T_3RW(2)" << QList<int>{-1} << 2;
    QTest::newRow("grouped failure code") << "PID1"
                                          << "Text1C(4)" << QList<int>{-8888} << 2;
    QTest::newRow("twice failed: no third") << "ALM1"
                                            << "T_3RW(256)" << QList<int>{-1, -1} << 2;
}

void TestParamScreens::retryRules() {
    QFETCH(QString, form);
    QFETCH(QString, editor);
    QFETCH(QList<int>, results);
    QFETCH(int, sent);
    QVERIFY(open(form));
    link.writeResults = results;
    typeAndLeave(get<QLineEdit>(editor), QStringLiteral("7"));
    link.completeAll();
    const auto writes = link.writes();
    QCOMPARE(writes.size(), sent);
    for (const auto& w : writes)
        QCOMPARE(w.text(), writes[0].text()); // the repeat is the identical write
}

void TestParamScreens::failedWriteMarksTheEditorUntilAGoodOne() {
    QVERIFY(open(QStringLiteral("CONFIG1")));
    auto* box = get<QLineEdit>(QStringLiteral("T_3RW(14)"));
    link.writeResults = {-8888, -8888};
    link.linkStatus.lastMessage = QStringLiteral("Set_4X_D1 4110 = 500: exception 3");
    typeAndLeave(box, QStringLiteral("500"));
    link.completeAll();
    QCOMPARE(base_of(box), QColor(255, 200, 200));
    QVERIFY2(box->toolTip().contains(QStringLiteral("exception 3")), qPrintable(box->toolTip()));
    QVERIFY(
        get<QLabel>(QStringLiteral("messageLine"))->text().contains(QStringLiteral("显示上限")));
    typeAndLeave(box, QStringLiteral("400"));
    link.completeAll();
    QCOMPARE(base_of(box), QColor(255, 255, 255));
    QVERIFY(box->toolTip().isEmpty());
}

void TestParamScreens::untouchedPassWritesNothing_data() {
    QTest::addColumn<QString>("form");
    for (const char* f : {"ALM1", "CONFIG1", "PIDC", "PID1"})
        QTest::newRow(f) << f;
}

void TestParamScreens::untouchedPassWritesNothing() {
    QFETCH(QString, form);
    QVERIFY(open(form));
    int editors = 0;
    for (const auto& [k, f] : screen->fields().all()) {
        f.editor()->setFocus(Qt::TabFocusReason);
        ++editors;
    }
    screen->returnButton()->setFocus(Qt::TabFocusReason);
    QVERIFY(editors >= 8);
    QCOMPARE(link.writes().size(), 0);
}

// Typing 250 must not write 2 and 25 on the way; the value goes once, when the box is left.
void TestParamScreens::grouped_pid_writesOnLeavingNotPerKeystroke() {
    QVERIFY(open(QStringLiteral("PID1")));
    auto* box = get<QLineEdit>(QStringLiteral("Text1C(0)"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, QStringLiteral("250"));
    QCOMPARE(link.writes().size(), 0);
    QTest::keyClick(box, Qt::Key_Return); // Return commits too
    QCOMPARE(link.writes().size(), 1);
    QTest::keyClick(box, Qt::Key_Backspace); // cleared later: nothing until it is left
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(link.writes().size(), 1);
    QCOMPARE(link.writes()[0].text(), QStringLiteral("Set_4X_D1(3,5,5121,250)"));
}

void TestParamScreens::labelsFromWhatWasRead_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("reg");
    QTest::addColumn<QList<int>>("values"); // held in turn, one refresh each
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shown");
    QTest::newRow("code without a text keeps the label")
        << "CONFIG1" << 4097 << QList<int>{1, 7} << "D_4W(1)"
        << "位式控制";
    QTest::newRow("negative code too") << "CONFIG1" << 4097 << QList<int>{2, -1} << "D_4W(1)"
                                       << "无反馈阀门";
    QTest::newRow("config tenths 5") << "CONFIG1" << 4103 << QList<int>{5} << "D_4W(7)"
                                     << "0.5";
    QTest::newRow("config tenths -12") << "CONFIG1" << 4103 << QList<int>{-12} << "D_4W(7)"
                                       << "-1.2";
    QTest::newRow("config tenths whole") << "CONFIG1" << 4140 << QList<int>{1000} << "D_4W(44)"
                                         << "100.0";
    QTest::newRow("input type label text") << "CONFIG1" << 4109 << QList<int>{12} << "D_4W(13)"
                                           << "PT1000(-200-850)   ";
    QTest::newRow("last block, last row") << "CONFIG1" << 4184 << QList<int>{-250} << "D_4W(88)"
                                          << "-250";
    QTest::newRow("alarm tenths 37.5") << "ALM1" << 264 << QList<int>{375} << "D_4W(263)"
                                       << "37.5";
    QTest::newRow("alarm tenths 5") << "ALM1" << 264 << QList<int>{50} << "D_4W(263)"
                                    << "5";
    QTest::newRow("alarm integer") << "ALM1" << 257 << QList<int>{-120} << "D_4W(256)"
                                   << "-120";
    QTest::newRow("grouped tenths 29") << "PID1" << 5150 << QList<int>{1234} << "D_4WRWC(29)"
                                       << "123.4";
    QTest::newRow("grouped integer 28") << "PID1" << 5149 << QList<int>{1234} << "D_4WRWC(28)"
                                        << "1234";
    QTest::newRow("grouped first block tenths") << "PID1" << 5123 << QList<int>{55} << "D_4WRWC(2)"
                                                << "5.5";
}

void TestParamScreens::labelsFromWhatWasRead() {
    QFETCH(QString, form);
    QFETCH(int, reg);
    QFETCH(QList<int>, values);
    QFETCH(QString, label);
    QFETCH(QString, shown);
    QVERIFY(open(form));
    for (int v : values) {
        link.holdingRegisters[reg] = v;
        if (reg == 0) { // the image: Val4X4353 holds tenths already divided
            const int k = label.mid(5, label.size() - 6).toInt();
            const bool tenths = k == 2 || k == 4 || k == 7 || k == 9 || k == 14 || k == 15;
            instrument->image().Val4X4353[std::size_t(k)] = tenths ? float(v) / 10.0f : float(v);
        }
        screen->Timer1_Timer();
        link.completeAll(); // every block of the refresh, the event loop turning between them
    }
    QCOMPARE(get<QLabel>(label)->text(), shown);
}

void TestParamScreens::configRefreshNeverQueuesBehindItself() {
    QVERIFY(open(QStringLiteral("CONFIG1")));
    auto& config = static_cast<CONFIG1&>(*screen);
    config.Timer1_Timer();
    config.Timer1_Timer(); // due while the first is still reading: skipped
    QCOMPARE(link.pendingCount(), 1);
    QCOMPARE(config.refresh().skipped(), 1u);
    // A commit goes behind the one read in hand, not behind the whole refresh.
    typeAndLeave(get<QLineEdit>(QStringLiteral("T_3RW(10)")), QStringLiteral("300"));
    QCOMPARE(link.pendingCount(), 2);
    link.completeNext(); // block 1 done: block 2 is queued behind the write
    QStringList order;
    for (const auto& c : link.calls)
        order << c.text();
    QCOMPARE(order, (QStringList{"Get_4X_DX(3,5,4097,16)", "Set_4X_D1(3,5,4106,300)",
                                 "Get_4X_DX(3,5,4113,16)"}));
    link.completeAll();
    QCOMPARE(link.callsOf(QStringLiteral("Get_4X_DX")).size(), 6);
    QVERIFY(!config.refresh().reading());
}

// Empty at load; one tick (its six reads) fills every label of a bound row, and the third digital
// input's, bound to no register, stays empty.
void TestParamScreens::configLabelsAllFilledInOneTick() {
    QVERIFY(open(QStringLiteral("CONFIG1")));
    for (const auto& [k, f] : screen->fields().all())
        QVERIFY(f.value->text().isEmpty());
    screen->Timer1_Timer();
    link.completeAll();
    int filled = 0;
    for (const auto& [k, f] : screen->fields().all()) {
        QCOMPARE(f.value->text().isEmpty(), f.row->reg == 0);
        filled += !f.value->text().isEmpty();
    }
    QCOMPARE(filled, 70);
    QCOMPARE(get<QLabel>(QStringLiteral("D_4W(7)"))->text(), QStringLiteral("0.0"));
}

void TestParamScreens::focusColours_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QColor>("focused");
    QTest::newRow("ALM1") << "ALM1"
                          << "T_3RW(258)" << QColor(192, 255, 255);
    QTest::newRow("PIDC") << "PIDC"
                          << "T_3RW(5)" << QColor(255, 255, 192);
}

void TestParamScreens::focusColours() {
    QFETCH(QString, form);
    QFETCH(QString, editor);
    QFETCH(QColor, focused);
    QVERIFY(open(form));
    auto* box = get<QLineEdit>(editor);
    box->setFocus(Qt::TabFocusReason);
    QCOMPARE(base_of(box), focused);
    screen->returnButton()->setFocus(Qt::TabFocusReason);
    QCOMPARE(base_of(box), QColor(255, 255, 255));
}

void TestParamScreens::closeBoxDoesNothing() {
    bool back = false;
    ALM1 alarms(*instrument, link, [&back] { back = true; });
    alarms.Form_Load();
    alarms.show();
    QVERIFY(!alarms.isVisible()); // the load's read has not answered: its values are not there
    link.completeAll();
    QVERIFY(!alarms.close());
    QVERIFY(alarms.isVisible());
    QTest::keyClick(&alarms, Qt::Key_Escape);
    QVERIFY(back);
    QVERIFY(!alarms.closeGuard());
}

void TestParamScreens::screensFromTheOverviewAndBack_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::newRow("报警设定") << "Command15"
                              << "ALM1"
                              << "ALARM";
    QTest::newRow("CONFIG") << "Command21"
                            << "CONFIG1"
                            << "MT3600 CONFIG ";
    QTest::newRow("PID") << "Command16"
                         << "PIDC"
                         << "PID参数设置";
    QTest::newRow("分组PID") << "Command22"
                             << "PID1"
                             << "分组PID";
}

void TestParamScreens::screensFromTheOverviewAndBack() {
    QFETCH(QString, button);
    QFETCH(QString, form);
    QFETCH(QString, caption);
    OverviewRig rig;
    register_screens(rig.form, {rig.instrument, rig.link, rig.logging, rig.axis, {}, nullptr});
    QVERIFY(rig.showActive());
    QTest::mouseClick(rig.get<QPushButton>(button), Qt::LeftButton);
    rig.link.completeAll(); // the screen's first read
    QWidget* shown = rig.form.navigation().shownScreen();
    QVERIFY(shown);
    QCOMPARE(shown->objectName(), form);
    QCOMPARE(shown->windowTitle(), caption);
    QVERIFY(!rig.form.isVisible());
    QVERIFY(rig.form.timer1().isActive()); // the overview keeps running while hidden
    QTest::mouseClick(static_cast<ParamScreen*>(shown)->returnButton(), Qt::LeftButton);
    QVERIFY(rig.form.isVisible());
    QVERIFY(!rig.form.navigation().shownScreen());
}

void TestParamScreens::linkSettingsWrittenSayWhatFollows() {
    OverviewRig rig;
    register_screens(rig.form, {rig.instrument, rig.link, rig.logging, rig.axis, {}, nullptr});
    QVERIFY(rig.showActive());
    rig.form.Command9_Click();
    QTest::mouseClick(rig.get<QPushButton>(QStringLiteral("Command21")), Qt::LeftButton);
    auto* config = static_cast<ParamScreen*>(rig.form.navigation().shownScreen());
    QVERIFY(QTest::qWaitForWindowActive(config, 2000));
    auto* box = config->findChild<QLineEdit*>(QStringLiteral("T_3RW(63)"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, QStringLiteral("9"));
    config->returnButton()->setFocus(Qt::TabFocusReason);
    rig.link.completeAll();
    QCOMPARE(rig.link.writes().last().text(), QStringLiteral("Set_4X_D1(1,1,4159,9)"));
    QVERIFY(box->toolTip().contains(QStringLiteral("overview's link settings")));
    const QString indicator = rig.get<LinkStatusIndicator>(QStringLiteral("LinkStatus"))->text();
    QVERIFY2(indicator.contains(QStringLiteral("通讯地址")), qPrintable(indicator));
    QCOMPARE(rig.target().address, 1); // the console's own link is not changed
}

// Typed, then straight to the return button: the screen is gone before the answer, yet the write
// is repeated after a failure, and the note on the instrument's address reaches the indicator.
void TestParamScreens::leavingBeforeTheAnswerKeepsTheRepeatAndTheNote() {
    OverviewRig rig;
    register_screens(rig.form, {rig.instrument, rig.link, rig.logging, rig.axis, {}, nullptr});
    QVERIFY(rig.showActive());
    rig.form.Command9_Click();
    QTest::mouseClick(rig.get<QPushButton>(QStringLiteral("Command21")), Qt::LeftButton);
    QPointer<ParamScreen> config = static_cast<ParamScreen*>(rig.form.navigation().shownScreen());
    QVERIFY(QTest::qWaitForWindowActive(config, 2000));
    rig.link.writeResults = {-8888, 0};
    auto* box = config->findChild<QLineEdit*>(QStringLiteral("T_3RW(63)"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, QStringLiteral("7"));
    QTest::mouseClick(config->returnButton(), Qt::LeftButton);
    QTRY_VERIFY(!config); // deleted later by the overview
    rig.link.completeAll();
    const auto writes = rig.link.writes();
    QCOMPARE(writes.size(), 2);
    QCOMPARE(writes[1].text(), QStringLiteral("Set_4X_D1(1,1,4159,7)"));
    QVERIFY(rig.get<LinkStatusIndicator>(QStringLiteral("LinkStatus"))
                ->text()
                .contains(QStringLiteral("通讯地址")));
}

void TestParamScreens::emptiedBoxWritesNothing() {
    QVERIFY(open(QStringLiteral("PID1")));
    auto* box = get<QLineEdit>(QStringLiteral("Text1C(0)"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, QStringLiteral("250"));
    QTest::keyClick(box, Qt::Key_Return);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    screen->returnButton()->setFocus(Qt::TabFocusReason);
    QCOMPARE(link.writes().size(), 1); // the 250, never a 0
    QVERIFY(box->toolTip().contains(QStringLiteral("nothing written")));
}

// "1:on" is the entry the list shows as "1:ON "... here the alarm type "1:上限报警 " typed as a
// code and the baud rate "1:9600bps" in small letters: written as what the list shows, and a later
// pass through the list writes nothing more.
void TestParamScreens::listTextInAnyCase() {
    QVERIFY(open(QStringLiteral("CONFIG1")));
    auto* baud = get<QComboBox>(QStringLiteral("Combo18"));
    typeAndLeave(baud, QStringLiteral("1:9600bps"));
    baud->setFocus(Qt::TabFocusReason);
    screen->returnButton()->setFocus(Qt::TabFocusReason);
    QStringList got;
    for (const auto& c : link.writes())
        got << c.text();
    QCOMPARE(got, QStringList{QStringLiteral("Set_4X_D1(3,5,4157,1)")});
}

void TestParamScreens::wheelOverAListNotInUse() {
    QVERIFY(open(QStringLiteral("CONFIG1")));
    auto* list = get<QComboBox>(QStringLiteral("Combo14"));
    screen->returnButton()->setFocus(Qt::TabFocusReason);
    const QPoint middle = list->rect().center();
    QWheelEvent turn(middle, list->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &turn);
    QCOMPARE(list->currentIndex(), 0);
    list->setFocus(Qt::TabFocusReason);
    screen->returnButton()->setFocus(Qt::TabFocusReason);
    QCOMPARE(link.writes().size(), 0);
}

QTEST_MAIN(TestParamScreens)
#include "test_param_screens.moc"
