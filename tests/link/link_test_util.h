#pragma once
// Shared pieces of the link tests: a completion recorder and one way to issue any operation by
// name, so data rows can name the operation.

#include "link/instrument_link.h"

#include <QString>

struct Completion {
    bool called = false;
    int result = 0;
    int calls = 0;
};

inline LinkDone recorder(Completion& c) {
    return [&c](int result) {
        c.called = true;
        c.result = result;
        ++c.calls;
    };
}

// `arg` is the count of a block read, the value of Set_4X_D1, unused otherwise.
inline void issue(InstrumentLink& link, const QString& op, int slave, int number, qint64 arg,
                  qint32* buffer, QObject* context, LinkDone done) {
    const int port = 1;
    if (op == QLatin1String("Get_3X_DX"))
        link.Get_3X_DX(port, slave, number, int(arg), buffer, context, std::move(done));
    else if (op == QLatin1String("Get_4X_DX"))
        link.Get_4X_DX(port, slave, number, int(arg), buffer, context, std::move(done));
    else if (op == QLatin1String("Get_1X_B16"))
        link.Get_1X_B16(port, slave, number, buffer, context, std::move(done));
    else if (op == QLatin1String("Get_0X_B16"))
        link.Get_0X_B16(port, slave, number, buffer, context, std::move(done));
    else if (op == QLatin1String("Set_4X_D1"))
        link.Set_4X_D1(port, slave, number, arg, context, std::move(done));
    else if (op == QLatin1String("Set_0X_Bit1"))
        link.Set_0X_Bit1(port, slave, number, context, std::move(done));
    else if (op == QLatin1String("Rst_0X_Bit1"))
        link.Rst_0X_Bit1(port, slave, number, context, std::move(done));
}

constexpr qint32 kUntouched = 0x5A5A5A5A; // what a buffer slot holds before any read
