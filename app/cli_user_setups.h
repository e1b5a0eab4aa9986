// The user setups saved in the window, for the command line: listing them and
// finding one by its slot number or its name.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace sc::cli {

struct StoredSetup {
    int slot = 0;
    std::string name;  // without the padding spaces
};

struct StoredSetups {
    std::string path;      // the setups file
    bool readable = true;  // false: it is there but cannot be read
    int16_t language = 1;  // the language it keeps (1 when it keeps none)
    std::vector<StoredSetup> setups;
};

// The setups file of this user and what it holds.
StoredSetups stored_user_setups();

// The slot that `value` stands for: a slot number 1 ... 20 or a saved name
// (spaces around it and case do not matter). Nothing, with a message in
// `error`, when no saved setup fits.
std::optional<int> find_user_setup(const StoredSetups& stored, const std::string& value, int16_t language,
                                   std::string& error);

// The message for a setups file that cannot be read.
std::string user_setups_unreadable(const std::string& path, int16_t language);

// --list-user-setups: one line per saved setup. Returns the exit status.
int list_user_setups(const StoredSetups& stored, int16_t language, std::ostream& out, std::ostream& err);

}  // namespace sc::cli
