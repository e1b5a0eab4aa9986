// The names of a job's result: target, buffer (".buf") and MP3 target, and
// the alternative names with a letter A ... U.
#pragma once

#include <cstdint>
#include <string>

namespace sc {

// Source path without its last 4 characters + "---copy.WAV" for WAV output
// (OUTFORMAT 1), + "--3copy.WAV" for MP3 output (2 ... 9).
std::string target_name(const std::string& source_path, int16_t outformat);
// The file the job writes into: target + ".buf".
std::string buffer_name(const std::string& target);
// The "--3copy.WAV" name with ".WAV" replaced by ".MP3".
std::string mp3_target_name(const std::string& target);
// The first (length - 10) characters, the letter 'A' + n, the last 9:
// song---copy.WAV -> song-A-copy.WAV for n = 0.
std::string alternative_name(const std::string& name, int n);

}  // namespace sc
