// PNG pictures without a compression library: the image data goes into
// stored (uncompressed) deflate blocks, which every PNG reader takes. The
// reader takes back such files (8-bit RGB, no filters, stored blocks).
#include <algorithm>
#include <array>
#include <cstring>

#include "platform/file_system.h"
#include "platform/png_image.h"

namespace sc::platform {

namespace {

using Bytes = std::vector<uint8_t>;

const std::array<uint32_t, 256>& crc_table() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t crc32(const uint8_t* p, std::size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) c = crc_table()[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const Bytes& d) {
    uint32_t a = 1, b = 0;
    for (const uint8_t v : d) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

void put32(Bytes& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

uint32_t get32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

void chunk(Bytes& out, const char* type, const Bytes& data) {
    put32(out, static_cast<uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc32(out.data() + start, out.size() - start));
}

// The zlib stream of raw, in stored blocks of at most 65535 bytes.
Bytes stored_zlib(const Bytes& raw) {
    Bytes z{0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos), raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    put32(z, adler32(raw));
    return z;
}

Bytes encode(const RgbImage& image) {
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(image.height) * (1 + 3 * static_cast<std::size_t>(image.width)));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < image.width; ++x) {
            const uint32_t c = image.at(x, y);
            raw.insert(raw.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        }
    }
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    put32(header, static_cast<uint32_t>(image.width));
    put32(header, static_cast<uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bit, RGB, deflate, no filter, no interlace
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", stored_zlib(raw));
    chunk(out, "IEND", {});
    return out;
}

// The bytes of the stored blocks of a zlib stream; nothing for any other
// kind of block.
std::optional<Bytes> unstore(const Bytes& z) {
    Bytes raw;
    std::size_t pos = 2;
    for (bool last = false; !last;) {
        if (pos + 5 > z.size() || (z[pos] & 0x06) != 0) return std::nullopt;
        last = z[pos] & 1;
        const std::size_t n = z[pos + 1] | std::size_t(z[pos + 2]) << 8;
        pos += 5;
        if (pos + n > z.size()) return std::nullopt;
        raw.insert(raw.end(), z.begin() + static_cast<std::ptrdiff_t>(pos), z.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    }
    return raw;
}

}  // namespace

bool write_png(const std::string& path, const RgbImage& image) {
    FileSystem& fs = real_file_system();
    const std::string tmp = path + ".tmp";
    const Bytes data = encode(image);
    auto f = fs.open(tmp, OpenMode::CreateTruncate);
    if (!f) return false;
    const bool written = f->write(data.data(), data.size());
    if (!f->close() || !written || fs.rename_checked(tmp, path) != 0) {
        fs.remove(tmp);
        return false;
    }
    return true;
}

std::optional<RgbImage> read_png(const std::string& path) {
    auto f = real_file_system().open(path, OpenMode::Read);
    if (!f) return std::nullopt;
    Bytes d(static_cast<std::size_t>(f->length()));
    if (f->read_at(0, d.data(), d.size()) != d.size() || d.size() < 8 || d[1] != 'P') return std::nullopt;
    RgbImage img;
    Bytes z;
    for (std::size_t pos = 8; pos + 12 <= d.size();) {
        const std::size_t n = get32(&d[pos]);
        if (pos + 12 + n > d.size()) return std::nullopt;
        const uint8_t* body = &d[pos + 8];
        if (std::memcmp(&d[pos + 4], "IHDR", 4) == 0) {
            if (n < 13 || body[8] != 8 || body[9] != 2 || body[12] != 0) return std::nullopt;
            img.width = static_cast<int>(get32(body));
            img.height = static_cast<int>(get32(body + 4));
        } else if (std::memcmp(&d[pos + 4], "IDAT", 4) == 0) {
            z.insert(z.end(), body, body + n);
        }
        pos += 12 + n;
    }
    const auto raw = unstore(z);
    const std::size_t stride = 1 + 3 * static_cast<std::size_t>(img.width);
    if (!raw || img.width <= 0 || raw->size() < stride * static_cast<std::size_t>(img.height)) return std::nullopt;
    img.pixels.resize(static_cast<std::size_t>(img.width) * img.height);
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* row = raw->data() + stride * static_cast<std::size_t>(y);
        if (row[0] != 0) return std::nullopt;
        for (int x = 0; x < img.width; ++x)
            img.pixels[static_cast<std::size_t>(y) * img.width + x] =
                uint32_t(row[1 + 3 * x]) << 16 | uint32_t(row[2 + 3 * x]) << 8 | row[3 + 3 * x];
    }
    return img;
}

}  // namespace sc::platform
