// The command line's words for the refusals of the source checks.
#pragma once

#include <cstdint>
#include <string>

#include "audiofile/source_checks.h"
#include "audiofile/source_format.h"

namespace sc::cli {

// The load-time refusal, with what the header said where it helps.
std::string load_reason(LoadReason reason, const SourceFormat& fmt, int16_t language);
// The job-start refusal (validation codes 1 ... 9).
std::string job_reason(int16_t code, const SourceFormat& fmt, int16_t language);

}  // namespace sc::cli
