// The program state shared by the main loop, the job, the batch and the views.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/envelope.h"
#include "settings/text.h"
#include "settings/view.h"

namespace sc {

inline constexpr int BATCH_MAX = 1000;
inline constexpr int USER_SETUP_SLOTS = 20;
inline constexpr int16_t USER_SETUP_NAMES_ONLY = 2;

inline constexpr const char* WINDOW_TITLE = " SONOCLAMPER | DYNAMIC-PROCESSOR | D45a";
inline constexpr const char* MP3_BUFFER_NAME = "000-SONOCLAMPER-MP3-BUFFER.WAV";
inline constexpr const char* REHEARSAL_NAME = "000-SONOCLAMPER-Rehearsal.WAV";
inline constexpr const char* USER_SETUPS_NAME = "SONOCLAMPER-SETUP-308";

struct ProgramState {
    int16_t LANGUAGE = LANGUAGE_DE;

    std::string program_path;
    std::string program_folder;      // up to and including the last "/"
    std::string program_drive_root;  // the root of absolute paths; also the last-used folder
    std::string last_used_folder;
    std::string temporary_folder;    // ends with "/"
    std::string encoder_path;
    std::string mp3_buffer_wav;
    std::string rehearsal_file;
    std::string media_player_path;
    std::string digas_folder;

    // The loaded file.
    std::string source_path;
    std::string display_source_name;  // empty: no file loaded
    std::string reading_path;
    int16_t source_is_mp3 = 0;
    std::string last_decoded_mp3;
    // When set, the MP3 buffer WAV of this run (the command line gives every
    // file its own); else it lies in the last-used folder.
    std::string mp3_buffer_override;
    int16_t decoder_result = 0;
    int16_t mp3_attention_shown = 0;  // the decoder hint, once per run
    int16_t file_loaded = 0;           // file-loaded marker

    // The job's names and results.
    std::string output_folder;  // results go there; empty: beside the source
    int write_error = 0;        // the cause (errno) of the last failed write of a job
    std::string target_path;
    std::string buffer_path;
    int8_t result_exists = 0;
    int16_t job_completed = 0;

    // Requests raised by clicks and keys.
    int16_t start_request = 0;
    int16_t help_request = 0;
    int16_t open_request = 0;

    // The batch.
    std::vector<std::string> batch_list;  // entry 1 at index 0
    int16_t batch_count = 0;
    int16_t batch_mp3_count = 0;
    int16_t batch_wav_count = 0;
    int16_t batch_index = 0;
    int16_t batch_running = 0;
    int16_t mp3_hint_shown = 0;

    // Envelope zoom.
    int16_t zoom_shown = 0;
    int16_t zoom_column = 0;
    // The columns the envelope drawing covers; the main loop narrows them to
    // redraw the strip around a moving zoom.
    int16_t envelope_first_column = 1;
    int16_t envelope_last_column = 780;

    // The envelopes of source and result.
    Envelope source_envelope;
    Envelope result_envelope;

    // The next hint message.
    HintMessage hint;

    std::string window_title = WINDOW_TITLE;
    double next_title_update = 0.0;
    double last_full_redraw = 0.0;
    double start_time = 0.0;
    int16_t cursor_hook_state = 0;
    int16_t error_context = 0;
    int16_t file_exists = 0;
    int8_t screen_locked = 0;
    int16_t source_validation_code = 0;

    // Names of the user setups, 30 characters each ("" for a slot never
    // loaded or saved); the file and its folder ("/" at the end).
    std::array<std::string, USER_SETUP_SLOTS> user_setup_names{};
    std::string user_setups_file;
    std::string user_setups_folder;
    // USER_SETUP_NAMES_ONLY: the next load of a user setup reads its name only.
    int16_t user_setup_mode = 0;
};

}  // namespace sc
