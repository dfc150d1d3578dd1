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
    : link(instrument), target(at), context(owner), image(screenImage), count(blockCount),
      blockAt(std::move(blockOf)), afterBlock(std::move(shown)) {}

bool BlockReader::start() {
    if (reading()) {
        ++skips;
        return false;
    }
    read(0);
    return true;
}

void BlockReader::read(std::size_t index) {
    if (index >= std::size_t(count)) {
        next = 0;
        return;
    }
    next = index + 1;
    const RegisterBlock b = blockAt(int(index));
    if (b.count <= 0) { // nothing to read for this block now
        if (afterBlock)
            afterBlock(int(index));
        read(index + 1);
        return;
    }
    link.Get_4X_DX(target.port, target.address, b.first, b.count, image.data() + b.offset, context,
                   [this, index](int) {
                       if (afterBlock)
                           afterBlock(int(index));
                       read(index + 1);
                   });
}
