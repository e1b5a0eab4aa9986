#include "audiofile/output_header.h"

#include <cstring>

#include "settings/program_exit.h"

namespace sc {

namespace {

void put_tag(WavHeader& h, std::size_t at, const char* tag) { std::memcpy(h.data() + at, tag, std::strlen(tag)); }

void put_u32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void put_u16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

WavHeader header(int32_t channels, int32_t sample_rate, int w, uint32_t data_size) {
    WavHeader h{};
    put_tag(h, 0, "RIFFxxxxWAVEfmt ");
    put_u32(h.data() + 16, 16);
    put_u16(h.data() + 20, 1);
    put_u16(h.data() + 22, static_cast<uint32_t>(channels));
    put_u32(h.data() + 24, static_cast<uint32_t>(sample_rate));
    put_u32(h.data() + 28, static_cast<uint32_t>(channels * sample_rate * (2 + w)));
    put_u16(h.data() + 32, static_cast<uint32_t>((2 + w) * channels));
    put_u16(h.data() + 34, static_cast<uint32_t>(16 + 8 * w));
    put_tag(h, 36, "data");
    put_u32(h.data() + 40, data_size);
    return h;
}

// Writes the 32-bit value (file length - minus) at each offset.
void patch_lengths(platform::FileSystem& fs, const std::string& path,
                   std::initializer_list<std::pair<uint64_t, uint32_t>> fields) {
    auto file = fs.open(path, platform::OpenMode::ReadWrite);
    if (!file) throw RunTimeError{"cannot open for the header patch: " + path};
    const uint64_t length = file->length();
    for (const auto& [offset, minus] : fields) {
        uint8_t bytes[4];
        put_u32(bytes, static_cast<uint32_t>(length - minus));
        if (length < HEADER_SIZE || !file->write_at(offset, bytes, 4)) {
            throw RunTimeError{"cannot patch the header: " + path};
        }
    }
    if (!file->close()) throw RunTimeError{"cannot close after the header patch: " + path};
}

}  // namespace

WavHeader output_header(const SourceFormat& fmt) {
    return header(fmt.channels, fmt.sample_rate, fmt.mono24 ? 1 : 0, static_cast<uint32_t>(fmt.data_size));
}

WavHeader rehearsal_header(int32_t channels, int32_t sample_rate) { return header(channels, sample_rate, 0, 0); }

std::unique_ptr<platform::File> create_work_file(platform::FileSystem& fs, const std::string& path) {
    fs.remove_unless_locked(path);
    return fs.open_checked(path, platform::OpenMode::CreateLocked).file;
}

bool patch_riff_size(platform::File& file) {
    const uint64_t length = file.length();
    if (length < HEADER_SIZE) return false;
    uint8_t bytes[4];
    put_u32(bytes, static_cast<uint32_t>(length - 8));
    return file.write_at(4, bytes, 4);
}

void patch_riff_size(platform::FileSystem& fs, const std::string& path) { patch_lengths(fs, path, {{4, 8}}); }

void patch_clip_lengths(platform::FileSystem& fs, const std::string& path) {
    patch_lengths(fs, path, {{4, 8}, {40, 44}});
}

void write_rehearsal_clip(platform::FileSystem& fs, platform::Clock& clock, const std::string& path,
                          int32_t channels, int32_t sample_rate, const std::vector<uint8_t>& samples) {
    auto file = create_work_file(fs, path);
    if (!file) throw RunTimeError{"cannot create the rehearsal file: " + path};
    const WavHeader h = rehearsal_header(channels, sample_rate);
    if (!file->write(h.data(), h.size()) || !file->write(samples.data(), samples.size()) || !file->close()) {
        throw RunTimeError{"cannot write the rehearsal file: " + path};
    }
    file.reset();
    clock.sleep_ms(140);
    patch_clip_lengths(fs, path);
    clock.sleep_ms(130);
}

}  // namespace sc
