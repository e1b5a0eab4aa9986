#include <gtest/gtest.h>

#include "app/cli_options.h"

namespace sc::cli {
namespace {

TEST(CommandLine, TakesPresetLanguageJobsAndFiles) {
    auto r = parse({"--process", "--preset", "VOCAL: Bass_Soft", "--lang", "en", "--jobs", "3", "a.wav", "b.wav"});
    ASSERT_EQ(r.error, "");
    EXPECT_TRUE(r.options.process);
    EXPECT_EQ(r.options.preset, PresetId::BASS_SOFT);
    EXPECT_EQ(r.options.language, 2);
    EXPECT_EQ(r.options.jobs, 3);
    EXPECT_EQ(r.options.files, (std::vector<std::string>{"a.wav", "b.wav"}));
    EXPECT_EQ(parse({"--process", "x.wav"}).options.preset, PresetId::VOICESOFT);
}

TEST(CommandLine, SettingsActOnTopOfThePreset) {
    auto r = parse({"--process", "--hpf", "120", "--eq", "6.3k=-2.5", "--eq", "1=+9", "--input-gain", "-3",
                    "--leveler", "fast", "--bypass", "f.wav"});
    ASSERT_EQ(r.error, "");
    ParameterSet p;
    apply_settings(r.options, p);
    EXPECT_EQ(p.HPF, 120);
    EXPECT_EQ(p.EQ[9], -2.5f);
    EXPECT_EQ(p.EQ[0], 9.0f);
    EXPECT_EQ(p.EQ[1], 0.0f);
    EXPECT_NEAR(p.INPUTGAIN, 0.7079f, 1e-4);
    EXPECT_EQ(p.INPUTAUTO, 1);
    EXPECT_EQ(p.LEVE_ATT, 4000);
    EXPECT_EQ(p.KOMPR_BYPASS, 1);
}

TEST(CommandLine, UsageErrorsSayWhatIsWrong) {
    EXPECT_NE(parse({}).error, "");
    EXPECT_NE(parse({"--process"}).error, "");
    EXPECT_NE(parse({"--process", "--preset", "nope", "a.wav"}).error.find("nope"), std::string::npos);
    EXPECT_NE(parse({"--process", "--eq", "99=1", "a.wav"}).error, "");
    EXPECT_NE(parse({"--process", "--eq", "100=1.25", "a.wav"}).error, "");
    EXPECT_NE(parse({"--process", "--eq", "100=10", "a.wav"}).error, "");
    EXPECT_NE(parse({"--process", "--jobs", "0", "a.wav"}).error, "");
    EXPECT_NE(parse({"--process", "--hpf", "90", "a.wav"}).error, "");
    EXPECT_NE(parse({"--process", "--input-gain", "19", "a.wav"}).error, "");
    EXPECT_NE(parse({"--process", "--frobnicate", "a.wav"}).error.find("--frobnicate"), std::string::npos);
    EXPECT_EQ(parse({"--help"}).error, "");
    EXPECT_TRUE(parse({"--help"}).options.help);
}

}  // namespace
}  // namespace sc::cli
