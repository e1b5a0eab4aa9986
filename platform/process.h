// Outside programs and the process environment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sc::platform {

class Processes {
public:
    virtual ~Processes() = default;
    // Runs program with the argument vector (never through a shell), waits for
    // it and returns its exit code; -1 when it could not be started.
    virtual int run(const std::string& program, const std::vector<std::string>& args) = 0;
    // Path of an executable: first in folder (when not empty), then on PATH;
    // empty when not found.
    virtual std::string find_program(const std::string& name, const std::string& folder) = 0;
    // Whether path names a regular file that may be run as a program.
    virtual bool is_program(const std::string& path);
};

Processes& real_processes();

class Environment {
public:
    virtual ~Environment() = default;
    virtual std::optional<std::string> get(const std::string& name) = 0;
    // Absolute path of the running program.
    virtual std::string program_path() = 0;
    // Free physical memory in bytes, when the system tells.
    virtual std::optional<uint64_t> free_memory() = 0;
    // The working folder (absolute, without a trailing "/"), against which
    // relative paths of the command line are taken.
    virtual std::string working_folder();
};

Environment& real_environment();

// Sets a variable of this process's environment (tests).
void set_environment_variable(const std::string& name, const std::string& value);

}  // namespace sc::platform
