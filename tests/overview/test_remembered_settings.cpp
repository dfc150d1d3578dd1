// The link settings "打开" was pressed with come back at the next start of the overview; a port
// opened from the command line is not remembered. The settings live in a folder of the test's own.

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

private slots:
    void initTestCase() {
        QVERIFY(settingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        console_settings::enable();
    }
    void restoredAtTheNextStart_data();
    void restoredAtTheNextStart();
};

void TestRememberedSettings::restoredAtTheNextStart_data() {
    QTest::addColumn<QString>("port"); // typed into Combo1, address 7, 19200 odd chosen
    QTest::addColumn<bool>("pressed"); // "打开" pressed; otherwise opened as the command line does
    QTest::addColumn<QString>("shownPort");
    QTest::newRow("a numbered port with its device") << "2" << true << "2: /dev/ttyS0";
    QTest::newRow("a typed device") << "/dev/ttyACM4" << true << "/dev/ttyACM4";
    QTest::newRow("not pressed: nothing remembered") << "9" << false << "1: /dev/ttyUSB0";
}

void TestRememberedSettings::restoredAtTheNextStart() {
    QFETCH(QString, port);
    QFETCH(bool, pressed);
    QFETCH(QString, shownPort);
    QSettings(QSettings::UserScope, QStringLiteral("mt3600"), QStringLiteral("mt3600-console"))
        .clear();
    {
        OverviewRig first;
        for (const auto& [list, text] : {std::pair{"Combo1", port}, {"Combo2", QString("7")}}) {
            QLineEdit* box = first.get<QComboBox>(QLatin1String(list))->lineEdit();
            box->selectAll();
            QTest::keyClicks(box, text);
        }
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
    QCOMPARE(next.get<QComboBox>(QStringLiteral("Combo2"))->currentText(), pressed ? "7 " : "1 ");
    QCOMPARE(next.get<QRadioButton>(QStringLiteral("Option1(2)"))->isChecked(), pressed);
    QCOMPARE(next.get<QRadioButton>(QStringLiteral("Option2(1)"))->isChecked(), pressed);
    QVERIFY(next.link.calls.isEmpty()); // restored, not opened
}

QTEST_MAIN(TestRememberedSettings)
#include "test_remembered_settings.moc"
