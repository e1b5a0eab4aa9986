// Reads text back from an X window dump of the program (or a PNG picture
// of it) by matching the screen font's glyphs, and keeps the dump as PNG on
// request.
//
//   xwd_read WINDOW.xwd|PICTURE.png [--png OUT.png] [ROW COLUMN COUNT | --marks X1 Y1 X2 Y2]...
//
// Prints the COUNT characters from each text cell (ROW, COLUMN), one line
// each; for --marks the number of pixels of the box (corners included) that
// differ from its most frequent colour, its background: what is drawn on it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "tests/ui/screen_text.h"
#include "tests/window/xwd_image.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: xwd_read WINDOW.xwd [--png OUT.png] [ROW COLUMN COUNT | --marks X1 Y1 X2 Y2]...\n");
        return 2;
    }
    std::string error;
    const std::string path = argv[1];
    const bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    const auto window = png ? sc::platform::read_png(path) : sc::test::read_xwd(path, error);
    if (!window) {
        if (png) error = "no picture in " + path;
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    int i = 2;
    if (i + 1 < argc && std::string(argv[i]) == "--png") {
        if (!sc::platform::write_png(argv[i + 1], *window)) return 1;
        i += 2;
    }
    for (; i + 2 < argc; i += 3) {
        if (std::string(argv[i]) == "--marks" && i + 4 < argc) {
            const int x1 = std::atoi(argv[i + 1]), y1 = std::atoi(argv[i + 2]);
            const int x2 = std::atoi(argv[i + 3]), y2 = std::atoi(argv[i + 4]);
            if (x1 < 0 || y1 < 0 || x2 < x1 || y2 < y1 || x2 >= window->width || y2 >= window->height) {
                std::fprintf(stderr, "box %d, %d - %d, %d lies outside the window\n", x1, y1, x2, y2);
                return 2;
            }
            std::map<uint32_t, long> counts;
            for (int y = y1; y <= y2; ++y)
                for (int x = x1; x <= x2; ++x) ++counts[window->at(x, y)];
            long background = 0, all = 0;
            for (const auto& [rgb, n] : counts) {
                background = std::max(background, n);
                all += n;
            }
            std::printf("%ld\n", all - background);
            i += 2;
            continue;
        }
        const int row = std::atoi(argv[i]), column = std::atoi(argv[i + 1]), count = std::atoi(argv[i + 2]);
        if (row < 1 || column < 1 || count < 0 || 8 * (row) > window->height || 8 * (column - 1 + count) > window->width) {
            std::fprintf(stderr, "cells %d, %d (+%d) lie outside the window\n", row, column, count);
            return 2;
        }
        std::printf("%s\n", sc::test::screen_text(*window, row, column, count).c_str());
    }
    return 0;
}
