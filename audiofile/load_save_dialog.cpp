#include "audiofile/load_save_dialog.h"

#include "audiofile/dialog_texts.h"

namespace sc {

platform::FileDialogRequest dialog_request(bool save, int filter_index, const std::string& initial_folder,
                                           const std::string& default_extension, DialogPurpose purpose,
                                           int16_t language) {
    platform::FileDialogRequest r;
    r.filters = {{std::string(dialog_texts::FILTER_WAV_LABEL), std::string(dialog_texts::FILTER_WAV)},
                 {std::string(dialog_texts::FILTER_MP3_LABEL), std::string(dialog_texts::FILTER_MP3)}};
    r.filter_index = filter_index == 2 ? 2 : 1;
    r.initial_folder = initial_folder.empty() ? "." : initial_folder;
    r.save = save;
    if (save) {
        r.title = dialog_texts::SAVE_TITLE(language);
        r.default_extension = default_extension;
    } else if (purpose == DialogPurpose::WholeFolder) {
        r.title = dialog_texts::FOLDER_TITLE(language);
    } else if (purpose == DialogPurpose::MediaPlayer) {
        r.title = std::string(dialog_texts::SEARCH(language)) + std::string(dialog_texts::MEDIA_PLAYER_TITLE);
        // A player program has no audio extension: every file is offered.
        r.filters.push_back({std::string(dialog_texts::FILTER_ANY), std::string(dialog_texts::FILTER_ANY)});
        r.filter_index = static_cast<int>(r.filters.size());
    } else {
        r.title = dialog_texts::OPEN_TITLE(language);
    }
    return r;
}

std::string LOADSAVEDIALOG(bool save, int filter_index, const std::string& initial_folder,
                           const std::string& default_extension, DialogPurpose purpose, const ProgramState& state,
                           View& view, platform::FileDialog& dialog) {
    view.wait_no_key();
    return dialog.choose(
        dialog_request(save, filter_index, initial_folder, default_extension, purpose, state.LANGUAGE));
}

}  // namespace sc
