#pragma once
// The journal in the operator's words: who did it (the screen by the caption the operator opens it
// by, the poll cycle, the instrument, the console), which parameter (its name in the register
// catalogue, one-based register numbers), its values as the screens show them, and the event
// codes as titles. What the file keeps as keys (code, category) stays as it is; these are the
// texts beside them and on the screen.

#include "journal/journal_entry.h"
#include "registers/catalogue.h"

#include <QString>
#include <optional>

namespace journal_words {

// The screen that wrote, for a request's source: a form and its control ("ALM1 T_3RW(259)") is
// named by the screen's caption ("报警设定"); a source in words stays as it is; none is the
// console.
QString writer(const QString& requestSource);
// Who did it when no control of the console did.
QString pollCycle();   // "Poll cycle"
QString instrument();  // "Instrument": its front panel, another master or the program's course
QString console();     // "Console"
QString commandLine(); // "Command line"
// The overview's controls that open and close the port: "总貌 · 打开", "总貌 · 关闭".
QString portOpen();
QString portClose();

// Where a program-window register is written: the curve selected in register 7 and, for the
// segment table, the recipe placing it; either may not be known.
struct Window {
    std::optional<int> curve;
    std::optional<int> recipe;
};

// The parameter's name: "报警2设定值/偏差值", "曲线 3 · 第 1 段 设定值SV1", "coil 9".
QString parameter(RegisterTable table, int number, const Window& window = {});
// A value as the screens show it: tenths with their point, an option by its entry, a bit or a
// status code by its word; a number otherwise.
QString value(RegisterTable table, int number, qint64 raw, const Window& window = {});
// "总貌 · 程序状态": the writer and the parameter.
QString source(const QString& requestSource, RegisterTable table, int number,
               const Window& window = {});
// "报警2设定值/偏差值 60 → 70 (register 260)", or without the old value where it is not known.
QString change(RegisterTable table, int number, std::optional<qint64> old, qint64 now,
               const Window& window = {});

// An event's code as a title: alarm2_off → "Alarm 2 off", lost → "Link lost"; a code the
// console does not know is shown as it is.
QString codeTitle(EventCategory category, const QString& code);

} // namespace journal_words
