// Playing files and zoom areas on the scripted platform: the media layer on
// a scripted device, the external player and the dialog scripted, the
// virtual clock for every pause.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "audiofile/zoom_area.h"
#include "platform/scripted_audio.h"
#include "shell/application.h"
#include "shell/playback_texts.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

namespace T = playback_texts;

class PlayerView : public View {
public:
    explicit PlayerView(platform::Clock& clock) : clock_(clock) {}
    std::vector<HintMessage> hints;
    std::vector<std::pair<std::string, std::string>> infos;
    std::vector<std::string> boxes;
    struct Progress {
        int64_t position, length;
        int baseline;
    };
    std::vector<Progress> progress;
    int greys = 0;
    int panels = 0;
    // a key arriving at this time (seconds), the pointer and its buttons
    double key_at = -1;
    PointerInfo where{400, 430, 0};
    double button_at = -1;

    void blink_hint(const HintMessage& h, bool) override { hints.push_back(h); }
    void info_text(std::string_view a, std::string_view b) override { infos.emplace_back(a, b); }
    void grey_upper_screen() override { ++greys; }
    void player_box(std::string_view text) override { boxes.emplace_back(text); }
    void player_progress(int64_t p, int64_t l, int b) override { progress.push_back({p, l, b}); }
    void redraw_panel() override { ++panels; }
    std::string poll_key() override {
        if (key_at >= 0 && clock_.timer() >= key_at) {
            key_at = -1;
            return " ";
        }
        return "";
    }
    PointerInfo pointer() override {
        PointerInfo p = where;
        if (button_at >= 0 && clock_.timer() >= button_at) p.buttons = 1;
        return p;
    }

private:
    platform::Clock& clock_;
};

class PlaybackTest : public ::testing::Test {
protected:
    PlaybackTest() {
        services.media = &media;
        services.dialog = &dialog;
        app.state.LANGUAGE = LANGUAGE_EN;
        app.state.rehearsal_file = dir.path("000-SONOCLAMPER-Rehearsal.WAV");
    }
    std::string wav(const std::string& name, int channels, int bits, double seconds) {
        const int frame = channels * bits / 8;
        const auto bytes = static_cast<uint32_t>(seconds * 44100) * static_cast<uint32_t>(frame);
        return dir.write(name, test::canonical_wav({1, channels, 44100, bits, 16}, bytes));
    }
    std::string program(const std::string& name, bool executable) {
        const std::string p = dir.write(name, "#!/bin/sh\n");
        ::chmod(p.c_str(), executable ? 0755 : 0644);
        return p;
    }

    test::TempDir dir;
    test::FakePlatform fake;
    platform::ScriptedAudioDevice device{fake.clock};
    platform::DeviceMedia media{device, platform::real_file_system()};
    test::ScriptedDialog dialog;
    PlayerView view{fake.clock};
    PlatformServices services = fake.services();
    Application app{view, (services.media = &media, services.dialog = &dialog, services)};
};

TEST_F(PlaybackTest, AFileOfFourTenthsOfASecondIsRefusedWithTheHint) {
    app.state.source_path = wav("short.wav", 2, 16, 0.4);
    app.SPIELE_DATEI(app.state.source_path);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].kind, 2);
    EXPECT_EQ(view.hints[0].line1, T::NOT_PLAYABLE1(LANGUAGE_EN));
    EXPECT_EQ(view.hints[0].line2, T::NOT_PLAYABLE2(LANGUAGE_EN));
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_FALSE(media.is_open("Musike"));
    EXPECT_EQ(device.open_voices, 0);
}

TEST_F(PlaybackTest, WithoutASoundDeviceTheHintComesInsteadOfTheSound) {
    device.sound = false;
    app.state.source_path = wav("song.wav", 2, 16, 3.0);
    app.SPIELE_DATEI(app.state.source_path);
    ASSERT_EQ(view.hints.size(), 1u);
    EXPECT_EQ(view.hints[0].line1, T::NOT_PLAYABLE1(LANGUAGE_EN));
    EXPECT_TRUE(fake.processes.runs.empty());
}

TEST_F(PlaybackTest, TheSourcePlaysToItsEndWithCursorAndBarInItsStrip) {
    app.state.source_path = wav("song.wav", 2, 16, 2.0);
    const double start = fake.clock.timer();
    app.SPIELE_DATEI(app.state.source_path);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(view.greys, 1);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0], "PLAY " + utf8_tail(app.state.source_path, 67));
    ASSERT_GT(view.progress.size(), 20u);
    for (std::size_t i = 1; i < view.progress.size(); ++i) {
        EXPECT_GE(view.progress[i].position, view.progress[i - 1].position);
        EXPECT_EQ(view.progress[i].baseline, 458);
        EXPECT_EQ(view.progress[i].length, 2000);
    }
    EXPECT_GT(view.progress.back().position, 1990);
    EXPECT_NEAR(fake.clock.timer() - start, 2.2, 0.15);
    EXPECT_EQ(device.open_voices, 0) << "the alias is closed after playing";
    EXPECT_TRUE(fake.processes.runs.empty());
}

TEST_F(PlaybackTest, AKeyOrAButtonEndsThePlayingAndTheResultUsesItsOwnStrip) {
    app.state.source_path = wav("song.wav", 2, 16, 10.0);
    const std::string result = wav("song---copy.WAV", 2, 16, 10.0);
    view.key_at = fake.clock.timer() + 1.0;
    app.SPIELE_DATEI(result);
    EXPECT_LT(view.progress.back().position, 1300);
    EXPECT_EQ(view.progress.back().baseline, 522);
    EXPECT_EQ(device.open_voices, 0);

    view.progress.clear();
    view.button_at = fake.clock.timer() + 0.5;
    app.SPIELE_DATEI(app.state.source_path);
    EXPECT_LT(view.progress.back().position, 800);
    EXPECT_EQ(view.progress.back().baseline, 458);
}

TEST_F(PlaybackTest, AnMp3SourceSoundsThroughItsBufferWavInTheSourceStrip) {
    app.state.source_path = dir.write("song.mp3", "ID3 not decodable here");
    app.state.source_is_mp3 = 1;
    app.state.mp3_buffer_wav = wav("000-SONOCLAMPER-MP3-BUFFER.WAV", 2, 16, 1.0);
    for (const std::string& path : {app.state.source_path, app.state.mp3_buffer_wav}) {
        view.progress.clear();
        app.SPIELE_DATEI(path);
        ASSERT_FALSE(view.progress.empty()) << path;
        EXPECT_EQ(view.progress.back().baseline, 458);
        EXPECT_EQ(view.progress.back().length, 1000);
    }
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(PlaybackTest, AMissingFileOrAnEmptyPathPlaysNothing) {
    app.SPIELE_DATEI("");
    app.SPIELE_DATEI(dir.path("gone.wav"));
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_TRUE(view.hints.empty());
    EXPECT_TRUE(device.log.empty());
}

TEST_F(PlaybackTest, AfterThreeSilentSecondsThePlayerFoundAtStartUpPlaysTheFile) {
    device.plays = false;
    app.state.media_player_path = program("mpv", true);
    const std::string song = wav("song.wav", 2, 16, 30.0);
    app.state.source_path = song;
    const double start = fake.clock.timer();
    app.SPIELE_DATEI(song);
    ASSERT_EQ(fake.processes.runs.size(), 1u);
    EXPECT_EQ(fake.processes.runs[0], (std::vector<std::string>{app.state.media_player_path, song}));
    ASSERT_FALSE(view.infos.empty());
    EXPECT_EQ(view.infos.back().first, " Play by mpv, because standard-tool didn't react.");
    EXPECT_EQ(view.infos.back().second, T::FALLBACK2(LANGUAGE_EN));
    EXPECT_NEAR(fake.clock.timer() - start, 3.2, 0.15);
    EXPECT_EQ(device.open_voices, 0);
}

TEST_F(PlaybackTest, WithoutAPlayerTheUserPicksAProgramForThisOnePlayback) {
    device.plays = false;
    const std::string song = wav("song.wav", 1, 16, 5.0);
    app.state.source_path = song;

    dialog.answer = wav("not-a-player.wav", 1, 16, 0.1);
    app.SPIELE_DATEI(song);
    ASSERT_EQ(view.hints.size(), 2u);
    EXPECT_EQ(view.hints[0].line1, T::NO_PLAYER1(LANGUAGE_EN));
    EXPECT_EQ(view.hints[0].line2, T::NO_PLAYER2(LANGUAGE_EN));
    EXPECT_EQ(view.hints[1].line1, " WMPlayer.exe not found.");
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].title, "Search Windows Media Player (wmplayer.exe)");
    EXPECT_EQ(dialog.requests[0].filters[static_cast<std::size_t>(dialog.requests[0].filter_index - 1)].pattern,
              "*");
    EXPECT_TRUE(fake.processes.runs.empty());

    dialog.answer = program("vlc", true);
    app.SPIELE_DATEI(song);
    ASSERT_EQ(fake.processes.runs.size(), 1u);
    EXPECT_EQ(fake.processes.runs[0], (std::vector<std::string>{dialog.answer, song}));
    EXPECT_EQ(view.infos.back().first, " Wait for vlc. Will continue, when Player is off.");
    EXPECT_TRUE(app.state.media_player_path.empty()) << "a picked player is not remembered";

    dialog.answer = "";  // cancelled
    app.SPIELE_DATEI(song);
    EXPECT_EQ(view.hints.back().line1, " WMPlayer.exe not found.");
    EXPECT_EQ(fake.processes.runs.size(), 1u);
}

TEST_F(PlaybackTest, SpaceOverAStripPlaysItsFadedZoomArea) {
    app.state.source_path = wav("song.wav", 2, 16, 10.0);
    app.state.target_path = wav("song---copy.WAV", 2, 16, 10.0);
    view.where = {400, 430, 0};
    app.SPIELE_ZOOM(430);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0], "PLAY Zoom");
    EXPECT_EQ(view.infos.front().first, T::ZOOM_PREPARING(LANGUAGE_EN));
    EXPECT_EQ(view.progress.back().baseline, 458);

    const std::string clip = test::read_file(app.state.rehearsal_file);
    const std::string source = test::read_file(app.state.source_path);
    const int64_t D = static_cast<int64_t>(source.size()) - 44;
    const ZoomArea area = zoom_area(400, D, 2, 16);
    ASSERT_EQ(clip.size(), static_cast<std::size_t>(44 + area.length));
    EXPECT_EQ(clip.substr(4, 4), test::u32le(static_cast<uint32_t>(clip.size() - 8)));
    EXPECT_EQ(clip.substr(40, 4), test::u32le(static_cast<uint32_t>(area.length)));
    // the middle is the source's bytes from the data header + start on, the
    // ends are faded
    const std::size_t mid = static_cast<std::size_t>(area.length / 2 / 4 * 4);
    EXPECT_EQ(clip.substr(44 + mid, 400), source.substr(36 + area.start + mid, 400));
    EXPECT_EQ(clip.substr(44, 4), std::string(4, '\0')) << "the fade starts at gain 0";
    EXPECT_GT(view.progress.back().position, view.progress.back().length - 11);

    view.progress.clear();
    view.where = {400, 480, 0};
    app.SPIELE_ZOOM(480);
    EXPECT_EQ(view.progress.back().baseline, 522);
}

TEST_F(PlaybackTest, AZoomAreaBelowAQuarterSecondIsNotPlayed) {
    app.state.source_path = wav("short.wav", 2, 16, 6.0);  // 24 columns of 780 hold 0.18 s
    app.SPIELE_ZOOM(430);
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_FALSE(test::exists(app.state.rehearsal_file));
}

TEST_F(PlaybackTest, TheWKeyRunsThePlayerOnTheGreyedPanelAndRedrawsIt) {
    const std::string song = wav("song.wav", 2, 16, 1.0);
    app.play_with_media_player(song);
    EXPECT_TRUE(fake.processes.runs.empty()) << "no player, no W";
    app.state.media_player_path = "/usr/bin/ffplay";
    app.play_with_media_player(song);
    ASSERT_EQ(fake.processes.runs.size(), 1u);
    EXPECT_EQ(fake.processes.runs[0], (std::vector<std::string>{"/usr/bin/ffplay", song}));
    EXPECT_EQ(view.infos.back().first, " Waiting for ffplay.");
    EXPECT_EQ(view.infos.back().second, T::W_WAIT2(LANGUAGE_EN));
    EXPECT_EQ(view.greys, 1);
    EXPECT_EQ(view.panels, 1);
    // Windows' own player keeps the name the texts give it.
    app.state.media_player_path = "C:\\Program Files\\Windows Media Player\\wmplayer.exe";
    app.play_with_media_player(song);
    EXPECT_EQ(view.infos.back().first, " Waiting for Windows Media Player.");
}

}  // namespace
}  // namespace sc
