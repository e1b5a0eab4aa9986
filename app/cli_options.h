// The command line of the headless mode: sonoclamper --process [options] FILE...
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "settings/parameter_set.h"
#include "settings/presets.h"

namespace sc::cli {

struct Options {
    bool process = false;
    bool help = false;
    PresetId preset = PresetId::VOICESOFT;
    std::optional<int16_t> language;  // 1 German, 2 English; default: as the program starts
    int jobs = 1;
    bool quiet = false;
    // Settings on top of the preset.
    std::optional<int32_t> hpf;
    std::array<std::optional<float>, EQ_BANDS> eq{};
    std::optional<int> input_gain_db;
    std::optional<int32_t> leveler;
    bool bypass = false;
    std::vector<std::string> files;
};

struct ParseResult {
    Options options;
    std::string error;  // not empty: a usage error, exit 2
};

ParseResult parse(const std::vector<std::string>& args);

// Applies the settings options to a parameter set that already holds the preset.
void apply_settings(const Options& o, ParameterSet& p);

std::string help_text();

}  // namespace sc::cli
