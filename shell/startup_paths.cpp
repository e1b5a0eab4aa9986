#include "shell/startup_paths.h"
#include "platform/paths.h"

#include "platform/media_player.h"

namespace sc {

std::string program_folder_of(const std::string& program_path) {
    const auto slash = platform::last_separator(program_path);
    if (slash == std::string::npos) return {};
    return program_path.substr(0, slash + 1);
}

std::string drive_root_of(const std::string& program_path) { return platform::drive_root_of(program_path); }

std::string temporary_folder_from(platform::Environment& env) {
    std::string folder;
    for (const char* name : {"TEMP", "TMPDIR"}) {
        if (auto v = env.get(name); v && !v->empty()) {
            folder = *v;
            break;
        }
    }
    // (Windows sets TEMP; without it the root of the current drive)
    if (folder.empty()) folder = platform::path_separator() == '/' ? "/tmp" : "\\";
    return platform::with_separator(folder);
}

void set_startup_paths(ProgramState& state, platform::Environment& env, platform::Processes& processes) {
    state.program_path = env.program_path();
    state.program_folder = program_folder_of(state.program_path);
    state.temporary_folder = temporary_folder_from(env);
    state.encoder_path = processes.find_program("lame", state.program_folder);
    if (state.encoder_path.empty()) state.encoder_path = state.program_folder + platform::program_file_name("lame");
    state.program_drive_root = drive_root_of(state.program_path);
    state.last_used_folder = state.program_drive_root;
    state.mp3_buffer_wav = state.program_folder + MP3_BUFFER_NAME;
    state.rehearsal_file = state.temporary_folder + REHEARSAL_NAME;
    state.media_player_path.clear();
    for (const platform::PlayerPlace& player : platform::media_player_places(env)) {
        state.media_player_path = processes.find_program(player.name, player.folder);
        if (!state.media_player_path.empty()) break;
    }
    // the DIGAS system's own place: on drive C: under Windows, elsewhere
    // below the root
    const char sep = platform::path_separator();
    const std::string digas_root = sep == '\\' ? "C:\\" : state.program_drive_root;
    state.digas_folder = digas_root + "DIGAS" + sep + "SOUND" + sep + "LOKAL" + sep;
    if (auto digas = env.get("SONOCLAMPER_DIGAS"); digas && !digas->empty()) {
        state.digas_folder = platform::with_separator(*digas);
    }
}

void use_work_folder(ProgramState& state, const std::string& folder) {
    if (folder.empty()) return;
    const std::string base = platform::with_separator(folder);
    state.mp3_buffer_wav = state.mp3_buffer_override = base + MP3_BUFFER_NAME;
    state.rehearsal_file = base + REHEARSAL_NAME;
}

}  // namespace sc
