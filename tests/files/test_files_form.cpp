// The screen "仪表文件" from the overview's button, driven through its controls against the
// recording link: a comparison shows the differing rows marked (only they, unless asked), and a
// write with the link closed writes nothing and says so.
#include "app/screens.h"
#include "core/ask_operator.h"
#include "files/files_form.h"
#include "files/instrument_file.h"
#include "overview/overview_rig.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

class TestFilesForm : public QObject {
    Q_OBJECT
private slots:
    void compareAndWriteFromTheScreen() {
        OverviewRig rig;
        register_screens(rig.form, {rig.instrument, rig.link, rig.logging, rig.axis, {}, nullptr});
        rig.link.autoComplete = true;
        rig.link.holdingRegisters[4106] = 1300;
        QVERIFY(rig.showActive());
        QTest::mouseClick(rig.get<QPushButton>(QStringLiteral("CommandFiles")), Qt::LeftButton);
        auto* form = qobject_cast<FilesForm*>(rig.form.navigation().shownScreen());
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("仪表文件"));

        // A file that differs from the instrument (all zeros but 4106) in two registers.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("setup.json"));
        InstrumentFile file;
        for (const MapEntry& e : register_map()) {
            file.values[{e.curve, e.reg}] = e.reg == 4106 ? 1300 : std::clamp(0, e.low, e.high);
            if (e.curve < 0 && e.reg != 4106)
                rig.link.holdingRegisters[e.reg] = std::clamp(0, e.low, e.high);
        }
        file.values[{-1, 258}] = 5;
        file.values[{2, 8209}] = 450;
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(instrument_file_json(file));
        out.close();

        auto* name = form->findChild<QLineEdit*>(QStringLiteral("FilesPath"));
        name->selectAll();
        QTest::keyClicks(name, path);
        QSignalSpy done(&form->job(), &SetupJob::finished);
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("FilesCompare")),
                          Qt::LeftButton);
        QVERIFY(done.wait(10000));
        auto* table = form->findChild<QTableWidget*>(QStringLiteral("FilesTable"));
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("258"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("curve 2 / 8209"));
        QCOMPARE(table->item(0, 0)->background().color(), QColor(255, 200, 200));
        QVERIFY(form->findChild<QLabel*>(QStringLiteral("FilesReport"))
                    ->text()
                    .contains(QStringLiteral("2 ")));
        form->findChild<QCheckBox*>(QStringLiteral("FilesOnlyDifferences"))->setChecked(false);
        QCOMPARE(table->rowCount(), 1096);

        // Two files, no instrument: the file against a copy with one more difference.
        InstrumentFile other = file;
        other.values[{-1, 4106}] = 1250;
        const QString second = dir.filePath(QStringLiteral("other.json"));
        QFile out2(second);
        QVERIFY(out2.open(QIODevice::WriteOnly));
        out2.write(instrument_file_json(other));
        out2.close();
        form->findChild<QCheckBox*>(QStringLiteral("FilesOnlyDifferences"))->setChecked(true);
        auto* secondName = form->findChild<QLineEdit*>(QStringLiteral("FilesSecond"));
        QTest::keyClicks(secondName, second);
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("FilesCompareFiles")),
                          Qt::LeftButton);
        QVERIFY(done.wait(10000));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("4106"));

        // The link is not open: the write says so and nothing is written.
        rig.link.clearCalls();
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("FilesWrite")),
                          Qt::LeftButton);
        QVERIFY(done.wait(10000));
        QVERIFY(rig.link.writes().isEmpty());
        QVERIFY(form->findChild<QLabel*>(QStringLiteral("FilesReport"))
                    ->text()
                    .contains(QStringLiteral("not open")));

        // Open: the screen asks once, naming how many; declined, nothing is written (the curve
        // selections of the reading aside) and nothing saved beside the file.
        rig.link.linkStatus.open = true;
        rig.link.clearCalls();
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("FilesWrite")),
                          Qt::LeftButton);
        QuestionBox* box = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] { return (box = form->findChild<QuestionBox*>(QStringLiteral("FilesConfirm"))); },
            10000));
        QCOMPARE(box->text(), QStringLiteral("Write 2 register(s) to the instrument?"));
        QTest::mouseClick(box->noButton(), Qt::LeftButton);
        QVERIFY(done.wait(10000));
        for (const LinkCall& c : rig.link.writes())
            QCOMPARE(c.first, 7);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);

        // A backup onto an existing file asks first; declined, nothing is read.
        rig.link.clearCalls();
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("FilesBackup")),
                          Qt::LeftButton);
        box = form->findChild<QuestionBox*>(QStringLiteral("FilesOverwrite"));
        QVERIFY(box);
        QTest::mouseClick(box->noButton(), Qt::LeftButton);
        QVERIFY(rig.link.calls.isEmpty());
    }
};

QTEST_MAIN(TestFilesForm)
#include "test_files_form.moc"
