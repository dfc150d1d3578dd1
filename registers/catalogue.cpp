#include "registers/catalogue.h"

#include "registers/entries.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

bool before(const RegisterInfo& a, const RegisterInfo& b) {
    return std::tie(a.table, a.number) < std::tie(b.table, b.number);
}

std::vector<RegisterInfo> assemble() {
    std::vector<RegisterInfo> all;
    for (const auto part : {live_registers(), setup_registers(), configuration_registers(),
                            program_window_registers()})
        all.insert(all.end(), part.begin(), part.end());
    std::stable_sort(all.begin(), all.end(), before);
    return all;
}

} // namespace

std::span<const RegisterInfo> register_catalogue() {
    static const std::vector<RegisterInfo> all = assemble();
    return all;
}

const RegisterInfo* find_register(RegisterTable table, int number) {
    const auto all = register_catalogue();
    RegisterInfo key{};
    key.table = table;
    key.number = number;
    const auto at = std::lower_bound(all.begin(), all.end(), key, before);
    return at != all.end() && at->table == table && at->number == number ? &*at : nullptr;
}

const RegisterInfo* holding_register(int number) {
    return find_register(RegisterTable::Holding, number);
}

std::optional<StatusWord> status_word(const RegisterInfo& info, double code) {
    for (const StatusWord& w : info.words)
        if (static_cast<double>(w.code) == code)
            return w;
    return std::nullopt;
}

std::optional<StatusWord> bit_word(const RegisterInfo& info, qint32 bit) {
    return status_word(info, bit == 0 ? 0 : 1);
}
