#include "register_map.h"

namespace sim {

std::optional<Block> find_block(Table table, int first, int count) {
    if (count < 1)
        return std::nullopt;
    for (const Block& b : kBlocks) {
        if (b.table == table && first >= b.first && first + count <= b.first + b.count)
            return b;
    }
    return std::nullopt;
}

} // namespace sim
