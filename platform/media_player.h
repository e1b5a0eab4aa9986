// The outside media players the program hands a file to when its own sound
// does not play it.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"

namespace sc::platform {

// A player's program name and the folder to look in before PATH ("": PATH
// only).
struct PlayerPlace {
    std::string name;
    std::string folder;
};

// The players in the order they are looked for.
std::vector<PlayerPlace> media_player_places(Environment& env);

}  // namespace sc::platform
