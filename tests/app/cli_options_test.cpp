#include <gtest/gtest.h>

#include "app/cli_options.h"
#include "app/cli_progress.h"

#include <fstream>
#include <iterator>

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

TEST(CommandLine, ValuesJoinedByEqualsAndTheEndOfOptions) {
    auto r = parse({"--process", "--preset=MUS_hard", "--jobs=2", "--eq=250=-1.5", "--output-dir=out", "--",
                    "--bypass", "-x.wav"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.preset, PresetId::MUSICHARD);
    EXPECT_EQ(r.options.jobs, 2);
    EXPECT_EQ(r.options.eq[2], -1.5f);
    EXPECT_EQ(r.options.output_dir, "out");
    EXPECT_FALSE(r.options.bypass);
    EXPECT_EQ(r.options.files, (std::vector<std::string>{"--bypass", "-x.wav"}));
    EXPECT_EQ(parse({"--process", "--jobs="}).error.substr(0, 19), "--jobs: \"\" will not");
    EXPECT_EQ(parse({"--process", "--bypass=1", "a.wav"}).error, "--bypass takes no value\nHelp: sonoclamper --help");
    EXPECT_EQ(parse({"--process", "-"}).options.files, std::vector<std::string>{"-"});
    // the actions that need no file
    for (const char* action : {"--version", "--list-presets", "--show-settings", "--help"})
        EXPECT_EQ(parse({action}).error, "") << action;
}

TEST(CommandLine, MessagesInTheLanguageOfLangElseTheLocale) {
    EXPECT_EQ(message_language({}, nullptr, nullptr, "de_DE.UTF-8"), LANGUAGE_DE);
    EXPECT_EQ(message_language({}, nullptr, nullptr, "en_US.UTF-8"), LANGUAGE_EN);
    EXPECT_EQ(message_language({}, nullptr, nullptr, nullptr), LANGUAGE_EN);
    EXPECT_EQ(message_language({}, "", "de_CH", "en_US"), LANGUAGE_DE);     // an empty LC_ALL counts as unset
    EXPECT_EQ(message_language({}, "C", "de_CH", "de_DE"), LANGUAGE_EN);    // LC_ALL first
    EXPECT_EQ(message_language({}, nullptr, "POSIX", "de_DE"), LANGUAGE_EN);
    EXPECT_EQ(message_language({"--lang", "de"}, "en_US", nullptr, nullptr), LANGUAGE_DE);
    EXPECT_EQ(message_language({"--lang=en"}, "de_DE", nullptr, nullptr), LANGUAGE_EN);
    EXPECT_EQ(message_language({"--", "--lang=en"}, "de_DE", nullptr, nullptr), LANGUAGE_DE);  // a file name
    EXPECT_EQ(message_language({"--lang", "fr"}, "de_DE", nullptr, nullptr), LANGUAGE_DE);

    const auto de = parse({"--process", "--hpf", "90", "x.wav"}, LANGUAGE_DE);
    EXPECT_EQ(de.error, "--hpf: \"90\" geht nicht; erlaubt ist off, 100, 120 oder 150\nHilfe: sonoclamper --help");
    EXPECT_EQ(de.options.message_language, LANGUAGE_DE);
    EXPECT_EQ(parse({"--lang", "en", "--process", "x.wav"}, LANGUAGE_DE).options.message_language, LANGUAGE_EN);
}

TEST(CommandLine, NearNamesAreOffered) {
    const std::vector<std::string> names{"VOC_soft", "VOC_hard", "MUS_soft", "MUS_hard", "Snare: general",
                                         "Snare: controlled", "Snare: popping"};
    EXPECT_EQ(closest("voc-sotf", names), std::vector<std::string>{"VOC_soft"});
    EXPECT_EQ(closest("MUShard", names), std::vector<std::string>{"MUS_hard"});
    EXPECT_EQ(closest("snare", names), (std::vector<std::string>{"Snare: general", "Snare: controlled", "Snare: popping"}));
    EXPECT_TRUE(closest("guitar", names).empty());
    EXPECT_TRUE(closest("", names).empty());
    const auto r = parse({"--process", "--preset", "Bass_Sotf", "x.wav"});
    EXPECT_NE(r.error.find("Did you mean \"Bass_Soft\""), std::string::npos) << r.error;
}

TEST(CommandLine, HelpShowsEveryOptionOfTheTableWithinEightyColumns) {
    for (const int16_t language : {LANGUAGE_DE, LANGUAGE_EN}) {
        const std::string help = help_text(language);
        for (const auto& spec : option_table()) {
            std::string head = "  " + std::string(spec.name);
            if (!spec.short_name.empty()) head += ", " + std::string(spec.short_name);
            if (!spec.value_name.empty()) head += " " + std::string(spec.value_name);
            EXPECT_TRUE(help.find("\n" + head + " ") != std::string::npos ||
                        help.find("\n" + head + "\n") != std::string::npos)
                << head;
            EXPECT_FALSE(spec.help(language).empty()) << spec.name;
        }
        std::size_t start = 0;
        for (std::size_t end; (end = help.find('\n', start)) != std::string::npos; start = end + 1)
            EXPECT_LE(utf8_length(help.substr(start, end - start)), 79u) << help.substr(start, end - start);
    }
}

TEST(ProgressLine, FitsTheTerminalAndCutsTheNameInItsMiddle) {
    const std::string name = "a very long name of a recording from the evening concert.wav";
    for (std::size_t width : {200u, 120u, 80u, 50u, 30u, 12u, 1u}) {
        const std::string line = Console::progress_line(name, 0.456, 38.2, 75, width, LANGUAGE_EN);
        EXPECT_LT(utf8_length(line), std::max<std::size_t>(width, 1)) << width << ": " << line;
    }
    EXPECT_EQ(Console::progress_line(name, 0.456, 38.2, 75, 50, LANGUAGE_EN),
              "a very long ... concert.wav   45%  38x  1:15 left");
    EXPECT_EQ(Console::progress_line("song.wav", 1.0, 0, -1, 100, LANGUAGE_DE),
              "[####################] song.wav  100%");
    EXPECT_EQ(Console::progress_line("song.wav", 0.1, 12, 3725, 80, LANGUAGE_DE),
              "[##------------------] song.wav   10%  12x  noch 1:02:05");
}

}  // namespace
}  // namespace sc::cli

namespace sc::cli {
namespace {

// The manual page renders and names every option of --help.
TEST(ManualPage, RendersAndListsEveryOptionOfHelp) {
    if (std::system("command -v man >/dev/null 2>&1") != 0) GTEST_SKIP() << "man is needed";
    const std::string text = ::testing::TempDir() + "sonoclamper-man.txt";
    const std::string cmd = "MANWIDTH=200 man -l " + std::string(SONOCLAMPER_MAN) + " 2>&1 | col -b > " + text;
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::ifstream in(text);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_NE(page.find("SONOCLAMPER(1)"), std::string::npos) << page;
    for (const auto& spec : option_table()) {
        std::string head = std::string(spec.name);
        if (!spec.short_name.empty()) head += ", " + std::string(spec.short_name);
        if (!spec.value_name.empty()) head += " " + std::string(spec.value_name);
        // a short tag shares its line with the text
        EXPECT_TRUE(page.find("\n       " + head + "\n") != std::string::npos ||
                    page.find("\n       " + head + " ") != std::string::npos)
            << head;
    }
    for (const char* section : {"EXIT STATUS", "FILES", "ENVIRONMENT", "LC_MESSAGES", "128+N"})
        EXPECT_NE(page.find(section), std::string::npos) << section;
}

}  // namespace
}  // namespace sc::cli
