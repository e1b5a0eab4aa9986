// The palette: the default 256 colours and the entries changed at start.
#pragma once

#include <array>

#include "platform/framebuffer.h"

namespace sc::ui {

// The default palette (the classic 256-colour VGA set): 0 black, 7 and 8
// greys, 15 white, 16 ... 31 a grey ramp (18, 20 ... 24 the knob tones, 27
// the pointer, 29 and 30 the light text backgrounds), 32 ... 247 hue rings
// in three brightnesses (45 the info box, 53 the buttons, 103 the knob value
// window, 117 / 214 / 218 the knob plates), 248 ... 255 black.
std::array<platform::Rgb6, 256> default_palette();

// Fills the whole palette with the defaults.
void load_default_palette(platform::Framebuffer& frame);

// The ranges set at start: the red ramp 140 ... 160, the light grey ramp
// 170 ... 180, the envelope and meter ramp 250 down to 190, and the dark
// reds 41 and 43.
void set_start_palette(platform::Framebuffer& frame);

}  // namespace sc::ui
