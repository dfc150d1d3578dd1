#include "params/param_rows.h"

#include <deque>
#include <vector>

namespace {

// Every list and table built: a deque keeps their addresses while more are added.
std::deque<OptionList>& built_lists() {
    static std::deque<OptionList> lists;
    return lists;
}

const OptionList* list_of(const RowView& view, const RegisterInfo& info) {
    if (info.kind != FieldKind::Option || !info.options)
        return nullptr;
    return &built_lists().emplace_back(
        OptionList{view.list, info.options->entries, info.options->shown});
}

ParamRow row_of(const RowView& view) {
    const int reg = view.reg != 0 ? view.reg : view.listOf;
    const RegisterInfo* info = holding_register(reg);
    if (!info) // a mistyped table: the catalogue test names it
        qFatal("row %d names register %d, which the catalogue does not know", view.k, reg);
    ParamRow row{view.k,
                 0,
                 view.group,
                 view.caption,
                 {},
                 info->kind,
                 list_of(view, *info),
                 view.editorName,
                 view.valueName};
    if (view.reg != 0) {
        row.reg = info->writable ? view.reg : 0; // a shown-only register writes nothing
        row.name = info->caption;
        row.hint = info->hint;
    }
    return row;
}

} // namespace

std::span<const ParamRow> build_rows(std::span<const RowView> views) {
    static std::deque<std::vector<ParamRow>> tables;
    std::vector<ParamRow>& rows = tables.emplace_back();
    for (const RowView& view : views)
        rows.push_back(row_of(view));
    return rows;
}
