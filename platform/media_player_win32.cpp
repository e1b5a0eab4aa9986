#include "platform/media_player.h"

namespace sc::platform {

// The Windows Media Player in its own folder under the program files
// (named by the system, then the English and the German folder name).
std::vector<PlayerPlace> media_player_places(Environment& env) {
    const std::string folder = "\\Windows Media Player";
    std::vector<PlayerPlace> places;
    if (auto programs = env.get("ProgramFiles"); programs && !programs->empty())
        places.push_back({"wmplayer.exe", *programs + folder});
    places.push_back({"wmplayer.exe", "C:\\Program Files" + folder});
    places.push_back({"wmplayer.exe", "C:\\Programme" + folder});
    return places;
}

}  // namespace sc::platform
