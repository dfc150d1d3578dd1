// The journal in the operator's words: an alarm-screen write taken, refused or unanswered, in
// English and Chinese; values in the screen's units; a compare's curve selections as one event.
#include "app/journal_wiring.h"
#include "files/setup_job.h"
#include "journal/event_journal.h"
#include "journal/journal_link.h"
#include "journal/journal_marks.h"
#include "journal/journal_words.h"
#include "link/instrument.h"
#include "params/alarm_form.h"
#include "support/operator_typing.h"
#include "support/recording_link.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

Q_DECLARE_METATYPE(journal_words::Window)

class TestJournalWords : public QObject {
    Q_OBJECT
private slots:
    void alarmScreenWriteInWords_data();
    void alarmScreenWriteInWords();
    void changeInTheScreensUnits_data();
    void changeInTheScreensUnits();
    void compareIsOneEventWithItsCurves();
};

void TestJournalWords::alarmScreenWriteInWords_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("exception"); // of the instrument's answer to the write; 0: none
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QString>("detail"); // how it begins: the change
    QTest::addColumn<QString>("result");
    const QString en = QStringLiteral("加热器断线判断输出值 60.0 → 70.0 (register 264)");
    const QString zh = QStringLiteral("加热器断线判断输出值 60.0 → 70.0（寄存器 264）");
    QTest::newRow("taken, English") << "en" << 0 << true << en << "accepted";
    QTest::newRow("taken, Chinese") << "zh_CN" << 0 << true << zh << "已接受";
    QTest::newRow("refused, English")
        << "en" << 3 << true << en
        << "the instrument refused the value (exception 3: value out of range)";
    QTest::newRow("refused, Chinese")
        << "zh_CN" << 3 << true << zh << "仪表拒绝该值（异常 3：数值超出范围）";
    QTest::newRow("no answer, English")
        << "en" << 0 << false << en
        << "failed: no answer: check the address, baud rate, parity and wiring";
    QTest::newRow("no answer, Chinese")
        << "zh_CN" << 0 << false << zh << "失败：无应答：请检查地址、波特率、校验位和接线";
}

void TestJournalWords::alarmScreenWriteInWords() {
    QFETCH(QString, language);
    QFETCH(int, exception);
    QFETCH(bool, answered);
    QFETCH(QString, detail);
    QFETCH(QString, result);
    QTranslator chinese;
    if (language == QLatin1String("zh_CN")) {
        QVERIFY(chinese.load(QStringLiteral(":/i18n/mt3600_zh_CN.qm")));
        QCoreApplication::installTranslator(&chinese);
    }
    QTemporaryDir dir;
    EventJournal journal(dir.filePath(QStringLiteral("r.db")));
    QVERIFY(journal.open());
    RecordingLink fake;
    fake.holdingRegisters[264] = 600;
    JournalLink link(fake, journal);
    Instrument instrument;
    instrument.target().address = 1;
    ALM1 screen(instrument, link, [] {});
    screen.Form_Load();
    screen.show(); // the window appears once its first read has answered
    fake.completeAll();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen, 2000));
    screen.Timer1_Timer(); // the screen reads its rows: the console knows the value replaced
    fake.completeAll();

    const bool ok = exception == 0 && answered;
    fake.writeResults = ok ? QList<int>{0} : QList<int>{kLinkFailure, kLinkFailure};
    fake.linkStatus.lastException = exception;
    fake.linkStatus.lastNoAnswer = !answered;
    type_and_leave(screen.findChild<QLineEdit*>(QStringLiteral("T_3RW(263)")), QStringLiteral("70"),
                   screen.returnButton());
    fake.completeAll();
    QCoreApplication::removeTranslator(&chinese);

    const auto events = journal.store().newerThan({{}, {}, {EventCategory::Write}, {}}, 0, 10);
    QCOMPARE(events.size(), std::size_t(1));
    QCOMPARE(events.front().source, QStringLiteral("报警设定 · 加热器断线判断输出值"));
    QVERIFY2(events.front().detail.startsWith(detail), qPrintable(events.front().detail));
    QCOMPARE(events.front().result, result);
}

void TestJournalWords::changeInTheScreensUnits_data() {
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("old"); // -1: not known
    QTest::addColumn<int>("now");
    QTest::addColumn<journal_words::Window>("window"); // the program window's curve and recipe
    QTest::addColumn<QString>("words");
    const int holding = int(RegisterTable::Holding);
    const int coil = int(RegisterTable::Coil);
    QTest::newRow("an option by its entry")
        << holding << 4109 << 0 << 1 << journal_words::Window{}
        << "输入类型设定 0:K(-200-1300) → 1:S(0-1700) (register 4109)";
    QTest::newRow("a coil by its word")
        << coil << 7 << 0 << 1 << journal_words::Window{} << "主自整定 主整定关 → 主自整定开 (coil 7)";
    QTest::newRow("old value not known") << holding << 260 << -1 << 700 << journal_words::Window{}
                                         << "报警2设定值/偏差值 set to 700 (register 260)";
    QTest::newRow("a segment where the recipe places it")
        << holding << 8209 + 128 + 8 + 2 << 0 << 1 << journal_words::Window{3, 1}
        << "curve 3 · segment 2 · 继电器状态 0:OFF → 1:ON (register 8347)";
    QTest::newRow("a header field of a curve not known")
        << holding << 8196 << -1 << 6 << journal_words::Window{}
        << "程序段数 of a curve not known set to 6 (register 8196)";
}

void TestJournalWords::changeInTheScreensUnits() {
    QFETCH(int, table);
    QFETCH(int, number);
    QFETCH(int, old);
    QFETCH(int, now);
    QFETCH(journal_words::Window, window);
    QFETCH(QString, words);
    QCOMPARE(journal_words::change(RegisterTable(table), number,
                                   old < 0 ? std::nullopt : std::optional<qint64>(old), now,
                                   window),
             words);
}

void TestJournalWords::compareIsOneEventWithItsCurves() {
    QTemporaryDir dir;
    EventJournal journal(dir.filePath(QStringLiteral("r.db")));
    QVERIFY(journal.open());
    RecordingLink fake;
    fake.autoComplete = true;
    fake.linkStatus.open = true;
    fake.holdingRegisters[7] = 3; // the operator's curve
    JournalLink link(fake, journal);
    const LinkTarget target;
    SetupJob job(link, target);
    journal_file_jobs(job, journal);
    QSignalSpy finished(&job, &SetupJob::finished);
    const QString file = dir.filePath(QStringLiteral("setup.json"));
    job.backup(file, {QDateTime::currentDateTime(), QStringLiteral("/dev/fake"), {}, 1});
    QVERIFY(finished.wait(10000));
    job.compare(file);
    QVERIFY(finished.wait(10000));

    // Nine selections and a put-back a job, on the wire, and not one of them an event of its own.
    QCOMPARE(fake.callsOf(QStringLiteral("Set_4X_D1")).size(), 20);
    QCOMPARE(journal.store().newerThan({{}, {}, {EventCategory::Write}, {}}, 0, 100).size(),
             std::size_t(0));
    const auto jobs = journal.store().newerThan({{}, {}, {EventCategory::File}, {}}, 0, 10);
    QCOMPARE(jobs.size(), std::size_t(2));
    const JournalEntry& compare = jobs.back();
    QCOMPARE(compare.source, QStringLiteral("仪表文件 · compare"));
    QVERIFY2(
        compare.detail.endsWith(QStringLiteral("curves 0 to 8 selected in turn; curve 3 put back")),
        qPrintable(compare.detail));
    const auto marks = journal_marks(journal.store(), compare.utc().toLocalTime().addSecs(-60),
                                     compare.utc().toLocalTime().addSecs(60));
    // One tick a job; the stretches not measured (no port open here) are marks of their own.
    const auto ticks = std::count_if(marks.begin(), marks.end(), [](const ChartMark& m) {
        return m.kind == ChartMarkKind::Event;
    });
    QCOMPARE(ticks, 2);
}

QTEST_MAIN(TestJournalWords)
#include "test_journal_words.moc"
