// The 44-byte header of a result file and its completion at the end of the
// job; the header and patch of the rehearsal clip.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audiofile/source_format.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace sc {

inline constexpr std::size_t HEADER_SIZE = 44;
using WavHeader = std::array<uint8_t, HEADER_SIZE>;

// "RIFF", "xxxx" (patched at the end), "WAVEfmt ", 16, PCM, the source's
// channels and sample rate, then with w = the 24-bit mono flag: bytes per
// second channels x rate x (2 + w), block align (2 + w) x channels, bits
// 16 + 8w; "data" and the source's data size.
WavHeader output_header(const SourceFormat& fmt);

// The same layout, always 16 bit, with a data size of 0.
WavHeader rehearsal_header(int32_t channels, int32_t sample_rate);

// Writes file length - 8 at byte offset 4 of the file at path. Throws
// RunTimeError when the file cannot be opened or written.
void patch_riff_size(platform::FileSystem& fs, const std::string& path);
// The same on a file that is open for writing; false when it failed.
bool patch_riff_size(platform::File& file);

// A work file in a folder others may write to (the temporary folder): what
// is left under the name goes (a link is removed, never followed) and the
// file is created new. nullptr when it cannot be.
std::unique_ptr<platform::File> create_work_file(platform::FileSystem& fs, const std::string& path);

// Writes file length - 8 at byte offset 4 and file length - 44 at offset 40
// of the file at path (a clip written with a provisional header). Throws
// RunTimeError when the file cannot be opened or written.
void patch_clip_lengths(platform::FileSystem& fs, const std::string& path);

// Writes the rehearsal clip: header, the 16-bit sample bytes, close; waits
// 140 ms, writes file length - 8 at offset 4 and file length - 44 at offset
// 40, closes and waits 130 ms. Throws RunTimeError on failure.
void write_rehearsal_clip(platform::FileSystem& fs, platform::Clock& clock, const std::string& path,
                          int32_t channels, int32_t sample_rate, const std::vector<uint8_t>& samples);

}  // namespace sc
