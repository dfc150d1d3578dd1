#pragma once
// The layout of the record file and the SQL texts run on it. The SQL of the record screens is
// kept as the system words it (two blanks after "from"); only what SQLite needs differs:
// `between` gets its bounds in ascending order, and the window across the wrap is written as two
// ranges joined by `or`, which SQLite answers from the index (`not between` scans the table).

#include <QString>
#include <QStringList>

struct RecordTableSpec {
    const char* name;         // as created, and in the logger's query
    const char* key;          // column 0
    const char* windowName;   // as the curve screen spells it (table names ignore case)
    const char* selectNumber; // the logger's query, followed by the record number
    int positionColumn;       // the sl_void column holding its write position (and +1 its copy)
};

inline constexpr RecordTableSpec kShortTableSpec{"pv_data", "w_id", "pv_data",
                                                 "select * from  pv_data where w_id=", 0};
inline constexpr RecordTableSpec kLongTableSpec{"Lpv_wdjl", "lw_id", "lpv_wdjl",
                                                "select * from  Lpv_wdjl   Where lw_id = ", 2};

inline constexpr int kRecordColumns = 11; // number, date, time, eight values
inline constexpr int kSlVoidColumns = 4;

inline constexpr const char* kSelectSlVoid = "select * from  sl_void";

// Statements that create a missing table (with its index), in order.
QStringList create_sl_void_sql();
QStringList create_record_table_sql(const RecordTableSpec& table);

// The chart window: records windowStart+1 .. windowEnd, or when windowEnd <= windowStart the two
// ends of the ring 1..windowEnd and windowStart+1..65500; chronological either way.
QString window_sql(const RecordTableSpec& table, qint32 windowStart, qint32 windowEnd);

// Statements built from the columns an existing file really has (access is by position).
QString update_record_sql(const RecordTableSpec& table, const QStringList& columns);
QString insert_record_sql(const RecordTableSpec& table, const QStringList& columns);
QString update_position_sql(const QStringList& slVoidColumns, int positionColumn);
