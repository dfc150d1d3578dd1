// The start-up sequence: YSpan at load, seven 200 ms ticks, then one 100 ms tick that hands over.
#include "app/splash_form.h"

#include <QSignalSpy>
#include <QTest>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void loadSetsSpanAndStartsCountdown();
    void seventhTickHandsOverToTimer1();
    void timer1HandsOverOnceAndCloses();
    void keysAreIgnored();
};

void TestSplash::loadSetsSpanAndStartsCountdown() {
    ValueAxis axis;
    frmSplash s(axis);
    s.Form_Load();
    QCOMPARE(axis.YSpan, qint16(1500));
    QVERIFY(s.timer2Enabled());
    QVERIFY(!s.timer1Enabled());
}

void TestSplash::seventhTickHandsOverToTimer1() {
    ValueAxis axis;
    frmSplash s(axis);
    s.Form_Load();
    for (int i = 1; i <= 6; ++i) {
        s.Timer2_Timer();
        QCOMPARE(s.ticks(), i);
        QVERIFY(!s.timer1Enabled());
    }
    s.Timer2_Timer();
    QCOMPARE(s.ticks(), 0);
    QVERIFY(!s.timer2Enabled());
    QVERIFY(s.timer1Enabled());
}

// Seven 200 ms ticks and one of 100 ms: about 1.5 s on the splash. Timer1's tick asks for the
// forms once and closes the splash; its owner deletes it.
void TestSplash::timer1HandsOverOnceAndCloses() {
    ValueAxis axis;
    frmSplash s(axis);
    QCOMPARE(s.timer2Interval(), 200);
    QCOMPARE(s.timer1Interval(), 100);
    QSignalSpy due(&s, &frmSplash::startupDue);
    s.show();
    s.Form_Load();
    for (int i = 0; i < 7; ++i)
        s.Timer2_Timer();
    QCOMPARE(due.count(), 0);
    s.Timer1_Timer();
    QCOMPARE(due.count(), 1);
    QVERIFY(!s.isVisible());
    QVERIFY(!s.timer1Enabled() && !s.timer2Enabled());
}

void TestSplash::keysAreIgnored() {
    ValueAxis axis;
    frmSplash s(axis);
    s.show();
    s.Form_Load();
    QTest::keyClick(&s, Qt::Key_Escape);
    QTest::keyClick(&s, Qt::Key_Return);
    QVERIFY(s.isVisible());
    QVERIFY(s.timer2Enabled());
}

QTEST_MAIN(TestSplash)
#include "test_splash.moc"
