// The two info lines at the bottom of the panel (INFOTEXTUNTEN2).
#pragma once

#include <string>
#include <string_view>

#include "ui/canvas.h"

namespace sc::ui {

inline constexpr int INFO_LINE1_ROW = 46;
inline constexpr int INFO_LINE2_ROW = 48;
inline constexpr int INFO_COLUMN = 3;
inline constexpr uint8_t INFO_COLOUR = 45;

class InfoBox {
public:
    explicit InfoBox(Canvas& canvas) : canvas_(canvas) {}

    // INFOTEXTUNTEN2: shows the pair unless it is the one already shown.
    void INFOTEXTUNTEN2(std::string_view line1, std::string_view line2);
    // INFOTEXTUNTEN2GRAU: the same lines in grey, as the blinking phase.
    void INFOTEXTUNTEN2GRAU(std::string_view line1, std::string_view line2);
    // The empty box; the next pair is drawn whatever it is.
    void clear();
    void forget() { shown_ = false; }

private:
    void draw(std::string_view line1, std::string_view line2, uint8_t text_colour);

    Canvas& canvas_;
    std::string last1_, last2_;
    bool shown_ = false;
    bool last_grey_ = false;
};

}  // namespace sc::ui
