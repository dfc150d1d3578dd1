#pragma once
// The central database's tables, made or brought up to date by the first console that reaches it.
//
//   schema_version  the version the tables are at (one row a step taken)
//   consoles        one row a console: its id (made once, kept in its record file), name, host,
//                   when it was last seen and how far its forwarding has got
//   records         the short and long records of every console: the ring number and the sampled
//                   time (UTC) with the eight values, and whether they were measured
//   events          every console's event journal, every column and its chain hash
//   runs            every console's program runs, keyed by run number
//   latest_values   (view) each console's newest short record
//   run_overview    (view) one row a run, with its console's name
//
// Every insert is idempotent: the unique keys below turn a batch sent twice (the forwarder moves
// its cursor only after the commit, so a crash between the two sends it again) into no change.

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>

inline constexpr int kHistorianSchemaVersion = 1;

class HistorianSchema {
    Q_DECLARE_TR_FUNCTIONS(HistorianSchema)
public:
    // Makes the tables when missing and upgrades older ones, under a lock that keeps two consoles
    // starting together from doing it twice. False with the reason in `why`, also when the
    // database is at a newer version than this console knows.
    static bool ensure(QSqlDatabase& db, QString* why);
    // The version found, 0 when there are no tables yet, -1 when it cannot be read.
    static int versionOf(QSqlDatabase& db);
};
