// bench_export [runs]: records out to CSV from a full ring (65 500 rows). In one go, as the
// command line does it: the time (median of the runs) and the process's peak memory before and
// after; and from the export window, a step at a time: the worst lateness of a 10 ms timer of the
// screen meanwhile.
#include "records/csv_export.h"
#include "curves/export_dialog.h"
#include "records/record_store.h"
#include "support/record_file.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {
long peak_kib() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("Rdatabj.db"));
    {
        RecordStore maker(db);
        maker.open();
    }
    RecordFile file(db);
    if (!file.fillRing(QStringLiteral("pv_data"), 65500, 1000) || !file.setPositions(1000, 0))
        return 1;
    const QString out = dir.filePath(QStringLiteral("ring.csv"));

    const long before = peak_kib();
    std::vector<double> ms;
    qint64 rows = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        QString why;
        if (!CsvExport::run({db, false, {}, {}, out}, &rows, &why)) {
            std::fprintf(stderr, "%s\n", qPrintable(why));
            return 1;
        }
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("export of a full ring (%lld rows, %.1f MB of CSV): median %.0f ms, best %.0f, "
                "worst %.0f over %d runs; peak memory %ld KiB before, %ld KiB after\n",
                rows, QFileInfo(out).size() / 1e6, ms[ms.size() / 2], ms.front(), ms.back(), runs,
                before, peak_kib());

    // From the export window: steps on a zero timer, a 10 ms timer of the screen beside them.
    ExportDialog dialog(db, false);
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("ExportFile"))->setText(out);
    QElapsedTimer sinceTick;
    double worstLate = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        worstLate = std::max(worstLate, double(sinceTick.nsecsElapsed()) / 1e6 - 10.0);
        sinceTick.restart();
    });
    // The whole ring lies on its first day (2024-03-01) and the next.
    dialog.findChild<QDateTimeEdit*>(QStringLiteral("ExportFrom"))
        ->setDateTime(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    dialog.findChild<QDateTimeEdit*>(QStringLiteral("ExportTo"))
        ->setDateTime(QDateTime(QDate(2024, 3, 2), QTime(23, 59, 59)));
    QElapsedTimer whole;
    whole.start();
    sinceTick.start();
    ticker.start();
    dialog.findChild<QPushButton*>(QStringLiteral("ExportStart"))->click();
    QEventLoop loop;
    QTimer check;
    check.setInterval(5);
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (!dialog.exporting())
            loop.quit();
    });
    check.start();
    QTimer::singleShot(120000, &loop, &QEventLoop::quit); // bounded
    loop.exec();
    std::printf("from the export window (%d rows a step, the whole ring): %.0f ms, 10 ms timer "
                "worst %.1f ms late\n",
                ExportDialog::kRowsPerStep, double(whole.nsecsElapsed()) / 1e6, worstLate);
    return 0;
}
