#include "audiofile/target_replacement.h"

#include <cerrno>

#include "audiofile/hints.h"
#include "audiofile/output_names.h"
#include "audiofile/output_texts.h"
#include "settings/program_exit.h"

namespace sc {

namespace T = output_texts;

const ReplacementTexts WAV_TARGET_TEXTS{T::TARGET_NOT_DELETED, ".......", 1};
const ReplacementTexts MP3_TARGET_TEXTS{T::MP3_TARGET_NOT_DELETED, ".... ", 2};

namespace {

// Rename failures that concern the name taken, not the disk: another name
// may still work.
bool refused(int error) {
    switch (error) {
        case EPERM:
        case EACCES:
        case EBUSY:
        case EISDIR:
        case ENOTEMPTY:
        case EEXIST:
        case ENOTDIR:
        case ETXTBSY: return true;
        default: return false;
    }
}

// Tries name, then its alternatives A ... U, with `take`; returns what the
// last call of `take` gave (0 when a name was taken, state.target_path then
// holds it). The hints follow the old version that stays and the name taken
// instead; the program ends when no name can be taken.
template <typename Take>
int take_a_name(const std::string& name, const ReplacementTexts& texts, ProgramState& state, View& view,
                platform::Clock& clock, Take take) {
    int error = take(name);
    if (error == 0) {
        state.target_path = name;
        return 0;
    }
    if (!refused(error)) return error;

    const std::string shown = utf8_length(name) >= 63 ? utf8_tail(name, 63) : name;
    show_blink_hint(state, view, std::string(texts.not_deleted(state.LANGUAGE)), "..." + shown, 2);
    for (int n = 0; n < ALTERNATIVE_LETTERS; ++n) {
        const std::string candidate = alternative_name(name, n);
        error = take(candidate);
        if (error != 0 && refused(error)) continue;
        if (error != 0) return error;
        const std::string cut = utf8_length(candidate) >= 66 ? "..." + utf8_tail(candidate, 64) : candidate;
        show_blink_hint(state, view, std::string(T::TRYING_OTHER_NAME(state.LANGUAGE)),
                        std::string(texts.name_prefix) + cut, 1);
        state.target_path = candidate;
        return 0;
    }
    show_blink_hint(state, view, std::string(T::NO_NAME_FREE(state.LANGUAGE)), "", texts.give_up_kind);
    clock.sleep_ms(100);
    throw ProgramExit{1};
}

}  // namespace

bool name_may_take_result(platform::FileSystem& fs, const std::string& name) {
    switch (fs.kind(name)) {
        case platform::FileKind::Missing: return true;
        case platform::FileKind::Folder: return false;
        default: return fs.may_replace(name);
    }
}

std::string free_target_name(const std::string& name, const ReplacementTexts& texts, ProgramState& state,
                             View& view, platform::FileSystem& fs, platform::Clock& clock) {
    const std::string before = state.target_path;
    take_a_name(name, texts, state, view, clock,
                [&fs](const std::string& n) { return name_may_take_result(fs, n) ? 0 : EPERM; });
    std::string taken = state.target_path;
    state.target_path = before;
    return taken;
}

int put_result_in_place(const std::string& finished, const std::string& name, const ReplacementTexts& texts,
                        ProgramState& state, View& view, platform::FileSystem& fs, platform::Clock& clock) {
    const int error = take_a_name(name, texts, state, view, clock, [&](const std::string& n) {
        if (!name_may_take_result(fs, n)) return EPERM;
        return fs.rename_checked(finished, n);
    });
    // the new name must survive a power loss as well as the data
    if (error == 0) fs.sync_folder(state.target_path);
    return error;
}

}  // namespace sc
