// The simulated instrument's launch (--demo, and every test that starts it): ready only on the
// simulator's "serving" line, and a failure in words for everything else, which the console puts
// on the link status indicator.
#include "app/demo_instrument.h"

#include <QSignalSpy>
#include <QTest>

class TestDemoInstrument : public QObject {
    Q_OBJECT
private slots:
    void failures_data();
    void failures();
    void readyOnTheServingLine();
};

void TestDemoInstrument::failures_data() {
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not there") << "/nonexistent/mt3600-sim"
                               << "could not be started";
    QTest::newRow("ends silently") << "/bin/true"
                                   << "ended (exit code 0)";
    QTest::newRow("says something else") << "/bin/echo"
                                         << "said: --pty";
}

void TestDemoInstrument::failures() {
    QFETCH(QString, executable);
    QFETCH(QString, reason);
    DemoInstrument demo(executable);
    QSignalSpy failed(&demo, &DemoInstrument::failed);
    QSignalSpy ready(&demo, &DemoInstrument::ready);
    demo.start();
    QVERIFY(failed.wait(DemoInstrument::kReadyTimeoutMs + 1000));
    QCOMPARE(failed.count(), 1);
    const QString said = failed.at(0).at(0).toString();
    QVERIFY2(said.contains(reason), qPrintable(said));
    QVERIFY(ready.isEmpty());
    QVERIFY(!demo.isReady());
}

void TestDemoInstrument::readyOnTheServingLine() {
    DemoInstrument demo(QStringLiteral(MT3600_SIM_PATH));
    QSignalSpy ready(&demo, &DemoInstrument::ready);
    QSignalSpy failed(&demo, &DemoInstrument::failed);
    demo.start({QStringLiteral("--max-seconds"), QStringLiteral("20")});
    QVERIFY(ready.wait(DemoInstrument::kReadyTimeoutMs + 1000));
    QCOMPARE(ready.at(0).at(0).toString(), demo.ptyPath());
    QVERIFY(QFile::exists(demo.ptyPath()));
    QVERIFY(demo.readyLine().startsWith(QStringLiteral("mt3600-sim: serving")));
    QVERIFY(failed.isEmpty());
}

QTEST_GUILESS_MAIN(TestDemoInstrument)
#include "test_demo_instrument.moc"
