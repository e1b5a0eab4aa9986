#include "platform/sdl_library.h"

#include <dlfcn.h>

#include <mutex>

namespace sc::platform {

namespace {

// The name every SDL 2 release has kept for its library.
constexpr const char* kLibrary = "libSDL2-2.0.so.0";

SdlLibrary library;
std::string failure;  // empty once loaded

void load() {
    // Never closed: SDL stays with the process once it is there.
    void* handle = ::dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        failure = why ? why : std::string(kLibrary) + " could not be loaded";
        return;
    }
#define SC_SDL_LOAD(f)                                                                    \
    library.f = reinterpret_cast<decltype(library.f)>(::dlsym(handle, "SDL_" #f));      \
    if (!library.f && failure.empty()) failure = std::string(kLibrary) + " has no SDL_" #f;
    SC_SDL_FUNCTIONS(SC_SDL_LOAD)
#undef SC_SDL_LOAD
}

}  // namespace

const SdlLibrary* load_sdl(std::string& error) {
    static std::once_flag once;
    std::call_once(once, load);
    if (!failure.empty()) {
        error = failure;
        return nullptr;
    }
    return &library;
}

const SdlLibrary& sdl() { return library; }

}  // namespace sc::platform
