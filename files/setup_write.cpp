// Writing a setup's differences back: the plan, the guards between the writes and the
// communication settings last.
#include "files/setup_io.h"

#include "link/modbus_request.h"
#include "registers/program_window.h"

#include <algorithm>

namespace {

constexpr int kProgramState = 4097; // input register: 0 stop, 1 run, 2 hold, 4 end
constexpr int kSilentLimit = 3;     // requests in a row without an answer stop the writing
constexpr int kAddressRegister = 4159;
constexpr int kRecipeRegister = program::kHeaderFirst + program::kRecipeIndex;

// The input types and decimal points: the limits and values after them are read in their terms.
bool sets_the_terms(int reg) {
    return reg == 4109 || reg == 4120 || reg == 4112 || reg == 4123;
}

// Parity and address while the instrument still answers at the old line; the baud rate last.
int comms_rank(int reg) {
    return reg == 4158 ? 0 : reg == 4159 ? 1 : 2;
}

std::optional<qint32> value_of(const SetupValues& values, int curve, int reg) {
    const auto v = values.find({curve, reg});
    return v == values.end() ? std::nullopt : std::optional<qint32>(v->second);
}

} // namespace

void SetupIo::heard(int result) {
    // A refusal is an answer, and so is one that fits no request; a time out or a lost line is not.
    const LinkStatus said = link.status();
    unanswered = result == 0 || said.lastException != 0 || said.lastUnmatched ? 0 : unanswered + 1;
}

void SetupIo::plan(const SetupValues& wanted, const SetupValues& present, bool includeComms) {
    writeResults.clear();
    recipeDiffers.clear();
    failedInput = nullptr;
    for (int curve = 0; curve <= program::kMaxRecipe; ++curve) {
        const auto mine = value_of(wanted, curve, kRecipeRegister);
        const auto theirs = value_of(present, curve, kRecipeRegister);
        if (mine && theirs && *mine != *theirs)
            recipeDiffers.insert(curve);
    }
    std::vector<WriteResult> comms;
    for (const MapEntry* e : differing(wanted, present)) {
        if (!e->writable || !wanted.count({e->curve, e->reg}))
            continue;
        WriteResult w{e, wanted.at({e->curve, e->reg}), 0, WriteOutcome::NotWritten, {}};
        blocked(w);
        if (!e->comms)
            writeResults.push_back(w);
        else if (includeComms)
            comms.push_back(w);
    }
    std::stable_sort(comms.begin(), comms.end(), [](const WriteResult& a, const WriteResult& b) {
        return comms_rank(a.entry->reg) < comms_rank(b.entry->reg);
    });
    writeResults.insert(writeResults.end(), comms.begin(), comms.end());
}

void SetupIo::write(const SetupValues& wanted, const SetupValues& present, bool includeComms,
                    std::function<void(bool)> done) {
    plan(wanted, present, includeComms);
    commsAddress = slave();
    if (!linkOpen()) {
        why = tr("the link is not open: nothing written");
        done(false);
        return;
    }
    std::vector<Step> list;
    list.push_back([this](std::function<void(bool)> next) {
        link.Get_4X_DX(port(), slave(), 7, 1, scratch, this, [this, next](int result) {
            heard(result);
            originalCurve = scratch[0];
            if (result != 0)
                why =
                    tr("reading the curve selection failed: %1").arg(failure_words(link.status()));
            next(result == 0);
        });
    });
    int selected = -1;
    for (std::size_t i = 0; i < writeResults.size(); ++i) {
        const MapEntry* e = writeResults[i].entry;
        if (e->comms)
            continue;
        if (e->curve >= 0 && e->curve != selected) {
            selected = e->curve;
            // Selecting a curve under a running program would change what it runs on.
            list.push_back(checkProgramState());
            list.push_back(selectCurve([c = selected] { return c; }));
            list.push_back(readRecipe(selected, value_of(wanted, selected, kRecipeRegister)));
        }
        list.push_back(writeOne(i));
    }
    // The operator's curve back before anything else: the communication settings end it all.
    list.push_back([this](std::function<void(bool)> next) {
        if (!curveTouched) {
            next(true);
            return;
        }
        curveTouched = false;
        link.Set_4X_D1(
            port(), slave(), program::kCurveRegister, originalCurve, this,
            [this, next](int result) {
                heard(result);
                trail.putBack =
                    result == 0 ? CurveTrail::PutBack::Done : CurveTrail::PutBack::Failed;
                if (result != 0)
                    why = tr("putting curve %1 back failed: %2")
                              .arg(originalCurve)
                              .arg(failure_words(link.status()));
                next(result == 0);
            },
            writeSource);
    });
    run(std::move(list), std::move(done));
}

SetupIo::Step SetupIo::checkProgramState() {
    return [this](std::function<void(bool)> next) {
        link.Get_3X_DX(port(), slave(), kProgramState, 1, scratch, this, [this, next](int result) {
            heard(result);
            if (result != 0) {
                why = tr("reading the program state failed: %1").arg(failure_words(link.status()));
            } else if (scratch[0] == 1 || scratch[0] == 2) {
                programRunning = true;
                why = tr("a program was started (state %1): the restore stopped, the rest is not "
                         "written")
                          .arg(scratch[0]);
            }
            next(why.isEmpty());
        });
    };
}

SetupIo::Step SetupIo::readRecipe(int curve, std::optional<qint32> fileRecipe) {
    return [this, curve, fileRecipe](std::function<void(bool)> next) {
        link.Get_4X_DX(
            port(), slave(), kRecipeRegister, 1, scratch, this,
            [this, curve, fileRecipe, next](int result) {
                heard(result);
                currentRecipe = scratch[0];
                if (result != 0)
                    why =
                        tr("reading the recipe value failed: %1").arg(failure_words(link.status()));
                else if (currentRecipe < 0 || currentRecipe > program::kMaxRecipe)
                    why = tr("recipe value %1 places no table (0 to 8): "
                             "nothing written there")
                              .arg(currentRecipe);
                else if (fileRecipe && *fileRecipe != currentRecipe)
                    recipeDiffers.insert(curve); // changed since it was read
                next(why.isEmpty());
            });
    };
}

// A write that cannot mean what the file meant is not sent: a segment of a table saved at another
// recipe value, or a register read in the terms of an input type or decimal point not taken.
bool SetupIo::blocked(WriteResult& w) const {
    if (w.entry->segment > 0 && recipeDiffers.count(w.entry->curve)) {
        w.why = tr("recipe differs");
        return true;
    }
    if (failedInput && failedInput->block == w.entry->block) {
        w.why = tr("%1 (%2) was not taken, and this is read in its terms")
                    .arg(failedInput->name(), failedInput->key());
        return true;
    }
    return false;
}

// Write, then read back; a failed write is not sent again (it may have been taken: the read-back
// says).
SetupIo::Step SetupIo::writeOne(std::size_t i) {
    return [this, i](std::function<void(bool)> next) {
        WriteResult& w = writeResults[i];
        if (blocked(w)) {
            next(true);
            return;
        }
        const bool segment = w.entry->segment > 0;
        const int reg = w.entry->reg + (segment ? program::kRecipeStride * currentRecipe : 0);
        link.Set_4X_D1(
            port(), slave(), reg, w.wanted, this,
            [this, i, reg, next](int result) { verify(i, reg, result, next); }, writeSource);
    };
}

void SetupIo::verify(std::size_t i, int reg, int result, std::function<void(bool)> next) {
    heard(result);
    WriteResult& w = writeResults[i];
    const LinkStatus said = link.status();
    auto settle = [this, i, next] {
        const WriteResult& done = writeResults[i];
        if (sets_the_terms(done.entry->reg) && done.outcome != WriteOutcome::Verified &&
            done.outcome != WriteOutcome::Written && !failedInput)
            failedInput = done.entry;
        next(true);
    };
    // A refusal is known by the instrument's exception, whatever language the words.
    if (result != 0 && said.lastException != 0) {
        w.outcome = WriteOutcome::Refused;
        w.why = failure_words(said);
        settle();
        return;
    }
    if (result != 0)
        w.why = failure_words(said);
    if (unanswered >= kSilentLimit) {
        settle(); // not read back on a silent line: the writing stops here
        return;
    }
    link.Get_4X_DX(
        port(), slave(), reg, 1, scratch, this, [this, i, result, settle](int readResult) {
            heard(readResult);
            WriteResult& w = writeResults[i];
            if (readResult != 0) {
                if (w.why.isEmpty())
                    w.why = failure_words(link.status());
                // Answered but not read back: taken. Unanswered: unknown.
                w.outcome = result == 0 ? WriteOutcome::Written : WriteOutcome::NotWritten;
            } else {
                w.readBack = scratch[0];
                w.outcome =
                    scratch[0] == w.wanted ? WriteOutcome::Verified : WriteOutcome::NotVerified;
            }
            settle();
        });
}

void SetupIo::writeComms(std::function<void(bool)> done) {
    std::vector<Step> list;
    for (std::size_t i = 0; i < writeResults.size(); ++i)
        if (writeResults[i].entry->comms)
            list.push_back(writeCommsOne(i));
    run(std::move(list), std::move(done));
}

// Answered, it is taken; it cannot be read back, for the instrument now listens at the new setting.
// After the address the instrument answers to the new one, and may already answer the address
// write from there, which the old conversation does not hear: asked there once, it says.
SetupIo::Step SetupIo::writeCommsOne(std::size_t i) {
    return [this, i](std::function<void(bool)> next) {
        WriteResult& w = writeResults[i];
        link.Set_4X_D1(
            port(), commsAddress, w.entry->reg, w.wanted, this,
            [this, i, next](int result) {
                heard(result);
                WriteResult& w = writeResults[i];
                const LinkStatus said = link.status();
                if (result == 0 || said.lastUnmatched) { // answered, maybe at the new address
                    commsTaken(w);
                    next(true);
                } else if (said.lastException != 0) {
                    w.outcome = WriteOutcome::Refused;
                    w.why = failure_words(said);
                    next(true);
                } else if (w.entry->reg == kAddressRegister) {
                    probeAddress(i, next);
                } else {
                    commsUnanswered(w, said.lastMessage);
                    next(true);
                }
            },
            writeSource);
    };
}

void SetupIo::probeAddress(std::size_t i, std::function<void(bool)> next) {
    const QString silence = link.status().lastMessage;
    link.Get_4X_DX(port(), writeResults[i].wanted, kAddressRegister, 1, scratch, this,
                   [this, i, silence, next](int result) {
                       heard(result);
                       WriteResult& w = writeResults[i];
                       if (result == 0 && scratch[0] == w.wanted)
                           commsTaken(w);
                       else
                           commsUnanswered(w, silence);
                       next(true);
                   });
}

void SetupIo::commsTaken(WriteResult& w) {
    w.outcome = WriteOutcome::Written;
    w.why = tr("written; not verifiable after the link setting changed");
    if (w.entry->reg == kAddressRegister)
        commsAddress = w.wanted;
}

void SetupIo::commsUnanswered(WriteResult& w, const QString& silence) {
    w.outcome = WriteOutcome::NotVerified;
    w.why = tr("no answer at the old link setting, whether it was taken is not known (%1)")
                .arg(silence);
}

std::vector<const MapEntry*> differing(const SetupValues& a, const SetupValues& b) {
    std::vector<const MapEntry*> out;
    for (const MapEntry& e : register_map()) {
        const auto ka = a.find({e.curve, e.reg});
        const auto kb = b.find({e.curve, e.reg});
        if (ka == a.end() && kb == b.end())
            continue;
        if (ka == a.end() || kb == b.end() || ka->second != kb->second)
            out.push_back(&e);
    }
    return out;
}
