#include "audiofile/mp3_lame.h"

#include <array>

#include "settings/text.h"

namespace sc {

namespace {

struct Rates {
    int mono;
    int stereo;
};

// OUTFORMAT 2 ... 9.
constexpr std::array<Rates, 8> kRates = {{{160, 320}, {128, 256}, {112, 224}, {96, 192},
                                          {80, 160}, {64, 128}, {56, 112}, {48, 96}}};

}  // namespace

int mp3_bitrate(int16_t outformat, int channels) {
    if (outformat < 2 || outformat > 9) return 0;
    const Rates& r = kRates[static_cast<std::size_t>(outformat - 2)];
    return channels == 2 ? r.stereo : r.mono;
}

std::string encoder_options_text(int bitrate) { return " -h -b " + std::to_string(bitrate) + " -p -o "; }

std::vector<std::string> decode_arguments(const std::string& source, const std::string& buffer_wav) {
    return {"--decode", "--nohist", source, buffer_wav};
}

std::vector<std::string> encode_arguments(const std::string& wav, int bitrate, const std::string& mp3) {
    return {wav, "-h", "-b", std::to_string(bitrate), "-p", "-o", mp3};
}

std::string mp3_target_of(const std::string& wav_target) {
    if (wav_target.size() < 4) return wav_target + ".MP3";
    return wav_target.substr(0, wav_target.size() - 4) + ".MP3";
}

bool is_mp3_name(const std::string& path) {
    return path.size() >= 4 && to_upper(path.substr(path.size() - 4)) == ".MP3";
}

}  // namespace sc
