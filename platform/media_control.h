// The media control interface: string commands addressed to aliases, with
// string replies. Lengths and positions are in milliseconds.
//
//   open "<path>" alias NAME           set NAME time format milliseconds
//   play NAME from 0                   stop NAME
//   close NAME                         status NAME length | position
//
// A command that cannot be carried out answers "" (which reads as 0). The
// sound itself comes from an audio device, one voice per open alias; the
// file's samples go to the device in the file's own format.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace sc::platform {

// Where the samples of a PCM WAV file lie and how they are laid out.
struct PcmLayout {
    int channels = 0;
    int sample_rate = 0;
    int bits = 0;              // 8, 16, 24 or 32
    uint64_t data_offset = 0;  // 0-based byte offset of the first sample
    uint64_t data_bytes = 0;   // whole frames only

    int frame_bytes() const { return channels * (bits / 8); }
    int64_t frames() const { return frame_bytes() > 0 ? static_cast<int64_t>(data_bytes / frame_bytes()) : 0; }
    // Whole milliseconds of sound.
    int64_t length_ms() const { return sample_rate > 0 ? frames() * 1000 / sample_rate : 0; }
};

// The layout of a RIFF/WAVE PCM file (mono or stereo, 8 to 32 bits);
// nothing for any other file. The data size is cut to what the file holds.
std::optional<PcmLayout> read_pcm_layout(File& file);

// One open file on the sound device.
class AudioVoice {
public:
    virtual ~AudioVoice() = default;
    // Starts from the first frame (again, when it played before). False when
    // the device will not play it.
    virtual bool play_from_start() = 0;
    // Holds the sound where it is.
    virtual void stop() = 0;
    // Frames that have really been played since the start, not those merely
    // handed to the device.
    virtual int64_t played_frames() = 0;
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // Whether there is a device that sounds at all.
    virtual bool available() = 0;
    // A voice for the samples of the file at path; nullptr when the device
    // cannot take them. Closing the voice (destroying it) silences it at once.
    virtual std::unique_ptr<AudioVoice> open_voice(const std::string& path, const PcmLayout& layout) = 0;
};

class MediaControl {
public:
    virtual ~MediaControl() = default;
    virtual std::string send(const std::string& command) = 0;
};

// The command strings carried out on an audio device. Several aliases can be
// open at once; alias names are not case-sensitive. Without a device every
// length is 0 and no position ever moves.
class DeviceMedia final : public MediaControl {
public:
    DeviceMedia(AudioDevice& device, FileSystem& fs) : device_(device), fs_(fs) {}
    std::string send(const std::string& command) override;

    bool is_open(const std::string& alias) const;

private:
    struct Alias {
        std::string path;
        PcmLayout layout;
        std::unique_ptr<AudioVoice> voice;
    };
    std::string open(const std::string& path, const std::string& alias);
    int64_t position_ms(Alias& a);

    AudioDevice& device_;
    FileSystem& fs_;
    std::map<std::string, Alias> aliases_;
};

}  // namespace sc::platform
