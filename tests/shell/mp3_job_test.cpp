// MP3 sources and results with the real encoder program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "audiofile/mp3_lame.h"
#include "platform/paths.h"
#include "shell/application.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

using test::TempDir;

// The real programs, every run recorded; the encoder can be taken away.
class RecordingProcesses : public platform::Processes {
public:
    std::vector<std::vector<std::string>> runs;
    bool encoder_missing = false;
    bool encoding_breaks = false;  // an encoding writes half its MP3 and fails
    int run(const std::string& program, const std::vector<std::string>& args) override {
        std::vector<std::string> call{program};
        call.insert(call.end(), args.begin(), args.end());
        runs.push_back(call);
        if (encoding_breaks && !args.empty() && args[0] != "--decode") {
            std::ofstream(args.back(), std::ios::binary) << "half an MP3";
            return 1;
        }
        return platform::real_processes().run(program, args);
    }
    std::string find_program(const std::string& name, const std::string& folder) override {
        if (encoder_missing && name == ENCODER_PROGRAM) return {};
        return platform::real_processes().find_program(name, folder);
    }
};

class HintView : public View {
public:
    std::vector<HintMessage> hints;
    void blink_hint(const HintMessage& hint, bool) override { hints.push_back(hint); }
};

std::string sine_wav(int seconds, int channels) {
    test::FmtFields f;
    f.channels = channels;
    std::string data;
    const int frames = 44100 * seconds;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            const auto v = static_cast<int16_t>(std::lround(9000 * std::sin(2 * M_PI * (220 + 110 * c) * i / 44100.0)));
            data += static_cast<char>(v & 0xFF);
            data += static_cast<char>((v >> 8) & 0xFF);
        }
    return test::riff_wave({test::fmt_chunk(f), test::chunk("data", data)});
}

std::string id3v1(const std::string& title) {
    std::string t = "TAG" + title;
    t.resize(128, ' ');
    return t;
}

class Mp3JobTest : public ::testing::Test {
protected:
    TempDir dir;
    test::ProtectingFileSystem fs;
    platform::VirtualClock clock;
    test::FakeEnvironment env;
    RecordingProcesses processes;
    HintView view;
    Application app{view, PlatformServices{fs, clock, env, processes}};

    void SetUp() override {
        env.vars["TEMP"] = dir.folder();
        env.program = dir.path("sonoclamper");
        app.startup({});
        app.state.LANGUAGE = LANGUAGE_EN;
        app.state.last_used_folder = platform::with_separator(dir.folder());
    }

    // An MP3 made by the encoder from generated audio, with a tag behind it.
    std::string make_mp3(const std::string& name, int channels, const std::string& tag = "") {
        const std::string wav = dir.write("gen.wav", sine_wav(6, channels));
        const std::string mp3 = dir.path(name);
        const int code = platform::real_processes().run(platform::real_processes().find_program("lame", ""),
                                                        {"--quiet", wav, "-b", "128", mp3});
        EXPECT_EQ(code, 0);
        std::remove(wav.c_str());
        if (!tag.empty()) std::ofstream(mp3, std::ios::binary | std::ios::app) << tag;
        return mp3;
    }

    void open_mp3(const std::string& mp3) {
        app.state.source_path = mp3;
        app.state.display_source_name.clear();
        app.MP3_VORBEREITEN();
    }

    int encoder_runs(const std::string& first_argument) const {
        int n = 0;
        for (const auto& r : processes.runs)
            if (r.size() > 1 && r[1] == first_argument) ++n;
        return n;
    }
};

TEST_F(Mp3JobTest, AnMp3SourceIsDecodedOnceForTwoJobsAndEncodedWithItsTag) {
    const std::string mp3 = make_mp3("song.mp3", 2, id3v1("Carried over"));
    open_mp3(mp3);
    auto& s = app.state;
    ASSERT_EQ(s.source_is_mp3, 1);
    EXPECT_EQ(s.display_source_name, s.mp3_buffer_wav);
    EXPECT_EQ(s.mp3_buffer_wav, dir.folder() + "/000-SONOCLAMPER-MP3-BUFFER.WAV");
    EXPECT_TRUE(test::exists(s.mp3_buffer_wav));

    app.params.OUTFORMAT = 2;
    EXPECT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(encoder_runs("--decode"), 1);

    const std::string result = dir.path("song--3copy.MP3");
    EXPECT_EQ(s.target_path, result);
    ASSERT_TRUE(test::exists(result));
    EXPECT_FALSE(test::exists(dir.path("song--3copy.WAV")));
    const std::string bytes = test::read_file(result);
    EXPECT_EQ(bytes.substr(bytes.size() - 128), id3v1("Carried over"));
    // the encoder got the stereo rate of format 2, every path as one argument
    const auto& enc = processes.runs.back();
    EXPECT_EQ(std::vector<std::string>(enc.begin() + 1, enc.end()),
              (std::vector<std::string>{dir.path("song--3copy.WAV"), "-h", "-b", "320", "-p", "-o", result + ".buf"}));
    EXPECT_FALSE(test::exists(result + ".buf"));
}

TEST_F(Mp3JobTest, MonoFormatNineAndAWriteProtectedOlderResult) {
    const std::string mp3 = make_mp3("voice.MP3", 1);
    open_mp3(mp3);
    ASSERT_EQ(app.state.source_is_mp3, 1);
    const std::string older = dir.write("voice--3copy.MP3", "older");
    fs.protected_paths.insert(older);
    app.params.OUTFORMAT = 9;
    EXPECT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_EQ(test::read_file(older), "older");
    // The letter replaces the tenth character from the end: "--3copy.MP3"
    // becomes "-A3copy.MP3".
    EXPECT_EQ(app.state.target_path, dir.path("voice-A3copy.MP3"));
    EXPECT_TRUE(test::exists(dir.path("voice-A3copy.MP3")));
    const auto& enc = processes.runs.back();
    ASSERT_GE(enc.size(), 5u);
    EXPECT_EQ(enc[4], "48");
}

TEST_F(Mp3JobTest, AFailedEncodingKeepsTheOlderMp3Whole) {
    const std::string mp3 = make_mp3("song.mp3", 2);
    open_mp3(mp3);
    ASSERT_EQ(app.state.source_is_mp3, 1);
    const std::string older = dir.write("song--3copy.MP3", "the older MP3");
    processes.encoding_breaks = true;
    app.params.OUTFORMAT = 2;
    EXPECT_EQ(app.run_job(), JobOutcome::Failed);
    EXPECT_EQ(test::read_file(older), "the older MP3");
    EXPECT_FALSE(test::exists(older + ".buf"));
    EXPECT_FALSE(test::exists(dir.path("song--3copy.WAV")));
    EXPECT_FALSE(test::exists(dir.path("song--3copy.WAV.buf")));
}

TEST_F(Mp3JobTest, WithoutTheEncoderNothingIsDecodedOrWritten) {
    const std::string mp3 = make_mp3("song.mp3", 2);
    processes.encoder_missing = true;
    open_mp3(mp3);
    auto& s = app.state;
    EXPECT_EQ(s.source_is_mp3, 0);
    EXPECT_TRUE(s.source_path.empty());
    ASSERT_FALSE(view.hints.empty());
    EXPECT_NE(view.hints.back().line1.find("lame"), std::string::npos);
    EXPECT_TRUE(processes.runs.empty());
    EXPECT_FALSE(test::exists(dir.folder() + "/000-SONOCLAMPER-MP3-BUFFER.WAV"));
}

TEST_F(Mp3JobTest, HostileNamesGoThroughDecodeAndEncodeUntouched) {
    const std::string mp3 = make_mp3("a b \"q\" $(touch pwned) Ärger.mp3", 2);
    open_mp3(mp3);
    ASSERT_EQ(app.state.source_is_mp3, 1);
    app.params.OUTFORMAT = 5;
    EXPECT_EQ(app.run_job(), JobOutcome::Completed);
    EXPECT_TRUE(test::exists(dir.path("a b \"q\" $(touch pwned) Ärger--3copy.MP3")));
    EXPECT_FALSE(test::exists("pwned"));
    EXPECT_FALSE(test::exists(dir.path("pwned")));
}

TEST_F(Mp3JobTest, AFailingDecodeClearsTheFileAndTheBuffer) {
    const std::string bad = dir.write("broken.mp3", std::string(4000, 'x'));
    open_mp3(bad);
    auto& s = app.state;
    EXPECT_EQ(s.source_is_mp3, 0);
    EXPECT_TRUE(s.source_path.empty());
    EXPECT_FALSE(test::exists(dir.folder() + "/000-SONOCLAMPER-MP3-BUFFER.WAV"));
}

}  // namespace
}  // namespace sc
