// Carrying the tags of an MP3 source over to the MP3 result: an ID3
// version 1 tag and an APE tag found in the last kilobyte of the source are
// appended to the result. An APE tag that holds gain adjustments (stored by
// a loudness tool for the source's level) is not carried over, since the
// result has a level of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace sc {

inline constexpr std::size_t TAG_TAIL_BYTES = 1024;

// The tail of a source file as the tag copy reads it: its last 1024 bytes;
// a shorter file gives one zero byte followed by the whole file.
std::string tag_tail(const std::string& whole_file_or_tail, uint64_t file_length);

// What to append to the result, in order: the ID3 version 1 tag (the last
// 128 bytes when they begin with "TAG" and "APETAGEX" does not stand in
// the last 134 bytes of the tail), then the APE data (from the first
// "APETAGEX" of the tail to its end, unless "GAIN" stands anywhere in it).
std::vector<std::string> tags_to_append(const std::string& tail);

// Reads the tail of source and appends its tags to mp3. False when a file
// could not be read or written.
bool copy_mp3_tags(platform::FileSystem& fs, const std::string& source, const std::string& mp3);

}  // namespace sc
