#include "params/block_reader.h"

#include "core/register_image.h"

BlockReader::BlockReader(InstrumentLink& instrument, QObject* owner, std::span<qint32> screenImage,
                         std::vector<RegisterBlock> readBlocks, std::function<void(int)> shown)
    : link(instrument), context(owner), image(screenImage), blocks(std::move(readBlocks)),
      afterBlock(std::move(shown)) {}

bool BlockReader::start() {
    if (reading()) {
        ++skips;
        return false;
    }
    read(0);
    return true;
}

void BlockReader::read(std::size_t index) {
    if (index >= blocks.size()) {
        next = 0;
        return;
    }
    next = index + 1;
    const RegisterBlock& b = blocks[index];
    link.Get_4X_DX(LinkSet[linkslot::Port], LinkSet[linkslot::Address], b.first, b.count,
                   image.data() + b.offset, context, [this, index](int) {
                       if (afterBlock)
                           afterBlock(int(index));
                       read(index + 1);
                   });
}
