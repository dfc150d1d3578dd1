#pragma once
// One record table of a RecordStore seen as the chart's RecordSource: the short table reads its
// write position from sl_void column 0, the long table from column 2.

#include "records/record_source.h"

class RecordStore;
enum class RecordTable;

class RecordTableSource final : public RecordSource {
public:
    RecordTableSource(RecordStore& store, RecordTable table) : store(store), table(table) {}

    std::optional<qint32> writePosition() override;
    std::vector<RecordRow> window(qint32 windowStart, qint32 windowEnd) override;

private:
    RecordStore& store;
    RecordTable table;
};
