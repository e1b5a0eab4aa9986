// LOADSAVEDIALOG: the file dialog with the program's title, filter list and
// initial folder for each language and purpose.
#pragma once

#include <string>

#include "platform/file_dialog.h"
#include "settings/program_state.h"
#include "settings/view.h"

namespace sc {

enum class DialogPurpose {
    Files,        // open one audio file (or save)
    WholeFolder,  // F11: any file of the folder to collect as a batch
    MediaPlayer,  // looking for the media player program
};

// The request the dialog is opened with: filter index 1 = WAV, 2 = MP3;
// an empty initial folder becomes ".".
platform::FileDialogRequest dialog_request(bool save, int filter_index, const std::string& initial_folder,
                                           const std::string& default_extension, DialogPurpose purpose,
                                           int16_t language);

// Drains pending keys, then runs the dialog. The chosen path, or "" when
// the user cancels.
std::string LOADSAVEDIALOG(bool save, int filter_index, const std::string& initial_folder,
                           const std::string& default_extension, DialogPurpose purpose, const ProgramState& state,
                           View& view, platform::FileDialog& dialog);

}  // namespace sc
