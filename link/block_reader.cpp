#include "link/block_reader.h"

BlockReader::BlockReader(InstrumentLink& instrument, const LinkTarget& at, QObject* owner,
                         std::span<qint32> screenImage,
                         const std::vector<RegisterBlock>& readBlocks,
                         std::function<void(int)> shown)
    : BlockReader(
          instrument, at, owner, screenImage, int(readBlocks.size()),
          [blocks = readBlocks](int index) { return blocks[std::size_t(index)]; },
          std::move(shown)) {}

BlockReader::BlockReader(InstrumentLink& instrument, const LinkTarget& at, QObject* owner,
                         std::span<qint32> screenImage, int blockCount,
                         std::function<RegisterBlock(int)> blockOf, std::function<void(int)> shown)
    : link(instrument), target(at), context(owner), image(screenImage), blockAt(std::move(blockOf)),
      afterBlock(std::move(shown)) {
    for (int index = 0; index < blockCount; ++index)
        sequence.add([this, index](const RequestSequence::Done& done) { read(index, done); });
}

bool BlockReader::start() {
    return sequence.start();
}

// The block is asked for when its turn comes: it may depend on what the blocks before it read.
void BlockReader::read(int index, const RequestSequence::Done& done) {
    const RegisterBlock b = blockAt(index);
    if (b.count <= 0) { // nothing to read for this block now
        if (afterBlock)
            afterBlock(index);
        done(true, QString());
        return;
    }
    link.Get_4X_DX(target.port, target.address, b.first, b.count, image.data() + b.offset, context,
                   [this, index, done](int result) {
                       if (afterBlock)
                           afterBlock(index);
                       done(result == 0, link.status().lastMessage);
                   });
}
