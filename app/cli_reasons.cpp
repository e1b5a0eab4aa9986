#include "app/cli_reasons.h"

#include "app/cli_texts.h"

namespace sc::cli {

namespace T = texts;

std::string load_reason(LoadReason reason, const SourceFormat& fmt, int16_t language) {
    switch (reason) {
        case LoadReason::Unknown: break;
        case LoadReason::NotRiffWave:
            return say(fmt.musifile_flag ? T::MUSIFILE_NOT_RIFF_WAVE : T::NOT_RIFF_WAVE, language);
        case LoadReason::NoFmt: return say(T::NO_FMT, language);
        case LoadReason::NotPcm:
            return say(T::NOT_PCM, language, {std::to_string(static_cast<uint16_t>(fmt.format_tag))});
        case LoadReason::NotMonoStereo: return say(T::NOT_MONO_STEREO, language, {std::to_string(fmt.channels)});
        case LoadReason::Bits: return say(T::BITS, language, {std::to_string(fmt.bits_per_sample)});
        case LoadReason::SampleRate: return say(T::SAMPLE_RATE, language, {std::to_string(fmt.sample_rate)});
        case LoadReason::NoData: return say(T::NO_DATA, language);
        case LoadReason::TooBig: return say(T::TOO_BIG, language);
        case LoadReason::NotAFile: return say(T::NOT_REGULAR, language);
    }
    return say(T::UNEXPECTED, language);
}

std::string job_reason(int16_t code, const SourceFormat& fmt, int16_t language) {
    switch (code) {
        case JOB_NOT_MONO_STEREO: return load_reason(LoadReason::NotMonoStereo, fmt, language);
        case JOB_NOT_RIFF_WAVE: return load_reason(LoadReason::NotRiffWave, fmt, language);
        case JOB_NO_DATA: return load_reason(LoadReason::NoData, fmt, language);
        case JOB_NOT_16BIT: return load_reason(LoadReason::Bits, fmt, language);
        case JOB_NO_FMT: return load_reason(LoadReason::NoFmt, fmt, language);
        case JOB_TOO_SMALL: return say(T::TOO_SMALL, language);
        case JOB_TOO_BIG: return load_reason(LoadReason::TooBig, fmt, language);
        case JOB_SAMPLE_RATE: return load_reason(LoadReason::SampleRate, fmt, language);
        case JOB_NOT_FOUND: return say(T::NOT_FOUND, language);
        case JOB_NOT_A_FILE: return say(T::NOT_REGULAR, language);
        default: break;
    }
    return say(T::UNEXPECTED, language);
}

}  // namespace sc::cli
