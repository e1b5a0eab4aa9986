#include "platform/sdl_audio.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sdl_library.h"

namespace sc::platform {

namespace {

using Steady = std::chrono::steady_clock;

// Frames per device buffer: small enough that the position keeps up with
// the sound, large enough for the slow drivers.
constexpr Uint16 kBufferFrames = 2048;

// One file streamed to its own device. The device is opened with the file's
// sample rate, channel count and sample format; SDL converts only when the
// hardware refuses them. 24-bit samples go out as 32-bit values with a zero
// low byte (SDL has no 24-bit format): the same sample values, widened.
class SdlVoice final : public AudioVoice {
public:
    static std::unique_ptr<SdlVoice> open(const std::string& path, const PcmLayout& layout) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return nullptr;
        std::unique_ptr<SdlVoice> v(new SdlVoice(fd, layout));
        SDL_AudioSpec want{};
        want.freq = layout.sample_rate;
        want.channels = static_cast<Uint8>(layout.channels);
        want.format = layout.bits == 8 ? AUDIO_U8 : layout.bits == 16 ? AUDIO_S16LSB : AUDIO_S32LSB;
        want.samples = kBufferFrames;
        want.callback = &SdlVoice::callback;
        want.userdata = v.get();
        SDL_AudioSpec have{};
        v->device_ = sdl().OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (v->device_ == 0) return nullptr;
        v->silence_ = have.silence;
        return v;
    }

    ~SdlVoice() override {
        if (device_ != 0) sdl().CloseAudioDevice(device_);  // waits for the callback; silent at once
        ::close(fd_);
    }

    bool play_from_start() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            next_frame_ = 0;
            before_last_ = 0;
            last_frames_ = 0;
            last_time_ = Steady::now();
            held_ = -1;
        }
        sdl().PauseAudioDevice(device_, 0);
        return true;
    }

    void stop() override {
        const int64_t at = played_frames();
        sdl().PauseAudioDevice(device_, 1);
        std::lock_guard<std::mutex> lock(mutex_);
        held_ = at;
    }

    // The device asks for the next buffer when it has played the one before;
    // the buffer handed over last is being played since that moment.
    int64_t played_frames() override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (held_ >= 0) return held_;
        const double seconds = std::chrono::duration<double>(Steady::now() - last_time_).count();
        const auto running = static_cast<int64_t>(seconds * layout_.sample_rate);
        return before_last_ + std::min<int64_t>(last_frames_, running);
    }

private:
    SdlVoice(int fd, const PcmLayout& layout) : fd_(fd), layout_(layout) {}

    static void SDLCALL callback(void* user, Uint8* out, int len) { static_cast<SdlVoice*>(user)->fill(out, len); }

    void fill(Uint8* out, int len) {
        const int in_frame = layout_.frame_bytes();
        const int out_frame = layout_.channels * (layout_.bits == 24 ? 4 : layout_.bits / 8);
        const int64_t want = len / out_frame;
        int64_t start;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            start = next_frame_;
        }
        const int64_t n = std::clamp<int64_t>(layout_.frames() - start, 0, want);
        raw_.resize(static_cast<std::size_t>(n * in_frame));
        std::size_t got = 0;
        while (got < raw_.size()) {
            const ssize_t r = ::pread(fd_, raw_.data() + got, raw_.size() - got,
                                      static_cast<off_t>(layout_.data_offset + start * in_frame + got));
            if (r <= 0) break;
            got += static_cast<std::size_t>(r);
        }
        const int64_t frames = static_cast<int64_t>(got) / in_frame;
        if (layout_.bits == 24) {
            const int64_t samples = frames * layout_.channels;
            for (int64_t i = 0; i < samples; ++i) {
                const uint8_t* s = raw_.data() + 3 * i;
                const uint32_t v = static_cast<uint32_t>(s[0]) << 8 | static_cast<uint32_t>(s[1]) << 16 |
                                   static_cast<uint32_t>(s[2]) << 24;
                std::memcpy(out + 4 * i, &v, 4);  // little-endian host
            }
        } else {
            std::memcpy(out, raw_.data(), static_cast<std::size_t>(frames * in_frame));
        }
        std::memset(out + frames * out_frame, silence_, static_cast<std::size_t>(len - frames * out_frame));
        std::lock_guard<std::mutex> lock(mutex_);
        next_frame_ = start + frames;
        before_last_ = start;
        last_frames_ = frames;
        last_time_ = Steady::now();
    }

    int fd_;
    PcmLayout layout_;
    SDL_AudioDeviceID device_ = 0;
    Uint8 silence_ = 0;
    std::vector<uint8_t> raw_;  // the callback's read buffer

    std::mutex mutex_;
    int64_t next_frame_ = 0;   // next frame to hand to the device
    int64_t before_last_ = 0;  // frames handed over before the last buffer
    int64_t last_frames_ = 0;  // frames of the file in the last buffer
    Steady::time_point last_time_ = Steady::now();
    int64_t held_ = -1;        // the position while stopped
};

class SdlAudioDevice final : public AudioDevice {
public:
    SdlAudioDevice() {
        std::string why;
        ok_ = load_sdl(why) && sdl().InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    ~SdlAudioDevice() override {
        if (ok_) sdl().QuitSubSystem(SDL_INIT_AUDIO);
    }
    bool available() override { return ok_; }
    std::unique_ptr<AudioVoice> open_voice(const std::string& path, const PcmLayout& layout) override {
        if (!ok_) return nullptr;
        return SdlVoice::open(path, layout);
    }

private:
    bool ok_ = false;
};

}  // namespace

std::unique_ptr<AudioDevice> make_sdl_audio_device() { return std::make_unique<SdlAudioDevice>(); }

}  // namespace sc::platform
