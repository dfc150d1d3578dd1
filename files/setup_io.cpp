#include "files/setup_io.h"

#include "link/modbus_request.h"
#include "registers/program_window.h"

namespace {

constexpr int kProgramState = 4097; // input register: 0 stop, 1 run, 2 hold, 4 end

struct Range {
    SetupBlock block;
    int first;
    int count;
};
// The blocks read outside the programs, at most 16 registers each.
constexpr Range kRanges[] = {
    {SetupBlock::Configuration, 4097, 16}, {SetupBlock::Configuration, 4113, 16},
    {SetupBlock::Configuration, 4129, 16}, {SetupBlock::Configuration, 4145, 16},
    {SetupBlock::Configuration, 4161, 16}, {SetupBlock::Configuration, 4177, 8},
    {SetupBlock::Alarms, 257, 8},          {SetupBlock::Pid, 4353, 16},
    {SetupBlock::GroupedPid, 5121, 16},    {SetupBlock::GroupedPid, 5137, 14},
};
} // namespace

SetupIo::SetupIo(InstrumentLink& instrument, const LinkTarget& at, QObject* parent)
    : QObject(parent), link(instrument), target(at) {}

void SetupIo::run(std::vector<Step> list, std::function<void(bool)> done) {
    if (!sequence.clear()) {
        why = tr("another instrument-file job is still running");
        done(false);
        return;
    }
    programRunning = false;
    unanswered = 0;
    why.clear();
    trail = CurveTrail{};
    const int total = int(list.size());
    for (int i = 0; i < total; ++i)
        sequence.add([this, i, total, step = std::move(list[std::size_t(i)])](
                         const RequestSequence::Done& stepDone) {
            emit progress(i, total);
            step([this, stepDone](bool ok) {
                if (!ok && why.isEmpty())
                    why = tr("failed");
                if (unanswered >= 3 && why.isEmpty())
                    why = tr("the instrument stopped answering (three requests in a row): the "
                             "rest is not written");
                stepDone(why.isEmpty(), why);
            });
        });
    sequence.add([this](const RequestSequence::Done& stepDone) { putBack(stepDone); },
                 RequestSequence::Run::Always);
    sequence.start([this, done = std::move(done)] { done(why.isEmpty()); });
}

// Whatever happened, once a selection went out the operator's curve is put back, and a put-back
// that fails is said; but not under a program that started meanwhile.
void SetupIo::putBack(const RequestSequence::Done& done) {
    if (sequence.cancelled() && why.isEmpty())
        why = tr("cancelled");
    trail.original = originalCurve;
    if (curveTouched && programRunning) {
        curveTouched = false;
        trail.putBack = CurveTrail::PutBack::Withheld;
        why += u' ' + tr("(curve %1 was not put back: a program runs)").arg(originalCurve);
    }
    if (!curveTouched) {
        done(why.isEmpty(), why);
        return;
    }
    curveTouched = false;
    link.Set_4X_D1(
        port(), slave(), 7, originalCurve, this,
        [this, done](int result) {
            trail.putBack = result == 0 ? CurveTrail::PutBack::Done : CurveTrail::PutBack::Failed;
            if (result != 0 && why.isEmpty())
                why = tr("putting curve %1 back failed: %2")
                          .arg(originalCurve)
                          .arg(failure_words(link.status()));
            done(why.isEmpty(), why);
        },
        writeSource);
}

SetupIo::Step SetupIo::readBlock(const QString& block, int curve, int first, int count) {
    return [this, block, curve, first, count](std::function<void(bool)> next) {
        link.Get_4X_DX(port(), slave(), first, count, scratch, this,
                       [this, block, curve, first, count, next](int result) {
                           if (result != 0) {
                               why = tr("reading %1 (%2 to %3) failed: %4")
                                         .arg(block)
                                         .arg(first)
                                         .arg(first + count - 1)
                                         .arg(failure_words(link.status()));
                               next(false);
                               return;
                           }
                           for (int i = 0; i < count; ++i)
                               if (find_entry(curve, first + i))
                                   readValues[{curve, first + i}] = scratch[i];
                           next(true);
                       });
    };
}

SetupIo::Step SetupIo::selectCurve(const std::function<int()>& curve) {
    return [this, curve](std::function<void(bool)> next) {
        const int c = curve();
        curveTouched = true; // even a selection that timed out may have been taken
        trail.selected.push_back(c);
        link.Set_4X_D1(
            port(), slave(), 7, c, this,
            [this, c, next](int result) {
                if (result != 0) {
                    why = tr("selecting curve %1 failed: %2")
                              .arg(c)
                              .arg(failure_words(link.status()));
                    next(false);
                    return;
                }
                next(true);
            },
            writeSource);
    };
}

// The header: its recipe value places the segment table that the next twelve steps read.
SetupIo::Step SetupIo::readHeader(int curve) {
    return [this, curve](std::function<void(bool)> next) {
        const QString block = tr("curve %1").arg(curve);
        readBlock(block, curve, program::kHeaderFirst, program::kHeaderSize)([=, this](bool ok) {
            if (!ok) {
                next(false);
                return;
            }
            const int recipe = readValues[{curve, program::kHeaderFirst + program::kRecipeIndex}];
            if (recipe < 0 || recipe > program::kMaxRecipe) {
                why =
                    tr("curve %1: recipe value %2 places no table (0 to 8)").arg(curve).arg(recipe);
                next(false);
                return;
            }
            next(true);
        });
    };
}

// One block of 16 of the segment table, where the recipe value the header step read places it.
SetupIo::Step SetupIo::readTable(int curve, int block) {
    return [this, curve, block](std::function<void(bool)> next) {
        const int recipe = readValues.at({curve, program::kHeaderFirst + program::kRecipeIndex});
        const int first = program::kTableFirst + program::kRecipeStride * recipe + 16 * block;
        link.Get_4X_DX(
            port(), slave(), first, 16, scratch, this, [this, curve, block, next](int result) {
                if (result != 0) {
                    why = tr("reading %1 failed: %2")
                              .arg(tr("curve %1").arg(curve), failure_words(link.status()));
                    next(false);
                    return;
                }
                for (int i = 0; i < 16; ++i) {
                    const int reg = program::kTableFirst + 16 * block + i;
                    if (find_entry(curve, reg))
                        readValues[{curve, reg}] = scratch[i];
                }
                next(true);
            });
    };
}

void SetupIo::read(std::function<void(bool)> done) {
    readValues.clear();
    std::vector<Step> list;
    // Refused while a program runs or is held: selecting curves would change what it runs on.
    list.push_back([this](std::function<void(bool)> next) {
        link.Get_3X_DX(port(), slave(), kProgramState, 1, scratch, this, [this, next](int result) {
            if (result != 0) {
                why = tr("reading the program state failed: %1").arg(failure_words(link.status()));
            } else if (scratch[0] == 1 || scratch[0] == 2) {
                why = tr("a program is running or held: stop it first, reading "
                         "the programs selects each curve in turn");
            }
            next(why.isEmpty());
        });
    });
    list.push_back([this](std::function<void(bool)> next) {
        link.Get_4X_DX(port(), slave(), 7, 1, scratch, this, [this, next](int result) {
            originalCurve = scratch[0];
            if (result != 0)
                why =
                    tr("reading the curve selection failed: %1").arg(failure_words(link.status()));
            next(result == 0);
        });
    });
    for (const Range& r : kRanges)
        list.push_back(readBlock(block_name(r.block), -1, r.first, r.count));
    for (int curve = 0; curve <= 8; ++curve) {
        list.push_back(selectCurve([curve] { return curve; }));
        list.push_back(readHeader(curve));
        for (int block = 0; block < 12; ++block)
            list.push_back(readTable(curve, block));
    }
    run(std::move(list), std::move(done));
}
