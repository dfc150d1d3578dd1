// The overview's real-time curve in the real overview form: its controls in the chart area, the
// chart work and zoom step label in the overview's 200 ms tick, the ruler freezing the panel, the
// function keys, and "历史曲线" to the history screen and back, which loads the overview's chart
// afresh.

#include "curve_rig.h"

#include "app/screens.h"
#include "overview/overview_rig.h"
#include "overview/realtime_chart.h"
#include "curves/history_form.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QRadioButton>

using namespace chart;

namespace {

struct OverviewCurves {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rdatabj.db"));
    SettableClock clock{QDateTime(QDate(2024, 3, 5), QTime(12, 0, 0))};
    std::unique_ptr<OverviewRig> rig;
    RealtimeChart* curves = nullptr;

    OverviewCurves() {
        {
            RecordStore maker(path);
            maker.open();
        }
        RecordFile file(path);
        if (!file.fillRing(QStringLiteral("pv_data"), 1000, 1000) ||
            !file.fillRing(QStringLiteral("Lpv_wdjl"), 400, 400, 10) ||
            !file.setPositions(1000, 400))
            qFatal("the record file could not be filled");
        rig = std::make_unique<OverviewRig>();
        curves =
            new RealtimeChart(rig->form, {rig->image(), rig->logging, rig->axis}, path, &clock);
        register_screens(rig->form,
                         {rig->instrument, rig->link, rig->logging, rig->axis, path, &clock});
    }
    OverviewForm& form() { return rig->form; }
    TrendChart& chart() { return curves->curves().chart(); }
};

} // namespace

class TestOverviewCurves : public QObject {
    Q_OBJECT
private slots:
    void loadsWithTheOverview();
    void tickAppendsAndShowsTheStep();
    void rulerFreezesThePanel();
    void alarmsStayLiveWhileTheChartIsFrozen();
    void functionKeysOnTheOverview();
    void functionKeysWhateverHasTheFocus_data();
    void functionKeysWhateverHasTheFocus();
    void historyAndBack();
    void backFromHistoryAsFreshlyLoaded();
    void exportTheWindowShown();
};

void TestOverviewCurves::loadsWithTheOverview() {
    OverviewCurves t;
    QVERIFY(t.rig->logging.CurveScreenOpen);
    QVERIFY(t.curves->store().isOpen());
    QCOMPARE(t.chart().CurPos(), 1000);
    QCOMPARE(static_cast<int>(t.chart().PointValue(kFollowLen, 0)), 1000);
    QVERIFY(t.form().chartArea()->findChild<QSlider*>(QStringLiteral("hc")));
    QCOMPARE(t.rig->get<QLabel>(QStringLiteral("Label9"))->text(), QStringLiteral("Y轴最大值"));
    QVERIFY(t.rig->get<QLineEdit>(QStringLiteral("YKD"))->isVisibleTo(&t.form()));
    QCOMPARE(t.rig->get<QLabel>(QStringLiteral("Label6(0)"))->text(), QStringLiteral("-125"));
    QCOMPARE(t.rig->get<QLabel>(QStringLiteral("Label19"))->text(), QStringLiteral("12008"));
    QCOMPARE(t.rig->get<QLabel>(QStringLiteral("Label20"))->text(), QStringLiteral("7508"));
    QVERIFY(t.rig->get<QPushButton>(QStringLiteral("Command29"))->isEnabled());
}

void TestOverviewCurves::tickAppendsAndShowsTheStep() {
    OverviewCurves t;
    t.rig->image().Val3X[0] = 42.5f;
    t.rig->logging.NewShortRecord = true;
    t.form().Timer1_Timer();
    QVERIFY(!t.rig->logging.NewShortRecord);
    QCOMPARE(t.chart().LastIndex(), kFollowLen + 1);
    QCOMPARE(t.chart().PointValue(kFollowLen + 1, 0), 42.5f);
    QCOMPARE(t.rig->get<QLabel>(QStringLiteral("Label19"))->text(), QStringLiteral("150"));
    QCOMPARE(t.rig->get<QLabel>(QStringLiteral("D_3W(0)"))->text(), QStringLiteral("42.5"));
}

void TestOverviewCurves::rulerFreezesThePanel() {
    OverviewCurves t;
    t.form().show();
    QVERIFY(t.form().timer1().isActive());
    QTest::mouseClick(t.rig->get<QPushButton>(QStringLiteral("Command5")), Qt::LeftButton);
    QVERIFY(!t.form().timer1().isActive());
    t.rig->get<QSlider>(QStringLiteral("hc"))->setValue(1500); // point 190: record 949
    auto* pv = t.rig->get<QLabel>(QStringLiteral("D_3W(0)"));
    QCOMPARE(pv->text(), QStringLiteral("949"));
    QCOMPARE(window_colour(pv), QColor(255, 255, 0));
    QTest::mouseClick(t.rig->get<QPushButton>(QStringLiteral("Command5")), Qt::LeftButton);
    QVERIFY(t.form().timer1().isActive());
    t.form().Timer1_Timer(); // the live value and colour come back
    QCOMPARE(pv->text(), QStringLiteral("0"));
    QCOMPARE(window_colour(pv), QColor(255, 192, 255));
}

// The ruler stops Timer1, but an alarm that comes on while the operator reads the ruler shows at
// once; the ruler's readouts in D_3W(0..5) stay as the ruler put them.
void TestOverviewCurves::alarmsStayLiveWhileTheChartIsFrozen() {
    OverviewCurves t;
    t.form().show();
    QTest::mouseClick(t.rig->get<QPushButton>(QStringLiteral("Command5")), Qt::LeftButton);
    QVERIFY(!t.form().timer1().isActive());
    QVERIFY(t.form().frozenPanelTimer().isActive());
    t.rig->get<QSlider>(QStringLiteral("hc"))->setValue(1500);
    auto* pv = t.rig->get<QLabel>(QStringLiteral("D_3W(0)"));
    const QString ruler = pv->text();
    auto* alarm = t.rig->get<QLabel>(QStringLiteral("D_2R(0)"));
    QCOMPARE(alarm->text(), QStringLiteral("报警一OFF"));
    t.rig->image().Bit1X[0] = 1;
    t.rig->image().Val3X[0] = 777;
    t.rig->image().Val3X[6] = 12;
    t.form().panelTick();
    QCOMPARE(alarm->text(), QStringLiteral("报警一ON"));
    QCOMPARE(t.rig->get<QLabel>(QStringLiteral("D_3W(6)"))->text(), QStringLiteral("12"));
    QCOMPARE(pv->text(), ruler);
    // With the chart running again the tick leaves the panel to Timer1.
    QTest::mouseClick(t.rig->get<QPushButton>(QStringLiteral("Command5")), Qt::LeftButton);
    t.rig->image().Bit1X[0] = 0;
    t.form().panelTick();
    QCOMPARE(alarm->text(), QStringLiteral("报警一ON"));
    t.form().Timer1_Timer();
    QCOMPARE(alarm->text(), QStringLiteral("报警一OFF"));
}

void TestOverviewCurves::functionKeysOnTheOverview() {
    OverviewCurves t;
    QVERIFY(t.rig->showActive());
    QTest::keyClick(&t.form(), Qt::Key_F1);
    QCOMPARE(t.chart().ZoomMode(), 2);
    QTest::keyClick(&t.form(), Qt::Key_F2);
    QCOMPARE(t.chart().ZoomMode(), 1);
    QTest::keyClick(&t.form(), Qt::Key_F7);
    QCOMPARE(t.curves->curves().PageBack(), 1);
    QVERIFY(!t.form().timer1().isActive());
    QTest::keyClick(&t.form(), Qt::Key_F6);
    QCOMPARE(t.curves->curves().PageBack(), 0);
    QVERIFY(t.form().timer1().isActive());
    QTest::keyClick(&t.form(), Qt::Key_F5); // asks the overview to show itself: it is shown
    QVERIFY(t.form().isVisible());
}

void TestOverviewCurves::functionKeysWhateverHasTheFocus_data() {
    QTest::addColumn<QString>("control");
    for (const char* c : {"Combo1", "Combo2", "Combo3", "Combo4", "T_3RW(2)", "Command9", "YKD"})
        QTest::newRow(c) << c;
}

// F4 toggles the ruler from every control of the overview; a focused combo box does not take it
// for its list.
void TestOverviewCurves::functionKeysWhateverHasTheFocus() {
    QFETCH(QString, control);
    OverviewCurves t;
    QVERIFY(t.rig->showActive());
    auto* focused = t.rig->get<QWidget>(control);
    focused->setFocus(Qt::TabFocusReason);
    QWidget* receiver = QApplication::focusWidget();
    QVERIFY(receiver);
    QTest::keyClick(receiver, Qt::Key_F4);
    QVERIFY(t.curves->curves().RulerMode());
    if (auto* combo = qobject_cast<QComboBox*>(focused))
        QVERIFY(!combo->view()->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QVERIFY(!t.curves->curves().RulerMode());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(t.chart().ZoomMode(), 2);
}

void TestOverviewCurves::historyAndBack() {
    OverviewCurves t;
    t.form().show();
    t.curves->curves().Command4_Click();
    t.curves->curves().Command4_Click(); // the overview at zoom mode 3
    QTest::mouseClick(t.rig->get<QPushButton>(QStringLiteral("Command29")), Qt::LeftButton);
    QPointer<lsqx> history = qobject_cast<lsqx*>(t.form().navigation().shownScreen());
    QVERIFY(history);
    QVERIFY(history->isVisible());
    QVERIFY(!t.form().isVisible());
    QVERIFY(!t.curves->store().isOpen());    // the overview let go of its connection
    QVERIFY(t.rig->logging.CurveScreenOpen); // the history screen is loaded now
    QCOMPARE(history->curves().chart().CurPos(), 400);
    QVERIFY(!t.form().timer1().isActive());

    // Records arrive meanwhile; the overview shows the newest when it loads again.
    {
        RecordFile file(t.path);
        QVERIFY(file.setPositions(1010, 400));
    }
    QVERIFY(!history->close()); // the close box does nothing
    QVERIFY(history->isVisible());
    QTest::keyClick(history.data(), Qt::Key_Escape);
    QVERIFY(t.form().isVisible());
    QVERIFY(!history || !history->isVisible());
    QVERIFY(t.rig->logging.CurveScreenOpen);
    QVERIFY(t.curves->store().isOpen());
    QVERIFY(t.form().timer1().isActive());
    QVERIFY(t.form().closeGuard());
    QCOMPARE(t.chart().ZoomMode(), 1);
    QVERIFY(!t.rig->get<QPushButton>(QStringLiteral("Command3"))->isEnabled());
    QVERIFY(t.rig->get<QPushButton>(QStringLiteral("Command4"))->isEnabled());
    QCOMPARE(t.chart().CurPos(), 1010);
    QCOMPARE(t.chart().WindowEnd(), 1010);
    QTRY_VERIFY_WITH_TIMEOUT(!history, 2000); // the screen is gone
}

// Left with the ruler on and a page browsed back on the history screen: the overview comes back
// as if loaded afresh, following the newest records, Line1 in its place, the values' colours as
// designed.
void TestOverviewCurves::backFromHistoryAsFreshlyLoaded() {
    OverviewCurves t;
    t.form().show();
    QList<QColor> design;
    for (int i = 0; i < 6; ++i)
        design << window_colour(t.rig->get<QLabel>(QStringLiteral("D_3W(%1)").arg(i)));
    QTest::mouseClick(t.rig->get<QPushButton>(QStringLiteral("Command5")), Qt::LeftButton);
    t.rig->get<QSlider>(QStringLiteral("hc"))->setValue(3000);
    QTest::mouseClick(t.rig->get<QPushButton>(QStringLiteral("Command29")), Qt::LeftButton);
    QPointer<lsqx> history = qobject_cast<lsqx*>(t.form().navigation().shownScreen());
    QVERIFY(history);
    history->curves().Command8_Click(); // a page back there
    history->curves().Command5_Click(); // and its ruler on
    {
        RecordFile file(t.path);
        QVERIFY(file.setPositions(1005, 400));
    }
    QTest::keyClick(history.data(), Qt::Key_Escape);
    QVERIFY(t.form().isVisible());
    QVERIFY(!t.curves->curves().RulerMode());
    QCOMPARE(t.chart().WindowEnd(), 1005);
    QCOMPARE(t.chart().WindowLen(), 241);
    const auto* line = t.form().chartArea()->findChild<RulerLine*>(QStringLiteral("Line1"));
    QVERIFY(line);
    QCOMPARE(line->units(), QLineF(0, 0, 0, 330));
    QCOMPARE(line->colour(), qRgb(0, 255, 0));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(window_colour(t.rig->get<QLabel>(QStringLiteral("D_3W(%1)").arg(i))), design[i]);
    QVERIFY(t.form().timer1().isActive());
    QVERIFY(!t.rig->get<QSlider>(QStringLiteral("hc"))->isEnabled());
}

// F8 from any control opens the export window beside the overview (never modal); exporting the
// window shown writes its records, oldest first, a step at a time with the screen running.
void TestOverviewCurves::exportTheWindowShown() {
    OverviewCurves t;
    QVERIFY(t.rig->showActive());
    t.rig->get<QWidget>(QStringLiteral("Combo2"))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
    ExportDialog* dialog = t.curves->curves().exportWindow();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("ExportWindow"))->isChecked());
    const QString out = t.dir.filePath(QStringLiteral("window.csv"));
    auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("ExportFile"));
    file->selectAll();
    QTest::keyClicks(file, out);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ExportStart")),
                      Qt::LeftButton);
    int turns = 0;
    while (dialog->exporting() && turns < 100) {
        dialog->exportStep();
        t.form().Timer1_Timer(); // the overview goes on between the steps
        ++turns;
    }
    QVERIFY(!dialog->exporting());
    QFile csv(out);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.size(), 1 + 61 + 1); // header, the 61 records shown, the last line's end
    QCOMPARE(lines[1].split(',').at(1), QByteArray("939"));
    QCOMPARE(lines[61].split(',').at(1), QByteArray("999"));
    QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("ExportStatus"))
                ->text()
                .contains(QStringLiteral("61")));
}

QTEST_MAIN(TestOverviewCurves)
#include "test_overview_curves.moc"
