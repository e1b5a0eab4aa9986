// The program's icon, cut from its own start-up panel: the IN GAIN knob as
// the program paints it, in a square around it, enlarged pixel for pixel.
//
//   sc_make_icon PANEL.png FOLDER
//
// Writes FOLDER/64/sonoclamper.png, FOLDER/128/... and FOLDER/256/...
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/png_image.h"
#include "ui/panel_layout.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sc_make_icon PANEL.png FOLDER\n");
        return 2;
    }
    const auto panel = sc::platform::read_png(argv[1]);
    if (!panel) {
        std::fprintf(stderr, "sc_make_icon: no picture in %s\n", argv[1]);
        return 1;
    }
    constexpr int SIDE = 64;
    const sc::ui::Rect knob = sc::ui::knob(sc::ui::KnobId::INPUTGAIN).click;
    const int left = (knob.x1 + knob.x2 + 1 - SIDE) / 2, top = (knob.y1 + knob.y2 + 1 - SIDE) / 2;
    if (left < 0 || top < 0 || left + SIDE > panel->width || top + SIDE > panel->height) {
        std::fprintf(stderr, "sc_make_icon: the knob lies too near the picture's edge\n");
        return 1;
    }
    for (const int scale : {1, 2, 4}) {
        const int side = SIDE * scale;
        sc::platform::RgbImage icon{side, side, std::vector<uint32_t>(static_cast<std::size_t>(side) * side)};
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                icon.pixels[static_cast<std::size_t>(y) * side + x] = panel->at(left + x / scale, top + y / scale);
        const std::filesystem::path folder = std::filesystem::path(argv[2]) / std::to_string(side);
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (!sc::platform::write_png((folder / "sonoclamper.png").string(), icon)) {
            std::fprintf(stderr, "sc_make_icon: cannot write into %s\n", folder.string().c_str());
            return 1;
        }
    }
    return 0;
}
