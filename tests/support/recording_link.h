#pragma once
// A fake instrument link for tests: records every call with its arguments, answers reads from
// register maps it holds, and returns scripted results. Calls stay pending until the test
// completes them (completeNext / completeAll), or complete from the event loop when autoComplete
// is on, so tests see the same asynchronous order as the real link.

#include "link/instrument_link.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QString>

struct LinkCall {
    QString op; // "OpenPort_Modbus", "Get_3X_DX", "Set_4X_D1", ...
    int port = 0;
    int slave = 0;
    int first = 0; // register or coil number; baud code for OpenPort_Modbus
    int count = 0; // block size; parity code for OpenPort_Modbus
    qint64 value = 0;
    QString device; // OpenPort_Modbus only

    QString text() const; // "Get_3X_DX(1,1,33,16)" for readable failures
};

class RecordingLink final : public InstrumentLink {
    Q_OBJECT
public:
    explicit RecordingLink(QObject* parent = nullptr);

    int OpenPort_Modbus(int port, int baudCode, int parityCode, const QString& device) override;
    int ClosePort_Modbus(int port) override;
    void submit(const LinkRequest& request, qint32* buffer, QObject* context,
                LinkDone done) override;
    LinkStatus status() const override { return linkStatus; }

    // What the fake instrument holds (one-based numbers). Writes that succeed change it.
    QMap<int, qint32> inputRegisters;
    QMap<int, qint32> holdingRegisters;
    quint16 discreteInputs = 0; // bit k = input k + 1
    quint16 coils = 0;          // bit k = coil k + 1

    // Scripting.
    QSet<QString> failingOps; // every call of these ops fails
    QList<int> writeResults;  // results of the next Set_4X_D1 calls, in order (then 0)
    int openResult = 0;
    bool autoComplete = false; // complete pending calls from the event loop
    LinkStatus linkStatus;

    // Every call so far, in order, and filtering helpers.
    QList<LinkCall> calls;
    QList<LinkCall> callsOf(const QString& op) const;
    QList<LinkCall> writes() const; // Set_4X_D1, Set_0X_Bit1, Rst_0X_Bit1
    void clearCalls() { calls.clear(); }

    int pendingCount() const { return static_cast<int>(pending.size()); }
    bool completeNext(); // false when nothing was pending
    int completeAll();   // also what completions queue meanwhile; returns how many completed

private:
    struct Pending {
        LinkCall call;
        qint32* buffer = nullptr;
        QPointer<QObject> context;
        bool hasContext = false;
        LinkDone done;
    };
    int execute(const Pending& p);
    void scheduleAuto();

    QList<Pending> pending;
    bool autoScheduled = false;
};
