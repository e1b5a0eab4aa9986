// The encoder program's command lines: decoding an MP3 source into the
// buffer WAV, and encoding a finished result at the bit rate of the output
// format. Arguments are passed as a vector, never through a shell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sc {

// Name of the encoder program, looked for in the program folder, then on PATH.
inline constexpr const char* ENCODER_PROGRAM = "lame";

// Bit rate in kbit/s for OUTFORMAT 2 ... 9 and a mono or stereo source;
// 0 for WAV output or a format outside 1 ... 9.
int mp3_bitrate(int16_t outformat, int channels);

// " -h -b 320 -p -o ": the encoder options for a bit rate.
std::string encoder_options_text(int bitrate);

// --decode --nohist SOURCE BUFFER
std::vector<std::string> decode_arguments(const std::string& source, const std::string& buffer_wav);
// WAV -h -b RATE -p -o MP3
std::vector<std::string> encode_arguments(const std::string& wav, int bitrate, const std::string& mp3);

// The MP3 name of an intermediate "--3copy.WAV": its last 4 characters
// replaced by ".MP3".
std::string mp3_target_of(const std::string& wav_target);

// A path whose last 4 characters are ".MP3" in any case.
bool is_mp3_name(const std::string& path);

}  // namespace sc
