// SDL2, loaded the first time the window or the sound is wanted: a run on
// the command line never loads it, nor the display and sound libraries it
// brings with it (a few dozen; they cost every start time, and a server may
// not have them at all).
#pragma once

#include <SDL.h>

#include <string>

namespace sc::platform {

#define SC_SDL_FUNCTIONS(X)                                                                                 \
    X(Init) X(InitSubSystem) X(Quit) X(QuitSubSystem) X(GetError) X(free) X(Delay) X(GetTicks64)          \
    X(GetCurrentVideoDriver) X(CreateWindow) X(DestroyWindow) X(SetWindowTitle) X(WarpMouseInWindow)      \
    X(CreateRenderer) X(DestroyRenderer) X(RenderClear) X(RenderCopy) X(RenderPresent) X(CreateTexture)   \
    X(DestroyTexture) X(UpdateTexture) X(CreateSystemCursor) X(FreeCursor) X(SetCursor) X(ShowCursor)     \
    X(PollEvent) X(GetKeyboardState) X(GetModState) X(GetMouseState) X(StartTextInput) X(OpenAudioDevice)               \
    X(CloseAudioDevice) X(PauseAudioDevice)

// SDL's functions the program calls, by their names without "SDL_".
struct SdlLibrary {
#define SC_SDL_FIELD(f) decltype(&::SDL_##f) f = nullptr;
    SC_SDL_FUNCTIONS(SC_SDL_FIELD)
#undef SC_SDL_FIELD
};

// Loads the library once; nullptr, with the reason in `error`, when it is
// not there or lacks a function.
const SdlLibrary* load_sdl(std::string& error);

// The library, once load_sdl has succeeded.
const SdlLibrary& sdl();

}  // namespace sc::platform
