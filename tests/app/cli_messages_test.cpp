// The command line's own messages, its options and its listings, run on the
// real program.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <regex>
#include <set>

#include "tests/app/cli_test_support.h"

namespace {

using namespace sc::test;

// Lines of the window that the command line never prints.
const char* const kWindowTexts[] = {"START", "Open-Window", "Öffnen-Fenster", "Windows-Explorer", "Tipp:",
                                    "Press any key", "Beliebige Taste", "nicht bekannt", "Datei zu klein"};

void expect_no_window_texts(const Outcome& r) {
    for (const char* t : kWindowTexts) {
        EXPECT_EQ(r.out.find(t), std::string::npos) << t << " in\n" << r.out;
        EXPECT_EQ(r.err.find(t), std::string::npos) << t << " in\n" << r.err;
    }
}

bool tone(const fs::path& p, int seconds = 6) {
    if (!have("sox")) return false;
    return std::system(("sox -n -r 44100 -c 2 -b 16 \"" + p.string() + "\" synth " + std::to_string(seconds) +
                        " sine 300-3000 vol 0.4 2>/dev/null")
                           .c_str()) == 0;
}

TEST_F(ProcessTest, TheLocaleChoosesTheLanguageUnlessLangIsGiven) {
    const std::string missing = q("missing.wav");
    struct Case {
        const char* env;
        const char* args;
        bool german;
    } cases[] = {
        {"LANG=de_DE.UTF-8 LC_ALL= LC_MESSAGES=", "", true},
        {"LANG=en_GB.UTF-8 LC_ALL= LC_MESSAGES=", "", false},
        {"LANG=C LC_ALL= LC_MESSAGES=", "", false},
        {"LANG=de_DE.UTF-8 LC_ALL=en_US.UTF-8 LC_MESSAGES=", "", false},
        {"LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES=de_AT", "", true},
        {"LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 LC_MESSAGES=", "--lang en", false},
        {"LANG=C LC_ALL= LC_MESSAGES=", "--lang=de", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.env) + " " + c.args);
        const Outcome r = run(std::string("--process ") + c.args + " " + missing, c.env);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.german ? ": nicht bearbeitet: nicht lesbar (" : ": not processed: cannot be read ("),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find(c.german ? "0 bearbeitet, 0 übersprungen, 1 fehlgeschlagen" : "0 processed, 0 skipped, 1 failed"),
                  std::string::npos);
    }
    // usage errors too
    EXPECT_NE(run("--frobnicate", "LANG=de_DE.UTF-8 LC_ALL= LC_MESSAGES=").err.find("unbekannte Option --frobnicate"),
              std::string::npos);
}

TEST_F(ProcessTest, FilesThatCannotBeReadNameTheSystemsCause) {
    fs::create_directory(dir / "folder.wav");
    fs::create_symlink(dir / "loop2.wav", dir / "loop1.wav");
    fs::create_symlink(dir / "loop1.wav", dir / "loop2.wav");
    ASSERT_EQ(::mkfifo((dir / "pipe.wav").c_str(), 0644), 0);
    const Outcome r = run("--process --lang en " + q("missing.wav") + " " + q("folder.wav") + " " + q("loop1.wav") +
                          " " + q("pipe.wav"));
    EXPECT_EQ(r.status, 1);
    const std::string d = dir.string() + "/";
    EXPECT_EQ(r.err, d + "missing.wav: not processed: cannot be read (No such file or directory)\n" + d +
                         "folder.wav: not processed: a folder, not an audio file\n" + d +
                         "loop1.wav: not processed: cannot be read (Too many levels of symbolic links)\n" + d +
                         "pipe.wav: not processed: not a regular file (a device, pipe or socket)\n"
                         "0 processed, 0 skipped, 4 failed\n");
    expect_no_window_texts(r);

    // No read permission: as root through an unprivileged user.
    ASSERT_TRUE(tone(dir / "locked.wav"));
    fs::permissions(dir / "locked.wav", fs::perms::none);
    fs::permissions(dir, fs::perms::all);
    const bool root = ::geteuid() == 0;
    if (root && !have("setpriv")) GTEST_SKIP() << "setpriv is needed to drop root's rights";
    const std::string as_user = root ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const Outcome locked = run("--process --lang de " + q("locked.wav"),
                               "LANG=C LC_ALL= LC_MESSAGES= " + as_user);
    EXPECT_EQ(locked.status, 1);
    EXPECT_EQ(locked.err, d + "locked.wav: nicht bearbeitet: nicht lesbar (Permission denied)\n"
                                "0 bearbeitet, 0 übersprungen, 1 fehlgeschlagen\n");
    EXPECT_FALSE(fs::exists(dir / "locked---copy.WAV"));
}

TEST_F(ProcessTest, RefusedHeadersAreExplainedWithWhatTheFileSays) {
    // a short tone and an 8-bit file: refused at job start and at load time
    ASSERT_TRUE(tone(dir / "short.wav", 2));
    ASSERT_EQ(std::system(("sox -n -r 44100 -c 1 -b 8 " + q("eight.wav") + " synth 6 sine 440 2>/dev/null").c_str()), 0);
    const Outcome r = run("--process --lang en " + q("short.wav") + " " + q("eight.wav"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("short.wav: not processed: too short: 5 seconds of audio and 45000 bytes are needed\n"),
              std::string::npos);
    EXPECT_NE(r.err.find("eight.wav: not processed: 8 bits per sample; only 16 bit, and 24 bit in mono, are processed\n"),
              std::string::npos);
    expect_no_window_texts(r);
    EXPECT_FALSE(fs::exists(dir / "short---copy.WAV"));
}

TEST_F(ProcessTest, OutputDirNoClobberDoubleDashAndOptionValues) {
    ASSERT_TRUE(tone(dir / "a.wav"));
    fs::copy_file(dir / "a.wav", dir / "-dash.wav");
    fs::create_directory(dir / "out");

    // "--" lets a name that begins with "-" through; --opt=value as --opt value
    const Outcome first = run("--process --preset=MUS_hard --output-dir=" + q("out") + " -- -dash.wav");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(fs::exists(dir / "out" / "-dash---copy.WAV"));
    EXPECT_FALSE(fs::exists(dir / "-dash---copy.WAV"));
    EXPECT_FALSE(fs::exists(dir / "out" / "-dash---copy.WAV.buf"));
    EXPECT_EQ(first.out, (dir / "-dash.wav").string() + ": written as " + (dir / "out" / "-dash---copy.WAV").string() +
                             "\n");
    EXPECT_EQ(first.err, "1 processed, 0 skipped, 0 failed\n");
    const Outcome spaced = run("--process --preset MUS_hard --output-dir " + q("out") + " " + q("a.wav"));
    ASSERT_EQ(spaced.status, 0) << spaced.err;
    EXPECT_TRUE(slurp(dir / "out" / "a---copy.WAV") == slurp(dir / "out" / "-dash---copy.WAV"));

    // --no-clobber keeps the older result and says so
    std::ofstream(dir / "out" / "a---copy.WAV", std::ios::trunc) << "older";
    const Outcome dashed = run("--process -dash.wav");
    EXPECT_EQ(dashed.status, 2);  // without "--" it is an option
    const Outcome kept2 = run("--process --no-clobber --output-dir " + q("out") + " " + q("a.wav"));
    EXPECT_EQ(kept2.status, 0);
    EXPECT_EQ(slurp(dir / "out" / "a---copy.WAV"), "older");
    EXPECT_EQ(kept2.out, (dir / "a.wav").string() + ": skipped, " + (dir / "out" / "a---copy.WAV").string() +
                             " exists already (--no-clobber)\n");
    EXPECT_EQ(kept2.err, "0 processed, 1 skipped, 0 failed\n");

    // a folder that is not there is a usage error; nothing is written
    const Outcome nowhere = run("--process --output-dir " + q("nowhere") + " " + q("a.wav"));
    EXPECT_EQ(nowhere.status, 2);
    EXPECT_EQ(nowhere.err, "sonoclamper: --output-dir " + (dir / "nowhere").string() + ": No such file or directory\n");
    EXPECT_FALSE(fs::exists(dir / "a---copy.WAV"));
}

TEST_F(ProcessTest, ListPresetsNamesAllTwentySevenInBothLanguages) {
    const Outcome r = run("--list-presets");
    ASSERT_EQ(r.status, 0);
    const std::regex entry(R"re(^ ?(\d+)  (.+)  \((SETUP_[A-Z_]+), [^)]+\)\n    de: "([^"]+)"   en: "([^"]+)"\n    (.+)$)re");
    std::istringstream lines(r.out);
    std::string l1, l2, l3;
    int count = 0;
    std::set<std::string> procedures;
    while (std::getline(lines, l1) && std::getline(lines, l2) && std::getline(lines, l3)) {
        std::smatch m;
        const std::string block = l1 + "\n" + l2 + "\n" + l3;
        ASSERT_TRUE(std::regex_match(block, m, entry)) << block;
        EXPECT_EQ(std::stoi(m[1]), ++count);
        EXPECT_EQ(m[2], m[5]);  // listed under its English label
        procedures.insert(m[3]);
        EXPECT_NE(m[6].str().find("input +"), std::string::npos);
        EXPECT_NE(m[6].str().find("limiter -"), std::string::npos);
    }
    EXPECT_EQ(count, 27);
    EXPECT_EQ(procedures.size(), 27u);
    EXPECT_NE(r.out.find("de: \"Streicher: allgemein\"   en: \"Strings: general\""), std::string::npos);
    EXPECT_NE(r.out.find("    input +6 dB, leveler off, HPF off, EQ 100 Hz +5, 160 Hz -1, 250 Hz -5"), std::string::npos);
    const Outcome de = run("--list-presets --lang de");
    EXPECT_NE(de.out.find("VOKAL: Bass_Hart  (SETUP_BASS_HARD, Auswahl MEHR V)"), std::string::npos);
}

TEST_F(ProcessTest, ShowSettingsPrintsPresetAndOptionsAndProcessesNothing) {
    ASSERT_TRUE(tone(dir / "a.wav"));
    const Outcome r = run("--show-settings --preset \"Snare: controlled\" --hpf 150 --eq 6.3k=-2.5 --input-gain=3 "
                          "--leveler slow --bypass " + q("a.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fs::exists(dir / "a---copy.WAV"));
    for (const char* line : {"Settings starting from the preset Snare: controlled\n", "  INPUTGAIN      +3.0 dB\n",
                             "  INPUTAUTO      slow (attack/release 0.8 s / 10 s, target -8.0 dBFS)\n",
                             "  HPF            150 Hz\n", "  EQ 160 Hz      +3 dB\n", "  EQ 6.3 kHz     -2.5 dB\n",
                             "  KOMPR_THRHIGH  -27.0 dBFS\n", "  KOMPR_RATMIDD  4:1\n", "  KOMPR_ATTHIGH  0.2 ms\n",
                             "  KOMPR_RELBASS  1.1 s\n", "  GATEBASS       5\n", "  KOMPR_BYPASS   on\n",
                             "  LIMI_THR       -6.0 dB\n", "  LIMI_OUTGAIN   +3.0 dB\n", "  OUTFORMAT      WAV\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
}

TEST_F(ProcessTest, VersionHelpAndUsageErrors) {
    const Outcome v = run("--version");
    EXPECT_EQ(v.status, 0);
    EXPECT_TRUE(std::regex_match(v.out, std::regex("sonoclamper [0-9]+\\.[0-9]+(\\.[0-9]+)?\n")));

    Outcome r = run("--process --preset MUSHART " + q("a.wav"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "sonoclamper: unknown preset \"MUSHART\". Did you mean \"MUS_hard\"?\n"
                     "All presets: sonoclamper --list-presets\nHelp: sonoclamper --help\n");
    r = run("--process --preset snare " + q("a.wav"));
    EXPECT_NE(r.err.find("Did you mean \"Snare: general\", \"Snare: allgemein\""), std::string::npos) << r.err;
    r = run("--proces " + q("a.wav"));
    EXPECT_EQ(r.err, "sonoclamper: unknown option --proces. Did you mean --process?\nHelp: sonoclamper --help\n");
    r = run("--process --quiet=yes " + q("a.wav"));
    EXPECT_EQ(r.err, "sonoclamper: --quiet takes no value\nHelp: sonoclamper --help\n");
    r = run("--process --jobs");
    EXPECT_EQ(r.err, "sonoclamper: --jobs needs a value: a number from 1 to 64\nHelp: sonoclamper --help\n");
    r = run("--process --hpf=90 " + q("a.wav"));
    EXPECT_EQ(r.err, "sonoclamper: --hpf: \"90\" will not do; it takes off, 100, 120 or 150\nHelp: sonoclamper --help\n");
}

}  // namespace

namespace {

TEST_F(ProcessTest, JsonGivesOneObjectPerFileAndNothingElseOnTheStandardOutput) {
    if (!have("python3")) GTEST_SKIP() << "python3 parses the objects";
    ASSERT_TRUE(tone(dir / "a.wav"));
    const Outcome r = run("--process --json --hpf 120 --eq 1k=-2 " + q("a.wav") + " " + q("missing.wav"));
    EXPECT_EQ(r.status, 1);
    std::ofstream(dir / "objects.json") << r.out;
    // every line one object; its fields printed back one per line
    const std::string check =
        "python3 -c 'import json,sys\n"
        "for line in open(sys.argv[1]):\n"
        "  o = json.loads(line)\n"
        "  print(o[\"status\"], o[\"result\"], o[\"preset\"], o[\"settings\"][\"HPF\"], o[\"settings\"][\"EQ 1000\"],"
        " o[\"reason\"], o[\"realtime_factor\"] > 1)' " + q("objects.json") + " > " + q("fields.txt");
    ASSERT_EQ(std::system(check.c_str()), 0) << r.out;
    EXPECT_EQ(slurp(dir / "fields.txt"),
              "processed " + (dir / "a---copy.WAV").string() + " SETUP_VOICESOFT 120 -2.0 None True\n"
              "not processed None SETUP_VOICESOFT 120 -2.0 cannot be read (No such file or directory) False\n");
    EXPECT_EQ(r.err, (dir / "missing.wav").string() +
                         ": not processed: cannot be read (No such file or directory)\n1 processed, 0 skipped, 1 failed\n");
}

}  // namespace
