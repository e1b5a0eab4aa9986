// Checks for the window's sound tests, on what SDL's "disk" audio driver
// wrote and on the program's clip files.
//
//   audio_check device <device.raw> <file.wav>
//       the device received the file's samples in one piece
//   audio_check clip <clip.wav> <result.wav> <fade frames> <floor|round> [chunks]
//       the clip is a piece of the result's samples, faded in and out over
//       the given frames (16-bit clips of 24-bit results take the upper two
//       bytes); with chunks, the clip holds that many equal chunks
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Wav {
    int channels = 0, bits = 0;
    std::string data;
};

std::string slurp(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t u32(const std::string& s, std::size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, s.data() + at, 4);
    return v;
}

bool read_wav(const char* path, Wav& w) {
    const std::string b = slurp(path);
    if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0) return false;
    std::size_t pos = 12;
    while (pos + 8 <= b.size()) {
        const uint32_t size = u32(b, pos + 4);
        if (b.compare(pos, 4, "fmt ") == 0) {
            w.channels = static_cast<unsigned char>(b[pos + 10]);
            w.bits = static_cast<unsigned char>(b[pos + 22]);
        } else if (b.compare(pos, 4, "data") == 0) {
            w.data = b.substr(pos + 8, size);
            return w.channels > 0;
        }
        pos += 8 + size + (size & 1);
    }
    return false;
}

int16_t s16(const std::string& b, std::size_t at) {
    int16_t v = 0;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

int device(const char* raw_path, const char* wav_path) {
    Wav w;
    if (!read_wav(wav_path, w)) return std::fprintf(stderr, "cannot read %s\n", wav_path), 2;
    const std::string raw = slurp(raw_path);
    const std::size_t at = raw.find(w.data);
    if (at == std::string::npos) {
        std::fprintf(stderr, "the device did not receive the %zu sample bytes of %s (it got %zu bytes)\n",
                     w.data.size(), wav_path, raw.size());
        return 1;
    }
    std::printf("the device received all %zu sample bytes at byte %zu\n", w.data.size(), at);
    return 0;
}

int clip(const char* clip_path, const char* result_path, int fade, bool floor_rounding, int chunks) {
    Wav c, r;
    if (!read_wav(clip_path, c) || !read_wav(result_path, r)) return std::fprintf(stderr, "cannot read the files\n"), 2;
    if (c.bits != 16) return std::fprintf(stderr, "the clip has %d bits\n", c.bits), 1;
    std::string samples = r.data;
    if (r.bits == 24) {
        samples.clear();
        for (std::size_t i = 0; i + 3 <= r.data.size(); i += 3) samples += r.data.substr(i + 1, 2);
    }
    const std::size_t frame = 2 * static_cast<std::size_t>(c.channels);
    const std::size_t frames = c.data.size() / frame;
    if (frames < 2 * static_cast<std::size_t>(fade) + 100) return std::fprintf(stderr, "the clip is too short\n"), 1;
    if (chunks > 0 && frames % static_cast<std::size_t>(chunks) != 0)
        return std::fprintf(stderr, "%zu frames are no %d equal chunks\n", frames, chunks), 1;
    const std::string middle = c.data.substr(fade * frame, (frames - 2 * fade) * frame);
    const std::size_t at = samples.find(middle);
    if (at == std::string::npos) return std::fprintf(stderr, "the clip's unfaded middle is not in the result\n"), 1;
    const std::size_t first = at - fade * frame;
    for (int f = 0; f < fade; ++f) {
        const double gain = static_cast<double>(f) / fade;
        for (std::size_t ch = 0; ch < static_cast<std::size_t>(c.channels); ++ch) {
            for (const std::size_t k : {static_cast<std::size_t>(f), frames - 1 - f}) {
                const double v = s16(samples, first + k * frame + 2 * ch) * gain;
                const int16_t want = static_cast<int16_t>(floor_rounding ? std::floor(v) : std::nearbyint(v));
                const int16_t got = s16(c.data, k * frame + 2 * ch);
                if (got != want) {
                    std::fprintf(stderr, "frame %zu channel %zu: %d, faded it is %d\n", k, ch, got, want);
                    return 1;
                }
            }
        }
    }
    std::printf("the clip holds %zu frames of the result, faded over %d frames\n", frames, fade);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "device" && argc == 4) return device(argv[2], argv[3]);
    if (what == "clip" && (argc == 6 || argc == 7))
        return clip(argv[2], argv[3], std::atoi(argv[4]), std::string(argv[5]) == "floor", argc == 7 ? std::atoi(argv[6]) : 0);
    std::fprintf(stderr, "usage: audio_check device <raw> <wav> | clip <clip> <result> <fade> <floor|round> [chunks]\n");
    return 2;
}
