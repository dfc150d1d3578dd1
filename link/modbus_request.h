#pragma once
// The parts of one link transaction that need no port: which Modbus request an operation makes,
// how a good answer lands in the caller's buffer, the time out a line needs, and the words the
// link status shows.

#include "link/instrument_link.h"

#include <QModbusDataUnit>
#include <QSerialPort>
#include <QString>

const char* op_name(LinkOp op);
bool is_write(LinkOp op);

// Why the request must not go on the wire (value out of range, bad number or count); empty when
// it may.
QString refusal_of(const LinkRequest& r);

// The unit to read or write; protocol address = number - 1. Only for requests with no refusal.
QModbusDataUnit data_unit_of(const LinkRequest& r);

// Checks a good answer's unit against the request; empty when it fits, else why not.
QString answer_mismatch(const LinkRequest& r, const QModbusDataUnit& answer);

// Stores a fitting answer: one signed 16-bit value per slot, or 16 bits packed into buffer[0]
// with bit k = item number + k.
void store_answer(const LinkRequest& r, const QModbusDataUnit& answer, qint32* buffer);

// "Get_3X_DX 33+16", "Set_4X_D1 4097 = 250", "Set_0X_Bit1 7": names the transaction in messages.
QString describe(const LinkRequest& r);

// Name of a Modbus exception code ("illegal data address").
QString exception_name(int code);

// The newest failure of `status` in the operator's words, with what to check: a refusal by its
// exception ("the instrument refused the value (exception 3: value out of range)"), a request
// with no answer ("no answer: check the address, baud rate, parity and wiring"), anything else
// as the link said it, without the request's own name.
QString failure_words(const LinkStatus& status);

// "9600 8N1"
QString line_settings_text(int baud, QSerialPort::Parity parity);

// Response time out for a serial line: the wire time of the longest exchange the console makes
// (8-byte request, 37-byte answer of 16 registers, a 3.5-character gap before each), plus an
// allowance for the instrument's turnaround. At 4800 8N1 that is 109 ms (rounded up) + 150 ms =
// 259 ms, at 9600 205 ms, at 19200 178 ms; long enough for any sane instrument, short enough that a
// dead line costs a poll cycle of seven reads about 2.5 s (time outs plus quiet gaps), not 7 s.
int serial_response_timeout_ms(int baud, QSerialPort::Parity parity);

// A gateway still carries the exchange over its own serial line (speed unknown here, assume the
// slowest) plus the network's own delays.
constexpr int kTcpResponseTimeoutMs = 500;
