#include "app/cli_user_setups.h"

#include <cctype>
#include <cstdio>
#include <ostream>

#include "app/cli_texts.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "settings/program_state.h"
#include "settings/user_setups_file.h"
#include "shell/startup_paths.h"
#include "shell/user_setups_store.h"

namespace sc::cli {

namespace {

namespace T = texts;

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    while (!s.empty() && s.front() == ' ') s.erase(s.begin());
    return s;
}

std::string folded(const std::string& s) {
    std::string r = trimmed(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

}  // namespace

StoredSetups stored_user_setups() {
    auto& env = platform::real_environment();
    StoredSetups r;
    r.path = user_setups_folder_from(env, program_folder_of(env.program_path())) + USER_SETUPS_NAME;
    const SetupsFileBytes file = read_setups_file(platform::real_file_system(), r.path);
    r.readable = file.status != SetupsFileStatus::Unreadable;
    for (int slot = 1; slot <= USER_SETUP_SLOTS; ++slot) {
        const auto load = setups_file::read_slot(file.bytes, slot, "/", nullptr);
        if (load.has_content) r.language = load.language;
        if (load.used) r.setups.push_back({slot, trimmed(from_cp437(load.name))});
    }
    return r;
}

std::optional<int> find_user_setup(const StoredSetups& stored, const std::string& value, int16_t language,
                                   std::string& error) {
    if (!stored.readable) {
        error = user_setups_unreadable(stored.path, language);
        return std::nullopt;
    }
    const std::string wanted = folded(value);
    if (wanted.empty()) {
        error = say(T::USER_SETUP_UNKNOWN, language, {value});
        return std::nullopt;
    }
    if (wanted.find_first_not_of("0123456789") == std::string::npos && wanted.size() <= 2) {
        const int slot = std::stoi(wanted);
        if (slot >= 1 && slot <= USER_SETUP_SLOTS) {
            for (const auto& s : stored.setups)
                if (s.slot == slot) return slot;
            error = say(T::USER_SETUP_EMPTY, language, {std::to_string(slot)});
            return std::nullopt;
        }
    }
    for (const auto& s : stored.setups)
        if (folded(s.name) == wanted) return s.slot;
    error = say(T::USER_SETUP_UNKNOWN, language, {trimmed(value)});
    return std::nullopt;
}

std::string user_setups_unreadable(const std::string& path, int16_t language) {
    return say(T::USER_SETUPS_UNREADABLE, language, {path});
}

int list_user_setups(const StoredSetups& stored, int16_t language, std::ostream& out, std::ostream& err) {
    if (!stored.readable) {
        err << say(T::PROGRAM_PREFIX, language) << user_setups_unreadable(stored.path, language) << "\n";
        return 1;
    }
    if (stored.setups.empty()) {
        out << say(T::USER_SETUPS_NONE, language, {stored.path}) << "\n";
        return 0;
    }
    out << say(T::USER_SETUPS_HEAD, language, {stored.path}) << "\n";
    for (const auto& s : stored.setups) {
        char number[8];
        std::snprintf(number, sizeof number, "%2d", s.slot);
        out << number << "  " << s.name << "\n";
    }
    return 0;
}

}  // namespace sc::cli
