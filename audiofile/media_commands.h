// The program's two calls into the media control interface, and the
// playing-time measurement built on them. Without a media interface (the
// command line) nothing is sent and every answer is 0.
#pragma once

#include <cstdint>
#include <string>

#include "platform/media_control.h"

namespace sc {

// Aliases of the program.
inline constexpr const char* ALIAS_PLAY = "Musike";          // a file or zoom area in the player box
inline constexpr const char* ALIAS_REHEARSAL = "Musike_P";   // the rehearsal clip during a job
inline constexpr const char* ALIAS_LOAD_TIME = "Musi";       // measuring at load time
inline constexpr const char* ALIAS_JOB_START = "OMusike";    // measuring at job start

// Closes the alias, then opens the file under it with milliseconds as the
// time format. The replies are not examined.
void MEDIA_OPEN(platform::MediaControl* media, const std::string& path, const std::string& alias);

// One command word for the alias (word trimmed and lower-cased, alias
// trimmed and upper-cased): "play"/"on"/"an" plays from the start,
// "close"/"off"/"aus" closes, "stop" stops, "length"/"len" and
// "position"/"pos" answer milliseconds. Any other word sends nothing; the
// answer is then 0, as it is for every command but the two status requests.
int64_t MEDIA_COMMAND(platform::MediaControl* media, const std::string& word, const std::string& alias);

// Opens the file under the alias, asks for its length and closes the alias
// again: the playing time in milliseconds (0 when it cannot be told).
int64_t measure_playing_time(platform::MediaControl* media, const std::string& path, const std::string& alias);

// A reply read as a number: leading blanks, a sign, digits; anything else
// ends the number, no number at all reads as 0.
int64_t reply_number(const std::string& reply);

}  // namespace sc
