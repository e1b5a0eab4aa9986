// The P-key rehearsal of a job on the scripted platform: a view that makes
// every block cost 50 ms of the virtual clock, so that a file of about a
// minute runs as a long job.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "audiofile/media_commands.h"
#include "audiofile/source_checks.h"
#include "platform/scripted_audio.h"
#include "shell/application.h"
#include "shell/playback_texts.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

namespace T = playback_texts;

class SlowJobView : public View {
public:
    explicit SlowJobView(platform::VirtualClock& clock) : clock_(clock) {}
    double p_at = -1;      // P is pressed this many seconds after the first block
    int stop_at_block = -1;
    int blocks = 0;
    double first_block = -1;
    std::vector<std::string> info_lines;
    std::vector<std::string> grey_lines;
    void job_begins(std::string_view) override {
        blocks = 0;
        first_block = -1;
    }
    void job_block(const JobBlockInfo&) override {
        if (first_block < 0) first_block = clock_.timer();
        ++blocks;
        clock_.advance(0.05);
    }
    bool stop_clicked() override { return stop_at_block >= 0 && blocks >= stop_at_block; }
    std::string poll_key() override {
        if (p_at >= 0 && first_block >= 0 && clock_.timer() - first_block >= p_at) {
            p_at = -1;
            return "p";
        }
        return "";
    }
    void info_text(std::string_view a, std::string_view) override { info_lines.emplace_back(a); }
    void info_text_grey(std::string_view a, std::string_view) override { grey_lines.emplace_back(a); }

private:
    platform::VirtualClock& clock_;
};

std::string noise_wav(int frames, int channels, int bits) {
    std::string data;
    uint32_t x = 4711;
    for (int i = 0; i < frames * channels; ++i) {
        x = x * 1664525u + 1013904223u;
        const int32_t v = static_cast<int32_t>(std::lround(9000.0 * std::sin(i * 0.01))) + static_cast<int32_t>(x >> 22);
        const int32_t s = bits == 24 ? v * 256 : v;
        for (int b = 0; b < bits / 8; ++b) data += static_cast<char>((s >> (8 * b)) & 0xFF);
    }
    test::FmtFields f;
    f.channels = channels;
    f.bits = bits;
    return test::riff_wave({test::fmt_chunk(f), test::chunk("data", data)});
}

int16_t s16(const std::string& b, std::size_t byte) {
    int16_t v;
    std::memcpy(&v, b.data() + byte, 2);
    return v;
}

class RehearsalTest : public ::testing::Test {
protected:
    test::TempDir dir;
    platform::VirtualClock clock;
    test::FakeEnvironment env;
    test::FakeProcesses processes;
    platform::ScriptedAudioDevice device{clock};
    platform::DeviceMedia media{device, platform::real_file_system()};
    SlowJobView view{clock};
    PlatformServices services{platform::real_file_system(), clock, env, processes};
    Application app{view, (services.media = &media, services)};

    void SetUp() override {
        env.vars["TEMP"] = dir.folder();
        env.program = dir.path("sonoclamper");
        app.startup({});
        app.state.LANGUAGE = LANGUAGE_EN;
    }
    void load(const std::string& name, int seconds, int channels, int bits) {
        const std::string path = dir.write(name, noise_wav(44100 * seconds, channels, bits));
        auto& s = app.state;
        s.source_path = s.display_source_name = s.reading_path = path;
        ASSERT_TRUE(load_source(path, app.source_format, s, view, app.platform().fs, clock));
        app.set_source_channels(channels);
    }
    std::string rehearsal() const { return test::read_file(app.state.rehearsal_file); }
    std::string result() const { return test::read_file(app.state.target_path); }
    // Frames of output in one chunk of a block after the first.
    std::size_t chunk_frames() const { return static_cast<std::size_t>(app.engine.output_frames()); }
};

TEST_F(RehearsalTest, PInALongJobPlaysTheNextFiveChunksFadedWhileTheJobGoesOn) {
    load("long.wav", 60, 2, 16);
    view.p_at = 3.0;
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);

    const std::string clip = rehearsal();
    ASSERT_GT(clip.size(), 44u);
    EXPECT_EQ(clip.substr(0, 4), "RIFF");
    EXPECT_EQ(s16(clip, 22), 2);
    EXPECT_EQ(s16(clip, 34), 16);
    uint32_t riff = 0, data = 0;
    std::memcpy(&riff, clip.data() + 4, 4);
    std::memcpy(&data, clip.data() + 40, 4);
    EXPECT_EQ(riff, clip.size() - 8);
    EXPECT_EQ(data, clip.size() - 44);
    const std::size_t frames = (clip.size() - 44) / 4;
    EXPECT_EQ(frames, 5 * chunk_frames()) << "exactly five chunks";

    // The clip is the result's audio at one place, faded at both ends.
    const std::string out = result();
    const std::string middle = clip.substr(44 + 4 * 6000, 4 * 1000);
    const std::size_t at = out.find(middle);
    ASSERT_NE(at, std::string::npos);
    const std::size_t first = at - 4 * 6000;  // where the clip's first frame lies in the result
    EXPECT_EQ((first - 44) % 4, 0u);
    for (std::size_t f : {std::size_t{0}, std::size_t{1}, std::size_t{3000}, std::size_t{5999}}) {
        const double gain = static_cast<double>(f) / 6000;
        for (std::size_t ch = 0; ch < 2; ++ch) {
            const std::size_t in_clip = 44 + 4 * f + 2 * ch;
            EXPECT_EQ(s16(clip, in_clip), std::nearbyint(s16(out, first + 4 * f + 2 * ch) * gain)) << f;
            const std::size_t back = 4 * (frames - 1 - f) + 2 * ch;
            EXPECT_EQ(s16(clip, 44 + back), std::nearbyint(s16(out, first + back) * gain)) << f;
        }
    }
    EXPECT_EQ(clip.substr(44 + 4 * 6000, 4 * (frames - 12000)), out.substr(first + 4 * 6000, 4 * (frames - 12000)));

    // It sounded under its own alias, and nothing is left open.
    EXPECT_NE(std::find(device.log.begin(), device.log.end(), "play " + app.state.rehearsal_file), device.log.end());
    EXPECT_EQ(device.open_voices, 0);
    EXPECT_EQ(app.rehearsal.playing, 0);
    // The hint told when P could be pressed.
    const std::string allowed = std::string(T::REHEARSAL_HINT(LANGUAGE_EN)) + std::string(T::REHEARSAL_ALLOWED(LANGUAGE_EN));
    EXPECT_NE(std::find(view.info_lines.begin(), view.info_lines.end(), allowed), view.info_lines.end());
}

TEST_F(RehearsalTest, TwentyFourBitClipsAreCutToSixteenBits) {
    load("long24.wav", 60, 1, 24);
    view.p_at = 3.0;
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    const std::string clip = rehearsal();
    EXPECT_EQ(s16(clip, 34), 16);
    EXPECT_EQ(s16(clip, 32), 2);
    const std::size_t frames = (clip.size() - 44) / 2;
    EXPECT_EQ(frames, 5 * chunk_frames());
    // the clip's unfaded middle holds the upper two bytes of the result's samples
    const std::string out = result();
    std::string upper;
    for (std::size_t i = 44; i + 3 <= out.size(); i += 3) upper += out.substr(i + 1, 2);
    EXPECT_NE(upper.find(clip.substr(44 + 2 * 6000, 2 * 2000)), std::string::npos);
}

TEST_F(RehearsalTest, AJobEstimatedAtTwentyTwoSecondsOrLessNeverAllowsP) {
    load("short.wav", 20, 1, 16);  // some 180 blocks: about 9 s
    view.p_at = 2.0;
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_FALSE(test::exists(app.state.rehearsal_file));
    EXPECT_EQ(app.rehearsal.allowed, 0);
    const std::string locked = std::string(T::REHEARSAL_HINT(LANGUAGE_EN)) + std::string(T::REHEARSAL_LOCKED(LANGUAGE_EN));
    ASSERT_FALSE(view.grey_lines.empty());
    EXPECT_EQ(view.grey_lines.back(), locked);
}

TEST_F(RehearsalTest, PTooEarlyOrTooLateIsNotAccepted) {
    load("long.wav", 60, 1, 16);  // some 570 blocks: about 30 s
    view.p_at = 0.8;  // before 1.3 s
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_FALSE(test::exists(app.state.rehearsal_file));
    // allowed from 1.3 s on (while below estimate - 18 s) it stays allowed
    // until estimate - 7 s
    view.p_at = 24.0;
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_FALSE(test::exists(app.state.rehearsal_file));
    view.p_at = 20.0;
    ASSERT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_TRUE(test::exists(app.state.rehearsal_file));
}

TEST_F(RehearsalTest, StopSwitchesTheClipOffAndTheNextJobStartsClear) {
    load("long.wav", 60, 2, 16);
    view.p_at = 3.0;
    view.stop_at_block = 80;  // 4 s: the clip is playing
    ASSERT_EQ(app.run_job(), JobOutcome::Aborted);
    EXPECT_TRUE(test::exists(app.state.rehearsal_file));
    EXPECT_EQ(device.open_voices, 0);
    EXPECT_EQ(app.rehearsal.playing, 0);
    EXPECT_EQ(app.rehearsal.requested, 0);

    // a clip still open when the next job starts is closed by it
    MEDIA_OPEN(&media, app.state.rehearsal_file, "Musike_P");
    MEDIA_COMMAND(&media, "an", "Musike_P");
    app.rehearsal.open = true;
    view.stop_at_block = -1;
    app.rehearsal.job_starts(app);
    EXPECT_EQ(device.open_voices, 0);
}

TEST(RehearsalClip, FadesAndTheTwentyFourBitCut) {
    std::vector<uint8_t> b24{0x11, 0x22, 0x33, 0xAA, 0xBB, 0xCC};
    EXPECT_EQ(reduce_to_16bit(b24), (std::vector<uint8_t>{0x22, 0x33, 0xBB, 0xCC}));
    std::vector<uint8_t> mono;
    for (int i = 0; i < 20000; ++i) {
        mono.push_back(0x10);
        mono.push_back(0x27);  // 10000
    }
    fade_rehearsal_clip(mono, 1);
    auto at = [&](std::size_t f) { return s16(std::string(mono.begin(), mono.end()), 2 * f); };
    EXPECT_EQ(at(0), 0);
    EXPECT_EQ(at(3), 5);  // 10000 x 3 / 6000
    EXPECT_EQ(at(3000), 5000);
    EXPECT_EQ(at(6000), 10000);
    EXPECT_EQ(at(19999), 0);
    EXPECT_EQ(at(19999 - 3000), 5000);
}

}  // namespace
}  // namespace sc
