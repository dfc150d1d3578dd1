// The live status panel through the overview's own Timer1 handler: numbers, decode tables with
// their words and colours, fault fields, what the first ticks show before the link opens, and
// stale values in grey with the age of the last good read.

#include "overview/panel_decode.h"
#include "overview/program_progress.h"
#include "overview_rig.h"
#include "support/settable_clock.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace panel_colour;

using Fill = std::function<void(RegisterImage&)>; // sets part of the register image

class TestStatusPanel : public QObject {
    Q_OBJECT
    std::unique_ptr<OverviewRig> rig;

    QLabel* field(const char* name, int i) {
        return rig->get<QLabel>(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
    }

private slots:
    void init() { rig = std::make_unique<OverviewRig>(); }
    void cleanup() { rig.reset(); }

    void allZeroImageBeforeTheLinkOpens();
    void tickRunsFromShowing();
    void numberText_data();
    void numberText();
    void alarmTypes_data();
    void alarmTypes();
    void codeOutsideATableKeepsTheEarlierWord_data();
    void codeOutsideATableKeepsTheEarlierWord();
    void stateTables_data();
    void stateTables();
    void bitTables_data();
    void bitTables();
    void faultFields_data();
    void faultFields();
    void mainColoursRestoredOutsideRulerMode();
    void staleValuesInGrey_data();
    void staleValuesInGrey();
    void programProgress_data();
    void programProgress();
};

void TestStatusPanel::allZeroImageBeforeTheLinkOpens() {
    rig->form.Timer1_Timer();
    for (int i = 0; i <= 6; ++i)
        QCOMPARE(field("D_3W", i)->text(), QStringLiteral("0"));
    for (int i : {1, 2, 3, 6})
        QCOMPARE(field("D_4W", i)->text(), QStringLiteral("0"));
    for (int i = 0; i <= 6; ++i)
        QCOMPARE(field("D3WW", i)->text(), QStringLiteral("0"));
    for (int i = 1; i <= 6; ++i)
        QCOMPARE(field("D3XX", i)->text(), QStringLiteral("0"));
    for (int i = 0; i <= 15; ++i)
        QCOMPARE(field("D3WWP", i)->text(), QStringLiteral("0"));
    QCOMPARE(field("D_3W", 7)->text(), QStringLiteral("1无报警"));
    QCOMPARE(field("D_3W", 8)->text(), QStringLiteral("2无报警"));
    QCOMPARE(background(field("D_3W", 7)), Off.color());
    QCOMPARE(background(field("D_3W", 8)), Off.color());
    QCOMPARE(field("D3XX", 0)->text(), QStringLiteral("停止"));
    QCOMPARE(field("D3XX", 7)->text(), QStringLiteral("无等待"));
    QCOMPARE(field("D_4W", 7)->text(), QStringLiteral("停止"));
    QCOMPARE(field("D_1RW", 0)->text(), QStringLiteral("手动"));
    QCOMPARE(field("D_2R", 0)->text(), QStringLiteral("报警一OFF"));
    for (int i = 4; i <= 7; ++i)
        QVERIFY(field("D_2R", i)->isHidden());
    QVERIFY(field("D3XX", 8)->text().isEmpty()); // exists, never written
    for (int i = 0; i <= 2; ++i)
        QCOMPARE(background(field("D_3W", i)), MainValue.color());
}

void TestStatusPanel::tickRunsFromShowing() {
    QVERIFY(!rig->form.timer1().isActive());
    QCOMPARE(field("D_3W", 7)->text(), QStringLiteral("报警1无报警")); // design caption
    rig->form.show();
    QVERIFY(rig->form.timer1().isActive());
    QCOMPARE(rig->form.timer1().interval(), 200);
    rig->image().Val3X[0] = 42;
    QTRY_COMPARE_WITH_TIMEOUT(field("D_3W", 0)->text(), QStringLiteral("42"), 2000);
}

void TestStatusPanel::numberText_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<Fill>("set");
    QTest::addColumn<QString>("text");
    QTest::newRow("output in tenths")
        << "D_3W(1)" << Fill([](RegisterImage& im) { im.Val3X[1] = 12.3f; }) << "12.3";
    QTest::newRow("whole") << "D_3W(0)" << Fill([](RegisterImage& im) { im.Val3X[0] = 1500; })
                           << "1500";
    QTest::newRow("below one") << "D_3W(2)" << Fill([](RegisterImage& im) { im.Val3X[2] = 0.5f; })
                               << "0.5";
    QTest::newRow("negative") << "D_3W(6)" << Fill([](RegisterImage& im) { im.Val3X[6] = -3.2f; })
                              << "-3.2";
    QTest::newRow("seven digits") << "D_3W(3)"
                                  << Fill([](RegisterImage& im) { im.Val3X[3] = 1234.5678f; })
                                  << "1234.568";
    QTest::newRow("rounded derivative")
        << "D3WW(3)" << Fill([](RegisterImage& im) { im.Val3X33[3] = 12; }) << "12";
    QTest::newRow("PID tenths") << "D3WWP(2)"
                                << Fill([](RegisterImage& im) { im.Val4X4353[2] = 1.5f; }) << "1.5";
    QTest::newRow("last PID field")
        << "D3WWP(15)" << Fill([](RegisterImage& im) { im.Val4X4353[15] = 0.3f; }) << "0.3";
    QTest::newRow("program integer")
        << "D3XX(4)" << Fill([](RegisterImage& im) { im.Val3X4097[4] = -7; }) << "-7";
    QTest::newRow("written OP") << "D_4W(1)" << Fill([](RegisterImage& im) { im.Val4X[1] = 45.5f; })
                                << "45.5";
    QTest::newRow("curve number") << "D_4W(6)" << Fill([](RegisterImage& im) { im.Val4X[6] = 8; })
                                  << "8";
    QTest::newRow("SV2 written") << "D_4W(3)"
                                 << Fill([](RegisterImage& im) { im.Val4X[3] = -10000; })
                                 << "-10000";
}

void TestStatusPanel::numberText() {
    QFETCH(QString, field);
    QFETCH(Fill, set);
    QFETCH(QString, text);
    set(rig->image());
    rig->form.Timer1_Timer();
    QCOMPARE(rig->get<QLabel>(field)->text(), text);
}

void TestStatusPanel::alarmTypes_data() {
    QTest::addColumn<int>("alarm");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QColor>("colour");
    const char* words[2][8] = {{"1无报警", "上限报警1", "下限报警1", "上偏差报警1", "下偏差报警1",
                                "偏差带报警1", "断线报警1", "段动作1EN"},
                               {"2无报警", "上限报警2", "下限报警2", "上偏差报警2", "下偏差报警2",
                                "偏差带报警2", "断线报警2", "段动作2EN"}};
    for (int alarm = 1; alarm <= 2; ++alarm)
        for (int code = 0; code <= 7; ++code)
            QTest::addRow("alarm %d code %d", alarm, code)
                << alarm << code << QString::fromUtf8(words[alarm - 1][code])
                << (code == 0 ? Off.color() : On.color());
}

void TestStatusPanel::alarmTypes() {
    QFETCH(int, alarm);
    QFETCH(int, code);
    QFETCH(QString, word);
    QFETCH(QColor, colour);
    // Start from the other end of the table, so that both word and colour must change.
    rig->image().Val3X[6 + alarm] = code == 0 ? 1 : 0;
    rig->form.Timer1_Timer();
    rig->image().Val3X[6 + alarm] = static_cast<float>(code);
    rig->form.Timer1_Timer();
    QLabel* f = field("D_3W", 6 + alarm);
    QCOMPARE(f->text(), word);
    QCOMPARE(background(f), colour);
}

void TestStatusPanel::codeOutsideATableKeepsTheEarlierWord_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<std::function<void(RegisterImage&, double)>>("set");
    QTest::addColumn<double>("known");
    QTest::addColumn<double>("unknown");
    QTest::addColumn<QString>("word");
    using Set = std::function<void(RegisterImage&, double)>;
    const Set alarm1 = [](RegisterImage& im, double v) { im.Val3X[7] = static_cast<float>(v); };
    const Set alarm2 = [](RegisterImage& im, double v) { im.Val3X[8] = static_cast<float>(v); };
    const Set program = [](RegisterImage& im, double v) {
        im.Val3X4097[0] = static_cast<qint32>(v);
    };
    const Set wait = [](RegisterImage& im, double v) { im.Val3X4097[7] = static_cast<qint32>(v); };
    const Set command = [](RegisterImage& im, double v) { im.Val4X[7] = static_cast<float>(v); };
    QTest::newRow("alarm 1: 3 then 9") << "D_3W(7)" << alarm1 << 3.0 << 9.0 << "上偏差报警1";
    QTest::newRow("alarm 1: 6 then -1") << "D_3W(7)" << alarm1 << 6.0 << -1.0 << "断线报警1";
    QTest::newRow("alarm 2: 0 then 8") << "D_3W(8)" << alarm2 << 0.0 << 8.0 << "2无报警";
    QTest::newRow("alarm 2: 5 then 2.5") << "D_3W(8)" << alarm2 << 5.0 << 2.5 << "偏差带报警2";
    QTest::newRow("program: 2 then 3") << "D3XX(0)" << program << 2.0 << 3.0 << "暂停";
    QTest::newRow("program: 4 then 5") << "D3XX(0)" << program << 4.0 << 5.0 << "结束";
    QTest::newRow("program: 1 then -1") << "D3XX(0)" << program << 1.0 << -1.0 << "运行";
    QTest::newRow("wait: 1 then 2") << "D3XX(7)" << wait << 1.0 << 2.0 << "偏差等待";
    QTest::newRow("command: 16 then 3") << "D_4W(7)" << command << 16.0 << 3.0 << "休眠";
    QTest::newRow("command: 8 then 32") << "D_4W(7)" << command << 8.0 << 32.0 << "复位";
}

void TestStatusPanel::codeOutsideATableKeepsTheEarlierWord() {
    QFETCH(QString, field);
    QFETCH(std::function<void(RegisterImage&, double)>, set);
    QFETCH(double, known);
    QFETCH(double, unknown);
    QFETCH(QString, word);
    set(rig->image(), known);
    rig->form.Timer1_Timer();
    QLabel* f = rig->get<QLabel>(field);
    const QColor colour = background(f);
    set(rig->image(), unknown);
    rig->form.Timer1_Timer();
    QCOMPARE(f->text(), word);
    QCOMPARE(background(f), colour);
}

void TestStatusPanel::stateTables_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<std::function<void(RegisterImage&, int)>>("set");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("word");
    using Set = std::function<void(RegisterImage&, int)>;
    const Set program = [](RegisterImage& im, int v) { im.Val3X4097[0] = v; };
    const Set wait = [](RegisterImage& im, int v) { im.Val3X4097[7] = v; };
    const Set command = [](RegisterImage& im, int v) { im.Val4X[7] = static_cast<float>(v); };
    const std::pair<int, const char*> programWords[] = {
        {0, "停止"}, {1, "运行"}, {2, "暂停"}, {4, "结束"}};
    for (const auto& [code, word] : programWords)
        QTest::addRow("program %d", code)
            << "D3XX(0)" << program << code << QString::fromUtf8(word);
    QTest::newRow("wait 0") << "D3XX(7)" << wait << 0 << "无等待";
    QTest::newRow("wait 1") << "D3XX(7)" << wait << 1 << "偏差等待";
    const std::pair<int, const char*> commandWords[] = {{0, "停止"}, {1, "运行"}, {2, "暂停"},
                                                        {4, "结束"}, {8, "复位"}, {16, "休眠"}};
    for (const auto& [code, word] : commandWords)
        QTest::addRow("command %d", code)
            << "D_4W(7)" << command << code << QString::fromUtf8(word);
}

void TestStatusPanel::stateTables() {
    QFETCH(QString, field);
    QFETCH(std::function<void(RegisterImage&, int)>, set);
    QFETCH(int, code);
    QFETCH(QString, word);
    set(rig->image(), code == 1 ? 2 : 1); // a different word first
    rig->form.Timer1_Timer();
    QLabel* f = rig->get<QLabel>(field);
    const QColor colour = background(f);
    set(rig->image(), code);
    rig->form.Timer1_Timer();
    QCOMPARE(f->text(), word);
    QCOMPARE(background(f), colour); // these tables change no colour
    QCOMPARE(colour, Field.color());
}

void TestStatusPanel::bitTables_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("coil"); // Bit0X, else Bit1X
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("bit");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QColor>("colour"); // invalid: the design colour stays
    const QColor keep;
    struct Row {
        const char* field;
        bool coil;
        int index;
        const char* off;
        const char* on;
        bool tinted;
    };
    const Row rows[] = {
        {"D_1RW(0)", true, 0, "手动", "自动", false},
        {"D_1RW(1)", true, 1, "单点SV", "程序运行", true},
        {"D_1RW(2)", true, 2, "SV1", "SV2", true},
        {"D_1RW(6)", true, 6, "主整定关", "主自整定开", true},
        {"D_2R(0)", false, 0, "报警一OFF", "报警一ON", true},
        {"D_2R(1)", false, 1, "报警二OFF", "报警二ON", true},
    };
    for (const Row& r : rows) {
        QTest::addRow("%s off", r.field)
            << r.field << r.coil << r.index << 0 << QString::fromUtf8(r.off)
            << (r.tinted ? Off.color() : keep);
        QTest::addRow("%s on", r.field)
            << r.field << r.coil << r.index << 1 << QString::fromUtf8(r.on)
            << (r.tinted ? On.color() : keep);
        QTest::addRow("%s 2 is on", r.field)
            << r.field << r.coil << r.index << 2 << QString::fromUtf8(r.on)
            << (r.tinted ? On.color() : keep);
    }
}

void TestStatusPanel::bitTables() {
    QFETCH(QString, field);
    QFETCH(bool, coil);
    QFETCH(int, index);
    QFETCH(int, bit);
    QFETCH(QString, word);
    QFETCH(QColor, colour);
    auto& image = coil ? rig->image().Bit0X : rig->image().Bit1X;
    QLabel* f = rig->get<QLabel>(field);
    const QColor design = background(f);
    image[index] = bit == 0 ? 1 : 0; // the other word first
    rig->form.Timer1_Timer();
    image[index] = bit;
    rig->form.Timer1_Timer();
    QCOMPARE(f->text(), word);
    QCOMPARE(background(f), colour.isValid() ? colour : design);
}

void TestStatusPanel::faultFields_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::newRow("PV1 open") << 4 << "PV1开路";
    QTest::newRow("PV1 short") << 5 << "PV1短路";
    QTest::newRow("PV2 open") << 6 << "PV2开路";
    QTest::newRow("PV2 short") << 7 << "PV2短路";
}

void TestStatusPanel::faultFields() {
    QFETCH(int, index);
    QFETCH(QString, caption);
    QLabel* f = field("D_2R", index);
    rig->image().Bit1X[index] = 1;
    rig->form.Timer1_Timer();
    QVERIFY(!f->isHidden());
    QCOMPARE(f->text(), caption);
    QCOMPARE(background(f), On.color());
    for (int other = 4; other <= 7; ++other)
        if (other != index)
            QVERIFY(field("D_2R", other)->isHidden());
    rig->image().Bit1X[index] = 0;
    rig->form.Timer1_Timer();
    QVERIFY(f->isHidden());
}

void TestStatusPanel::mainColoursRestoredOutsideRulerMode() {
    bool ruler = true;
    QStringList order;
    ChartHooks hooks;
    hooks.rulerMode = [&] { return ruler; };
    hooks.tick = [&] { order << QStringLiteral("chart"); };
    hooks.afterRefresh = [&] { order << QStringLiteral("after:") + field("D_3W", 0)->text(); };
    rig->form.setChartHooks(hooks);
    const Rgb yellow{255, 255, 0};
    for (int i = 0; i <= 2; ++i)
        StatusPanel::setBackground(field("D_3W", i), yellow);
    rig->image().Val3X[0] = 7;
    rig->form.Timer1_Timer();
    QCOMPARE(background(field("D_3W", 0)), yellow.color()); // the ruler's colour stays
    QCOMPARE(order, (QStringList{"chart", "after:7"}));     // chart work, then the refresh
    ruler = false;
    rig->form.Timer1_Timer();
    for (int i = 0; i <= 2; ++i)
        QCOMPARE(background(field("D_3W", i)), MainValue.color());
}

// The line under "PROGRAM ": state, segment, times left (input registers 4097, 4100..4102) in the
// program's unit, at 09:00.
void TestStatusPanel::programProgress_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("segments"); // 0: the program not known
    QTest::addColumn<int>("unit");     // seconds
    QTest::addColumn<int>("total");    // 总剩余时间
    QTest::addColumn<QString>("line");
    const QString left = QStringLiteral("段 3/8 · 0:10:00 left in the segment · ");
    QTest::newRow("stopped") << 0 << 8 << 60 << 140 << "";
    QTest::newRow("ended") << 4 << 8 << 60 << 140 << "";
    QTest::newRow("program not read yet") << 1 << 0 << 0 << 140 << "段 3";
    QTest::newRow("running, minutes") << 1 << 8 << 60 << 140 << left + "ends 11:20";
    QTest::newRow("held") << 2 << 8 << 60 << 140 << left + "ends 11:20 if resumed now";
    QTest::newRow("past midnight") << 1 << 8 << 60 << 900 << left + "ends 2026-12-09 00:00";
    QTest::newRow("seconds") << 1 << 8 << 1 << 140
                             << "段 3/8 · 0:00:10 left in the segment · ends 09:02";
}

void TestStatusPanel::programProgress() {
    QFETCH(int, state);
    QFETCH(int, segments);
    QFETCH(int, unit);
    QFETCH(int, total);
    QFETCH(QString, line);
    RegisterImage image;
    image.Val3X4097[0] = state;
    image.Val3X4097[3] = 3;
    image.Val3X4097[4] = 10;
    image.Val3X4097[5] = total;
    const auto shape = segments ? std::optional(ProgramShape{segments, unit}) : std::nullopt;
    QCOMPARE(program_progress(image, shape, QDateTime(QDate(2026, 12, 8), QTime(9, 0))), line);
}

QTEST_MAIN(TestStatusPanel)
#include "test_status_panel.moc"

void TestStatusPanel::staleValuesInGrey_data() {
    QTest::addColumn<int>("quietSeconds");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QString>("lineStart");
    QTest::newRow("read within the poll cycles") << 1 << QColor(Qt::black) << "Open ";
    QTest::newRow("link lost for 37 s")
        << 37 << QColor(128, 128, 128) << "Last good read 37 s ago · Open ";
}

void TestStatusPanel::staleValuesInGrey() {
    QFETCH(int, quietSeconds);
    QFETCH(QColor, text);
    QFETCH(QString, lineStart);
    SettableClock clock;
    set_console_clock(&clock);
    QTest::mouseClick(rig->get<QPushButton>(QStringLiteral("Command9")), Qt::LeftButton);
    rig->link.linkStatus.good = 5; // good transactions since the port was opened
    rig->form.Timer1_Timer();
    clock.advanceSeconds(quietSeconds); // no transaction answered meanwhile
    rig->form.Timer1_Timer();
    set_console_clock(nullptr);
    QCOMPARE(field("D_3W", 0)->palette().color(QPalette::WindowText), text);
    QCOMPARE(field("D3WWP", 3)->palette().color(QPalette::WindowText), text);
    const QString line = rig->get<QLabel>(QStringLiteral("LinkStatus"))->text();
    QVERIFY2(line.startsWith(lineStart), qPrintable(line));
}
