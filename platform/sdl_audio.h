// The sound device of the program: SDL's audio output.
#pragma once

#include <memory>

#include "platform/media_control.h"

namespace sc::platform {

// Starts SDL's audio. When no driver starts (no sound hardware, a driver
// named in SDL_AUDIODRIVER that does not exist, or no SDL library) the
// device is there but not available: lengths read 0 and nothing plays.
std::unique_ptr<AudioDevice> make_sdl_audio_device();

}  // namespace sc::platform
