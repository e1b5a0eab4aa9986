// Loudness of a PCM WAV file after EBU R128 (measured by libebur128):
// integrated loudness, loudness range and true peak.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace sc {

struct Loudness {
    double integrated_lufs = 0.0;  // -inf for silence
    double range_lu = 0.0;
    double true_peak_dbtp = 0.0;   // the highest of the channels
};

// Measures the samples of a 16-bit or 24-bit PCM WAV (mono or stereo, the
// header walked as for a source). Nothing when the file cannot be read or
// is no such file.
std::optional<Loudness> measure_loudness(platform::FileSystem& fs, const std::string& path);

}  // namespace sc
