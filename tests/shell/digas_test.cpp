// The DIGAS import on a folder of takes with real modification times.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <cmath>
#include <ctime>
#include <fstream>

#include "audiofile/digas.h"
#include "platform/dir_listing.h"
#include "platform/paths.h"
#include "shell/application.h"
#include "tests/audiofile/test_support.h"
#include "tests/shell/shell_fakes.h"

namespace sc {
namespace {

TEST(DigasListing, LinesFollowTheGermanLayoutAndParseBack) {
    const std::string line = platform::directory_line({2026, 3, 7, 9, 5, 0}, 1234567, "take 1.mus");
    EXPECT_EQ(line.substr(0, 17), "07.03.2026  09:05");
    EXPECT_EQ(line_file_name(line), "take 1.mus");
    EXPECT_EQ(line.substr(26, 9), "1.234.567");
    ASSERT_TRUE(line_date(line).has_value());
    EXPECT_EQ(line_date(line)->year, 2026);
    EXPECT_EQ(line_key(line), "202603070905");
    EXPECT_EQ(description_name("x.mus"), "x.dbx");

    const TakeDescription d =
        parse_description("<X>\r\n<TITLE>Das &quot;Interview&quot;</TITLE>\r\n<LENGTH>00:03:25.000</LENGTH>\r\n");
    EXPECT_EQ(d.title, "Das \"Interview\"");
    EXPECT_EQ(d.length, "00:03:25");
    EXPECT_EQ(parse_description("nothing").title, "---");
    EXPECT_EQ(parse_description("<TITLE>M\xfc" "ller</TITLE>").title, "Müller");
    EXPECT_EQ(take_copy_name("/d/", {2026, 12, 8}, 9, 5, 7), "/d/2026_12_08__09h_05m_07s__DIG_SONOCLAMPER.mp3");
}

class KeyView : public View {
public:
    std::string key;
    std::vector<std::vector<std::string>> screens;
    void text_screen(const std::vector<std::string>& lines, bool) override { screens.push_back(lines); }
    std::string TASTE_EINGEBEN() override { return key; }
};

class DigasTest : public ::testing::Test {
protected:
    test::TempDir dir;
    platform::VirtualClock clock;
    test::FakeEnvironment env;
    KeyView view;
    Application app{view, PlatformServices{platform::real_file_system(), clock, env, platform::real_processes()}};
    std::string folder;

    void SetUp() override {
        env.vars["TEMP"] = dir.folder();
        env.vars["SONOCLAMPER_DIGAS"] = dir.folder();
        env.program = dir.path("sonoclamper");
        app.startup({});
        folder = platform::with_separator(dir.folder());
        app.state.last_used_folder = folder;
    }

    // A take written days ago (plus minutes, to order takes of one day).
    void take(const std::string& name, int days_ago, int minutes_ago, const std::string& title,
              const std::string& content = "mus") {
        const std::string mus = dir.write(name + ".mus", content);
        dir.write(name + ".dbx", "<TITLE>" + title + "</TITLE>\r\n<LENGTH>00:01:00.000</LENGTH>\r\n");
        const std::time_t t = std::time(nullptr) - static_cast<std::time_t>(days_ago) * 86400 - minutes_ago * 60;
        utimbuf times{t, t};
        ASSERT_EQ(::utime(mus.c_str(), &times), 0);
    }

    std::vector<std::string> listed() const {
        std::vector<std::string> rows;
        for (const auto& l : view.screens.back())
            if (l.size() > 2 && l[0] == ' ' && l[2] == ' ' && l[1] >= 'A' && l[1] <= 'Z') rows.push_back(l);
        return rows;
    }
};

TEST_F(DigasTest, TheNewestTakesOfTheLastHundredDaysAreListed) {
    app.state.digas_folder = folder;
    take("old99", 99, 0, "Ninety-nine");
    take("old100", 100, 0, "Hundred");
    take("old150", 150, 0, "Hundred-fifty");
    for (int i = 0; i < 30; ++i) take("new" + std::to_string(i), 1, i * 3, "Recent " + std::to_string(i));
    view.key = "z";  // past the list: back to the panel
    app.DIGAS();
    const auto rows = listed();
    ASSERT_EQ(rows.size(), 25u);
    EXPECT_NE(rows[0].find("Recent 0"), std::string::npos);
    EXPECT_NE(rows[24].find("Recent 24"), std::string::npos);
    for (const auto& r : rows) {
        EXPECT_EQ(r.find("Ninety-nine"), std::string::npos);
        EXPECT_EQ(r.find("Hundred"), std::string::npos);
    }
    EXPECT_TRUE(app.state.source_path.empty());
    EXPECT_EQ(app.state.source_is_mp3, 0);

    // with few takes the 99-day one is there, the 100-day one is not
    test::TempDir few;
    app.state.digas_folder = few.folder() + "/";
    const std::string mus = few.write("a.mus", "x");
    const std::time_t t = std::time(nullptr) - 99 * 86400;
    utimbuf times{t, t};
    ::utime(mus.c_str(), &times);
    const std::string mus100 = few.write("b.mus", "x");
    const std::time_t t100 = std::time(nullptr) - 100 * 86400;
    utimbuf times100{t100, t100};
    ::utime(mus100.c_str(), &times100);
    app.DIGAS();
    const auto one = listed();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NE(one[0].find("---"), std::string::npos);  // no description file
}

TEST_F(DigasTest, ALetterLoadsTheTakeAsAnMp3Source) {
    // a real MP3 as the take's content
    test::FmtFields f;
    std::string data;
    for (int i = 0; i < 44100 * 6; ++i) {
        const auto v = static_cast<int16_t>(std::lround(8000 * std::sin(i * 0.05)));
        for (int c = 0; c < 2; ++c) {
            data += static_cast<char>(v & 0xFF);
            data += static_cast<char>((v >> 8) & 0xFF);
        }
    }
    const std::string wav = dir.write("gen.wav", test::riff_wave({test::fmt_chunk(f), test::chunk("data", data)}));
    ASSERT_EQ(platform::real_processes().run(platform::real_processes().find_program("lame", ""),
                                             {"--quiet", wav, dir.path("m.mp3")}),
              0);
    app.state.digas_folder = folder;
    take("morning", 2, 0, "Morning show", test::read_file(dir.path("m.mp3")));
    take("evening", 1, 0, "Evening show", test::read_file(dir.path("m.mp3")));
    view.key = "b";  // the older of the two
    app.DIGAS();
    auto& s = app.state;
    ASSERT_EQ(s.source_is_mp3, 1);
    EXPECT_NE(s.source_path.find("__DIG_SONOCLAMPER.mp3"), std::string::npos);
    EXPECT_EQ(s.source_path.rfind(folder, 0), 0u);
    EXPECT_EQ(test::read_file(s.source_path), test::read_file(dir.path("m.mp3")));
    EXPECT_TRUE(test::exists(s.mp3_buffer_wav));
}

}  // namespace
}  // namespace sc
