#include "journal/journal_words.h"

#include "journal/program_window.h"

#include <QCoreApplication>
#include <QLocale>
#include <iterator>

namespace journal_words {
namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("JournalWords", text);
}

// The forms that write, by the caption of the overview's control that opens them (the overview
// itself has no such control: it is named in the console's words).
struct Screen {
    const char* form;
    QStringView caption;
};
constexpr Screen kScreens[] = {
    {"ALM1", u"报警设定"}, {"CONFIG1", u"CONFIG"}, {"PIDC", u"PID"},
    {"PID1", u"分组PID"},  {"Tech", u"曲线设置"},
};

QString overview() {
    return translated(QT_TRANSLATE_NOOP("JournalWords", "Overview"));
}

QString joined(const QString& a, const QString& b) {
    return b.isEmpty() ? a : a + QStringLiteral(" · ") + b;
}

// The catalogue's entry a register stands for; a segment field by its place in the table of
// recipe 0, where the catalogue keeps it.
const RegisterInfo* info_of(RegisterTable table, int number, const Window& w) {
    if (table != RegisterTable::Holding || !program_window::in_window(number) ||
        program_window::in_header(number))
        return find_register(table, number);
    if (!w.recipe)
        return nullptr;
    return holding_register(number - program_window::kRecipeStride * *w.recipe);
}

QString window_parameter(int number, const Window& w) {
    const bool header = program_window::in_header(number);
    const RegisterInfo* info = info_of(RegisterTable::Holding, number, w);
    const QString caption =
        info ? info->caption.trimmed().toString()
             : QCoreApplication::translate("JournalWords", "register %1").arg(number);
    // A header field is known by its place; a segment field only with the recipe that places it.
    if (!w.curve)
        return header ? QCoreApplication::translate("JournalWords", "%1 of a curve not known")
                            .arg(caption)
                      : QCoreApplication::translate("JournalWords",
                                                    "segment table of a curve not known");
    if (header)
        return QCoreApplication::translate("JournalWords", "curve %1 · %2")
            .arg(*w.curve)
            .arg(caption);
    if (!w.recipe)
        return QCoreApplication::translate("JournalWords",
                                           "curve %1 · segment table of a recipe not known")
            .arg(*w.curve);
    if (!info || info->segment == 0)
        return QCoreApplication::translate("JournalWords",
                                           "curve %1 · outside the segment table of recipe %2")
            .arg(*w.curve)
            .arg(*w.recipe);
    return QCoreApplication::translate("JournalWords", "curve %1 · segment %2 · %3")
        .arg(*w.curve)
        .arg(info->segment)
        .arg(caption);
}

struct CodeTitle {
    EventCategory category;
    const char* code;
    const char* title;
};
// The codes the console journals, in the operator's words; the file keeps the codes.
constexpr CodeTitle kCodes[] = {
    {EventCategory::Alarm, "alarm1_on", QT_TRANSLATE_NOOP("JournalWords", "Alarm 1 on")},
    {EventCategory::Alarm, "alarm1_off", QT_TRANSLATE_NOOP("JournalWords", "Alarm 1 off")},
    {EventCategory::Alarm, "alarm2_on", QT_TRANSLATE_NOOP("JournalWords", "Alarm 2 on")},
    {EventCategory::Alarm, "alarm2_off", QT_TRANSLATE_NOOP("JournalWords", "Alarm 2 off")},
    {EventCategory::Alarm, "pv1_open_on", QT_TRANSLATE_NOOP("JournalWords", "PV1 open circuit")},
    {EventCategory::Alarm, "pv1_open_off",
     QT_TRANSLATE_NOOP("JournalWords", "PV1 open circuit cleared")},
    {EventCategory::Alarm, "pv1_short_on", QT_TRANSLATE_NOOP("JournalWords", "PV1 short circuit")},
    {EventCategory::Alarm, "pv1_short_off",
     QT_TRANSLATE_NOOP("JournalWords", "PV1 short circuit cleared")},
    {EventCategory::Alarm, "pv2_open_on", QT_TRANSLATE_NOOP("JournalWords", "PV2 open circuit")},
    {EventCategory::Alarm, "pv2_open_off",
     QT_TRANSLATE_NOOP("JournalWords", "PV2 open circuit cleared")},
    {EventCategory::Alarm, "pv2_short_on", QT_TRANSLATE_NOOP("JournalWords", "PV2 short circuit")},
    {EventCategory::Alarm, "pv2_short_off",
     QT_TRANSLATE_NOOP("JournalWords", "PV2 short circuit cleared")},
    {EventCategory::Mode, "manual", QT_TRANSLATE_NOOP("JournalWords", "Manual")},
    {EventCategory::Mode, "auto", QT_TRANSLATE_NOOP("JournalWords", "Automatic")},
    {EventCategory::Mode, "single_sv", QT_TRANSLATE_NOOP("JournalWords", "Single set value")},
    {EventCategory::Mode, "program", QT_TRANSLATE_NOOP("JournalWords", "Program mode")},
    {EventCategory::Mode, "sv1", QT_TRANSLATE_NOOP("JournalWords", "SV1 in use")},
    {EventCategory::Mode, "sv2", QT_TRANSLATE_NOOP("JournalWords", "SV2 in use")},
    {EventCategory::Mode, "autotune_on", QT_TRANSLATE_NOOP("JournalWords", "Auto-tune on")},
    {EventCategory::Mode, "autotune_off", QT_TRANSLATE_NOOP("JournalWords", "Auto-tune off")},
    {EventCategory::Program, "state", QT_TRANSLATE_NOOP("JournalWords", "Program state")},
    {EventCategory::Program, "segment", QT_TRANSLATE_NOOP("JournalWords", "Segment")},
    {EventCategory::Program, "deviation_wait_on",
     QT_TRANSLATE_NOOP("JournalWords", "Waiting on deviation")},
    {EventCategory::Program, "deviation_wait_off",
     QT_TRANSLATE_NOOP("JournalWords", "Deviation wait over")},
    {EventCategory::Program, "command", QT_TRANSLATE_NOOP("JournalWords", "Program command")},
    {EventCategory::Program, "curve", QT_TRANSLATE_NOOP("JournalWords", "Curve selected")},
    {EventCategory::Link, "opened", QT_TRANSLATE_NOOP("JournalWords", "Port opened")},
    {EventCategory::Link, "closed", QT_TRANSLATE_NOOP("JournalWords", "Port closed")},
    {EventCategory::Link, "lost", QT_TRANSLATE_NOOP("JournalWords", "Link lost")},
    {EventCategory::Link, "restored", QT_TRANSLATE_NOOP("JournalWords", "Link restored")},
    {EventCategory::Link, "first_read", QT_TRANSLATE_NOOP("JournalWords", "First good read")},
    {EventCategory::Write, "register", QT_TRANSLATE_NOOP("JournalWords", "Register written")},
    {EventCategory::Write, "coil", QT_TRANSLATE_NOOP("JournalWords", "Coil written")},
    {EventCategory::Console, "started", QT_TRANSLATE_NOOP("JournalWords", "Console started")},
    {EventCategory::Console, "ended", QT_TRANSLATE_NOOP("JournalWords", "Console ended")},
    {EventCategory::Console, "unclean_end",
     QT_TRANSLATE_NOOP("JournalWords", "Console did not end cleanly")},
    {EventCategory::Console, "events_lost", QT_TRANSLATE_NOOP("JournalWords", "Events lost")},
    {EventCategory::Console, "guards_remade",
     QT_TRANSLATE_NOOP("JournalWords", "Journal guards made again")},
    {EventCategory::Console, "chained", QT_TRANSLATE_NOOP("JournalWords", "Events chained")},
    {EventCategory::File, "backup", QT_TRANSLATE_NOOP("JournalWords", "Backup")},
    {EventCategory::File, "compare", QT_TRANSLATE_NOOP("JournalWords", "Compare")},
    {EventCategory::File, "compare_files", QT_TRANSLATE_NOOP("JournalWords", "Two files compared")},
    {EventCategory::File, "restore", QT_TRANSLATE_NOOP("JournalWords", "Restore")},
};

} // namespace

QString writer(const QString& requestSource) {
    if (requestSource.isEmpty())
        return console();
    const QString form = requestSource.section(u' ', 0, 0);
    if (form == QLatin1String("ssqx"))
        return overview();
    for (const Screen& s : kScreens)
        if (form == QLatin1String(s.form))
            return s.caption.toString();
    return requestSource;
}

QString pollCycle() {
    return QCoreApplication::translate("JournalWords", "Poll cycle");
}

QString instrument() {
    return QCoreApplication::translate("JournalWords", "Instrument");
}

QString console() {
    return QCoreApplication::translate("JournalWords", "Console");
}

QString commandLine() {
    return QCoreApplication::translate("JournalWords", "Command line");
}

QString portOpen() {
    return joined(overview(), QStringLiteral("打开"));
}

QString portClose() {
    return joined(overview(), QStringLiteral("关闭"));
}

QString parameter(RegisterTable table, int number, const Window& window) {
    if (table == RegisterTable::Holding && program_window::in_window(number))
        return window_parameter(number, window);
    const RegisterInfo* info = find_register(table, number);
    if (info && !info->caption.trimmed().isEmpty())
        return info->caption.trimmed().toString();
    // No caption of its own (the alarm inputs): its word for "on" names it.
    if (info && !info->words.empty())
        return info->words.back().text.toString();
    return table == RegisterTable::Coil
               ? QCoreApplication::translate("JournalWords", "coil %1").arg(number)
               : QCoreApplication::translate("JournalWords", "register %1").arg(number);
}

QString value(RegisterTable table, int number, qint64 raw, const Window& window) {
    const RegisterInfo* info = info_of(table, number, window);
    if (!info)
        return QString::number(raw);
    if (!info->words.empty()) {
        const auto word = table == RegisterTable::Coil || table == RegisterTable::DiscreteInput
                              ? bit_word(*info, qint32(raw))
                              : status_word(*info, double(raw));
        return word ? word->text.toString() : QString::number(raw);
    }
    switch (info->kind) {
    case FieldKind::Tenths:
        return QLocale::c().toString(double(raw) / 10.0, 'f', 1);
    case FieldKind::Option:
        if (info->options && raw >= 0 && raw < qint64(info->options->entries.size()))
            return info->options->entries[std::size_t(raw)].trimmed().toString();
        break;
    case FieldKind::Integer:
        break;
    }
    return QString::number(raw);
}

QString source(const QString& requestSource, RegisterTable table, int number,
               const Window& window) {
    return joined(writer(requestSource), parameter(table, number, window));
}

QString change(RegisterTable table, int number, std::optional<qint64> old, qint64 now,
               const Window& window) {
    const QString name = parameter(table, number, window);
    const QString to = value(table, number, now, window);
    const QString where =
        table == RegisterTable::Coil
            ? QCoreApplication::translate("JournalWords", "coil %1").arg(number)
            : QCoreApplication::translate("JournalWords", "register %1").arg(number);
    if (!old)
        return QCoreApplication::translate("JournalWords", "%1 set to %2 (%3)")
            .arg(name, to, where);
    return QCoreApplication::translate("JournalWords", "%1 %2 → %3 (%4)")
        .arg(name, value(table, number, *old, window), to, where);
}

QString codeTitle(EventCategory category, const QString& code) {
    for (const CodeTitle& c : kCodes)
        if (c.category == category && code == QLatin1String(c.code))
            return translated(c.title);
    return code;
}

} // namespace journal_words
