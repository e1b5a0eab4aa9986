#include "audiofile/target_replacement.h"

#include "audiofile/file_exists.h"
#include "audiofile/hints.h"
#include "audiofile/output_names.h"
#include "audiofile/output_texts.h"
#include "audiofile/work_files.h"
#include "settings/program_exit.h"

namespace sc {

namespace T = output_texts;

const ReplacementTexts WAV_TARGET_TEXTS{T::TARGET_NOT_DELETED, ".......", 1};
const ReplacementTexts MP3_TARGET_TEXTS{T::MP3_TARGET_NOT_DELETED, ".... ", 2};

std::string free_target_name(const std::string& name, const ReplacementTexts& texts, ProgramState& state,
                             View& view, platform::FileSystem& fs, platform::Clock& clock) {
    if (delete_and_look_again(name, 40, state, fs, clock)) return name;

    const std::string shown = utf8_length(name) >= 63 ? utf8_tail(name, 63) : name;
    show_blink_hint(state, view, std::string(texts.not_deleted(state.LANGUAGE)), "..." + shown, 2);

    for (int n = 0; n < ALTERNATIVE_LETTERS; ++n) {
        const std::string candidate = alternative_name(name, n);
        if (!delete_and_look_again(candidate, 40, state, fs, clock)) continue;
        const std::string cut = utf8_length(candidate) >= 66 ? "..." + utf8_tail(candidate, 64) : candidate;
        show_blink_hint(state, view, std::string(T::TRYING_OTHER_NAME(state.LANGUAGE)),
                        std::string(texts.name_prefix) + cut, 1);
        return candidate;
    }
    show_blink_hint(state, view, std::string(T::NO_NAME_FREE(state.LANGUAGE)), "", texts.give_up_kind);
    clock.sleep_ms(100);
    throw ProgramExit{1};
}

}  // namespace sc
