#pragma once
// The program runs' table in the record file, `program_runs`, beside the record rings and the
// journal and outside them. Like the other stores it has its own named connection to the file; a
// failure returns empty or false and says why in lastError(), and the next call opens the file
// again. Pages run newest first on the run number and go on from the last run shown (keyset
// paging), so the first page of a file with many runs costs what a page costs.

#include "runs/program_run.h"

#include <QString>
#include <optional>
#include <vector>

class QSqlQuery;

class RunStore {
public:
    // ReadOnly makes nothing in the file: one without the table reads as one without runs.
    enum class Access { ReadWrite, ReadOnly };

    explicit RunStore(QString path, Access access = Access::ReadWrite);
    ~RunStore();
    RunStore(const RunStore&) = delete;
    RunStore& operator=(const RunStore&) = delete;

    const QString& path() const { return filePath; }
    bool open();
    void close();

    // A new run (its number is ignored): its number, or empty on failure.
    std::optional<qint64> begin(const ProgramRun& run);
    bool setProgram(qint64 number, const ProgramSnapshot& program);
    bool seen(qint64 number, qint64 utcMs);
    bool finish(qint64 number, RunEnding ending, qint64 utcMs);
    // Runs a console left "running" when it went without ending them (killed, power cut): they
    // ended with that console, at the newest time it saw them. How many, or empty on failure.
    std::optional<int> closeUnfinished();

    std::optional<ProgramRun> run(qint64 number);
    std::optional<ProgramRun> newestEnded();
    // Up to `limit` runs, newest first, older than run `before` when given.
    std::vector<ProgramRun> page(std::optional<qint64> before, int limit);

    const QString& lastError() const { return error; }

private:
    bool ensureOpen();
    bool exec(QSqlQuery& q);
    std::vector<ProgramRun> select(const QString& where, const QVariantList& values, int limit);

    QString filePath;
    QString connectionName;
    Access access;
    bool opened = false;
    bool hasTable = true;
    QString error;
};
