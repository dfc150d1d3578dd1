// The overview keeps to a 1280-pixel display whatever its status lines say: a lost link's long
// reason, a note beside the link and a refused entry's message are cut to the width they have,
// with the whole text in the tooltip.

#include "core/elided_label.h"
#include "overview/link_indicator.h"
#include "overview_rig.h"

#include <QTest>

class TestOverviewWidth final : public QObject {
    Q_OBJECT
private slots:
    void longStatusTexts_data();
    void longStatusTexts();
};

void TestOverviewWidth::longStatusTexts_data() {
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("message");
    const QString longReason =
        QStringLiteral("no permission to open /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-"
                       "if00-port0: add user operator to the dialout group, then log out and log "
                       "in again; the device was held by another program for 300 s");
    const QString longChinese =
        QString(QStringLiteral("仪表拒绝该值（异常 3：数值超出范围）")).repeated(6);
    QTest::newRow("lost link, long reason") << longReason << QString() << QString();
    QTest::newRow("note and refusal, Chinese") << longReason << longChinese << longChinese;
}

void TestOverviewWidth::longStatusTexts() {
    QFETCH(QString, reason);
    QFETCH(QString, note);
    QFETCH(QString, message);
    OverviewRig rig;
    rig.form.show();
    LinkStatus& s = rig.link.linkStatus;
    // A note stands beside a closed link; a reason beside a lost one.
    s.wanted = s.everOpen = s.reconnecting = note.isEmpty();
    s.device = QStringLiteral("/dev/ttyUSB0");
    s.settings = QStringLiteral("19200 8E1, address 247");
    s.problemText = reason;
    s.reconnectDelayMs = 30000;
    s.good = s.failed = 4294967295u;
    emit rig.link.statusChanged();
    if (!note.isEmpty())
        rig.form.showLinkNote(note);
    auto* line = rig.get<ElidedLabel>(QStringLiteral("messageLine"));
    line->setText(message);
    QCoreApplication::processEvents();

    auto* lamp = rig.get<LinkStatusIndicator>(QStringLiteral("LinkStatus"));
    const QString said = note.isEmpty() ? reason : note;
    QVERIFY2(lamp->text().contains(said), qPrintable(lamp->text()));
    QVERIFY(lamp->toolTip().contains(said));
    QCOMPARE(line->toolTip(), message);
    QVERIFY2(rig.form.sizeHint().width() <= 1280, QByteArray::number(rig.form.sizeHint().width()));
    QVERIFY2(rig.form.minimumSizeHint().width() <= 1280,
             QByteArray::number(rig.form.minimumSizeHint().width()));
    QVERIFY(lamp->width() < lamp->fontMetrics().horizontalAdvance(lamp->text()));
}

QTEST_MAIN(TestOverviewWidth)
#include "test_overview_width.moc"
