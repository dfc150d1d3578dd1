#pragma once
// The console's side of the instrument link: the operations every screen calls, with their
// system names. Each call queues one complete Modbus request; requests run one at a time in the
// order queued and each finishes later, on the UI thread, through its completion callback.
//
// Results: 0 on success, kLinkFailure (-8888) on any failure (time out, CRC error, exception
// response, port not open, value out of range). A read that fails leaves the caller's buffer
// exactly as it was. The buffer and the callback belong to `context`: when the context object is
// destroyed before the reply, neither is touched. Buffers must stay valid as long as the context.

#include <QObject>
#include <QString>
#include <functional>

constexpr int kLinkFailure = -8888;

using LinkDone = std::function<void(int result)>;

// The operations, by their system names.
enum class LinkOp {
    Get_3X_DX,
    Get_4X_DX,
    Get_1X_B16,
    Get_0X_B16,
    Set_4X_D1,
    Set_0X_Bit1,
    Rst_0X_Bit1
};

struct LinkRequest {
    LinkOp op = LinkOp::Get_3X_DX;
    int port = 0; // the port number the caller names (the link serves one port)
    int slave = 1;
    int number = 1;   // first register or coil, one-based
    int count = 1;    // registers read (16 for the bit reads)
    qint64 value = 0; // Set_4X_D1 only
    // A write's origin for the journal: a form and its control ("ALM1 T_3RW(262)", "ssqx
    // Command19"), which the journal names by the screen's caption, or words ("仪表文件 · 恢复").
    QString source;
};

// Why the newest attempt to open the device failed.
enum class PortProblem {
    None,
    NotFound,     // no such device (never there, or unplugged)
    NoPermission, // the user may not open it
    Busy,         // another program holds it
    Other         // anything else, in Qt's words
};

// What the overview's link status indicator shows.
struct LinkStatus {
    bool open = false;         // the port is open now
    bool wanted = false;       // the operator opened it and has not closed it
    bool reconnecting = false; // not open (gone, or never opened); reopening with back-off
    bool everOpen = false;     // the device was open since the operator opened the port
    PortProblem problem = PortProblem::None; // why the newest opening attempt failed
    QString problemText;                     // that in words, with what to do
    int reconnectDelayMs = 0;                // time until the next reopening attempt
    QString device;                          // device path or host:port
    QString settings;                        // "9600 8N1, address 1"
    bool anyTransaction = false;             // a transaction has finished since opening
    bool lastOk = false;                     // outcome of the newest finished transaction
    QString lastMessage;                     // that outcome in words
    int lastException = 0;                   // the Modbus exception code of that outcome; 0: none
    bool lastUnmatched = false; // that outcome: an answer came that fits no request (say, from
                                // the address just written), and then nothing that did
    bool lastNoAnswer = false;  // that outcome: no valid answer within the time out
    quint64 good = 0;           // transactions since opening
    quint64 failed = 0;
};

class InstrumentLink : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens the port by its number (the port table names its device), or `device` as typed when it
    // is not empty (a device path or host:port). Baud code 0/1/2 = 4800/9600/19200, parity code
    // 0/1/2 = none/odd/even. Returns 0 when the port opened, kLinkFailure otherwise.
    virtual int OpenPort_Modbus(int port, int baudCode, int parityCode,
                                const QString& device = QString()) = 0;
    virtual int ClosePort_Modbus(int port) = 0;

    // Queues one request; `buffer` receives a read's values. Every operation below comes here:
    // a transport or a test double implements this alone.
    virtual void submit(const LinkRequest& request, qint32* buffer, QObject* context,
                        LinkDone done) = 0;

    // Address of the instrument is `slave`; register and coil numbers are one-based.
    // Input registers (function 04) and holding registers (03): `count` values into buffer[0..].
    void Get_3X_DX(int port, int slave, int first, int count, qint32* buffer, QObject* context,
                   LinkDone done) {
        submit({LinkOp::Get_3X_DX, port, slave, first, count, 0, {}}, buffer, context,
               std::move(done));
    }
    void Get_4X_DX(int port, int slave, int first, int count, qint32* buffer, QObject* context,
                   LinkDone done) {
        submit({LinkOp::Get_4X_DX, port, slave, first, count, 0, {}}, buffer, context,
               std::move(done));
    }
    // Discrete inputs (02) and coils (01): 16 of them packed into buffer[0], bit k = number
    // first+k.
    void Get_1X_B16(int port, int slave, int first, qint32* buffer, QObject* context,
                    LinkDone done) {
        submit({LinkOp::Get_1X_B16, port, slave, first, 16, 0, {}}, buffer, context,
               std::move(done));
    }
    void Get_0X_B16(int port, int slave, int first, qint32* buffer, QObject* context,
                    LinkDone done) {
        submit({LinkOp::Get_0X_B16, port, slave, first, 16, 0, {}}, buffer, context,
               std::move(done));
    }
    // One holding register (06). A value outside -32768..32767 is refused: nothing is sent.
    // `source` names the screen and control that write, for the event journal.
    void Set_4X_D1(int port, int slave, int reg, qint64 value, QObject* context, LinkDone done,
                   const QString& source = QString()) {
        submit({LinkOp::Set_4X_D1, port, slave, reg, 1, value, source}, nullptr, context,
               std::move(done));
    }
    // One coil on / off (05).
    void Set_0X_Bit1(int port, int slave, int coil, QObject* context, LinkDone done,
                     const QString& source = QString()) {
        submit({LinkOp::Set_0X_Bit1, port, slave, coil, 1, 1, source}, nullptr, context,
               std::move(done));
    }
    void Rst_0X_Bit1(int port, int slave, int coil, QObject* context, LinkDone done,
                     const QString& source = QString()) {
        submit({LinkOp::Rst_0X_Bit1, port, slave, coil, 1, 0, source}, nullptr, context,
               std::move(done));
    }

    virtual LinkStatus status() const = 0;

signals:
    void statusChanged();
};
