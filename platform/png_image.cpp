#include "platform/png_image.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace sc::platform {

namespace {

struct FileCloser {
    void operator()(FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

bool write_png_file(FILE* f, const RgbImage& image) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t c = image.at(x, y);
            row[3 * x] = static_cast<png_byte>(c >> 16);
            row[3 * x + 1] = static_cast<png_byte>(c >> 8);
            row[3 * x + 2] = static_cast<png_byte>(c);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool write_png(const std::string& path, const RgbImage& image) {
    const std::string tmp = path + ".tmp";
    {
        FilePtr f(std::fopen(tmp.c_str(), "wb"));
        if (!f) return false;
        const bool ok = write_png_file(f.get(), image);
        if (std::fclose(f.release()) != 0 || !ok) {
            std::remove(tmp.c_str());
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

std::optional<RgbImage> read_png(const std::string& path) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, path.c_str())) return std::nullopt;
    img.format = PNG_FORMAT_RGB;
    std::vector<png_byte> buf(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, buf.data(), 0, nullptr)) {
        png_image_free(&img);
        return std::nullopt;
    }
    RgbImage out{static_cast<int>(img.width), static_cast<int>(img.height), {}};
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (std::size_t i = 0; i < out.pixels.size(); ++i)
        out.pixels[i] = uint32_t(buf[3 * i]) << 16 | uint32_t(buf[3 * i + 1]) << 8 | buf[3 * i + 2];
    return out;
}

}  // namespace sc::platform
