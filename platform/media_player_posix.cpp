#include "platform/media_player.h"

namespace sc::platform {

// Players that play a file given as the only argument and end when it has
// played (or when their window is closed).
std::vector<PlayerPlace> media_player_places(Environment& /*env*/) {
    return {{"mpv", ""}, {"vlc", ""}, {"ffplay", ""}, {"play", ""}};
}

}  // namespace sc::platform
