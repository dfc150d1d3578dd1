// The link settings the overview remembers: what "打开" was pressed with comes back at the next
// start of the overview; a port opened from the command line is not remembered. The settings live
// in a folder of the test's own, never the user's.

#include "core/console_settings.h"
#include "overview_rig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

class TestRememberedSettings : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

    static void typeInto(OverviewRig& rig, const char* name, const QString& text) {
        auto* c = rig.get<QComboBox>(QLatin1String(name));
        c->lineEdit()->selectAll();
        QTest::keyClicks(c->lineEdit(), text);
    }

private slots:
    void initTestCase() {
        QVERIFY(settingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        console_settings::enable();
    }
    void init() {
        QSettings(QSettings::UserScope, QStringLiteral("mt3600"), QStringLiteral("mt3600-console"))
            .clear();
    }

    void restoredAtTheNextStart_data();
    void restoredAtTheNextStart();
};

void TestRememberedSettings::restoredAtTheNextStart_data() {
    QTest::addColumn<QString>("port"); // typed into Combo1
    QTest::addColumn<bool>("pressed"); // "打开" pressed; otherwise opened as the command line does
    QTest::addColumn<QString>("shownPort");
    QTest::addColumn<QString>("shownAddress");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("parity");
    QTest::newRow("a numbered port with its device") << "2" << true << "2: /dev/ttyS0"
                                                     << "7 " << 2 << 1;
    QTest::newRow("a port without a device") << "9" << true << "9 "
                                             << "7 " << 2 << 1;
    QTest::newRow("a typed device") << "/dev/ttyACM4" << true << "/dev/ttyACM4"
                                    << "7 " << 2 << 1;
    QTest::newRow("not pressed: nothing remembered") << "9" << false << "1: /dev/ttyUSB0"
                                                     << "1 " << 1 << 0;
}

void TestRememberedSettings::restoredAtTheNextStart() {
    QFETCH(QString, port);
    QFETCH(bool, pressed);
    QFETCH(QString, shownPort);
    QFETCH(QString, shownAddress);
    QFETCH(int, baud);
    QFETCH(int, parity);
    {
        OverviewRig first;
        QVERIFY(first.showActive());
        typeInto(first, "Combo1", port);
        typeInto(first, "Combo2", QStringLiteral("7"));
        first.get<QRadioButton>(QStringLiteral("Option1(2)"))->click();
        first.get<QRadioButton>(QStringLiteral("Option2(1)"))->click();
        if (pressed)
            QTest::mouseClick(first.get<QPushButton>(QStringLiteral("Command9")), Qt::LeftButton);
        else
            first.form.Command9_Click();
    }
    OverviewRig next;
    next.form.restoreLinkChoice();
    QCOMPARE(next.get<QComboBox>(QStringLiteral("Combo1"))->currentText(), shownPort);
    QCOMPARE(next.get<QComboBox>(QStringLiteral("Combo2"))->currentText(), shownAddress);
    QVERIFY(next.get<QRadioButton>(QStringLiteral("Option1(%1)").arg(baud))->isChecked());
    QVERIFY(next.get<QRadioButton>(QStringLiteral("Option2(%1)").arg(parity))->isChecked());
    QVERIFY(next.link.calls.isEmpty()); // restored, not opened
}

QTEST_MAIN(TestRememberedSettings)
#include "test_remembered_settings.moc"
