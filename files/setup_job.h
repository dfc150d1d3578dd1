#pragma once
// Back up, compare and write (restore or clone) as the operator asks for them, from the screen or
// the command line: each runs over SetupIo and ends with a report in words.
//
// Compare and write read the file first and refuse it whole (another version, an unknown
// register) before anything goes to the instrument; a backup leaves no file when any block fails.

#include "files/instrument_file.h"

#include <QObject>
#include <QStringList>

struct CompareRow {
    const MapEntry* entry = nullptr;
    std::optional<qint32> file;
    std::optional<qint32> instrument;
    bool differs() const { return file != instrument; }
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
    void cancel() { io.cancel(); }
    void setWriteSource(const QString& source) { io.setWriteSource(source); }
    bool busy() const { return io.busy(); }

    const QStringList& report() const { return lines; }
    // The newest job: "backup", "compare", "compare_files" or "restore", and its file(s).
    const QString& kind() const { return jobKind; }
    const QString& file() const { return jobFile; }
    const std::vector<CompareRow>& rows() const { return compared; }
    const std::vector<WriteResult>& writes() const { return io.results(); }
    SetupIo& reader() { return io; }

signals:
    void progress(int done, int total);
    void finished(SetupJob::Status status);

private:
    std::optional<InstrumentFile> load(const QString& path);
    void fail(const QString& why);
    void compareWith(const InstrumentFile& file);
    void compareValues(const SetupValues& first, const SetupValues& second);
    void reportComparison();

    SetupIo io;
    void begin(const char* kind, const QString& file);

    QStringList lines;
    std::vector<CompareRow> compared;
    QString jobKind;
    QString jobFile;
};
