// The batch list as it is filled: from the program's arguments, and from
// the files of one folder.
#pragma once

#include <string>
#include <vector>

namespace sc {

// True when the path ends in the extension (".wav", ".mp3"), case ignored.
bool ends_with_extension(const std::string& path, const std::string& extension);

// The audio files among the program's arguments, in their order: each
// argument ending in .wav or .mp3 (case ignored); a relative path is taken
// against working_folder. Other arguments are left out.
struct ArgumentFiles {
    std::vector<std::string> entries;
    int mp3_count = 0;
    int wav_count = 0;
};
ArgumentFiles audio_files_of_arguments(const std::vector<std::string>& args, const std::string& working_folder);

// A name that carries the mark of a processed file ("-COPY.", "3COPY.",
// "-COPY3.", case ignored).
bool is_processed_name(const std::string& name);

// The folder part of a path, up to and including its last "/"; "" when none.
std::string folder_of_path(const std::string& path);

// The file line of a batch job: "Datei: " / "File: " and the name, cut to
// 10 + "..." + 63 characters beyond 77, with "  (Nr i/n)" for a batch of
// more than one entry (cut again to 10 + "..." + 64), padded to 77.
std::string batch_file_line(const std::string& path, int index, int count, int16_t language);

}  // namespace sc
