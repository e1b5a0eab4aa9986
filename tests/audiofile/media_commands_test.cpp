// The program's media commands: the strings they send, their answers, and
// the command interpreter with several aliases on a scripted device.
#include <gtest/gtest.h>

#include "audiofile/media_commands.h"
#include "platform/scripted_audio.h"
#include "tests/audiofile/test_support.h"

namespace sc {
namespace {

class RecordingMedia : public platform::MediaControl {
public:
    std::vector<std::string> sent;
    std::string reply;
    std::string send(const std::string& command) override {
        sent.push_back(command);
        return command.rfind("status", 0) == 0 ? reply : "";
    }
};

TEST(MediaCommands, WordsAndSynonymsSendTheirStringsWithTheAliasUpperCased) {
    RecordingMedia m;
    m.reply = "1234";
    EXPECT_EQ(MEDIA_COMMAND(&m, " AN ", " musike_p "), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "on", "x"), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "Play", "x"), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "aus", "x"), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "off", "x"), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "CLOSE", "x"), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "stop", "x"), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "len", "Musi"), 1234);
    EXPECT_EQ(MEDIA_COMMAND(&m, "length", "Musi"), 1234);
    EXPECT_EQ(MEDIA_COMMAND(&m, "pos", "Musike"), 1234);
    EXPECT_EQ(MEDIA_COMMAND(&m, "position", "Musike"), 1234);
    const std::vector<std::string> expected{
        "play MUSIKE_P from 0", "play X from 0",  "play X from 0",          "close X",
        "close X",              "close X",        "stop X",                 "status MUSI length",
        "status MUSI length",   "status MUSIKE position", "status MUSIKE position"};
    EXPECT_EQ(m.sent, expected);
}

TEST(MediaCommands, UnknownWordsSendNothingAndAnswerZero) {
    RecordingMedia m;
    m.reply = "99";
    EXPECT_EQ(MEDIA_COMMAND(&m, "pause", "A"), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "", "A"), 0);
    EXPECT_EQ(MEDIA_COMMAND(&m, "lenght", "A"), 0);
    EXPECT_TRUE(m.sent.empty());
    // without a media interface (the command line) nothing is sent at all
    EXPECT_EQ(MEDIA_COMMAND(nullptr, "len", "A"), 0);
    MEDIA_OPEN(nullptr, "/x.wav", "A");
    EXPECT_EQ(measure_playing_time(nullptr, "/x.wav", "A"), 0);
}

TEST(MediaCommands, OpenClosesFirstAndMeasuringClosesAfter) {
    RecordingMedia m;
    m.reply = "61000";
    EXPECT_EQ(measure_playing_time(&m, "/music/a b.wav", "OMusike"), 61000);
    const std::vector<std::string> expected{"close OMUSIKE", "open \"/music/a b.wav\" alias OMUSIKE",
                                            "set OMUSIKE time format milliseconds", "status OMUSIKE length",
                                            "close OMUSIKE"};
    EXPECT_EQ(m.sent, expected);
}

TEST(MediaCommands, RepliesReadAsNumbers) {
    EXPECT_EQ(reply_number("4711"), 4711);
    EXPECT_EQ(reply_number("  12ms"), 12);
    EXPECT_EQ(reply_number(""), 0);
    EXPECT_EQ(reply_number("error"), 0);
    EXPECT_EQ(reply_number("-5"), -5);
    RecordingMedia m;
    m.reply = std::string(300, '7');  // only 256 characters are read, and no more digits than fit
    EXPECT_GT(MEDIA_COMMAND(&m, "len", "A"), 0);
}

class DeviceMediaTest : public test::FileTest {
protected:
    platform::ScriptedAudioDevice device{clock};
    platform::DeviceMedia media{device, fs};
    std::string wav(const std::string& name, int channels, uint32_t rate, int bits, uint32_t bytes) {
        return dir.write(name, test::canonical_wav({1, channels, rate, bits, 16}, bytes));
    }
};

TEST_F(DeviceMediaTest, SeveralAliasesPlayTheirOwnFilesAndCloseAlone) {
    const std::string a = wav("a.wav", 2, 44100, 16, 44100 * 4 * 2);   // 2 s
    const std::string b = wav("b.wav", 1, 48000, 24, 48000 * 3 / 2);   // 0.5 s
    MEDIA_OPEN(&media, a, "Musike");
    MEDIA_OPEN(&media, b, "musike_p");
    EXPECT_EQ(MEDIA_COMMAND(&media, "len", "MUSIKE"), 2000);
    EXPECT_EQ(MEDIA_COMMAND(&media, "len", "Musike_P"), 500);
    EXPECT_EQ(MEDIA_COMMAND(&media, "pos", "Musike"), 0) << "nothing plays before play";
    MEDIA_COMMAND(&media, "an", "Musike");
    clock.advance(0.25);
    MEDIA_COMMAND(&media, "an", "Musike_P");
    clock.advance(0.75);
    EXPECT_EQ(MEDIA_COMMAND(&media, "pos", "Musike"), 1000);
    EXPECT_EQ(MEDIA_COMMAND(&media, "pos", "Musike_P"), 500) << "the position stops at the end";
    MEDIA_COMMAND(&media, "aus", "Musike_P");
    EXPECT_EQ(device.open_voices, 1);
    EXPECT_FALSE(media.is_open("Musike_P"));
    EXPECT_TRUE(media.is_open("Musike"));
    // play starts again from 0
    MEDIA_COMMAND(&media, "play", "Musike");
    clock.advance(0.1);
    EXPECT_EQ(MEDIA_COMMAND(&media, "pos", "Musike"), 100);
    MEDIA_COMMAND(&media, "stop", "Musike");
    clock.advance(1.0);
    EXPECT_EQ(MEDIA_COMMAND(&media, "pos", "Musike"), 100);
    MEDIA_OPEN(&media, b, "Musike");  // reopening closes the voice playing before
    EXPECT_EQ(device.open_voices, 0);
    EXPECT_EQ(MEDIA_COMMAND(&media, "len", "Musike"), 500);
}

TEST_F(DeviceMediaTest, FilesItCannotPlayAndAMissingDeviceAnswerZero) {
    const std::string not_wav = dir.write("x.wav", std::string(1000, 'x'));
    const std::string adpcm = dir.write("adpcm.wav", test::canonical_wav({2, 1, 44100, 4, 16}, 4000));
    const std::string cut = dir.write("cut.wav", test::canonical_wav({1, 2, 44100, 16, 16}, 4000).substr(0, 1000));
    for (const std::string& p : {not_wav, adpcm, dir.path("missing.wav")}) {
        MEDIA_OPEN(&media, p, "Musi");
        EXPECT_EQ(MEDIA_COMMAND(&media, "len", "Musi"), 0) << p;
        MEDIA_COMMAND(&media, "an", "Musi");
        clock.advance(1);
        EXPECT_EQ(MEDIA_COMMAND(&media, "pos", "Musi"), 0) << p;
    }
    // a data size beyond the file's end counts what is there
    MEDIA_OPEN(&media, cut, "Musi");
    EXPECT_EQ(MEDIA_COMMAND(&media, "len", "Musi"), (1000 - 44) / 4 * 1000 / 44100);

    device.sound = false;
    MEDIA_OPEN(&media, wav("ok.wav", 2, 44100, 16, 176400), "Musi");
    EXPECT_EQ(MEDIA_COMMAND(&media, "len", "Musi"), 0);
    MEDIA_COMMAND(&media, "an", "Musi");
    clock.advance(1);
    EXPECT_EQ(MEDIA_COMMAND(&media, "pos", "Musi"), 0);
    EXPECT_EQ(device.open_voices, 0);
}

}  // namespace
}  // namespace sc
