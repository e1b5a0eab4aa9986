// What one command-line run keeps to itself: a folder for its own work
// files (so that a window running at the same time keeps its rehearsal file
// and MP3 buffer), and the files of one command that would write the same
// result.
#pragma once

#include <string>
#include <vector>

#include "platform/run_folder.h"

namespace sc::cli {

// A fresh folder below the temporary folder (TMPDIR or /tmp; on Windows
// that of TEMP) for the work files of one job;
// removed with the program's work files in it when the job is done. Empty
// path when none could be made (the job then keeps no work files apart).
class OwnWorkFolder {
public:
    OwnWorkFolder();
    const std::string& path() const { return folder_.path(); }

private:
    platform::RunFolder folder_;
};

// Removes the work folders that runs killed on the way left behind: those
// whose lock no live run holds.
void remove_stale_work_folders();

// For each file (absolute paths), the index of an earlier file of the list
// whose result would have the same name (the same file twice, or song.wav
// next to song.WAV), or -1.
std::vector<int> earlier_with_same_result(const std::vector<std::string>& files);

}  // namespace sc::cli
