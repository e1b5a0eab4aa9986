// --report: the loudness of source and result, against the EBU test
// signals and against ffmpeg's own meter.
#include <gtest/gtest.h>

#include <regex>

#include "tests/app/cli_test_support.h"

namespace {

using namespace sc::test;

struct Figures {
    double lufs = 0, lu = 0, dbtp = 0;
};

// The figures printed for `path` by --report.
bool figures_of(const std::string& out, const std::string& path, Figures& f) {
    const std::regex line(path + R"(: loudness (-?[0-9.]+) LUFS, range ([0-9.]+) LU, true peak (-?[0-9.]+) dBTP)");
    std::smatch m;
    if (!std::regex_search(out, m, line)) return false;
    f = {std::stod(m[1]), std::stod(m[2]), std::stod(m[3])};
    return true;
}

// A 1 kHz stereo sine at the level in dBFS for the seconds, at 48 kHz.
std::string sine(const std::string& file, double dbfs, int seconds) {
    return "sox -D -n -r 48000 -c 2 -b 16 \"" + file + "\" synth " + std::to_string(seconds) + " sine 1000 gain " +
           std::to_string(dbfs);
}

TEST_F(ProcessTest, ReportMeetsTheEbuTestSignals) {
    if (!have("sox")) GTEST_SKIP() << "sox makes the signals";
    const std::string d = dir.string() + "/";
    // EBU Tech 3341, cases 1, 2 and 3 (the -36 / -23 / -36 dBFS sequence)
    ASSERT_EQ(std::system((sine(d + "case1.wav", -23, 20) + " && " + sine(d + "case2.wav", -33, 20) + " && " +
                           sine(d + "q1.wav", -36, 10) + " && " + sine(d + "q2.wav", -23, 60) + " && sox \"" + d +
                           "q1.wav\" \"" + d + "q2.wav\" \"" + d + "q1.wav\" \"" + d + "case3.wav\"")
                              .c_str()),
              0);
    const Outcome r = run("--process --report " + q("case1.wav") + " " + q("case2.wav") + " " + q("case3.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    const struct {
        const char* file;
        double lufs;
    } cases[] = {{"case1.wav", -23.0}, {"case2.wav", -33.0}, {"case3.wav", -23.0}};
    for (const auto& c : cases) {
        Figures f;
        ASSERT_TRUE(figures_of(r.out, d + c.file, f)) << r.out;
        EXPECT_NEAR(f.lufs, c.lufs, 0.1) << c.file;
        Figures result;
        ASSERT_TRUE(figures_of(r.out, d + std::string(c.file).substr(0, 5) + "---copy.WAV", result)) << r.out;
        EXPECT_GT(result.lufs, f.lufs) << c.file;  // the job raises the loudness
    }
    Figures steady;
    ASSERT_TRUE(figures_of(r.out, d + "case1.wav", steady));
    EXPECT_NEAR(steady.lu, 0.0, 0.1);
    EXPECT_NEAR(steady.dbtp, -23.0, 0.2);  // a sine's true peak is its peak
}

TEST_F(ProcessTest, ReportAgreesWithFfmpegOnRealMusic) {
    if (!have("ffmpeg") || !music("music.wav", 2, 16)) GTEST_SKIP() << "ffmpeg, sox and the soundtrack are needed";
    const Outcome r = run("--process --report --json " + q("music.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* file : {"music.wav", "music---copy.WAV"}) {
        SCOPED_TRACE(file);
        ASSERT_EQ(std::system(("ffmpeg -nostats -hide_banner -i " + q(file) +
                               " -af ebur128=peak=true -f null - 2>&1 | tail -n 12 > " + q("meter.txt"))
                                  .c_str()),
                  0);
        const std::string meter = slurp(dir / "meter.txt");
        std::smatch i, lra, peak;
        ASSERT_TRUE(std::regex_search(meter, i, std::regex(R"(I:\s+(-?[0-9.]+) LUFS)"))) << meter;
        ASSERT_TRUE(std::regex_search(meter, lra, std::regex(R"(LRA:\s+([0-9.]+) LU)"))) << meter;
        ASSERT_TRUE(std::regex_search(meter, peak, std::regex(R"(Peak:\s+(-?[0-9.]+) dBFS)"))) << meter;
        // the JSON figures carry two decimals
        const std::string key = std::string(file) == "music.wav" ? "source_loudness" : "result_loudness";
        std::smatch ours;
        ASSERT_TRUE(std::regex_search(r.out, ours,
                                      std::regex("\"" + key + R"(": \{"integrated_lufs": (-?[0-9.]+), "range_lu": ([0-9.]+), "true_peak_dbtp": (-?[0-9.]+)\})")))
            << r.out;
        EXPECT_NEAR(std::stod(ours[1]), std::stod(i[1]), 0.1);
        EXPECT_NEAR(std::stod(ours[3]), std::stod(peak[1]), 0.2);
        // The loudness range of the two meters differs by more than their
        // other figures on a ten-second piece (few short-term blocks): held
        // to one unit here.
        EXPECT_NEAR(std::stod(ours[2]), std::stod(lra[1]), 1.0);
    }
}

}  // namespace
