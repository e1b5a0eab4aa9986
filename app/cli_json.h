// --json: one JSON object per file on the standard output.
#pragma once

#include <string>

#include "app/cli_file.h"
#include "app/cli_options.h"

namespace sc::cli {

// The object of one file on one line: source, result, preset, the settings
// options, status, reason, seconds and the real-time factor.
std::string json_line(const Options& o, const FileResult& r);

// The text as a JSON string, quotes included.
std::string json_string(const std::string& text);

}  // namespace sc::cli
