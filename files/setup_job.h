#pragma once
// Back up, compare and write (restore or clone) as the operator asks for them, from the screen or
// the command line: each runs over SetupIo and ends with a report in words.
//
// Compare and write read the file first and refuse it whole (another version, an unknown
// register) before anything goes to the instrument; a backup leaves no file when any block fails.
// A restore refuses more before any request: a value its register does not accept, a file that
// lacks registers, a journal that cannot be written. It then reads the instrument, asks (when a
// confirmation is set), saves what the instrument holds beside the file, writes, compares again.

#include "files/instrument_file.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

struct CompareRow {
    const MapEntry* entry = nullptr;
    std::optional<qint32> file;
    std::optional<qint32> instrument;
    bool differs() const { return file != instrument; }
};

// What a restore is about to write, for its confirmation.
struct RestorePlan {
    int writes = 0;        // registers to write, the communication settings included
    QStringList comms;     // those: "通讯地址 (4159): 1 → 5"
    int recipeDiffers = 0; // segment registers left out: their table is another recipe's
    QString beforeCopy;    // where the instrument's present setup is saved first
};

class SetupJob final : public QObject {
    Q_OBJECT
public:
    // Jobs on the instrument at `target`; a comparison of two files needs neither.
    SetupJob(InstrumentLink& link, const LinkTarget& target, QObject* parent = nullptr);

    enum class Status { Done, Differences, Failed }; // exit 0, 1, 2 on the command line

    void backup(const QString& path, const FileOrigin& origin);
    void compare(const QString& path);
    // Two files, no instrument: `first` in the file column, `second` in the instrument's.
    void compareFiles(const QString& first, const QString& second);
    void restore(const QString& path, bool includeComms);
    // Asked once before a restore writes anything; answer(false) writes nothing. None: no asking.
    using Confirm = std::function<void(const RestorePlan& plan, std::function<void(bool)> answer)>;
    void setConfirmation(Confirm ask) { confirm = std::move(ask); }
    // Why the writes could not be journaled now; empty when they can. None: not journaled.
    void setAuditCheck(std::function<std::optional<QString>()> check) { audit = std::move(check); }
    // Why a backup may not be written to `path`; empty when it may.
    void setTargetCheck(std::function<std::optional<QString>(const QString&)> check) {
        targetCheck = std::move(check);
    }
    void cancel() { io.cancel(); }
    // Who runs the jobs, as the event journal names them: "仪表文件" (the screen) unless said.
    // Each job's writes come from that and the job: "仪表文件 · 恢复".
    void setWriteSource(const QString& source) { base = source; }
    const QString& writeSource() const { return io.source(); }
    const CurveTrail& curveTrail() const { return io.curveTrail(); }
    bool busy() const { return io.busy(); }

    const QStringList& report() const { return lines; }
    // The newest job: "backup", "compare", "compare_files" or "restore", and its file(s).
    const QString& kind() const { return jobKind; }
    const QString& file() const { return jobFile; }
    const std::vector<CompareRow>& rows() const { return compared; }
    const std::vector<WriteResult>& writes() const { return io.results(); }
    SetupIo& reader() { return io; }

signals:
    void started(); // a job begins: kind() and writeSource() name it
    void progress(int done, int total);
    void finished(SetupJob::Status status);

private:
    std::optional<InstrumentFile> load(const QString& path);
    std::optional<QString> refuseTarget(const QString& path) const;
    void fail(const QString& why);
    void compareWith(const InstrumentFile& file);
    void compareValues(const SetupValues& first, const SetupValues& second);
    void reportComparison();
    void confirmed(const InstrumentFile& file, const SetupValues& present, bool includeComms,
                   const QString& copy);
    void written(const InstrumentFile& file, const SetupValues& present, bool done);
    void finishRestore(const InstrumentFile& file, const SetupValues& present, bool done,
                       const QString& writeError, const QString& compareError);
    bool reportWrites(const SetupValues& wanted, const SetupValues& present);

    SetupIo io;
    void begin(const char* kind, const QString& file);

    QString base = QStringLiteral("仪表文件");
    QStringList lines;
    std::vector<CompareRow> compared;
    QString jobKind;
    QString jobFile;
    Confirm confirm;
    std::function<std::optional<QString>()> audit;
    std::function<std::optional<QString>(const QString&)> targetCheck;
};
