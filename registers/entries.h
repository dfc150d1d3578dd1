#pragma once
// How the catalogue's tables write an entry: one line a register, its accepted range beside it.
// Holding registers unless stated; used by the catalogue's own sources only.

#include "registers/catalogue.h"

namespace entries {

constexpr RegisterInfo integer(int n, QStringView caption, QStringView hint, qint32 low = -32768,
                               qint32 high = 32767) {
    return {RegisterTable::Holding, n, caption, hint, FieldKind::Integer, nullptr, {}, low, high};
}

constexpr RegisterInfo tenths(int n, QStringView caption, QStringView hint, qint32 low,
                              qint32 high) {
    return {RegisterTable::Holding, n, caption, hint, FieldKind::Tenths, nullptr, {}, low, high};
}

constexpr RegisterInfo option(int n, QStringView caption, QStringView hint, const OptionTexts& list,
                              qint32 low, qint32 high) {
    return {RegisterTable::Holding, n, caption, hint, FieldKind::Option, &list, {}, low, high};
}

constexpr RegisterInfo comms(RegisterInfo e) {
    e.comms = true;
    return e;
}

constexpr RegisterInfo shown_only(RegisterInfo e) {
    e.writable = false;
    return e;
}

constexpr RegisterInfo in(RegisterTable table, RegisterInfo e) {
    e.table = table;
    return e;
}

constexpr RegisterInfo with_words(std::span<const StatusWord> words, RegisterInfo e) {
    e.words = words;
    return e;
}

} // namespace entries

// Each source's part of the catalogue, in increasing register number within each table.
std::span<const RegisterInfo> live_registers();          // the poll cycle's blocks and the commands
std::span<const RegisterInfo> setup_registers();         // alarms, PID, grouped PID
std::span<const RegisterInfo> configuration_registers(); // 4097..4184
std::span<const RegisterInfo> program_window_registers(); // 8193.., header and segment fields
