#pragma once
// Reading an instrument's whole setup and writing differences back, over the link, one request
// at a time (each started from the previous one's completion, so the poll cycle and the screens
// go on between them).
//
// Reading selects each curve in turn through holding register 7 and puts the operator's curve
// back afterwards; it is refused while a program runs or is held. Writing puts only what differs,
// in the map's order, and reads each register back to verify it; the communication settings only
// when asked for. Both can be cancelled between requests.

#include "files/register_map.h"
#include "link/instrument.h"
#include "link/instrument_link.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <vector>

// Values by (curve, register); curve -1 outside the programs.
using SetupValues = std::map<std::pair<int, int>, qint32>;

// Written: the instrument took it but it could not be read back (the link went, or it is a
// line setting, which answers only at the new settings).
enum class WriteOutcome { Verified, Refused, NotVerified, NotWritten, Written };

struct WriteResult {
    const MapEntry* entry = nullptr;
    qint32 wanted = 0;
    qint32 readBack = 0;
    WriteOutcome outcome = WriteOutcome::NotWritten;
    QString why; // the refusal or failure in words
};

class SetupIo final : public QObject {
    Q_OBJECT
public:
    // Works on the instrument at `target`, read afresh for every request.
    SetupIo(InstrumentLink& link, const LinkTarget& target, QObject* parent = nullptr);

    // Reads every register of the map; done(ok) with values() filled, or error() saying which
    // block failed.
    void read(std::function<void(bool ok)> done);
    // Writes what differs between `wanted` and `present` (as read), verifying each write.
    void write(const SetupValues& wanted, const SetupValues& present, bool includeComms,
               std::function<void(bool ok)> done);
    void cancel() { cancelled = true; }
    bool busy() const { return running; }
    // The origin of the writes, as the event journal names it: "仪表文件" (the screen) unless said.
    void setWriteSource(const QString& source) { writeSource = source; }
    bool linkOpen() const { return link.status().open; }

    const SetupValues& values() const { return readValues; }
    const std::vector<WriteResult>& results() const { return writeResults; }
    const QString& error() const { return why; }

signals:
    void progress(int done, int total);

private:
    QString writeSource = QStringLiteral("仪表文件");
    using Step = std::function<void(std::function<void(bool)> next)>;
    void runSteps(std::vector<Step> steps, std::function<void(bool)> done);
    void nextStep();
    Step readBlock(const QString& block, int curve, int first, int count);
    Step readProgram(int curve);
    void readTable(int curve, int recipe, int block, std::function<void(bool)> next);
    Step selectCurve(const std::function<int()>& curve);
    int port() const { return target.port; }
    int slave() const { return target.address; }

    InstrumentLink& link;
    const LinkTarget& target;
    SetupValues readValues;
    std::vector<WriteResult> writeResults;
    std::vector<Step> steps;
    std::size_t stepIndex = 0;
    std::function<void(bool)> finished;
    qint32 scratch[16] = {};
    qint32 originalCurve = 0;
    bool curveTouched = false; // a selection went out: the operator's curve is put back
    bool cancelled = false;
    bool running = false;
    QString why;
};

// Differences between two sets of values over the map: the entries whose values differ, or that
// one side lacks.
std::vector<const MapEntry*> differing(const SetupValues& a, const SetupValues& b);
