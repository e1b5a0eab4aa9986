// An audio device for tests: nothing sounds, the position follows the
// virtual clock, and what the program asked of the device is logged.
#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/media_control.h"

namespace sc::platform {

class ScriptedAudioDevice final : public AudioDevice {
public:
    explicit ScriptedAudioDevice(Clock& clock) : clock_(clock) {}

    // No device at all: every length 0.
    bool sound = true;
    // Voices open, but the position never moves (a device that does not play).
    bool plays = true;
    // "voice <path>", "play <path>", "stop <path>", "close <path>".
    std::vector<std::string> log;
    // Voices open now.
    int open_voices = 0;

    bool available() override { return sound; }
    std::unique_ptr<AudioVoice> open_voice(const std::string& path, const PcmLayout& layout) override;

private:
    class Voice;
    Clock& clock_;
};

}  // namespace sc::platform
