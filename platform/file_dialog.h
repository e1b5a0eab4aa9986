// Choosing a file to open or a name to save under. The window draws the
// dialog itself; tests script the answer.
#pragma once

#include <string>
#include <vector>

namespace sc::platform {

struct FileFilter {
    std::string label;    // "Audio Dateien (*.WAV)"
    std::string pattern;  // "*.WAV"
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
    int filter_index = 1;            // 1-based entry of filters shown first
    std::string initial_folder;      // never empty ("." at least)
    bool save = false;               // save: asks before overwriting
    std::string default_extension;   // save only; may be empty
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The full path chosen, or "" when the user cancels.
    virtual std::string choose(const FileDialogRequest& request) = 0;
};

}  // namespace sc::platform
