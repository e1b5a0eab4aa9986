#include "audiofile/file_exists.h"
#include "platform/paths.h"

namespace sc {

int16_t DATEI_VORHANDEN(const std::string& path, ProgramState& state, platform::FileSystem& fs) {
    state.file_exists = 0;
    if (!platform::is_examined_file_path(path)) return 0;
    const platform::FileKind kind = fs.kind(path);
    if (kind != platform::FileKind::Missing && kind != platform::FileKind::Folder) state.file_exists = 1;
    return state.file_exists;
}

}  // namespace sc
