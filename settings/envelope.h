// The peak envelope of one file: the largest absolute sample of each of
// about 3900 equal blocks (fine entries 1 ... 4000), and 780 display columns
// of five blocks each (columns 0 ... 779; 780 ... 799 stay 0).
#pragma once

#include <array>
#include <cstdint>

namespace sc {

inline constexpr int ENVELOPE_FINE = 4000;
inline constexpr int ENVELOPE_COLUMN_COUNT = 800;
inline constexpr int ENVELOPE_DRAWN_COLUMNS = 780;

struct Envelope {
    // Index 0 is unused so that block k sits at index k.
    std::array<int16_t, ENVELOPE_FINE + 1> fine_left{};
    std::array<int16_t, ENVELOPE_FINE + 1> fine_right{};
    std::array<int16_t, ENVELOPE_COLUMN_COUNT> column_left{};
    std::array<int16_t, ENVELOPE_COLUMN_COUNT> column_right{};
    int16_t channels = 1;  // 2: the right arrays carry the right channel

    void clear() { *this = Envelope{}; }
    bool stereo() const { return channels == 2; }
};

}  // namespace sc
