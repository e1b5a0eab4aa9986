// The six constant time tables of the compressor bands (16 entries each, in
// units of 0.1 ms). The limiter uses the middle band's attack and release.
#pragma once

#include <cstdint>
#include <string>

namespace sc {

enum class TimeTable : int { AttBass, RelBass, AttMidd, RelMidd, AttHigh, RelHigh };

inline constexpr int TIME_INDEX_MIN = 1;
inline constexpr int TIME_INDEX_MAX = 16;

// Table value for index 1..16 (indices outside are clamped).
int32_t time_table_value(TimeTable table, int index);

// The text a time knob shows: ms with one decimal where there is one
// ("0.8", "14", "550"), releases of 1000 ms or more in seconds with one decimal
// and "s" ("1.6s", tenths cut off), 10 s or more in whole seconds ("15s").
std::string time_value_text(int32_t value);

}  // namespace sc
