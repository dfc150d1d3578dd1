#include "files/register_map.h"

#include "registers/program_window.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
// The setup's blocks outside the program window: runs of holding registers, each catalogue entry
// in them in register order, and the order in which a restore writes them.
struct BlockRun {
    SetupBlock block;
    int first, last;
    int order;
};
constexpr BlockRun kBlocks[] = {
    {SetupBlock::Configuration, 4097, 4184, 0},
    {SetupBlock::Alarms, 257, 264, 10},
    {SetupBlock::Pid, 4353, 4368, 20},
    {SetupBlock::GroupedPid, 5121, 5150, 30},
};
constexpr int kProgramOrder = 40;

// Within the configuration, the input types and decimal points go before the limits that are
// read in their terms.
int config_order(int reg) {
    switch (reg) {
    case 4109: // main input type
    case 4120: // auxiliary input type
        return 0;
    case 4112: // decimal points
    case 4123:
        return 1;
    default:
        return 2;
    }
}

MapEntry entry_of(const RegisterInfo& info, SetupBlock block, int curve) {
    MapEntry e{block, curve, info.number, info.segment, &info};
    // The screens' own choices for how a value is shown.
    e.tenths =
        block == SetupBlock::Configuration ? TenthsFormat::OneDecimal : TenthsFormat::Shortest;
    e.writable = info.writable;
    e.comms = info.comms;
    e.low = info.low;
    e.high = info.high;
    return e;
}

QList<MapEntry> build() {
    QList<MapEntry> map;
    const auto catalogue = register_catalogue();
    for (const BlockRun& run : kBlocks)
        for (const RegisterInfo& info : catalogue) {
            if (info.table != RegisterTable::Holding || info.number < run.first ||
                info.number > run.last)
                continue;
            MapEntry e = entry_of(info, run.block, -1);
            e.order =
                run.order + (run.block == SetupBlock::Configuration ? config_order(e.reg) : 0);
            if (e.comms)
                e.order = 100; // last of all: the conversation ends with them
            map << e;
        }
    for (int curve = 0; curve <= program::kMaxRecipe; ++curve)
        for (const RegisterInfo& info : catalogue)
            if (info.window != Window::None) {
                MapEntry e = entry_of(info, SetupBlock::Program, curve);
                e.order = kProgramOrder + curve;
                map << e;
            }
    std::stable_sort(map.begin(), map.end(),
                     [](const MapEntry& a, const MapEntry& b) { return a.order < b.order; });
    return map;
}
} // namespace

QString MapEntry::name() const {
    const QString base = info->caption.toString().trimmed();
    return segment > 0 ? QStringLiteral("%1 %2").arg(segment).arg(base) : base;
}

QString MapEntry::shown(qint32 value) const {
    // The program editor shows its numbers as read, codes included.
    if (block == SetupBlock::Program)
        return QString::number(value);
    const auto shown = info->options ? info->options->shown : std::span<const QStringView>{};
    return shown_value(info->kind, shown, value, tenths).value_or(QString::number(value));
}

QString MapEntry::key() const {
    return curve < 0
               ? QString::number(reg)
               : QCoreApplication::translate("RegisterMap", "curve %1 / %2").arg(curve).arg(reg);
}

const QList<MapEntry>& register_map() {
    static const QList<MapEntry> map = build();
    return map;
}

const MapEntry* find_entry(int curve, int reg) {
    for (const MapEntry& e : register_map())
        if (e.curve == curve && e.reg == reg)
            return &e;
    return nullptr;
}

QString block_name(SetupBlock block) {
    switch (block) {
    case SetupBlock::Configuration:
        return QStringLiteral("configuration");
    case SetupBlock::Alarms:
        return QStringLiteral("alarms");
    case SetupBlock::Pid:
        return QStringLiteral("pid");
    case SetupBlock::GroupedPid:
        return QStringLiteral("grouped-pid");
    case SetupBlock::Program:
        break;
    }
    return QStringLiteral("program");
}
