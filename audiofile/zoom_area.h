// The piece of a file that the space key plays: the area around the mouse
// column of an envelope strip, cut to whole frames and faded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "audiofile/source_format.h"
#include "platform/file_system.h"

namespace sc {

// Data sizes from here on are not played.
inline constexpr int64_t ZOOM_DATA_SIZE_LIMIT = 1999888001;
// Envelope columns on each side of the mouse column.
inline constexpr int ZOOM_HALF_COLUMNS = 12;
// Frames faded in and out at the ends of a 16-bit area.
inline constexpr int ZOOM_FADE_FRAMES = 2000;  // a gain step of 0.0005

struct ZoomArea {
    // Counted from the "data" chunk header (so a 16-bit area never starts
    // inside a frame, and the 24-bit start gets its + 2).
    int64_t start = 0;
    int64_t length = 0;  // bytes, whole frames, one frame short of the span
};

// Bytes per frame of the three sample formats: mono 2, stereo 4, 24-bit mono 3.
int zoom_frame_bytes(int channels, int bits);

// The area for the mouse at screen x over a strip of a file with data size
// D: from data byte round(D (c - 12) / 780), at least 1, to round(D (c + 12)
// / 780), at most D, with c = x - 9; then aligned to frames.
ZoomArea zoom_area(int mouse_x, int64_t data_size, int channels, int bits);

// Whether the area holds a quarter second at least.
bool zoom_area_long_enough(const ZoomArea& area, int channels, int bits, int32_t sample_rate);

// The fades of a 16-bit area (little-endian samples, channels interleaved):
// the first and the last 2000 frames times a gain growing by 0.0005 per
// frame from 0, each sample rounded down.
void fade_16bit_area(std::vector<uint8_t>& bytes, int channels);

// A file's data as the zoom needs it.
struct ZoomSource {
    int64_t data_header = 0;  // 1-based position of the "data" chunk header
    int64_t data_size = 0;
    int channels = 0;
    int bits = 0;
    int32_t sample_rate = 0;
};

// The header walk of the file (with a MUSIFILE prefix) and its data size;
// nothing when it is no playable source or its data is too big.
std::optional<ZoomSource> zoom_source(platform::File& file);

// Reads the area's bytes (read from the "data" chunk header + start) and
// fades them for 16-bit files.
std::vector<uint8_t> read_zoom_area(platform::File& file, const ZoomSource& source, const ZoomArea& area);

// Writes the area as a WAV file: the 44-byte header (16 or 24 bit as the
// source, data size = the area's length), the bytes; then the file is opened
// again and file length - 8 goes to offset 4 and file length - 44 to offset
// 40. Throws RunTimeError when it cannot be written.
void write_zoom_file(platform::FileSystem& fs, const std::string& path, const ZoomSource& source,
                     const std::vector<uint8_t>& bytes);

}  // namespace sc
