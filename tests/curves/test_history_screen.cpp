// The history screen lsqx on a real record file: the long record and its write position, the
// ten-second flag, the live values under its own captions, the hidden range editor, "返回" and
// Esc with the close guard, and the record-file indicator.

#include "curve_rig.h"

#include "curves/history_form.h"
#include "records/record_indicator.h"

#include <QCloseEvent>
#include <QGridLayout>

using namespace chart;

namespace {

struct HistoryRig {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rdatabj.db"));
    SettableClock clock{QDateTime(QDate(2024, 3, 5), QTime(12, 0, 0))};
    int backs = 0;
    RegisterImage image;
    LoggerState logging;
    ValueAxis axis{.YSpan = 1500}; // as the start-up form sets it
    std::unique_ptr<lsqx> form;

    HistoryRig(qint32 longRows, qint32 longPos, qint32 shortRows, qint32 shortPos) {
        {
            RecordStore maker(path);
            maker.open(); // the file with its tables
        }
        RecordFile file(path);
        if (!file.fillRing(QStringLiteral("Lpv_wdjl"), longRows, longPos, 10) ||
            !file.fillRing(QStringLiteral("pv_data"), shortRows, shortPos) ||
            !file.setPositions(shortPos, longPos))
            qFatal("the record file could not be filled");
        form = std::make_unique<lsqx>(
            CurveShared{image, logging, axis}, path, [this] { ++backs; }, &clock);
        form->Form_Load();
    }

    template <class W> W* get(const QString& name) const {
        W* w = form->findChild<W*>(name);
        if (!w)
            qFatal("lsqx has no control %s", qPrintable(name));
        return w;
    }
    QLabel* label(const QString& name) const { return get<QLabel>(name); }
    TrendChart& chart() const { return form->curves().chart(); }
};

} // namespace

class TestHistoryScreen : public QObject {
    Q_OBJECT
private slots:
    void loadsTheLongRecord();
    void takesTheTenSecondFlag();
    void liveValuesUnderItsCaptions();
    void rangeEditorHiddenUntilDoubleClick();
    void idleButtonsSayWhy();
    void closeBoxRefused();
    void leaving_data();
    void leaving();
    void pagesTheLongRecord();
    void recordIndicator_data();
    void recordIndicator();
};

void TestHistoryScreen::loadsTheLongRecord() {
    HistoryRig rig(500, 500, 900, 900);
    QCOMPARE(rig.form->windowTitle(), QStringLiteral("过程控制仪表"));
    QCOMPARE(rig.label(QStringLiteral("Label12"))->text(), QStringLiteral("历史长周期曲线"));
    QVERIFY(rig.logging.CurveScreenOpen);
    QVERIFY(rig.form->closeGuard());
    QVERIFY(rig.form->timer1().isActive());
    QCOMPARE(rig.chart().CurPos(), 500); // sl_void column 2, not the short 900
    QCOMPARE(rig.chart().WindowEnd(), 500);
    QCOMPARE(rig.chart().ZoomMode(), 1);
    QCOMPARE(static_cast<int>(rig.chart().PointValue(kFollowLen, 0)), 500);
    QCOMPARE(static_cast<int>(rig.chart().PointValue(1, 0)), 260);
    // Ten seconds a point: label 1 lies 100 s after label 0, and 7 and 8 are counted on by 100 s.
    QCOMPARE(rig.chart().PointTime(191) - rig.chart().PointTime(181), 100 / kSecondsPerDay);
    QCOMPARE(rig.label(QStringLiteral("Label4(7)"))->text(),
             time_text(rig.chart().PointTime(kFollowLen) + 100 / kSecondsPerDay));
    QCOMPARE(rig.label(QStringLiteral("Label6(0)"))->text(), QStringLiteral("0"));
    QCOMPARE(rig.label(QStringLiteral("Label6(6)"))->text(), QStringLiteral("1500")); // % at 1500
    QCOMPARE(rig.label(QStringLiteral("Label9"))->text(), QStringLiteral("Y最大"));
    QCOMPARE(rig.label(QStringLiteral("Label10"))->text(), QStringLiteral("Y最小"));
    QVERIFY(!rig.get<QPushButton>(QStringLiteral("Command3"))->isEnabled());
    QVERIFY(!rig.get<QPushButton>(QStringLiteral("Command7"))->isEnabled());
    QVERIFY(!rig.get<QSlider>(QStringLiteral("hc"))->isEnabled());
}

void TestHistoryScreen::takesTheTenSecondFlag() {
    HistoryRig rig(500, 500, 900, 900);
    rig.logging.NewShortRecord = true; // the overview's flag: not this screen's
    rig.form->Timer1_Timer();
    QCOMPARE(rig.chart().LastIndex(), kFollowLen);
    QVERIFY(rig.logging.NewShortRecord);
    rig.image.Val3X[2] = 77.5f;
    rig.logging.NewLongRecord = true;
    rig.form->Timer1_Timer();
    QCOMPARE(rig.chart().LastIndex(), kFollowLen + 1);
    QCOMPARE(rig.chart().PointValue(kFollowLen + 1, 2), 77.5f);
    QVERIFY(!rig.logging.NewLongRecord);
}

void TestHistoryScreen::liveValuesUnderItsCaptions() {
    HistoryRig rig(500, 500, 900, 900);
    const float values[] = {123.4f, 55.5f, 300, -3.2f, 0.5f, 1500};
    for (int i = 0; i < 6; ++i)
        rig.image.Val3X[static_cast<std::size_t>(i)] = values[i];
    rig.form->Timer1_Timer();
    const char* expected[] = {"123.4", "55.5", "300", "-3.2", "0.5", "1500"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(rig.label(QStringLiteral("D_3W(%1)").arg(i))->text(), QLatin1String(expected[i]));
    QCOMPARE(rig.label(QStringLiteral("D_3W(6)"))->text(), QStringLiteral("报警1无报警"));
    QCOMPARE(rig.label(QStringLiteral("D_1RW(7)"))->text(), QStringLiteral("整定关"));
    QCOMPARE(rig.label(QStringLiteral("Label19"))->text(), QStringLiteral("150"));
    // Each value stands under the caption the overview gives the same value (Val3X 0..5).
    const QStringList captions = {QStringLiteral("当前PV"), QStringLiteral("输出OP"),
                                  QStringLiteral("SV当前值"), QStringLiteral("PV1值"),
                                  QStringLiteral("PV2值"), QStringLiteral("SV1值")};
    for (int i = 0; i < 6; ++i) {
        QLabel* value = rig.label(QStringLiteral("D_3W(%1)").arg(i));
        auto* grid = qobject_cast<QGridLayout*>(value->parentWidget()->layout());
        QVERIFY(grid);
        int row = 0, column = 0, above = -1, span = 0;
        grid->getItemPosition(grid->indexOf(value), &row, &column, &span, &span);
        for (QLabel* l : value->parentWidget()->findChildren<QLabel*>())
            if (l->text() == captions[i]) {
                int r = 0;
                grid->getItemPosition(grid->indexOf(l), &r, &above, &span, &span);
            }
        QCOMPARE(above, column);
    }
}

void TestHistoryScreen::rangeEditorHiddenUntilDoubleClick() {
    HistoryRig rig(500, 500, 900, 900);
    const QStringList editor = {QStringLiteral("Label9"), QStringLiteral("Label10"),
                                QStringLiteral("YKD"), QStringLiteral("YKD1"),
                                QStringLiteral("Command26")};
    auto visible = [&] {
        int n = 0;
        for (const QString& name : editor)
            n += rig.get<QWidget>(name)->isVisibleTo(rig.form.get()) ? 1 : 0;
        return n;
    };
    QCOMPARE(visible(), 0);
    QTest::mouseDClick(rig.label(QStringLiteral("Label5(4)")), Qt::LeftButton);
    QCOMPARE(visible(), 5);
    // Refused: the editor stays.
    rig.get<QLineEdit>(QStringLiteral("YKD"))->setText(QStringLiteral("33000"));
    rig.get<QLineEdit>(QStringLiteral("YKD1"))->setText(QStringLiteral("0"));
    QTest::mouseClick(rig.get<QPushButton>(QStringLiteral("Command26")), Qt::LeftButton);
    QCOMPARE(rig.axis.YSpan, 1500);
    QCOMPARE(visible(), 5);
    // Accepted: applied to both screens' shared range, and the editor goes.
    rig.get<QLineEdit>(QStringLiteral("YKD"))->setText(QStringLiteral("1200"));
    rig.get<QLineEdit>(QStringLiteral("YKD1"))->setText(QStringLiteral("200"));
    QTest::mouseClick(rig.get<QPushButton>(QStringLiteral("Command26")), Qt::LeftButton);
    QCOMPARE(rig.axis.YSpan, 1000);
    QCOMPARE(rig.axis.YMin, 200);
    QCOMPARE(rig.axis.YMax, 1200);
    QCOMPARE(visible(), 0);
}

void TestHistoryScreen::idleButtonsSayWhy() {
    HistoryRig rig(500, 500, 900, 900);
    for (const char* name : {"Command19", "Command20", "Command27"}) {
        auto* b = rig.get<QPushButton>(QLatin1String(name));
        QVERIFY(!b->isEnabled());
        QVERIFY(!b->toolTip().isEmpty());
    }
    QCOMPARE(rig.get<QPushButton>(QStringLiteral("Command27"))->text(), QStringLiteral("副自整定"));
}

void TestHistoryScreen::closeBoxRefused() {
    HistoryRig rig(500, 500, 900, 900);
    rig.form->show();
    QVERIFY(!rig.form->close());
    QVERIFY(rig.form->isVisible());
    QVERIFY(rig.form->closeGuard());
    QVERIFY(rig.logging.CurveScreenOpen);
    QVERIFY(rig.form->store().isOpen());
    QCOMPARE(rig.backs, 0);
}

void TestHistoryScreen::leaving_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("返回") << "Command1";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("F5") << "F5";
}

void TestHistoryScreen::leaving() {
    QFETCH(QString, how);
    HistoryRig rig(500, 500, 900, 900);
    rig.form->show();
    if (how == QLatin1String("Command1"))
        QTest::mouseClick(rig.get<QPushButton>(how), Qt::LeftButton);
    else
        QTest::keyClick(rig.form.get(), how == QLatin1String("Esc") ? Qt::Key_Escape : Qt::Key_F5);
    QCOMPARE(rig.backs, 1);
    QVERIFY(!rig.form->closeGuard());
    QVERIFY(!rig.logging.CurveScreenOpen);
    QVERIFY(!rig.form->store().isOpen());
    QVERIFY(!rig.form->timer1().isActive());
    QVERIFY(!rig.form->isVisible());
    // Gone for good: the next key finds no screen to leave again.
    QTest::keyClick(rig.form.get(), Qt::Key_Escape);
    QCOMPARE(rig.backs, 1);
}

void TestHistoryScreen::pagesTheLongRecord() {
    HistoryRig rig(kRingSize, 50, 900, 900);
    rig.form->curves().Command8_Click();
    QCOMPARE(rig.chart().WindowEnd(), 65490);
    QCOMPARE(static_cast<int>(rig.chart().PointValue(kPagedLen, 0)), 65490);
    rig.form->curves().Command7_Click();
    QCOMPARE(rig.chart().CurPos(), 50); // column 2 again
    QCOMPARE(rig.chart().WindowEnd(), 50);
}

void TestHistoryScreen::recordIndicator_data() {
    QTest::addColumn<bool>("usable");
    QTest::newRow("a file that takes records") << true;
    QTest::newRow("a folder where the file should be") << false;
}

void TestHistoryScreen::recordIndicator() {
    QFETCH(bool, usable);
    QTemporaryDir dir;
    const QString path = usable ? dir.filePath(QStringLiteral("Rdatabj.db")) : dir.path();
    SettableClock clock;
    set_console_clock(&clock); // the store stamps its last write by the console clock
    RegisterImage image;
    LoggerState logging;
    mscom logger(image, logging, path, &clock);
    logger.timer().stop();
    RecordIndicator indicator;
    indicator.watch(logger.store());
    logger.Timer1_Timer();
    if (usable) {
        QCOMPARE(indicator.health(), LampHealth::Good);
        QVERIFY(indicator.text().contains(QStringLiteral("ok")));
        QVERIFY(indicator.text().contains(QStringLiteral("12:00:00")));
    } else {
        QCOMPARE(indicator.health(), LampHealth::Failing);
        QVERIFY(indicator.text().contains(dir.path()));
        QCOMPARE(window_colour(&indicator), QColor(210, 30, 30));
    }
    set_console_clock(nullptr);
}

QTEST_MAIN(TestHistoryScreen)
#include "test_history_screen.moc"
