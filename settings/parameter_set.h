// The Parameter set: every processing setting the user can change on the panel.
#pragma once

#include <array>
#include <cstdint>

#include "settings/time_tables.h"

namespace sc {

// An attack or release setting: the table index and the looked-up time value
// (0.1 ms). Every change of the index also updates the value.
struct TimeSetting {
    int32_t index = 1;
    int32_t value = 0;
    bool operator==(const TimeSetting&) const = default;
};

inline constexpr int EQ_BANDS = 12;
// Band centre frequencies of `EQ`, band 1 (index 0) to band 12 (index 11).
inline constexpr std::array<int, EQ_BANDS> EQ_FREQUENCIES = {
    100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 15000};
// The labels the program uses for the bands.
inline constexpr std::array<const char*, EQ_BANDS> EQ_LABELS = {
    "100 Hz ", "160 Hz ", "250 Hz ", "400 Hz ", "630 Hz ", "  1 kHz",
    "1.6 kHz", "2.5 kHz", "  4 kHz", "6.3 kHz", " 10 kHz", " 15 kHz"};

// Full scale of the 16-bit level scale (0 dBFS).
inline constexpr int32_t FULL_SCALE = 32767;

struct ParameterSet {
    float INPUTGAIN = 1.6f;         // linear factor, -3 .. +18 dB on whole dB
    int32_t INPUTAUTO = 0;          // leveler: 0 off, 1 fast, 2 slow
    int32_t HPF = 0;                // 0 (off), 100, 120, 150 Hz
    std::array<float, EQ_BANDS> EQ{};  // dB, -9 .. +9 on a 0.5 dB grid; EQ[0] is band 1 (100 Hz)

    int32_t KOMPR_THRBASS = 10362;  // linear amplitudes, -30 .. -1 dBFS on whole dB
    int32_t KOMPR_THRMIDD = 11627;
    int32_t KOMPR_THRHIGH = 6538;
    float KOMPR_RATBASS = 2.5f;     // ratio n:1, 1.0 .. 6.0
    float KOMPR_RATMIDD = 2.5f;
    float KOMPR_RATHIGH = 2.5f;
    TimeSetting KOMPR_ATTBASS{6, 140};
    TimeSetting KOMPR_RELBASS{10, 16000};
    TimeSetting KOMPR_ATTMIDD{6, 45};
    TimeSetting KOMPR_RELMIDD{10, 8000};
    TimeSetting KOMPR_ATTHIGH{3, 5};
    TimeSetting KOMPR_RELHIGH{11, 3800};
    float KOMPR_OUTBASS = 1.0f;     // make-up gains, linear; 0.0 = mute
    float KOMPR_OUTMIDD = 1.0f;
    float KOMPR_OUTHIGH = 1.0f;
    int16_t GATEBASS = 0;           // 0 off, 1..6
    int16_t GATEMIDD = 0;
    int16_t GATEHIGH = 0;
    int16_t KOMPR_BYPASS = 0;       // 1 = multiband section bypassed

    int32_t LIMI_THR = 29152;       // linear amplitude, -6 .. -1 dB on whole dB
    TimeSetting LIMI_ATT{8, 90};
    TimeSetting LIMI_REL{5, 1300};
    float LIMI_OUTGAIN = 1.0f;      // linear factor, 0 dB .. about +5 dB

    int16_t OUTFORMAT = 1;          // 1 WAV, 2..9 MP3 at a bit rate

    int32_t LEVE_TARGET = 13003;    // leveler target, -8 dBFS
    int32_t LEVE_ATT = 8000;        // leveler attack time, 0.1 ms
    int32_t LEVE_REL = 100000;      // leveler release time, 0.1 ms

    bool operator==(const ParameterSet&) const = default;
};

}  // namespace sc
