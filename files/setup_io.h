#pragma once
// Reading an instrument's whole setup and writing differences back, over the link, one request
// at a time (each started from the previous one's completion, so the poll cycle and the screens
// go on between them).
//
// Reading selects each curve in turn through holding register 7 and puts the operator's curve
// back afterwards; it is refused while a program runs or is held. Writing puts only what differs,
// in the map's order, and reads each register back to verify it; the program state is read before
// every curve selection and a program that starts stops the writing, as do three requests in a row
// that go unanswered. The communication settings only when asked for, on their own, last: parity
// and address before the baud rate. Both can be cancelled between requests.

#include "files/register_map.h"
#include "link/instrument.h"
#include "link/instrument_link.h"
#include "link/request_sequence.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <set>
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

// The curves a job selected through register 7, in order, and what became of the operator's curve.
struct CurveTrail {
    enum class PutBack { NotNeeded, Done, Failed, Withheld }; // Withheld: a program started
    std::vector<int> selected;
    int original = 0;
    PutBack putBack = PutBack::NotNeeded;
};

class SetupIo final : public QObject {
    Q_OBJECT
public:
    // Works on the instrument at `target`, read afresh for every request.
    SetupIo(InstrumentLink& link, const LinkTarget& target, QObject* parent = nullptr);

    // Reads every register of the map; done(ok) with values() filled, or error() saying which
    // block failed.
    void read(std::function<void(bool ok)> done);
    // Writes what differs between `wanted` and `present` (as read), verifying each write, and puts
    // the operator's curve back. The communication settings that differ are planned too (when
    // asked for) but left for writeComms().
    void write(const SetupValues& wanted, const SetupValues& present, bool includeComms,
               std::function<void(bool ok)> done);
    // Plans the writes of write() into results() (all not written yet): a segment whose table the
    // file holds at another recipe value than `present` is marked "recipe differs" at once.
    void plan(const SetupValues& wanted, const SetupValues& present, bool includeComms);
    LinkStatus linkStatus() const { return link.status(); }
    // The planned communication settings, after everything else: they end the conversation.
    void writeComms(std::function<void(bool ok)> done);
    // The writes planned: what write() and writeComms() will put, in their order.
    int planned() const { return int(writeResults.size()); }
    // The writing stopped because a program started: the operator's curve was left as it was.
    bool programStarted() const { return programRunning; }
    void cancel() { sequence.cancel(); }
    bool busy() const { return sequence.running(); }
    // The origin of the writes, as the event journal names it: "仪表文件" (the screen) unless said.
    void setWriteSource(const QString& source) { writeSource = source; }
    const QString& source() const { return writeSource; }
    // The newest run's curve selections.
    const CurveTrail& curveTrail() const { return trail; }
    // Open, or a gateway still connecting: requests wait for the connection.
    bool linkOpen() const { return link.status().open || link.status().wanted; }

    const SetupValues& values() const { return readValues; }
    const std::vector<WriteResult>& results() const { return writeResults; }
    const QString& error() const { return why; }

signals:
    void progress(int done, int total);

private:
    QString writeSource = QStringLiteral("仪表文件");
    using Step = std::function<void(std::function<void(bool)> next)>;
    void run(std::vector<Step> steps, std::function<void(bool)> done);
    void putBack(const RequestSequence::Done& done);
    Step readBlock(const QString& block, int curve, int first, int count);
    Step readHeader(int curve);
    Step readTable(int curve, int block);
    Step selectCurve(const std::function<int()>& curve);
    Step checkProgramState();
    Step readRecipe(int curve, std::optional<qint32> fileRecipe);
    Step writeOne(std::size_t i);
    Step writeCommsOne(std::size_t i);
    void probeAddress(std::size_t i, std::function<void(bool)> next);
    void commsTaken(WriteResult& w);
    void commsUnanswered(WriteResult& w, const QString& silence);
    void verify(std::size_t i, int reg, int result, std::function<void(bool)> next);
    bool blocked(WriteResult& w) const;
    void heard(int result);
    int port() const { return target.port; }
    int slave() const { return target.address; }

public:
    const LinkTarget& linkTarget() const { return target; }

private:
    InstrumentLink& link;
    const LinkTarget& target;
    SetupValues readValues;
    std::vector<WriteResult> writeResults;
    // A failure ends the run; the put-back of the operator's curve runs always, last.
    RequestSequence sequence{RequestSequence::OnFailure::Stop};
    qint32 scratch[16] = {};
    qint32 originalCurve = 0;
    bool curveTouched = false;   // a selection went out: the operator's curve is put back
    bool programRunning = false; // found running while writing: nothing more, not even the curve
    int unanswered = 0;          // requests in a row that had no answer
    int currentRecipe = 0;       // the recipe value of the curve selected while writing
    int commsAddress = 0;        // the address the instrument answers to once 4159 was written
    std::set<int> recipeDiffers; // curves whose tables the file holds at another recipe value
    CurveTrail trail;
    const MapEntry* failedInput = nullptr; // an input type or decimal point not taken
    QString why;
};

// Differences between two sets of values over the map: the entries whose values differ, or that
// one side lacks.
std::vector<const MapEntry*> differing(const SetupValues& a, const SetupValues& b);
