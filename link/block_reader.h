#pragma once
// A screen's own refresh reads: holding-register blocks read one after the other into the
// screen's image, each read started from the previous one's completion (the event loop runs
// between them, so a commit goes on the wire after at most one of them). A refresh that falls due
// while the previous one is still reading is skipped, so a reader never has more than one request
// in the link's queue. A failed read leaves its part of the image as it was.

#include "link/instrument.h"
#include "link/instrument_link.h"
#include "link/request_sequence.h"

#include <QObject>
#include <functional>
#include <span>
#include <vector>

struct RegisterBlock {
    int first;  // first holding register
    int count;  // at most 16
    int offset; // image index that receives `first`
};

class BlockReader {
public:
    // Reads from the instrument at `target` (read afresh for each block). After each block (read
    // or failed), `afterBlock(index)` shows what the image now holds.
    BlockReader(InstrumentLink& link, const LinkTarget& target, QObject* context,
                std::span<qint32> image, const std::vector<RegisterBlock>& blocks,
                std::function<void(int block)> afterBlock);
    // Blocks that depend on what the earlier ones read: `blockAt(index)` is asked for each block
    // when its turn comes.
    BlockReader(InstrumentLink& link, const LinkTarget& target, QObject* context,
                std::span<qint32> image, int blockCount,
                std::function<RegisterBlock(int index)> blockAt,
                std::function<void(int block)> afterBlock);

    bool start(); // false: the previous refresh is still reading (this one is skipped)
    bool reading() const { return sequence.running(); }
    quint64 skipped() const { return sequence.skipped(); }

private:
    void read(int index, const RequestSequence::Done& done);

    InstrumentLink& link;
    const LinkTarget& target;
    QObject* context;
    std::span<qint32> image;
    std::function<RegisterBlock(int)> blockAt;
    std::function<void(int)> afterBlock;
    RequestSequence sequence; // one step a block; a failed read does not stop the refresh
};
