// The program editor Tech through its real controls, offscreen, against the recording link: which
// register each field writes (segment fields in the table that was read, whatever the recipe),
// the read-backs a segment write or curve selection starts, the display from a known program
// window, the plot's lines, and an untouched pass that writes nothing.
#include "programs/program_plot.h"
#include "programs/program_table.h"
#include "programs/tech_form.h"
#include "charts/chart_picture.h"
#include "params/config_form.h"
#include "support/operator_typing.h"
#include "support/recording_link.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <memory>

class TestProgramEditor : public QObject {
    Q_OBJECT
    RecordingLink link;
    std::unique_ptr<Instrument> instrument;
    std::unique_ptr<Tech> tech;

    template <class W> W* get(const QString& name) {
        W* w = tech->findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    // A program window as the instrument serves it: header, then segment s at 16 + 8 (s - 1).
    void serve(int recipe, const QList<std::array<int, 4>>& segments, int startChoice = 0) {
        link.holdingRegisters.clear();
        link.holdingRegisters[program::kHeaderFirst + program::kRecipeIndex] = recipe;
        link.holdingRegisters[program::kHeaderFirst + program::kStartChoiceIndex] = startChoice;
        for (int s = 1; s <= segments.size(); ++s)
            for (int f = 0; f < 4; ++f)
                link.holdingRegisters[program::segment_register(recipe, s, f)] =
                    segments[s - 1][std::size_t(f)];
    }
    void readBack() { // Timer2's three ticks, each read completed as the event loop would
        for (int i = 0; i < 3; ++i) {
            tech->Timer2_Timer();
            link.completeAll();
        }
    }
    bool open() {
        tech = std::make_unique<Tech>(*instrument, link, [] {});
        tech->Form_Load();
        tech->show();
        tech->activateWindow();
        return QTest::qWaitForWindowActive(tech.get(), 2000);
    }
    void typeAndLeave(QWidget* editor, const QString& text) {
        type_and_leave(editor, text, tech->returnButton());
    }

private slots:
    void init() {
        instrument = std::make_unique<Instrument>();
        instrument->target().port = 2;
        instrument->target().address = 1;
        link.writeResults.clear();
        link.holdingRegisters.clear();
        link.clearCalls();
    }
    void cleanup() {
        tech.reset();
        instrument.reset();
    }

    void fieldWrites_data();
    void fieldWrites();
    void readBackOfTheRecipesTable();
    void curveSelectionReadsThreeTimesThenStops();
    void segmentWriteStartsAReadBack();
    void untouchedPassWritesNothing();
    void timeAxis_data();
    void timeAxis();
    void verticalAxisAndDisplay();
    void plottedLines();
    void segmentChosenAfterTypingKeepsTheEdit();
    void busyLineStillReadsThreeTimes();
    void failedCurveSelectionIsMarked();
    void deleteInAnEmptyMaskedBoxWritesNothing();
    void screenLabels_data();
    void screenLabels();
};

void TestProgramEditor::fieldWrites_data() {
    QTest::addColumn<int>("recipe");
    QTest::addColumn<int>("segment");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("text"); // typed; "v" + n: n times the Down key in a list
    QTest::addColumn<QString>("written");
    QTest::newRow("TextA(3)") << 0 << 1 << "TextA(3)"
                              << "12"
                              << "Set_4X_D1(2,1,8196,12)";
    QTest::newRow("TextA rounds to even") << 0 << 1 << "TextA(1)"
                                          << "2.5"
                                          << "Set_4X_D1(2,1,8194,2)";
    QTest::newRow("CB3 third entry") << 0 << 1 << "CB3"
                                     << "v2"
                                     << "Set_4X_D1(2,1,8198,2)";
    QTest::newRow("TxtB of segment 24") << 0 << 24 << "TxtB"
                                        << "90"
                                        << "Set_4X_D1(2,1,8394,90)";
    QTest::newRow("TxtB of segment 24, recipe 2") << 2 << 24 << "TxtB"
                                                  << "90"
                                                  << "Set_4X_D1(2,1,8650,90)";
    QTest::newRow("TxtA of segment 1, recipe 2") << 2 << 1 << "TxtA"
                                                 << "1200"
                                                 << "Set_4X_D1(2,1,8465,1200)";
    QTest::newRow("CB1B of segment 3") << 0 << 3 << "CB1B"
                                       << "v3"
                                       << "Set_4X_D1(2,1,8228,3)";
    QTest::newRow("mask keeps four digits") << 0 << 1 << "TxtA"
                                            << "123456"
                                            << "Set_4X_D1(2,1,8209,1234)";
    QTest::newRow("recipe -65 places nothing, not registers 1-4") << -65 << 15 << "TxtA"
                                                                  << "1200"
                                                                  << "";
    QTest::newRow("CB6 writes nothing") << 0 << 1 << "CB6"
                                        << "v2"
                                        << "";
}

void TestProgramEditor::fieldWrites() {
    QFETCH(int, recipe);
    QFETCH(int, segment);
    QFETCH(QString, editor);
    QFETCH(QString, text);
    QFETCH(QString, written);
    serve(recipe, {});
    QVERIFY(open());
    readBack();
    get<QScrollBar>(QStringLiteral("HScl1"))->setValue(segment);
    link.clearCalls();
    QWidget* w = tech->findChild<QWidget*>(editor);
    QVERIFY(w);
    if (text.startsWith(u'v')) {
        w->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < text.mid(1).toInt(); ++i)
            QTest::keyClick(w, Qt::Key_Down);
        tech->returnButton()->setFocus(Qt::TabFocusReason);
    } else {
        typeAndLeave(w, text);
    }
    QStringList got;
    for (const auto& c : link.writes())
        got << c.text();
    QCOMPARE(got, written.isEmpty() ? QStringList() : QStringList{written});
}

void TestProgramEditor::readBackOfTheRecipesTable() {
    serve(2, {{500, 10, 1, 2}});
    QVERIFY(open());
    link.clearCalls();
    tech->Timer2_Timer();
    link.completeAll();
    const auto reads = link.callsOf(QStringLiteral("Get_4X_DX"));
    QCOMPARE(reads.size(), 13);
    QCOMPARE(reads[0].first, 8193);
    QCOMPARE(reads[1].first, 8465); // 0x2111: 8209 + 128 x 2
    QCOMPARE(reads[12].first + reads[12].count - 1, 8656);
    tech->Timer1_Timer();
    QCOMPARE(get<QLabel>(QStringLiteral("Label13A"))->text(), QStringLiteral("500"));
    QCOMPARE(get<QLabel>(QStringLiteral("Label3(11)"))->text(), QStringLiteral("2"));
}

void TestProgramEditor::curveSelectionReadsThreeTimesThenStops() {
    QVERIFY(open());
    readBack(); // the read-back of the load
    QVERIFY(!tech->timer2().isActive());
    link.clearCalls();
    auto* combo = get<QComboBox>(QStringLiteral("Combo4"));
    combo->setCurrentIndex(5);
    QTest::mouseClick(get<QPushButton>(QStringLiteral("Command27")), Qt::LeftButton);
    link.completeAll();
    QCOMPARE(link.writes().size(), 1);
    QCOMPARE(link.writes()[0].text(), QStringLiteral("Set_4X_D1(2,1,7,5)"));
    QVERIFY(tech->timer2().isActive());
    QCOMPARE(tech->timer2().interval(), 500);
    readBack();
    QVERIFY(!tech->timer2().isActive());
    QCOMPARE(link.callsOf(QStringLiteral("Get_4X_DX")).size(), 3 * 13);
    // A read-back asked for while one runs does not add ticks.
    QTest::mouseClick(get<QPushButton>(QStringLiteral("Command27")), Qt::LeftButton);
    link.completeAll();
    tech->Timer2_Timer();
    link.completeAll();
    QTest::mouseClick(get<QPushButton>(QStringLiteral("Command27")), Qt::LeftButton);
    link.completeAll();
    tech->Timer2_Timer();
    link.completeAll();
    tech->Timer2_Timer();
    link.completeAll();
    QVERIFY(!tech->timer2().isActive());
}

void TestProgramEditor::segmentWriteStartsAReadBack() {
    QVERIFY(open());
    readBack();
    link.writeResults = {-8888}; // the first attempt fails, the repeat goes through
    typeAndLeave(get<QLineEdit>(QStringLiteral("TxtA")), QStringLiteral("750"));
    QVERIFY(!tech->timer2().isActive()); // not before the write has its answer
    link.completeAll();
    QCOMPARE(link.writes().size(), 2);
    QVERIFY(tech->timer2().isActive());
    // A header write starts none.
    readBack();
    typeAndLeave(get<QLineEdit>(QStringLiteral("TextA(4)")), QStringLiteral("3"));
    link.completeAll();
    QVERIFY(!tech->timer2().isActive());
}

void TestProgramEditor::untouchedPassWritesNothing() {
    QVERIFY(open());
    readBack();
    link.clearCalls();
    const QStringList editors{"CB1",  "TextA(1)", "CB2",      "TextA(3)", "TextA(4)",  "CB3",
                              "CB4",  "CB5",      "TextA(8)", "TextA(9)", "TextA(10)", "CB6",
                              "TxtA", "TxtB",     "CB1A",     "CB1B",     "Combo4"};
    for (const QString& name : editors)
        get<QWidget>(name)->setFocus(Qt::TabFocusReason);
    tech->returnButton()->setFocus(Qt::TabFocusReason);
    QCOMPARE(link.writes().size(), 0);
}

void TestProgramEditor::timeAxis_data() {
    QTest::addColumn<QList<int>>("times");
    QTest::addColumn<int>("step");
    QTest::newRow("no time at all") << QList<int>{} << 1;
    QTest::newRow("150 in all") << QList<int>{50, 100} << 11;
    QTest::newRow("14 in all") << QList<int>{14} << 1;
    QTest::newRow("15 in all") << QList<int>{15} << 2;
}

void TestProgramEditor::timeAxis() {
    QFETCH(QList<int>, times);
    QFETCH(int, step);
    QList<std::array<int, 4>> segments;
    for (int t : times)
        segments.append({100, t, 0, 0});
    serve(0, segments);
    QVERIFY(open());
    readBack();
    tech->Timer1_Timer();
    for (int i : {0, 1, 15})
        QCOMPARE(get<QLabel>(QStringLiteral("Label8(%1)").arg(i))->text(),
                 QString::number(i * step));
}

void TestProgramEditor::verticalAxisAndDisplay() {
    serve(0, {{0, 10, 0, 0}, {1200, 20, 1, 3}, {600, 30, 0, 5}});
    QVERIFY(open());
    readBack();
    tech->Timer1_Timer();
    QCOMPARE(get<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("1200"));
    QCOMPARE(get<QLabel>(QStringLiteral("Label10"))->text(), QStringLiteral("0"));
    QCOMPARE(get<QLabel>(QStringLiteral("Label11"))->text(), QStringLiteral("160"));
    QCOMPARE(get<QLabel>(QStringLiteral("Label6(0)"))->text(), QStringLiteral("00000"));
    QCOMPARE(get<QLabel>(QStringLiteral("Label6(1)"))->text(), QStringLiteral("00160"));
    QCOMPARE(get<QLabel>(QStringLiteral("Label6(9)"))->text(), QStringLiteral("01440"));
    auto* grid = get<QTableWidget>(QStringLiteral("Flxg"));
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("1200")); // segment 2's temperature
    QCOMPARE(grid->item(1, 4)->text(), QStringLiteral("3"));
    QCOMPARE(grid->item(25, 0)->text(), QStringLiteral("26")); // numbered at load, beyond 24
    get<QScrollBar>(QStringLiteral("HScl1"))->setValue(3);
    QCOMPARE(get<QLabel>(QStringLiteral("Label3A"))->text(), QStringLiteral("3"));
    tech->Timer1_Timer();
    QCOMPARE(get<QLabel>(QStringLiteral("Label13D"))->text(), QStringLiteral("5"));
}

// A known program, drawn with the figures of the previous refresh: the lines on pt1 as recorded.
void TestProgramEditor::plottedLines() {
    serve(0, {{300, 100, 0, 0}, {600, 50, 0, 0}}, 0);
    QVERIFY(open());
    readBack();
    instrument->image().Val3X[0] = 25.5f; // the start value: the process value, rounded to even
    tech->Timer1_Timer();                 // measures: lowest 0 (segments 3.. are 0), span 600
    tech->Timer1_Timer();                 // draws with them
    const auto& lines = tech->picture()->shown().lines();
    QList<RecordedLine> grid, segments, curve;
    for (const auto& l : lines) {
        if (l.pen.colour == rgb_from_bgr(0x004040))
            grid << l;
        else if (l.pen.colour == rgb_from_bgr(0x00FF00))
            segments << l;
        else
            curve << l;
    }
    QCOMPARE(grid.size(), 46 + 16);
    QCOMPARE(grid[0].pen.style, LineStyle::Dotted);
    QCOMPARE(segments.size(), 24);
    QCOMPARE(curve.size(), 24);
    QCOMPARE(curve[0].pen, (ChartPen{rgb_from_bgr(0x0000FF), 2, LineStyle::Solid}));
    QCOMPARE(segments[0].pen.style, LineStyle::Dashed);
    // Total time 150: step 11, 15000 / 165 units per time unit; span 600: 12.5 units a degree.
    const double h = double(float(15000.0 / 165.0)); // the scale is a single-precision number
    QCOMPARE(segments[0].units, QLineF(h * 100, 0, h * 100, 9000));
    QCOMPARE(curve[0].units, QLineF(0, 9008 - 325, std::nearbyint(h * 100), 9008 - 3750));
    QCOMPARE(curve[1].units,
             QLineF(std::nearbyint(h * 100), 9008 - 3750, std::nearbyint(h * 150), 9008 - 7500));
    QCOMPARE(curve[2].units.y2(), 9008.0); // back to 0 at the end of segment 3
}

// 750 typed for segment 3, then the scroll bar turned to segment 8 before the box is left: the
// value goes to segment 3, where it was typed.
void TestProgramEditor::segmentChosenAfterTypingKeepsTheEdit() {
    QVERIFY(open());
    readBack();
    auto* bar = get<QScrollBar>(QStringLiteral("HScl1"));
    bar->setValue(3);
    link.clearCalls();
    auto* box = get<QLineEdit>(QStringLiteral("TxtA"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, QStringLiteral("750"));
    const QPoint middle = bar->rect().center();
    QWheelEvent turn(middle, bar->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &turn); // as the window system delivers it: the bar takes focus
    bar->setValue(8);
    tech->returnButton()->setFocus(Qt::TabFocusReason);
    QStringList got;
    for (const auto& c : link.writes())
        got << c.text();
    QCOMPARE(got, QStringList{QStringLiteral("Set_4X_D1(2,1,8225,750)")});
}

// On a line so busy that a read of the window outlasts Timer2's interval, the ticks that find it
// still reading are not counted: three whole reads all the same.
void TestProgramEditor::busyLineStillReadsThreeTimes() {
    QVERIFY(open());
    link.clearCalls();
    tech->Timer2_Timer(); // load's burst, first read under way
    for (int i = 0; i < 5; ++i) {
        tech->Timer2_Timer(); // the read has not finished: skipped
        link.completeNext();
    }
    link.completeAll();
    while (tech->timer2().isActive()) {
        tech->Timer2_Timer();
        link.completeAll();
    }
    QCOMPARE(link.callsOf(QStringLiteral("Get_4X_DX")).size(), 3 * 13);
}

void TestProgramEditor::failedCurveSelectionIsMarked() {
    QVERIFY(open());
    readBack();
    link.writeResults = {-8888, -8888};
    link.linkStatus.lastMessage = QStringLiteral("Set_4X_D1 7 = 3: time out");
    auto* combo = get<QComboBox>(QStringLiteral("Combo4"));
    combo->setCurrentIndex(3);
    QTest::mouseClick(get<QPushButton>(QStringLiteral("Command27")), Qt::LeftButton);
    link.completeAll();
    QCOMPARE(link.writes().size(), 2);
    QCOMPARE(combo->lineEdit()->palette().color(QPalette::Base), QColor(255, 200, 200));
    QVERIFY(combo->toolTip().contains(QStringLiteral("time out")));
    QTest::mouseClick(get<QPushButton>(QStringLiteral("Command27")), Qt::LeftButton);
    link.completeAll();
    QCOMPARE(combo->lineEdit()->palette().color(QPalette::Base), QColor(255, 255, 255));
    QVERIFY(combo->toolTip().isEmpty());
}

void TestProgramEditor::deleteInAnEmptyMaskedBoxWritesNothing() {
    QVERIFY(open());
    readBack();
    link.clearCalls();
    auto* box = get<QLineEdit>(QStringLiteral("TxtA"));
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_Delete);
    tech->returnButton()->setFocus(Qt::TabFocusReason);
    QCOMPARE(link.writes().size(), 0);
    // With digits in it, the box selects its four characters as it takes the focus.
    box->setText(QStringLiteral("1234"));
    box->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QCOMPARE(box->selectedText(), QStringLiteral("1234"));
}

// Labels where they stand, Label8 filled from load; "at": a point of pt1 in its units, -1: any.
void TestProgramEditor::screenLabels_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label6(0) at lowest") << "Label6(0)" << QPointF(-1, 9000) << "";
    QTest::newRow("Label6(9) at the top line") << "Label6(9)" << QPointF(-1, 0) << "";
    QTest::newRow("Label8(0), from load") << "Label8(0)" << QPointF(0, -1) << "0";
    QTest::newRow("Label8(15) at x = 15000") << "Label8(15)" << QPointF(15000, -1) << "15";
    QTest::newRow("CONFIG1 hint by point 1") << "Label2(74)" << QPointF() << "-10000 -  30000";
}

void TestProgramEditor::screenLabels() {
    QFETCH(QString, label);
    QFETCH(QPointF, at);
    QFETCH(QString, text);
    std::unique_ptr<ParamScreen> form(
        label[5] == u'2' ? static_cast<ParamScreen*>(new CONFIG1(*instrument, link, [] {}))
                         : new Tech(*instrument, link, [] {}));
    form->Form_Load();
    if (auto* tabs = form->findChild<QTabWidget*>(QStringLiteral("SSTab2")))
        tabs->setCurrentIndex(5);
    form->resize(1280, 800);
    form->show();
    link.completeAll();
    auto* shown = form->findChild<QLabel*>(label);
    QVERIFY(text.isEmpty() || shown->text() == text);
    auto where = [&form](const QWidget* w) {
        return QRect(w->mapTo(form.get(), QPoint()), w->size());
    };
    const QRect rect = where(shown);
    if (auto* editor = qobject_cast<Tech*>(form.get())) {
        const QRect plot = where(editor->picture());
        const QPoint line =
            plot.topLeft() + ImageSurface::pixel_of(plot.size(), at, program::kPlotUnits);
        QVERIFY(at.x() < 0 ? qAbs(rect.center().y() - line.y()) <= 1 && rect.right() < plot.left()
                           : qAbs(rect.center().x() - line.x()) <= 1 && rect.top() > plot.bottom());
    } else if (auto* box = form->findChild<QLineEdit*>(QStringLiteral("T_3RW(74)"))) {
        QVERIFY(rect.left() > where(box).right() &&
                qAbs(rect.center().y() - where(box).center().y()) < 4);
    }
}

QTEST_MAIN(TestProgramEditor)
#include "test_program_editor.moc"
