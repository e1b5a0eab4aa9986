// The real program run from the tests: a folder of its own per test, the
// exit status and both output streams, music and signals made with sox.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace sc::test {

namespace fs = std::filesystem;

inline const char* const kMusic = "/usr/share/games/singularity/music/Awakening.ogg";

inline std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline uint32_t u32_at(const std::string& s, std::size_t pos) {
    uint32_t v = 0;
    std::memcpy(&v, s.data() + pos, 4);
    return v;
}

inline bool have(const char* program) {
    return std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

class ProcessTest : public ::testing::Test {
protected:
    fs::path dir;
    fs::path program{SONOCLAMPER_BIN};  // the program that run() starts

    void SetUp() override {
        dir = fs::temp_directory_path() / ("sc-cli-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    // Runs the program in the test's folder with the arguments (a shell word
    // list) and, in front of it, the environment assignments of `env`.
    Outcome run(const std::string& args, const std::string& env = "LANG=C LC_ALL= LC_MESSAGES=") {
        Outcome r;
        const std::string cmd = "cd \"" + dir.string() + "\" && env " + env + " " + program.string() + " " + args +
                                " >" + (dir / "out.txt").string() + " 2>" + (dir / "err.txt").string() + " </dev/null";
        const int rc = std::system(cmd.c_str());
        r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        r.out = slurp(dir / "out.txt");
        r.err = slurp(dir / "err.txt");
        return r;
    }

    // Ten seconds of the soundtrack in one of the accepted formats.
    bool music(const std::string& name, int channels, int bits, const std::string& type = "wavpcm") {
        if (!fs::exists(kMusic) || !have("sox")) return false;
        const std::string cmd = "sox \"" + std::string(kMusic) + "\" -r 44100 -c " + std::to_string(channels) +
                                " -b " + std::to_string(bits) + " -t " + type + " \"" + (dir / name).string() +
                                "\" trim 20 10 2>/dev/null";
        return std::system(cmd.c_str()) == 0;
    }

    std::string q(const std::string& name) { return "\"" + (dir / name).string() + "\""; }
};

}  // namespace sc::test
