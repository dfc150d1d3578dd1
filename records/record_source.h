#pragma once
// What the trend chart needs of a record table: the write position from sl_void and the rows of
// a window of the ring, in date-and-time order.

#include <QString>
#include <array>
#include <optional>
#include <vector>

constexpr int kRingSize = 65500;

struct RecordRow {
    double date = 0;               // w_date, a day number
    double time = 0;               // w_time, a fraction of a day
    std::array<float, 8> values{}; // Val3X 0..7 at the moment of writing
};

class RecordSource {
public:
    virtual ~RecordSource() = default;
    // The write position of this source's table (sl_void column 0 for the short record, 2 for the
    // long one); empty when it cannot be read.
    virtual std::optional<qint32> writePosition() = 0;
    // Rows with record numbers windowStart+1 .. windowEnd in ring order (1..windowEnd and
    // windowStart+1..65500 when the window spans the wrap), ordered by w_date, w_time.
    // Empty on a database error.
    virtual std::vector<RecordRow> window(qint32 windowStart, qint32 windowEnd) = 0;
};
