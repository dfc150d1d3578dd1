#include "journal/program_window.h"

#include <QCoreApplication>
#include <iterator>

namespace program_window {
namespace {

const char* const kHeaderFields[] = {
    QT_TRANSLATE_NOOP("ProgramWindow", "wait type"),
    QT_TRANSLATE_NOOP("ProgramWindow", "wait deviation"),
    QT_TRANSLATE_NOOP("ProgramWindow", "time unit"),
    QT_TRANSLATE_NOOP("ProgramWindow", "number of segments"),
    QT_TRANSLATE_NOOP("ProgramWindow", "run count"),
    QT_TRANSLATE_NOOP("ProgramWindow", "power failure handling"),
    QT_TRANSLATE_NOOP("ProgramWindow", "start value"),
    QT_TRANSLATE_NOOP("ProgramWindow", "output at the end"),
    QT_TRANSLATE_NOOP("ProgramWindow", "loop count"),
    QT_TRANSLATE_NOOP("ProgramWindow", "loop start segment"),
    QT_TRANSLATE_NOOP("ProgramWindow", "loop end segment"),
    QT_TRANSLATE_NOOP("ProgramWindow", "recipe"),
};

const char* const kSegmentFields[] = {
    QT_TRANSLATE_NOOP("ProgramWindow", "value"),
    QT_TRANSLATE_NOOP("ProgramWindow", "time"),
    QT_TRANSLATE_NOOP("ProgramWindow", "relay state"),
    QT_TRANSLATE_NOOP("ProgramWindow", "PID group"),
};

QString tr_field(const char* text) {
    return QCoreApplication::translate("ProgramWindow", text);
}

QString header_field(int offset) {
    if (offset < int(std::size(kHeaderFields)))
        return tr_field(kHeaderFields[offset]);
    return QCoreApplication::translate("ProgramWindow", "header register %1").arg(offset);
}

QString segment_field(int offset) {
    if (offset < int(std::size(kSegmentFields)))
        return tr_field(kSegmentFields[offset]);
    return QCoreApplication::translate("ProgramWindow", "field %1").arg(offset);
}

} // namespace

QString place(std::optional<int> curve, std::optional<int> recipe, int number) {
    if (!curve)
        return QCoreApplication::translate("ProgramWindow", "curve not known");
    if (in_header(number))
        return QCoreApplication::translate("ProgramWindow", "curve %1, %2")
            .arg(*curve)
            .arg(header_field(number - kFirst));
    if (!recipe)
        return QCoreApplication::translate("ProgramWindow",
                                           "curve %1, segment table of a recipe not known")
            .arg(*curve);
    const int offset = number - kTableFirst - kRecipeStride * *recipe;
    if (offset < 0 || offset >= kSegments * kSegmentSize)
        return QCoreApplication::translate("ProgramWindow",
                                           "curve %1, outside the segment table of recipe %2")
            .arg(*curve)
            .arg(*recipe);
    return QCoreApplication::translate("ProgramWindow", "curve %1, segment %2, %3")
        .arg(*curve)
        .arg(offset / kSegmentSize + 1)
        .arg(segment_field(offset % kSegmentSize));
}

} // namespace program_window
