#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysinfo.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/process.h"

extern char** environ;

namespace sc::platform {

namespace {

bool is_executable(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

class PosixProcesses final : public Processes {
public:
    int run(const std::string& program, const std::vector<std::string>& args) override {
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) return -1;
        }
        if (WIFEXITED(status)) return WEXITSTATUS(status) == 127 ? -1 : WEXITSTATUS(status);
        return -1;
    }

    std::string find_program(const std::string& name, const std::string& folder) override {
        if (!folder.empty()) {
            std::string p = folder;
            if (p.back() != '/') p += '/';
            p += name;
            if (is_executable(p)) return p;
        }
        const char* path = std::getenv("PATH");
        if (!path) return {};
        std::stringstream ss(path);
        std::string dir;
        while (std::getline(ss, dir, ':')) {
            if (dir.empty()) continue;
            const std::string p = dir + "/" + name;
            if (is_executable(p)) return p;
        }
        return {};
    }
};

class PosixEnvironment final : public Environment {
public:
    std::optional<std::string> get(const std::string& name) override {
        const char* v = std::getenv(name.c_str());
        if (!v) return std::nullopt;
        return std::string(v);
    }

    std::string program_path() override {
        char buf[PATH_MAX];
        const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
        if (n <= 0) return {};
        return std::string(buf, static_cast<std::size_t>(n));
    }

    std::optional<uint64_t> free_memory() override {
        std::ifstream meminfo("/proc/meminfo");
        std::string key;
        uint64_t kb = 0;
        std::string unit;
        while (meminfo >> key >> kb >> unit) {
            if (key == "MemAvailable:") return kb * 1024;
        }
        struct sysinfo si{};
        if (::sysinfo(&si) == 0) return static_cast<uint64_t>(si.freeram) * si.mem_unit;
        return std::nullopt;
    }
};

}  // namespace

bool Processes::is_program(const std::string& path) { return !path.empty() && is_executable(path); }

std::string Environment::working_folder() {
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return {};
    return buf;
}

void set_environment_variable(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

Processes& real_processes() {
    static PosixProcesses p;
    return p;
}

Environment& real_environment() {
    static PosixEnvironment e;
    return e;
}

}  // namespace sc::platform
