// Records into the file named by its first argument as fast as it can, a short and a long record
// on every tick (its clock moves ten seconds a tick), until it is killed or 30 s have passed.
// The second argument, a run number, starts its clock 1000 days later per run, so each run's
// records are newer than the last's. Prints "logging" once the first records are in.

#include "records/logger_form.h"
#include "support/settable_clock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const int run = argc > 2 ? std::atoi(argv[2]) : 0;
    SettableClock clock(QDateTime(QDate(2024, 3, 5).addDays(1000 * run), QTime(12, 0, 0)));
    RegisterImage image;
    LoggerState logging;
    mscom logger(image, logging, QString::fromLocal8Bit(argv[1]), &clock);
    logger.timer().stop();
    QElapsedTimer running;
    running.start();
    for (quint64 tick = 0; running.elapsed() < 30000; ++tick) {
        logger.Timer1_Timer();
        clock.advanceSeconds(10);
        if (tick == 0) {
            std::printf("logging\n");
            std::fflush(stdout);
        }
    }
    return 1; // never killed: the test failed to stop it
}
