// The media control commands on SDL's audio output. SDL's "disk" driver
// writes what the device receives to a file, so the samples can be compared
// with the file's own; it also runs at the pace of real playback.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/media_control.h"
#include "platform/sdl_audio.h"

namespace sc::platform {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string le(uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// Noise samples that never repeat a frame within the file.
std::string noise(int frames, int channels, int bytes) {
    std::string out;
    uint32_t x = 987654321u;
    for (int i = 0; i < frames * channels; ++i) {
        x = x * 1664525u + 1013904223u;
        for (int b = 0; b < bytes; ++b) out += static_cast<char>((x >> (8 * (b + 1))) & 0xFF);
    }
    return out;
}

std::string wav(int channels, int rate, int bits, const std::string& data, const std::string& extra_chunk = "") {
    const int frame = channels * bits / 8;
    std::string body = "WAVEfmt " + le(16, 4) + le(1, 2) + le(channels, 2) + le(rate, 4) + le(rate * frame, 4) +
                       le(frame, 2) + le(bits, 2) + extra_chunk + "data" + le(static_cast<uint32_t>(data.size()), 4) +
                       data;
    return "RIFF" + le(static_cast<uint32_t>(body.size()), 4) + body;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DiskAudio : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("sc_media_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        disk_file_ = dir_ / "device.raw";
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", disk_file_.c_str(), 1);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    int64_t number(MediaControl& m, const std::string& command) { return std::atoll(m.send(command).c_str()); }

    // Plays the file under alias A to its end; the positions seen on the way
    // rise, never run ahead of the time that passed and stop at the length.
    void play_to_end(MediaControl& m, int64_t length) {
        m.send("play A from 0");
        const auto start = Clock::now();
        int64_t last = 0;
        int rises = 0;
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            const int64_t pos = number(m, "status A position");
            const auto elapsed =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
            EXPECT_GE(pos, last);
            EXPECT_LE(pos, elapsed + 60) << "the position runs ahead of the sound";
            if (pos > last) ++rises;
            last = pos;
            if (pos >= length || elapsed > length + 4000) break;
        }
        EXPECT_EQ(last, length);
        EXPECT_GT(rises, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        EXPECT_EQ(number(m, "status A position"), length) << "the position stops at the end";
    }

    // The device file holds the file's samples (after whatever silence the
    // device wrote before the start), as 32-bit values for 24-bit samples.
    void expect_device_got(const std::string& samples, int frame_bytes) {
        const std::string got = slurp(disk_file_);
        const std::string head = samples.substr(0, 64);
        std::size_t at = std::string::npos;
        for (std::size_t i = 0; i + head.size() <= got.size(); i += static_cast<std::size_t>(frame_bytes))
            if (got.compare(i, head.size(), head) == 0) {
                at = i;
                break;
            }
        ASSERT_NE(at, std::string::npos) << "the samples never reached the device";
        for (std::size_t i = 0; i < at; ++i) ASSERT_EQ(got[i], 0) << "only silence comes before the start";
        ASSERT_GE(got.size(), at + samples.size());
        EXPECT_TRUE(got.compare(at, samples.size(), samples) == 0) << "the samples changed on their way";
    }

    fs::path dir_;
    fs::path disk_file_;
};

TEST_F(DiskAudio, SixteenBitStereoAndMonoReachTheDeviceUnchanged) {
    struct Case {
        int channels, rate;
    };
    for (const Case c : {Case{2, 44100}, Case{1, 48000}}) {
        SCOPED_TRACE(c.channels);
        auto device = make_sdl_audio_device();
        ASSERT_TRUE(device->available());
        DeviceMedia media(*device, real_file_system());
        const int frames = c.rate * 6 / 10 + 37;
        const std::string data = noise(frames, c.channels, 2);
        // a foreign chunk before the data is stepped over
        const std::string path = write("x.wav", wav(c.channels, c.rate, 16, data, "LIST" + le(3, 4) + "abc" + '\0'));
        media.send("open \"" + path + "\" alias a");
        media.send("set A time format milliseconds");
        const int64_t length = number(media, "status A length");
        EXPECT_EQ(length, static_cast<int64_t>(frames) * 1000 / c.rate);
        play_to_end(media, length);
        media.send("close A");
        expect_device_got(data, 2 * c.channels);
    }
}

TEST_F(DiskAudio, TwentyFourBitMonoArrivesWidenedWithItsValues) {
    auto device = make_sdl_audio_device();
    DeviceMedia media(*device, real_file_system());
    const int frames = 30000;
    const std::string data = noise(frames, 1, 3);
    const std::string path = write("x24.wav", wav(1, 44100, 24, data));
    media.send("open \"" + path + "\" alias A");
    const int64_t length = number(media, "status a length");
    EXPECT_EQ(length, 680);
    play_to_end(media, length);
    media.send("close a");
    std::string widened;
    for (int i = 0; i < frames; ++i) widened += '\0' + data.substr(static_cast<std::size_t>(3 * i), 3);
    expect_device_got(widened, 4);
}

TEST_F(DiskAudio, CloseSilencesAtOnceAndPlayStartsAgainFromTheBeginning) {
    auto device = make_sdl_audio_device();
    DeviceMedia media(*device, real_file_system());
    const std::string path = write("long.wav", wav(1, 44100, 16, noise(44100 * 3, 1, 2)));
    media.send("open \"" + path + "\" alias A");
    EXPECT_EQ(number(media, "status A length"), 3000);
    media.send("play A from 0");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const int64_t first = number(media, "status A position");
    EXPECT_GT(first, 150);
    media.send("stop A");
    const int64_t held = number(media, "status A position");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(number(media, "status A position"), held) << "stop holds the position";
    media.send("play A from 0");
    EXPECT_LT(number(media, "status A position"), first) << "play starts from the beginning";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    media.send("close A");
    const auto size_at_close = fs::file_size(disk_file_);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(fs::file_size(disk_file_), size_at_close) << "nothing reaches the device after close";
    EXPECT_FALSE(media.is_open("a"));
    EXPECT_EQ(media.send("status A position"), "");
}

TEST(NoSoundDevice, LengthsAreZeroAndNothingMoves) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    auto device = make_sdl_audio_device();
    EXPECT_FALSE(device->available());
    DeviceMedia media(*device, real_file_system());
    const fs::path p = fs::temp_directory_path() / ("sc_media_none_" + std::to_string(::getpid()) + ".wav");
    std::ofstream(p, std::ios::binary) << wav(2, 44100, 16, noise(44100, 2, 2));
    media.send("open \"" + p.string() + "\" alias MUSI");
    EXPECT_EQ(media.send("status MUSI length"), "0");
    media.send("play MUSI from 0");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(media.send("status MUSI position"), "0");
    media.send("close MUSI");
    fs::remove(p);
}

}  // namespace
}  // namespace sc::platform
