#pragma once
// Shared pieces of the link tests: a completion recorder, and requests that data rows can name.

#include "link/instrument_link.h"

#include <QMetaType>

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

Q_DECLARE_METATYPE(LinkOp)

// A request as data rows name it: `arg` is the count of a block read, the value of Set_4X_D1.
inline LinkRequest request_of(LinkOp op, int slave, int number, qint64 arg) {
    const bool block = op == LinkOp::Get_3X_DX || op == LinkOp::Get_4X_DX;
    const bool bits = op == LinkOp::Get_1X_B16 || op == LinkOp::Get_0X_B16;
    return {op,
            1,
            slave,
            number,
            block  ? int(arg)
            : bits ? 16
                   : 1,
            op == LinkOp::Set_4X_D1 ? arg : qint64(op == LinkOp::Set_0X_Bit1), {}};
}

constexpr qint32 kUntouched = 0x5A5A5A5A; // what a buffer slot holds before any read
