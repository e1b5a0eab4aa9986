// The lines the memory page and the measurement page print, laid out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/response_probe.h"

namespace sc {

// "     123 MByte RAM free": the available memory in MB, rounded, eight wide.
std::string memory_line(std::optional<uint64_t> free_bytes);

// The measured values of one band as (text column, text) pieces under the
// column titles of the measurement page: fu, fo, width, centre, Q, peak.
std::vector<std::pair<int, std::string>> measurement_row(const engine::PeakShape& shape);

// A number as the program prints numbers into texts: a leading space for
// values that are not negative.
std::string number_text(long value);

}  // namespace sc
