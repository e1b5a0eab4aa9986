#include "platform/scripted_audio.h"

#include <algorithm>
#include <cmath>

namespace sc::platform {

class ScriptedAudioDevice::Voice final : public AudioVoice {
public:
    Voice(ScriptedAudioDevice& device, std::string path, const PcmLayout& layout)
        : device_(device), path_(std::move(path)), layout_(layout) {
        device_.log.push_back("voice " + path_);
        ++device_.open_voices;
    }
    ~Voice() override {
        device_.log.push_back("close " + path_);
        --device_.open_voices;
    }
    bool play_from_start() override {
        device_.log.push_back("play " + path_);
        started_ = device_.clock_.timer();
        running_ = true;
        held_ = 0;
        return true;
    }
    void stop() override {
        device_.log.push_back("stop " + path_);
        held_ = played_frames();
        running_ = false;
    }
    int64_t played_frames() override {
        if (!running_ || !device_.plays) return held_;
        const double seconds = device_.clock_.timer() - started_;
        const auto frames = static_cast<int64_t>(std::floor(seconds * layout_.sample_rate));
        return std::clamp<int64_t>(frames, 0, layout_.frames());
    }

private:
    ScriptedAudioDevice& device_;
    std::string path_;
    PcmLayout layout_;
    double started_ = 0.0;
    bool running_ = false;
    int64_t held_ = 0;
};

std::unique_ptr<AudioVoice> ScriptedAudioDevice::open_voice(const std::string& path, const PcmLayout& layout) {
    if (!sound) return nullptr;
    return std::make_unique<Voice>(*this, path, layout);
}

}  // namespace sc::platform
