#include "journal/journal_link.h"

#include "journal/event_journal.h"
#include "journal/journal_words.h"
#include "journal/program_window.h"
#include "link/modbus_request.h"

#include <QPointer>

namespace {

bool same_write(const LinkRequest& a, const LinkRequest& b) {
    return a.op == b.op && a.slave == b.slave && a.number == b.number && a.value == b.value;
}

RegisterTable table_of(const LinkRequest& r) {
    return r.op == LinkOp::Set_4X_D1 ? RegisterTable::Holding : RegisterTable::Coil;
}

QString written_value(const LinkRequest& r) {
    return QString::number(r.op == LinkOp::Set_4X_D1 ? r.value : r.op == LinkOp::Set_0X_Bit1);
}

// Baud rate, parity, address.
bool is_line_setting(int reg) {
    return reg >= 4157 && reg <= 4159;
}

} // namespace

JournalLink::JournalLink(InstrumentLink& inner, EventJournal& journal, QObject* parent)
    : InstrumentLink(parent), inner(inner), journal(journal), openSource(journal_words::portOpen()),
      closeSource(journal_words::portClose()) {
    connect(&inner, &InstrumentLink::statusChanged, this, &InstrumentLink::statusChanged);
}

void JournalLink::setWriteAccepted(std::function<void(const AcceptedWrite&)> notify) {
    writeAccepted = std::move(notify);
}

void JournalLink::setPortSources(const QString& open, const QString& close) {
    openSource = open;
    closeSource = close;
}

std::optional<qint64> JournalLink::knownRegister(int slave, int number) const {
    if (program_window::in_window(number)) {
        const auto k = windowKey(slave, number);
        if (!k || !window.contains(*k))
            return std::nullopt;
        return window.value(*k);
    }
    const auto it = registers.constFind(key(slave, number));
    return it == registers.cend() ? std::nullopt : std::optional<qint64>(*it);
}

std::optional<int> JournalLink::curveOf(int slave) const {
    const auto curve = knownRegister(slave, program_window::kCurveRegister);
    if (!curve || *curve < 0 || *curve > program_window::kMaxCurve)
        return std::nullopt;
    return int(*curve);
}

std::optional<int> JournalLink::recipeOf(int slave) const {
    const auto recipe = knownRegister(slave, program_window::kRecipeRegister);
    if (!recipe || *recipe < 0 || *recipe > program_window::kMaxRecipe)
        return std::nullopt;
    return int(*recipe);
}

std::optional<qint64> JournalLink::windowKey(int slave, int number) const {
    // The header's registers belong to the curve; the table's to the curve and its recipe (15:
    // no recipe).
    const auto curve = curveOf(slave);
    if (!curve)
        return std::nullopt;
    int recipe = 15;
    if (!program_window::in_header(number)) {
        const auto r = recipeOf(slave);
        if (!r)
            return std::nullopt;
        recipe = *r;
    }
    return (qint64(slave) << 32) | (qint64(*curve) << 24) | (qint64(recipe) << 16) |
           quint16(number);
}

void JournalLink::store(int slave, int number, qint64 value) {
    if (!program_window::in_window(number)) {
        registers.insert(key(slave, number), value);
        return;
    }
    if (const auto k = windowKey(slave, number))
        window.insert(*k, value);
}

void JournalLink::forget(int slave, int number) {
    if (!program_window::in_window(number)) {
        registers.remove(key(slave, number));
        return;
    }
    if (const auto k = windowKey(slave, number))
        window.remove(*k);
}

journal_words::Window JournalLink::windowOf(int slave) const {
    return {curveOf(slave), recipeOf(slave)};
}

std::optional<qint64> JournalLink::knownCoil(int slave, int number) const {
    const auto it = coils.constFind(key(slave, number));
    return it == coils.cend() ? std::nullopt : std::optional<qint64>(*it);
}

int JournalLink::OpenPort_Modbus(int port, int baudCode, int parityCode, const QString& device) {
    const int result = inner.OpenPort_Modbus(port, baudCode, parityCode, device);
    const LinkStatus s = inner.status();
    EventDraft d;
    d.category = EventCategory::Link;
    d.code = QStringLiteral("opened");
    d.source = openSource;
    d.newValue = s.device;
    // A gateway still connecting has not failed yet: its outcome shows on the poll cycle. A
    // device that is not there is tried again by the link, and its coming shows there too.
    const bool opened = result == 0;
    d.result = opened ? tr("accepted") : tr("failed: %1").arg(s.lastMessage);
    d.detail = opened ? tr("Port %1 opened by the operator (%2)").arg(s.device, s.settings)
                      : tr("Port %1 could not be opened: %2").arg(s.device, s.lastMessage);
    journal.record(d);
    // Another port may reach another instrument: nothing known before holds there.
    registers.clear();
    coils.clear();
    window.clear();
    emit portOpened();
    return result;
}

int JournalLink::ClosePort_Modbus(int port) {
    const QString device = inner.status().device;
    const bool wasWanted = inner.status().wanted;
    const int result = inner.ClosePort_Modbus(port);
    if (!wasWanted)
        return result; // nothing was open: nothing closed
    EventDraft d;
    d.category = EventCategory::Link;
    d.code = QStringLiteral("closed");
    d.source = closeSource;
    d.oldValue = device;
    d.result = tr("accepted");
    d.detail = tr("Port %1 closed by the operator").arg(device);
    journal.record(d);
    return result;
}

void JournalLink::remember(const LinkRequest& r, const qint32* buffer) {
    switch (r.op) {
    case LinkOp::Get_4X_DX:
        // In order: a recipe read in this block places the table registers after it.
        for (int k = 0; k < r.count; ++k)
            store(r.slave, r.number + k, buffer[k]);
        break;
    case LinkOp::Get_0X_B16:
        for (int k = 0; k < 16; ++k)
            coils.insert(key(r.slave, r.number + k), (buffer[0] >> k) & 1);
        break;
    default:
        break;
    }
}

void JournalLink::submit(const LinkRequest& request, qint32* buffer, QObject* context,
                         LinkDone done) {
    if (!is_write(request.op)) {
        QPointer<JournalLink> self(this);
        inner.submit(request, buffer, context, [self, request, buffer, done](int result) {
            if (self && result == 0 && buffer)
                self->remember(request, buffer);
            if (done)
                done(result);
        });
        return;
    }
    auto attempt = std::make_shared<Attempt>();
    attempt->request = request;
    // Part of a job that journals it in its own event (a job's curve selection), as sent: the job
    // may have ended by the time it completes.
    attempt->folded =
        request.op == LinkOp::Set_4X_D1 && journal.folds(request.source, request.number);
    // A program-window register's old value is taken when the write completes, under the curve
    // selected by then (a curve selection sent just before it completes first).
    if (request.op != LinkOp::Set_4X_D1)
        attempt->old = knownCoil(request.slave, request.number);
    else if (!program_window::in_window(request.number))
        attempt->old = knownRegister(request.slave, request.number);
    // The same write sent again from its failed attempt's completion is that write's retry.
    if (failingNow && same_write(failingNow->request, request)) {
        attempt->attempts = failingNow->attempts + 1;
        attempt->failures = failingNow->failures;
        attempt->old = failingNow->old;
        if (attempt->request.source.isEmpty())
            attempt->request.source = failingNow->request.source;
        failingNow->retried = true;
    }
    // The write is the link's own business from here: its completion is journaled even when the
    // caller has gone.
    QPointer<QObject> owner(context);
    const bool owned = context != nullptr;
    inner.submit(request, nullptr, this, [this, attempt, owner, owned, done](int result) {
        const LinkStatus after = inner.status();
        if (result != 0)
            attempt->failures << failure_words(after);
        if (done && (!owned || owner)) {
            Attempt* outer = failingNow;
            failingNow = result != 0 ? attempt.get() : nullptr;
            done(result);
            failingNow = outer;
        }
        if (!attempt->retried)
            finishWrite(attempt, result, after);
    });
}

void JournalLink::finishWrite(std::shared_ptr<Attempt> attempt, int result,
                              const LinkStatus& after) {
    const LinkRequest& r = attempt->request;
    const bool coil = r.op != LinkOp::Set_4X_D1;
    const qint64 value = coil ? (r.op == LinkOp::Set_0X_Bit1 ? 1 : 0) : r.value;
    // The program window's words are those of the curve (and recipe) selected when it completed.
    const journal_words::Window where = coil ? journal_words::Window{} : windowOf(r.slave);
    EventDraft d;
    d.category = EventCategory::Write;
    d.code = coil ? QStringLiteral("coil") : QStringLiteral("register");
    d.source = journal_words::source(r.source, table_of(r), r.number, where);
    const std::optional<qint64> old = !coil && program_window::in_window(r.number)
                                          ? knownRegister(r.slave, r.number)
                                          : attempt->old;
    if (old)
        d.oldValue = QString::number(*old);
    d.newValue = written_value(r);
    d.detail = journal_words::change(table_of(r), r.number, old, value, where);
    const bool folded = attempt->folded;
    if (result == 0) {
        d.result = attempt->attempts > 1 ? tr("accepted at attempt %1").arg(attempt->attempts)
                                         : tr("accepted");
        if (coil)
            coils.insert(key(r.slave, r.number), value);
        else
            store(r.slave, r.number, value);
        if (writeAccepted)
            writeAccepted({r.slave, coil, r.number, value, d.source, folded});
    } else if (!coil && is_line_setting(r.number) && after.lastUnmatched) {
        // The instrument took a line setting and answered at the new one (the new address).
        d.result = tr("accepted: answered at the new link setting");
        registers.insert(key(r.slave, r.number), value);
    } else if (!coil && is_line_setting(r.number) && after.lastException == 0) {
        // It may have taken it and answer only at the new setting: not known to have failed.
        d.result = tr("sent; no answer at the old link setting: %1").arg(after.lastMessage);
    } else {
        // A refusal says so itself; anything else is a failure with what to check.
        d.result = after.lastException != 0 ? failure_words(after)
                                            : tr("failed: %1").arg(failure_words(after));
        // The instrument may have taken it before the answer was lost: which curve (or table) the
        // window shows is not known until it is read again.
        if (!coil && (r.number == program_window::kCurveRegister ||
                      r.number == program_window::kRecipeRegister))
            forget(r.slave, r.number);
    }
    if (attempt->attempts > 1)
        d.detail += u' ' + tr("(%n attempt(s) before failed: %1)", nullptr, attempt->attempts - 1)
                               .arg(attempt->failures.mid(0, attempt->attempts - 1).join(u"; "));
    if (!folded)
        journal.record(d);
}
