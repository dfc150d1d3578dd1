// The overview's instrument commands through their real controls against the recording link:
// what is written where, what is refused, the one retry, and the companion buttons.

#include "overview/panel_decode.h"
#include "overview_rig.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace panel_colour;

namespace {
const char* kButtons[] = {"", "Command25", "Command11", "Command17"};

// Keys for what a keyboard types; other characters arrive as an input method commits them.
void type_text(QWidget* w, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(w, QString(c));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(w, &commit);
        }
    }
}
} // namespace

class TestOperatorCommands : public QObject {
    Q_OBJECT
    std::unique_ptr<OverviewRig> rig;

    QLineEdit* box(int i) { return rig->get<QLineEdit>(QStringLiteral("T_3RW(%1)").arg(i)); }
    QPushButton* button(const char* name) { return rig->get<QPushButton>(QLatin1String(name)); }
    QList<LinkCall> registerWrites() { return rig->link.callsOf(QStringLiteral("Set_4X_D1")); }

    // Types into T_3RW(i) as an operator: click into the box, type, click the companion.
    void enter(int i, const QString& text) {
        QTest::mouseClick(box(i), Qt::LeftButton);
        box(i)->selectAll();
        QTest::keyClick(box(i), Qt::Key_Delete);
        type_text(box(i), text);
        QTest::mouseClick(button(kButtons[i]), Qt::LeftButton);
    }

    void typeInto(QComboBox* combo, const QString& text) {
        QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
        type_text(combo->lineEdit(), text);
    }

private slots:
    void init() {
        rig = std::make_unique<OverviewRig>();
        QVERIFY(rig->showActive());
        rig->form.Command9_Click(); // port 1, address 1
        rig->link.clearCalls();
    }
    void cleanup() { rig.reset(); }

    void companionShownOnFocusYellowWhileFocused();
    void entries_data();
    void entries();
    void refusedEntryRecovers();
    void retry_data();
    void retry();
    void toggles_data();
    void toggles();
    void toggleFollowsThePolledStateNotTheInstrument();
    void lists_data();
    void lists();
    void committedListWritesItsNumberAgain();
    void listRetry();
    void confirmations_data();
    void confirmations();
};

void TestOperatorCommands::companionShownOnFocusYellowWhileFocused() {
    for (int i = 1; i <= 3; ++i)
        QVERIFY(button(kButtons[i])->isHidden());
    QTest::mouseClick(box(2), Qt::LeftButton);
    QVERIFY(box(2)->hasFocus());
    QVERIFY(!button("Command11")->isHidden());
    QVERIFY(button("Command25")->isHidden());
    QCOMPARE(base_colour(box(2)), EntryFocus.color());
    QTest::mouseClick(box(3), Qt::LeftButton);
    QCOMPARE(base_colour(box(2)), EntryIdle.color());
    QCOMPARE(base_colour(box(3)), EntryFocus.color());
    QVERIFY(!button("Command11")->isHidden()); // stays, to be clicked after leaving the box
    QVERIFY(!button("Command17")->isHidden());
    QVERIFY(rig->link.calls.isEmpty()); // focus alone writes nothing
}

void TestOperatorCommands::entries_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("reg");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("value");
    QTest::newRow("empty SV1 writes nothing") << 2 << "" << 3 << false << 0;
    QTest::newRow("OP 100") << 1 << "100" << 2 << true << 1000;
    QTest::newRow("OP 0") << 1 << "0" << 2 << true << 0;
    QTest::newRow("OP 100.01") << 1 << "100.01" << 2 << false << 0;
    QTest::newRow("OP -0.5") << 1 << "-0.5" << 2 << false << 0;
    QTest::newRow("OP 12.34 in tenths") << 1 << "12.34" << 2 << true << 123;
    QTest::newRow("OP 0.25 ties to even") << 1 << "0.25" << 2 << true << 2;
    QTest::newRow("OP 0.35 ties to even") << 1 << "0.35" << 2 << true << 4;
    QTest::newRow("SV1 30000") << 2 << "30000" << 3 << true << 30000;
    QTest::newRow("SV1 -10000") << 2 << "-10000" << 3 << true << -10000;
    QTest::newRow("SV1 30000.5") << 2 << "30000.5" << 3 << false << 0;
    QTest::newRow("SV2 -10000.1") << 3 << "-10000.1" << 4 << false << 0;
    QTest::newRow("SV2 12.5") << 3 << "12.5" << 4 << true << 12;
    QTest::newRow("SV2 13.5") << 3 << "13.5" << 4 << true << 14;
    QTest::newRow("SV1 -2.5") << 2 << "-2.5" << 3 << true << -2;
    QTest::newRow("SV1 12abc") << 2 << "12abc" << 3 << true << 12;
    QTest::newRow("SV1 blanks skipped") << 2 << "1 2 3" << 3 << true << 123;
    QTest::newRow("OP letters write nothing, never 0") << 1 << "abc" << 2 << false << 0;
    QTest::newRow("OP sign alone") << 1 << "-" << 2 << false << 0;
    QTest::newRow("OP full-width 12.5") << 1 << "１２．５" << 2 << true << 125;
    QTest::newRow("SV2 hexadecimal") << 3 << "&H10" << 4 << true << 16;
    QTest::newRow("SV2 exponent") << 3 << "1e3" << 4 << true << 1000;
    QTest::newRow("SV2 far too large") << 3 << "1e9" << 4 << false << 0;
    QTest::newRow("SV2 beyond double") << 3 << "1e999" << 4 << false << 0;
}

void TestOperatorCommands::entries() {
    QFETCH(int, entry);
    QFETCH(QString, text);
    QFETCH(int, reg);
    QFETCH(bool, written);
    QFETCH(int, value);
    enter(entry, text);
    QPushButton* companion = button(kButtons[entry]);
    if (!written) {
        QVERIFY(rig->link.calls.isEmpty());
        QVERIFY(!companion->isHidden());
        QCOMPARE(base_colour(box(entry)), EntryRefused.color());
        QVERIFY(box(entry)->toolTip().contains(entry == 1 ? "0 … 100" : "-10000 … 30000"));
        return;
    }
    const auto w = registerWrites();
    QCOMPARE(w.size(), 1);
    QCOMPARE(w[0].port, 1);
    QCOMPARE(w[0].slave, 1);
    QCOMPARE(w[0].first, reg);
    QCOMPARE(w[0].value, qint64(value));
    rig->link.completeAll();
    QVERIFY(companion->isHidden());
    QCOMPARE(rig->link.calls.size(), 1);
    // The focus does not land in another box (whose companion would then appear).
    for (int i = 1; i <= 3; ++i)
        QVERIFY(!box(i)->hasFocus());
}

void TestOperatorCommands::refusedEntryRecovers() {
    enter(1, QStringLiteral("150"));
    QCOMPARE(base_colour(box(1)), EntryRefused.color());
    QVERIFY(rig->form.findChild<QLabel*>("messageLine")->text().contains("0 … 100"));
    QTest::mouseClick(box(1), Qt::LeftButton);
    QCOMPARE(base_colour(box(1)), EntryFocus.color());
    box(1)->selectAll();
    QTest::keyClicks(box(1), QStringLiteral("50"));
    QTest::mouseClick(button("Command25"), Qt::LeftButton);
    QCOMPARE(registerWrites().size(), 1);
    QCOMPARE(registerWrites()[0].value, qint64(500));
}

void TestOperatorCommands::retry_data() {
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<int>("writes");
    QTest::newRow("success") << QList<int>{0} << 1;
    QTest::newRow("link failure") << QList<int>{kLinkFailure} << 2;
    QTest::newRow("link failure twice") << QList<int>{kLinkFailure, kLinkFailure} << 2;
    QTest::newRow("other negative") << QList<int>{-1} << 1;
    QTest::newRow("next to the failure code") << QList<int>{-8887} << 1;
    QTest::newRow("positive") << QList<int>{1} << 1;
}

void TestOperatorCommands::retry() {
    QFETCH(QList<int>, results);
    QFETCH(int, writes);
    rig->link.writeResults = results;
    enter(2, QStringLiteral("250"));
    QCOMPARE(registerWrites().size(), 1); // the second write waits for the first one's outcome
    rig->link.completeAll();
    const auto w = registerWrites();
    QCOMPARE(w.size(), writes);
    for (const auto& c : w)
        QCOMPARE(c.text(), QStringLiteral("Set_4X_D1(1,1,3,250)"));
    QVERIFY(button("Command11")->isHidden());
}

void TestOperatorCommands::toggles_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("coil");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("op");
    const std::pair<const char*, int> toggles[] = {
        {"Command19", 1}, {"Command12", 2}, {"Command18", 3}, {"Command20", 7}};
    for (const auto& [name, coil] : toggles) {
        QTest::addRow("%s on resets", name) << name << coil << 1 << "Rst_0X_Bit1";
        QTest::addRow("%s off sets", name) << name << coil << 0 << "Set_0X_Bit1";
    }
}

void TestOperatorCommands::toggles() {
    QFETCH(QString, button);
    QFETCH(int, coil);
    QFETCH(int, state);
    QFETCH(QString, op);
    for (int& b : rig->image().Bit0X)
        b = state == 0 ? 1 : 0; // every other coil the other way: only this one counts
    rig->image().Bit0X[coil - 1] = state;
    rig->link.failingOps = {op}; // a failing coil write is not repeated
    QTest::mouseClick(rig->get<QPushButton>(button), Qt::LeftButton);
    rig->link.completeAll();
    QCOMPARE(rig->link.calls.size(), 1);
    const LinkCall c = rig->link.calls[0];
    QCOMPARE(c.op, op);
    QCOMPARE(c.first, coil);
    QCOMPARE(c.port, 1);
    QCOMPARE(c.slave, 1);
}

void TestOperatorCommands::toggleFollowsThePolledStateNotTheInstrument() {
    rig->image().Bit0X[0] = 1;
    QTest::mouseClick(button("Command19"), Qt::LeftButton);
    rig->link.completeAll(); // the instrument's coil is now off, but no poll has run
    QTest::mouseClick(button("Command19"), Qt::LeftButton);
    rig->link.completeAll();
    const auto resets = rig->link.callsOf(QStringLiteral("Rst_0X_Bit1"));
    QCOMPARE(resets.size(), 2);
    QVERIFY(rig->link.callsOf(QStringLiteral("Set_0X_Bit1")).isEmpty());
    QCOMPARE(resets[1].first, 1);
}

void TestOperatorCommands::lists_data() {
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<int>("downs"); // entries chosen with the arrow key; -1: typed
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("reg");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("value");
    for (int k = 0; k <= 3; ++k)
        QTest::addRow("Combo3 entry %d", k)
            << "Combo3"
            << "Command13" << k << "" << 8 << true << (k == 3 ? 4 : k);
    for (int k = 0; k <= 8; ++k)
        QTest::addRow("Combo4 entry %d", k) << "Combo4"
                                            << "Command27" << k << "" << 7 << true << k;
    QTest::newRow("Combo4 typed 3 blank") << "Combo4"
                                          << "Command27" << -1 << "3 " << 7 << true << 3;
    QTest::newRow("Combo4 typed 8") << "Combo4"
                                    << "Command27" << -1 << "8" << 7 << true << 8;
    QTest::newRow("Combo4 typed 9") << "Combo4"
                                    << "Command27" << -1 << "9" << 7 << false << 0;
    QTest::newRow("Combo4 typed empty") << "Combo4"
                                        << "Command27" << -1 << "" << 7 << false << 0;
    QTest::newRow("Combo3 typed entry") << "Combo3"
                                        << "Command13" << -1 << "1:运行" << 8 << true << 1;
    QTest::newRow("Combo3 typed head") << "Combo3"
                                       << "Command13" << -1 << "4" << 8 << true << 4;
    QTest::newRow("Combo3 typed 3") << "Combo3"
                                    << "Command13" << -1 << "3" << 8 << false << 0;
    QTest::newRow("Combo3 garbage") << "Combo3"
                                    << "Command13" << -1 << "xyz" << 8 << false << 0;
    QTest::newRow("Combo3 typed 3:结束") << "Combo3"
                                         << "Command13" << -1 << "3:结束" << 8 << false << 0;
}

void TestOperatorCommands::lists() {
    QFETCH(QString, combo);
    QFETCH(QString, commit);
    QFETCH(int, downs);
    QFETCH(QString, typed);
    QFETCH(int, reg);
    QFETCH(bool, written);
    QFETCH(int, value);
    auto* list = rig->get<QComboBox>(combo);
    QCOMPARE(list->currentText(), list->itemText(0)); // the first entry at load
    if (downs >= 0) {
        list->setFocus();
        for (int k = 0; k < downs; ++k)
            QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex(), downs);
    } else {
        typeInto(list, typed);
    }
    QTest::mouseClick(rig->get<QPushButton>(commit), Qt::LeftButton);
    if (!written) {
        QVERIFY(rig->link.calls.isEmpty());
        QCOMPARE(list->currentText(), typed); // left as typed, marked
        QCOMPARE(base_colour(list->lineEdit()), EntryRefused.color());
        return;
    }
    const auto w = registerWrites();
    QCOMPARE(w.size(), 1);
    QCOMPARE(w[0].text(), QStringLiteral("Set_4X_D1(1,1,%1,%2)").arg(reg).arg(value));
    QCOMPARE(list->currentText(), QString::number(value)); // the bare number, as committed
}

void TestOperatorCommands::committedListWritesItsNumberAgain() {
    auto* list = rig->get<QComboBox>("Combo3");
    list->setFocus();
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::mouseClick(button("Command13"), Qt::LeftButton);
    QTest::mouseClick(button("Command13"), Qt::LeftButton);
    const auto w = registerWrites();
    QCOMPARE(w.size(), 2);
    QCOMPARE(w[1].value, qint64(4));
}

void TestOperatorCommands::listRetry() {
    rig->link.writeResults = {kLinkFailure};
    auto* list = rig->get<QComboBox>("Combo4");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::mouseClick(button("Command27"), Qt::LeftButton);
    rig->link.completeAll();
    const auto w = registerWrites();
    QCOMPARE(w.size(), 2);
    QCOMPARE(w[0].text(), w[1].text());
    QCOMPARE(w[1].text(), QStringLiteral("Set_4X_D1(1,1,7,1)"));
}

void TestOperatorCommands::confirmations_data() {
    QTest::addColumn<QString>("commit");
    QTest::addColumn<int>("autoTune");     // coil 7 as polled
    QTest::addColumn<int>("programState"); // input register 4097 as polled
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("written"); // empty: nothing
    QTest::newRow("auto-tune on, declined") << "Command20" << 0 << 0 << false << 1 << "";
    QTest::newRow("auto-tune on, accepted")
        << "Command20" << 0 << 0 << true << 1 << "Set_0X_Bit1(1,1,7,1)";
    QTest::newRow("auto-tune off asks nothing")
        << "Command20" << 1 << 1 << false << 0 << "Rst_0X_Bit1(1,1,7,1)";
    QTest::newRow("curve, program running, declined") << "Command27" << 0 << 1 << false << 1 << "";
    QTest::newRow("curve, program held, accepted")
        << "Command27" << 0 << 2 << true << 1 << "Set_4X_D1(1,1,7,3)";
    QTest::newRow("exit, link open, declined") << "Command1" << 0 << 0 << false << 1 << "";
}

void TestOperatorCommands::confirmations() {
    QFETCH(QString, commit);
    QFETCH(int, autoTune);
    QFETCH(int, programState);
    QFETCH(bool, answer);
    QFETCH(int, questions);
    QFETCH(QString, written);
    rig->image().Bit0X[6] = autoTune;
    rig->image().Val3X4097[0] = programState;
    rig->answer = answer;
    typeInto(rig->get<QComboBox>(QStringLiteral("Combo4")), QStringLiteral("3"));
    QTest::mouseClick(rig->get<QPushButton>(commit), Qt::LeftButton);
    rig->link.completeAll();
    QCOMPARE(rig->questions.size(), questions);
    QCOMPARE(rig->link.calls.size(), written.isEmpty() ? 0 : 1);
    if (!written.isEmpty())
        QCOMPARE(rig->link.calls[0].text(), written);
    QVERIFY(rig->form.closeGuard()); // the program goes on
}

QTEST_MAIN(TestOperatorCommands)
#include "test_operator_commands.moc"
