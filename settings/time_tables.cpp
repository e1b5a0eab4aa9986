#include "settings/time_tables.h"

#include <algorithm>
#include <array>

namespace sc {

namespace {

using Table = std::array<int32_t, 16>;

// Values in 0.1 ms.
constexpr std::array<Table, 6> kTables = {{
    // attack BASS
    {20, 30, 50, 70, 100, 140, 200, 280, 400, 600, 850, 1300, 1800, 2600, 3800, 5500},
    // release BASS
    {600, 800, 1300, 1800, 2600, 3800, 5500, 8000, 11000, 16000, 25000, 36000, 51000, 74000, 100000, 150000},
    // attack MIDD
    {8, 11, 15, 20, 30, 45, 60, 90, 130, 200, 280, 400, 600, 850, 1300, 1800},
    // release MIDD
    {280, 400, 600, 800, 1300, 1800, 2600, 3800, 5500, 8000, 11000, 16000, 25000, 36000, 51000, 74000},
    // attack HIGH
    {2, 3, 5, 8, 11, 15, 20, 30, 45, 60, 90, 130, 200, 280, 400, 600},
    // release HIGH
    {100, 140, 200, 280, 400, 600, 800, 1300, 1800, 2600, 3800, 5500, 8000, 11000, 16000, 25000},
}};

}  // namespace

int32_t time_table_value(TimeTable table, int index) {
    index = std::clamp(index, TIME_INDEX_MIN, TIME_INDEX_MAX);
    return kTables[static_cast<int>(table)][index - 1];
}

std::string time_value_text(int32_t value) {
    // value is in 0.1 ms
    if (value >= 100000) return std::to_string(value / 10000) + "s";
    if (value >= 10000) {
        const int32_t tenths = value / 1000;  // tenths of a second, cut off
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "s";
    }
    if (value % 10 == 0) return std::to_string(value / 10);
    return std::to_string(value / 10) + "." + std::to_string(value % 10);
}

}  // namespace sc
