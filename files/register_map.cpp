#include "files/register_map.h"

#include "programs/program_table.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>

namespace {
// Header offsets of the number of segments and of the loop's first and last segment.
constexpr int kSegmentCountIndex = 3;
constexpr int kLoopStartIndex = 9;
constexpr int kLoopEndIndex = 10;

// The screens' own choices for how a value is shown.
ScreenRules shown_as(SetupBlock block) {
    ScreenRules r;
    r.tenths =
        block == SetupBlock::Configuration ? TenthsFormat::OneDecimal : TenthsFormat::Shortest;
    return r;
}

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

// What a row accepts, from its own table: an option its list's codes, a hint its stated bounds.
void set_range(MapEntry& e) {
    if (e.row->kind == FieldKind::Option && e.row->options) {
        e.low = 0;
        e.high = qint32(e.row->options->entries.size()) - 1;
    } else if (const auto bounds = hint_bounds(e.row->hint, e.row->kind)) {
        e.low = bounds->first;
        e.high = bounds->second;
    }
}

// The program header's counts state no hint; their ranges are the program's own: 24 segments, a
// loop from and to one of them (0: none).
void set_program_range(MapEntry& e, int offset) {
    switch (offset) {
    case kSegmentCountIndex:
    case kLoopStartIndex:
    case kLoopEndIndex:
        e.low = 0;
        e.high = program::kSegments;
        break;
    default:
        set_range(e);
    }
}

void add_rows(QList<MapEntry>& map, const ParamTable& table, SetupBlock block, int order) {
    for (const ParamRow& row : table.rows) {
        if (row.reg == 0)
            continue; // a control bound to no register
        MapEntry e{block, -1, row.reg, 0, &row, shown_as(block)};
        set_range(e);
        e.comms = row.reg == 4157 || row.reg == 4158 || row.reg == 4159;
        e.order = order + (block == SetupBlock::Configuration ? config_order(row.reg) : 0);
        if (e.comms)
            e.order = 100; // last of all: the conversation ends with them
        map << e;
    }
}

QList<MapEntry> build() {
    QList<MapEntry> map;
    add_rows(map, config_table(), SetupBlock::Configuration, 0);
    add_rows(map, alarm_table(), SetupBlock::Alarms, 10);
    add_rows(map, pid_table(), SetupBlock::Pid, 20);
    add_rows(map, grouped_pid_table(), SetupBlock::GroupedPid, 30);
    const ParamTable program = program_table();
    for (int curve = 0; curve <= 8; ++curve) {
        for (const ParamRow& row : program.rows) {
            if (row.k < program::kSegmentRow) {
                MapEntry e{
                    SetupBlock::Program,          curve, program::kHeaderFirst + row.k, 0, &row,
                    shown_as(SetupBlock::Program)};
                e.writable = row.k != program::kRecipeIndex; // the recipe is shown only
                set_program_range(e, row.k);
                e.order = 40 + curve;
                map << e;
            }
        }
        for (int s = 1; s <= program::kSegments; ++s)
            for (const ParamRow& row : program.rows)
                if (row.k >= program::kSegmentRow) {
                    MapEntry e{SetupBlock::Program,
                               curve,
                               program::segment_register(0, s, row.k - program::kSegmentRow),
                               s,
                               &row,
                               shown_as(SetupBlock::Program)};
                    set_range(e);
                    e.order = 40 + curve;
                    map << e;
                }
    }
    std::stable_sort(map.begin(), map.end(),
                     [](const MapEntry& a, const MapEntry& b) { return a.order < b.order; });
    return map;
}
} // namespace

QString MapEntry::name() const {
    const QString base = row->name.toString().trimmed();
    return segment > 0 ? QStringLiteral("%1 %2").arg(segment).arg(base) : base;
}

QString MapEntry::shown(qint32 value) const {
    // The program editor shows its numbers as read, codes included.
    if (block == SetupBlock::Program)
        return QString::number(value);
    return value_text(rules, *row, value).value_or(QString::number(value));
}

QString MapEntry::key() const {
    return curve < 0
               ? QString::number(reg)
               : QCoreApplication::translate("RegisterMap", "curve %1 / %2").arg(curve).arg(reg);
}

std::optional<std::pair<qint32, qint32>> hint_bounds(QStringView hint, FieldKind kind) {
    // A number, a dash, tilde or double dash, a number; a percent sign or blanks may stand
    // between ("-10000--30000" is -10000 to 30000, "0.0% - 100.0%" 0 to 100.0).
    static const QRegularExpression bounds(
        QStringLiteral(R"((-?\d+(?:\.\d+)?)\s*%?\s*(?:--|-|~|～)\s*(-?\d+(?:\.\d+)?))"));
    const QRegularExpressionMatch m = bounds.match(hint.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const double scale = kind == FieldKind::Tenths ? 10.0 : 1.0;
    const auto low = qint32(qRound(m.capturedView(1).toDouble() * scale));
    const auto high = qint32(qRound(m.capturedView(2).toDouble() * scale));
    if (low > high)
        return std::nullopt;
    return std::pair{low, high};
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
