#include "records/record_table_source.h"

#include "records/record_store.h"

std::optional<qint32> RecordTableSource::writePosition() {
    const auto positions = store.readPositions();
    if (!positions)
        return std::nullopt;
    return (*positions)[table == RecordTable::Short ? 0 : 2];
}

std::vector<RecordRow> RecordTableSource::window(qint32 windowStart, qint32 windowEnd) {
    return store.window(table, windowStart, windowEnd);
}
