// The MP3 result of a job: the encoder's hand-off after the result WAV is
// complete.
#pragma once

namespace sc {

class Application;

// Gives the finished buffer file its "--3copy.WAV" name, frees the MP3
// name, encodes at the bit rate of OUTFORMAT, deletes the intermediate WAV
// and appends the source's tags. The target path then names the MP3. False
// when no MP3 was written (the failure hint has been shown).
bool mp3_hand_off(Application& app, int channels);

}  // namespace sc
