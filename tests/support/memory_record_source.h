#pragma once
// A record table held in memory for chart tests: rows by record number, windows selected by the
// ring rule and returned in date-and-time order, and every window asked for remembered.

#include "records/record_source.h"

#include <algorithm>
#include <map>
#include <utility>

class MemoryRecordSource : public RecordSource {
public:
    std::optional<qint32> position;
    std::map<qint32, RecordRow> rows;
    std::vector<std::pair<qint32, qint32>> requests; // (windowStart, windowEnd)

    std::optional<qint32> writePosition() override { return position; }

    std::vector<RecordRow> window(qint32 windowStart, qint32 windowEnd) override {
        requests.emplace_back(windowStart, windowEnd);
        std::vector<RecordRow> out;
        for (const auto& [number, row] : rows) {
            const bool inside = windowEnd > windowStart
                                    ? number > windowStart && number <= windowEnd
                                    : number <= windowEnd || number > windowStart;
            if (inside)
                out.push_back(row);
        }
        std::stable_sort(out.begin(), out.end(), [](const RecordRow& a, const RecordRow& b) {
            return std::pair(a.date, a.time) < std::pair(b.date, b.time);
        });
        return out;
    }

    // A full ring written one row a second, the newest row numbered newest at the given moment;
    // value column 0 carries the record number.
    void fillRing(qint32 newest, double newestDate, int newestSecond, int count = kRingSize) {
        for (int age = 0; age < count; ++age) {
            const qint32 number = (newest - 1 - age + 2 * kRingSize) % kRingSize + 1;
            const int second = newestSecond - age;
            const int dayShift = second < 0 ? (-second + 86399) / 86400 : 0;
            RecordRow row;
            row.date = newestDate - dayShift;
            row.time = (second + dayShift * 86400) / 86400.0;
            row.values[0] = static_cast<float>(number);
            rows[number] = row;
        }
    }
};
