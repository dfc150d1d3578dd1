// The start-up sequence: YSpan at load, seven 200 ms ticks, then one 100 ms tick that leaves.
#include "core/curve_state.h"
#include "app/splash_form.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void loadSetsSpanAndStartsCountdown();
    void seventhTickHandsOverToTimer1();
    void leavesAfterAboutOneAndAHalfSeconds();
    void keysAreIgnored();
};

void TestSplash::loadSetsSpanAndStartsCountdown() {
    ResetCurveState();
    frmSplash s;
    s.Form_Load();
    QCOMPARE(YSpan, qint16(1500));
    QVERIFY(s.timer2Enabled());
    QVERIFY(!s.timer1Enabled());
}

void TestSplash::seventhTickHandsOverToTimer1() {
    frmSplash s;
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

void TestSplash::leavesAfterAboutOneAndAHalfSeconds() {
    QPointer<frmSplash> s = new frmSplash;
    QSignalSpy due(s.data(), &frmSplash::startupDue);
    s->show();
    QElapsedTimer t;
    t.start();
    s->Form_Load();
    QVERIFY(due.wait(5000));
    const qint64 ms = t.elapsed();
    // 7 x 200 + 100 ms, less the 5 % a coarse timer may fire early.
    QVERIFY2(ms >= 1400, qPrintable(QString::number(ms)));
    QCOMPARE(due.count(), 1);
    QTRY_VERIFY(s.isNull()); // unloaded
}

void TestSplash::keysAreIgnored() {
    frmSplash s;
    s.show();
    s.Form_Load();
    QTest::keyClick(&s, Qt::Key_Escape);
    QTest::keyClick(&s, Qt::Key_Return);
    QVERIFY(s.isVisible());
    QVERIFY(s.timer2Enabled());
}

QTEST_MAIN(TestSplash)
#include "test_splash.moc"
