// The rehearsal of a running job: after P the next five output chunks are
// collected, faded and played under "Musike_P" while the job goes on.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "audiofile/source_format.h"

namespace sc {

class Application;

// Chunks collected after an accepted P before the clip is built.
inline constexpr int32_t REHEARSAL_FLUSHES = 5;
// Frames faded in and out at the ends of the clip.
inline constexpr int REHEARSAL_FADE_FRAMES = 6000;

class Rehearsal {
public:
    int16_t requested = 0;    // P was pressed and accepted
    int16_t allowed = 0;      // P is accepted now
    int16_t playing = 0;      // a clip is sounding, until end_time
    double end_time = 0.0;    // seconds on the job's clock
    int32_t flush_count = 0;  // output chunks since the accepted P
    bool open = false;        // "Musike_P" is open
    std::vector<uint8_t> buffer;

    // Job start: a clip still sounding is switched off, the state cleared.
    void job_starts(Application& app);
    // The hint line of every 25th block (pass counts from 1).
    void pass_begins(Application& app, int32_t pass);
    // An output chunk went to the buffer file: while P is pending it is
    // collected, and the fifth one builds and starts the clip.
    void chunk_flushed(Application& app, std::span<const uint8_t> chunk, const SourceFormat& fmt);
    // After each block: the clip's end time, whether P is allowed, the P key.
    // `elapsed` and `estimate` are seconds of the job (estimate 0 while unknown).
    void after_block(Application& app, double elapsed, double estimate);
    // Switches a clip off ("Musike_P" closed): its end, STOP, the job's end.
    void off(Application& app);

private:
    void show_hint(Application& app);
    void build_and_start(Application& app, const SourceFormat& fmt);
};

// The clip's samples: 24-bit samples cut to their upper two bytes.
std::vector<uint8_t> reduce_to_16bit(const std::vector<uint8_t>& samples24);
// The fades: the first and the last 6000 frames times a gain growing from 0
// by 1 / 6000 per frame (both channels alike), rounded to 16-bit values.
void fade_rehearsal_clip(std::vector<uint8_t>& samples16, int channels);

}  // namespace sc
