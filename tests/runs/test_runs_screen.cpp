// The screen "程序运行记录" on a record file with 250 runs, through its controls: newest first in
// pages, the newest run opened with its segment table, the tolerance typed (a bad one refused and
// the report left as it was), the segment table out to CSV.
#include "core/conversions.h"
#include "records/record_store.h"
#include "runs/run_store.h"
#include "runs/runs_form.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class TestRunsScreen : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString db;

private slots:
    void initTestCase() {
        db = dir.filePath(QStringLiteral("runs.db"));
        const QDateTime t0 = QDateTime::currentDateTime().addSecs(-600);
        RecordStore records(db);
        QVERIFY(records.open());
        for (int s = 0; s < 60; ++s) // PV 103 against a soak at 100
            QVERIFY(records.writeRecord(RecordTable::Short, s + 1, ole_date(t0.addSecs(s).date()),
                                        ole_time(t0.addSecs(s).time()), {103, 0, 100}));
        RunStore runs(db);
        QVERIFY(runs.open());
        for (int r = 1; r <= 250; ++r) { // the newest lies within the records
            ProgramRun run;
            run.startMs = t0.addSecs(r == 250 ? 0 : -3600 - r * 60).toMSecsSinceEpoch();
            run.startLocal = local_text(run.startMs);
            run.programRead = true;
            run.startSegment = 2;      // the soak throughout
            run.program.header[2] = 2; // seconds
            run.program.header[3] = 2;
            run.program.segments[0] = run.program.segments[1] = {100, 30, 0, 0};
            const auto n = runs.begin(run);
            QVERIFY(n && runs.finish(*n, RunEnding::Ended, run.startMs + 59000));
        }
    }
    void pagesOpenToleranceAndCsv_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("a tolerance") << "2.5" << 2.5;
        QTest::newRow("no number") << "2,5x" << 5.0;
        QTest::newRow("below zero") << "-1" << 5.0;
    }
    void pagesOpenToleranceAndCsv() {
        QFETCH(QString, typed);
        QFETCH(double, tolerance);
        RunsForm form(db, [] {});
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTableWidget* table = form.runsTable();
        QCOMPARE(table->rowCount(), RunsForm::kPageSize);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("250"));
        table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
        QCOMPARE(table->rowCount(), 2 * RunsForm::kPageSize);

        form.openRun(0);
        QVERIFY(form.shownReport());
        QCOMPARE(form.segmentsTable()->rowCount(), 2);
        auto* box = form.findChild<QLineEdit*>(QStringLiteral("RunsTolerance"));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->toolTip().isEmpty(), tolerance != 5.0);
        QCOMPARE(form.shownReport()->analysis.tolerance, tolerance);
        QCOMPARE(*form.shownReport()->analysis.soaksWithin, tolerance > 3);

        auto* file = form.findChild<QLineEdit*>(QStringLiteral("RunsFile"));
        file->clear();
        QTest::keyClicks(file, dir.filePath(QStringLiteral("run.csv")));
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("RunsCsv")), Qt::LeftButton);
        QFile csv(dir.filePath(QStringLiteral("run.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().trimmed().split('\n').size(), 3);
    }
};

QTEST_MAIN(TestRunsScreen)
#include "test_runs_screen.moc"
