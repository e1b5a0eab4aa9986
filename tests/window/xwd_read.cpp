// Reads text back from an X window dump of the program by matching the
// screen font's glyphs, and keeps the dump as PNG on request.
//
//   xwd_read WINDOW.xwd [--png OUT.png] [ROW COLUMN COUNT]...
//
// Prints the COUNT characters from each text cell (ROW, COLUMN), one line each.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/ui/screen_text.h"
#include "tests/window/xwd_image.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: xwd_read WINDOW.xwd [--png OUT.png] [ROW COLUMN COUNT]...\n");
        return 2;
    }
    std::string error;
    const auto window = sc::test::read_xwd(argv[1], error);
    if (!window) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    int i = 2;
    if (i + 1 < argc && std::string(argv[i]) == "--png") {
        if (!sc::platform::write_png(argv[i + 1], *window)) return 1;
        i += 2;
    }
    for (; i + 2 < argc; i += 3) {
        const int row = std::atoi(argv[i]), column = std::atoi(argv[i + 1]), count = std::atoi(argv[i + 2]);
        if (row < 1 || column < 1 || count < 0 || 8 * (row) > window->height || 8 * (column - 1 + count) > window->width) {
            std::fprintf(stderr, "cells %d, %d (+%d) lie outside the window\n", row, column, count);
            return 2;
        }
        std::printf("%s\n", sc::test::screen_text(*window, row, column, count).c_str());
    }
    return 0;
}
