// The names of a job's result: target, buffer (".buf") and MP3 target, the
// alternative names with a letter A ... U, and the tests that tell a
// processed file by its name.
#pragma once

#include <cstdint>
#include <string>

namespace sc {

// The folder of a path with its closing "/" (empty for a bare name), and the
// name behind it.
std::string folder_part(const std::string& path);
std::string file_name_part(const std::string& path);

// The result lies in the source's folder (or in output_folder when one is
// given), named after the source's file name without a ".wav" or ".mp3"
// extension (any case; any other name is kept whole) + "---copy.WAV" for WAV
// output (OUTFORMAT 1), + "--3copy.WAV" for MP3 output (2 ... 9).
std::string target_name(const std::string& source_path, int16_t outformat, const std::string& output_folder = {});
// The file the job writes into: target + ".buf".
std::string buffer_name(const std::string& target);
// The "--3copy.WAV" name with ".WAV" replaced by ".MP3".
std::string mp3_target_name(const std::string& target);
// The first (length - 10) characters, the letter 'A' + n, the last 9:
// song---copy.WAV -> song-A-copy.WAV for n = 0.
std::string alternative_name(const std::string& name, int n);

// The window's test of a chosen file: its name (not its folders), upper
// case, holds "COPY." or "COPY3.".
bool name_looks_processed(const std::string& path);
// A result of this program by its file name: "---copy.", "--3copy." or one
// of the alternatives "-A-copy." ... "-U-copy." ("-A3copy." ... for MP3),
// case ignored.
bool is_result_name(const std::string& path);

}  // namespace sc
