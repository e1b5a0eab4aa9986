// The command line of the headless mode: sonoclamper --process [options] FILE...
//
// The options are one table (cli_option_table.cpp): each row gives the
// option's name, the value it takes, its help line and how it is taken into
// Options. A new option is a new field here and a new row there; parsing,
// --opt=value, "did you mean", --help and the man page test follow the table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/parameter_set.h"
#include "settings/presets.h"
#include "settings/text.h"

namespace sc::cli {

struct Options {
    // What to do.
    bool process = false;
    bool help = false;
    bool version = false;
    bool list_presets = false;
    bool show_settings = false;

    PresetId preset = PresetId::VOICESOFT;
    std::optional<int16_t> language;  // 1 German, 2 English, as --lang gave it
    int16_t message_language = LANGUAGE_EN;  // --lang, else the locale
    int jobs = 1;
    bool quiet = false;
    bool report = false;     // loudness of source and result after each job
    bool json = false;       // one JSON object per file on the standard output
    bool no_clobber = false; // an existing result is kept and the file skipped
    std::string output_dir;  // results there instead of beside the source

    // Settings on top of the preset.
    std::optional<int32_t> hpf;
    std::array<std::optional<float>, EQ_BANDS> eq{};
    std::optional<int> input_gain_db;
    std::optional<int32_t> leveler;
    bool bypass = false;
    std::optional<int16_t> outformat;  // 1 WAV, 2 ... 9 MP3

    // A user setup saved in the window, applied on top of the preset and
    // under the settings options: the slot number or name as given, and the
    // slot it was found in.
    std::optional<std::string> user_setup;
    std::optional<int> user_setup_slot;
    bool list_user_setups = false;
    std::vector<std::string> files;
};

// One row of the option table.
struct OptionSpec {
    std::string_view name;        // "--preset"
    std::string_view short_name;  // "-j", or empty
    std::string_view value_name;  // "NAME"; empty for a switch
    TextPair value;               // what the value may be (for messages)
    TextPair help;                // the help text, lines joined by '\n'
    // Takes the value (empty for a switch) into the options. false when the
    // value will not do; `error` then holds a message of its own, or stays
    // empty for the general one that names `value`.
    bool (*take)(Options& o, const std::string& value, int16_t language, std::string& error);
};

const std::vector<OptionSpec>& option_table();

struct ParseResult {
    Options options;
    std::string error;  // not empty: a usage error in the message language, exit 2
};

// The language of the messages: --lang (or --lang=) among the arguments,
// else the locale: LC_ALL, LC_MESSAGES, LANG (the first one set and not
// empty); German for "de...", English otherwise.
int16_t message_language(const std::vector<std::string>& args, const char* lc_all, const char* lc_messages,
                         const char* lang);
int16_t message_language(const std::vector<std::string>& args);  // from this process's environment

ParseResult parse(const std::vector<std::string>& args, int16_t language = LANGUAGE_EN);

// Applies the settings options to a parameter set that already holds the preset.
void apply_settings(const Options& o, ParameterSet& p);

// The closest of the candidates to `word` when it is near enough to be a
// slip of the keyboard, else empty.
std::vector<std::string> closest(std::string_view word, const std::vector<std::string>& candidates);

std::string help_text(int16_t language);

}  // namespace sc::cli
